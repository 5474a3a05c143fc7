// Helpers of the animation and sprite tests: a hand-set clock, a log of notifications and frame events,
// sized surfaces and frame tracks made from a list of durations.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Periodical.h"
#include "core/TimeSource.h"
#include "graphics/DrawingSurface.h"
#include "graphics/FrameEvent.h"
#include "graphics/FrameTrack.h"
#include "graphics/Observable.h"
#include "graphics/Observer.h"

namespace animtest {

using Log = std::vector<std::string>;

inline std::string CodeText(uint32_t code) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) text.push_back(static_cast<char>(code >> shift));
  return text;
}

// Time moves only when the test says so; the frame's time is taken with each step, as the frame step does.
class TestClock : public Qel::TimeSource {
public:
  uint32_t GetTime() override { return m_now; }
  void Set(uint32_t now) {
    m_now = now;
    Update();
  }
  // One frame: the clock moves, then every started periodical is updated.
  void Step(uint32_t now) {
    Set(now);
    Qel::Periodical::UpdateAll();
  }

private:
  uint32_t m_now = 0;
};

// Writes "sender event" (and the value the data points to, for "chng", "durc" and "sprt") to a log.
class NotificationLog : public Qel::Observer {
public:
  explicit NotificationLog(Log& log) : m_log(log) {}

  void OnNotify(Qel::Observable*, uint32_t sender, uint32_t event, void* data) override {
    std::string entry = CodeText(sender) + " " + CodeText(event);
    if (data && (CodeText(event) == "chng" || CodeText(event) == "durc")) {
      entry += " " + std::to_string(*static_cast<int32_t*>(data));
    } else if (data && CodeText(sender) == "sprt") {
      entry += " " + std::to_string(*static_cast<uint32_t*>(data));
    }
    m_log.push_back(entry);
    if (auto action = m_action) action(sender, event);
  }

  // Runs after the entry is logged.
  std::function<void(uint32_t sender, uint32_t event)> m_action;

private:
  Log& m_log;
};

// Writes "fire <name> <frame start> <duration> <position>" and answers what the test asked.
class LoggingEvent : public Qel::FrameEvent {
public:
  LoggingEvent(std::string name, Log& log, bool stop = false)
      : m_name(std::move(name)), m_log(log), m_stop(stop) {}

  bool Fire(int32_t frameStart, int32_t frameDuration, int32_t position) override {
    m_log.push_back("fire " + m_name + " " + std::to_string(frameStart) + " " +
                    std::to_string(frameDuration) + " " + std::to_string(position));
    return m_stop;
  }

private:
  std::string m_name;
  Log& m_log;
  bool m_stop;
};

// A surface with a size and nothing behind it, for bounds.
class SizedSurface : public Qel::DrawingSurface {
public:
  SizedSurface(int width, int height) : m_width(width), m_height(height) {}
  int GetWidth() const override { return m_width; }
  int GetHeight() const override { return m_height; }
  void GetPixelFormat(Qel::PixelFormat& format) const override { format = Qel::PixelFormat(); }
  int SetColorKey(const Qel::Color&) override { return 0; }
  void GetColorKey(Qel::Color& key) const override { key = Qel::Color(); }
  uint8_t* LockBits(const Qel::Rect*, int&, uint32_t) override { return nullptr; }
  int UnlockBits() override { return 0; }

private:
  int m_width;
  int m_height;
};

struct FrameSpec {
  int32_t duration;
  // Null: no image.
  std::shared_ptr<Qel::DrawingSurface> image = nullptr;
  Qel::Point2 offset = Qel::Point2();
  std::vector<std::shared_ptr<Qel::FrameEvent>> events = {};
};

inline std::shared_ptr<Qel::FrameTrack> MakeTrack(const std::vector<FrameSpec>& frames) {
  auto track = std::make_shared<Qel::FrameTrack>();
  for (const FrameSpec& frame : frames) {
    Qel::FrameTrack::FrameRecord record;
    record.m_image = frame.image;
    record.m_offset = frame.offset;
    record.m_events = frame.events;
    track->AddFrame(-1, frame.duration, record);
  }
  return track;
}

// A track whose frame i fires a logging event named "f<i>".
inline std::shared_ptr<Qel::FrameTrack> MakeLoggedTrack(const std::vector<int32_t>& durations, Log& log) {
  std::vector<FrameSpec> frames;
  for (size_t i = 0; i < durations.size(); ++i) {
    frames.push_back(FrameSpec{durations[i],
                               nullptr,
                               Qel::Point2(),
                               {std::make_shared<LoggingEvent>("f" + std::to_string(i), log)}});
  }
  return MakeTrack(frames);
}

}  // namespace animtest
