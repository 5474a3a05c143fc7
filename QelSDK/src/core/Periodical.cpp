// The periodical and the frame's list of started periodicals.
#include "core/Periodical.h"

#include <vector>

namespace Qel {
namespace {

// Stopping only nulls an entry, so a periodical may stop or destroy itself (or another) inside
// an update without disturbing the walk, which goes by index and so also reaches entries appended
// during it. The null entries are dropped later, outside walks. A restart (a new animation every frame,
// say) then costs an append, with no allocation of its own.
using PeriodicalList = std::vector<Periodical*>;

PeriodicalList& Started() {
  // Never destroyed: periodicals owned by static objects may still stop themselves at exit, after
  // any static list would already be gone. It never owns the periodicals.
  static auto* list = new PeriodicalList;
  return *list;
}

int gWalkDepth = 0;
size_t gStoppedEntries = 0;

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
  // Without walks (a loader, a test) stopped entries would otherwise pile up.
  DropStoppedEntries();
  auto& list = Started();
  m_running = true;
  m_slot = list.size();
  list.push_back(this);
  OnStart();
}

void Periodical::Stop() {
  if (!m_running) return;
  OnStop();
  // Only DropStoppedEntries removes entries, and only null ones: a running periodical's entry stays.
  Started()[m_slot] = nullptr;
  ++gStoppedEntries;
  m_running = false;
}

void Periodical::DropStoppedEntries() {
  auto& list = Started();
  // A walk stands on an index, and skipping a null entry costs less than moving every entry after
  // it: they are dropped only outside walks, once they are the greater part.
  if (gWalkDepth != 0 || gStoppedEntries <= list.size() / 2) return;
  size_t kept = 0;
  for (Periodical* periodical : list) {
    if (periodical == nullptr) continue;
    periodical->m_slot = kept;
    list[kept++] = periodical;
  }
  list.resize(kept);
  gStoppedEntries = 0;
}

void Periodical::UpdateAll() {
  auto& list = Started();
  {
    const WalkScope walk;
    // The size is read afresh at every step so that periodicals started during the walk are reached.
    for (size_t i = 0; i < list.size(); ++i) {
      if (Periodical* periodical = list[i]) periodical->Update();
    }
  }
  DropStoppedEntries();
}

}  // namespace Qel
