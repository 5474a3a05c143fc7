// A timing mark: the moment a shape is due, with the two timers that open and close its sweet spot,
// and the scoring of a press against it.
#pragma once

#include <cstdint>
#include <memory>

#include "game4/Game4Node.h"

class GameTimer;
class VariantSound;

// Marks are shared between a sequence's loaded and working lists (std::shared_ptr), so the shapes
// drawn for a sequence stay with it when it is repeated. The sounds, points and windows are one set
// for all marks, since only one sequence plays at a time.
class Game4Node::TimingMark {
public:
  struct Sounds {
    VariantSound* sweet = nullptr;
    VariantSound* note = nullptr;
    VariantSound* shape = nullptr;
    VariantSound* none = nullptr;
  };
  struct Settings {
    Sounds sounds;
    int32_t notePoints = 0;
    int32_t shapePoints = 0;
    // The window around the sweet spot and the sweet spot's half-width, in ms.
    int32_t window = 0;
    int32_t sweet = 0;
    // Added to every timer's duration when the marks are armed.
    int32_t offset = 0;
  };

  static constexpr uint32_t kInitialDuration = 500;

  TimingMark();
  virtual ~TimingMark();
  TimingMark(const TimingMark&) = delete;
  TimingMark& operator=(const TimingMark&) = delete;

  static void SetSounds(const Sounds& sounds) { s_settings.sounds = sounds; }
  static void SetPoints(int32_t notePoints, int32_t shapePoints);
  static void SetWindows(int32_t window, int32_t sweet);
  static void SetOffset(int32_t offset) { s_settings.offset = offset; }
  static const Settings& GetSettings() { return s_settings; }
  // Back to no sounds and all zero, as at start-up.
  static void ResetSettings() { s_settings = Settings{}; }

  // Makes the two timers on first use, named after the time; later calls keep them.
  virtual void Set(int32_t time, bool strong);
  virtual bool IsStrong() const { return m_strong; }
  virtual void SetShape(int32_t index, Shape* shape);
  virtual int32_t GetShapeIndex() const { return m_shapeIndex; }
  virtual Shape* GetShape() const { return m_shape; }
  // The points of a press of shape s at t ms after the copy began; the matching sound plays.
  virtual int32_t Score(int64_t t, int32_t s);
  // The start timer runs for offset + time, the stop timer for offset + sweet + time.
  virtual void Arm();
  virtual void Poll(uint32_t now);
  // With notify, each timer that runs announces its expiry at once.
  virtual void StopTimers(bool notify);
  virtual void PlayShapeSound();

  int32_t GetTime() const { return m_time; }
  GameTimer* GetStartTimer() const { return m_startTimer.get(); }
  GameTimer* GetStopTimer() const { return m_stopTimer.get(); }

private:
  static void Play(VariantSound* sound);
  // 64-bit sums of file values, clamped to what a timer takes (at least 1 ms: 0 would keep the
  // timer's previous duration).
  static uint32_t Duration(int64_t ms);

  static Settings s_settings;

  int32_t m_time = 0;
  bool m_strong = false;
  std::unique_ptr<GameTimer> m_startTimer;
  std::unique_ptr<GameTimer> m_stopTimer;
  int32_t m_shapeIndex = -1;
  Shape* m_shape = nullptr;
};
