// The periodical: an object that is updated once per frame while it is started.
#pragma once

#include <cstddef>

namespace Qel {

class Periodical {
public:
  Periodical() = default;
  // Runs the base's empty stop hook only: a derived OnStop is never called from destruction.
  virtual ~Periodical();
  Periodical(const Periodical&) = delete;
  Periodical& operator=(const Periodical&) = delete;

  // Appends this periodical to the frame's list; a running one is not listed twice.
  void Start();
  void Stop();
  bool IsRunning() const { return m_running; }

  // Once per frame: updates every started periodical in start order, including those started
  // during this walk.
  static void UpdateAll();

  // The per-frame work; the result is ignored.
  virtual int Update() { return -1; }

protected:
  virtual void OnStart() {}
  virtual void OnStop() {}

private:
  // Drops the entries of stopped periodicals once they are most of the list; never during a walk.
  static void DropStoppedEntries();

  bool m_running = false;
  // Its place in the frame's list while it runs, so that stopping finds it at once: a frame starts
  // and stops many animations among many more that run.
  size_t m_slot = 0;
};

}  // namespace Qel
