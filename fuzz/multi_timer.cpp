// Fuzz target: arbitrary bytes as key = value text data, through the text-data manager into a
// multi-timer, which then runs through its marks on a game clock moved from deadline to deadline.
// Every expiry must step to the next mark, restart the timer with the distance to it and tell the
// listener once.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "FuzzInput.h"
#include "core/EventManager.h"
#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "framework/GameClock.h"
#include "framework/MultiTimer.h"
#include "framework/TxtDataManager.h"
#include "platform/win/kernel/Timer.h"

namespace {

using fuzzinput::StreamOver;

void Require(bool condition) {
  if (!condition) std::abort();
}

uint32_t gTimer = 0;
uint32_t FakeTimer() {
  return gTimer;
}

class CountingListener : public IMultiTimer {
public:
  void OnMark(MultiTimer*) override { ++marks; }
  void OnStart(MultiTimer*) override { ++starts; }
  void OnStop(MultiTimer*) override { ++stops; }
  int marks = 0;
  int starts = 0;
  int stops = 0;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  plat::win::SetTimeSourceForTesting(FakeTimer);
  return 0;
}

namespace {

void Run(const uint8_t* data, size_t size) {
  GameClock& clock = GameClock::Instance();
  clock.SetTime(0);
  CountingListener listener;
  MultiTimer timer("fuzz", &listener, nullptr);
  Require(TxtDataManager::Instance().ParseStream(StreamOver(data, size), timer));
  timer.SetCurrentIndex(0);
  const uint32_t count = timer.Count();

  timer.Start(true);
  Require(listener.starts == 1 && timer.GetTimer().IsActive());
  for (int step = 0; step < 64; ++step) {
    const uint32_t previous = timer.Current();
    const uint32_t previousIndex = timer.GetCurrentIndex();
    const uint32_t lastDuration = timer.GetTimer().GetDuration();
    clock.SetTime(timer.GetTimer().GetDeadline());
    timer.Poll();
    Require(listener.marks == step + 1);
    Require(timer.GetTimer().IsActive());
    Require(timer.Count() == count);
    const uint32_t index = timer.GetCurrentIndex();
    Require(count == 0 ? index == 0 : index == (previousIndex + 1) % count);
    const uint32_t interval =
        index > previousIndex ? timer.Current() - previous : timer.GetWrap() - previous + timer.Current();
    Require(timer.GetTimer().GetDuration() == (interval != 0 ? interval : lastDuration));
    Require(timer.GetTimer().GetDeadline() == clock.GetTime() + timer.GetTimer().GetDuration());
  }

  // Stopped, it runs no more, and the list's own steps stay inside it.
  timer.Stop(false);
  clock.SetTime(timer.GetTimer().GetDeadline());
  timer.Poll();
  Require(listener.stops == 1 && listener.marks == 64 && !timer.GetTimer().IsActive());
  timer.Prev();
  Require(timer.At(count) == 0);
  timer.Clear();
  timer.Add(1);
  Require(timer.Current() == 1 && timer.Next() == 1 && timer.Prev() == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0xFFFFFFFFu) return 0;
  Run(data, size);
  // The event manager erases the entries of removed listeners once per frame; each input is a
  // frame here, or the entries of the timers gone would pile up.
  Qel::EventManager::GetInstance()->Update();
  return 0;
}
