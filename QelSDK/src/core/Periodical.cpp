// The periodical and the frame's list of started periodicals.
#include "core/Periodical.h"

#include <list>

namespace Qel {
namespace {

// Stopping only nulls an entry, so a periodical may stop or destroy itself (or another) inside
// an update without disturbing the walk; the outermost walk erases the null entries it passes.
// A list keeps its iterators valid while entries are appended during the walk.
using PeriodicalList = std::list<Periodical*>;

PeriodicalList& Started() {
  // Never destroyed: periodicals owned by static objects may still stop themselves at exit, after
  // any static list would already be gone. It never owns the periodicals.
  static auto* list = new PeriodicalList;
  return *list;
}

int gWalkDepth = 0;

// Counts the walks in progress, also when an update throws a fatal error out of the walk.
class WalkScope {
public:
  WalkScope() { ++gWalkDepth; }
  ~WalkScope() { --gWalkDepth; }
  WalkScope(const WalkScope&) = delete;
  WalkScope& operator=(const WalkScope&) = delete;
  bool IsOutermost() const { return gWalkDepth == 1; }
};

}  // namespace

Periodical::~Periodical() {
  Stop();
}

void Periodical::Start() {
  if (m_running) return;
  m_running = true;
  m_entry = Started().insert(Started().end(), this);
  OnStart();
}

void Periodical::Stop() {
  if (!m_running) return;
  OnStop();
  // Only a walk erases entries, and only null ones: a running periodical's entry is still there.
  *m_entry = nullptr;
  m_running = false;
}

void Periodical::UpdateAll() {
  auto& list = Started();
  const WalkScope walk;
  // end() is read afresh at every step so that periodicals started during the walk are reached.
  for (auto entry = list.begin(); entry != list.end();) {
    if (*entry) {
      (*entry)->Update();
      ++entry;
    } else if (walk.IsOutermost()) {
      entry = list.erase(entry);
    } else {
      // A walk nested inside an update leaves erasure to the outer walk, which may stand on this entry.
      ++entry;
    }
  }
}

}  // namespace Qel
