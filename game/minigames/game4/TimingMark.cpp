// A timing mark.
#include "game4/TimingMark.h"

#include <algorithm>
#include <cstdio>

#include "framework/GameTimer.h"
#include "framework/VariantSound.h"
#include "game4/Shape.h"

Game4Node::TimingMark::Settings Game4Node::TimingMark::s_settings;

namespace {

int32_t ClampToInt(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

Game4Node::TimingMark::TimingMark() = default;
Game4Node::TimingMark::~TimingMark() = default;

void Game4Node::TimingMark::SetPoints(int32_t notePoints, int32_t shapePoints) {
  s_settings.notePoints = notePoints;
  s_settings.shapePoints = shapePoints;
}

void Game4Node::TimingMark::SetWindows(int32_t window, int32_t sweet) {
  s_settings.window = window;
  s_settings.sweet = sweet;
}

void Game4Node::TimingMark::Set(int32_t time, bool strong) {
  m_time = time;
  m_strong = strong;
  if (m_startTimer) return;
  char name[GameTimer::kNameCapacity];
  std::snprintf(name, sizeof name, "sweetspot_start_%05d", time);
  m_startTimer = std::make_unique<GameTimer>(name, kInitialDuration);
  std::snprintf(name, sizeof name, "sweetspot_stop_%05d", time);
  m_stopTimer = std::make_unique<GameTimer>(name, kInitialDuration);
}

void Game4Node::TimingMark::SetShape(int32_t index, Shape* shape) {
  m_shapeIndex = index;
  m_shape = shape;
}

int32_t Game4Node::TimingMark::Score(int64_t t, int32_t s) {
  const Settings& set = s_settings;
  if (s != m_shapeIndex) {
    Play(set.sounds.none);
    return 0;
  }
  const int64_t c = m_time;
  const int64_t window = set.window;
  const int64_t sweet = set.sweet;
  const int64_t shapePoints = set.shapePoints;
  if (t < c - window - sweet || t > c + window + sweet) {
    Play(set.sounds.shape);
    return ClampToInt(shapePoints);
  }
  if (t >= c - sweet && t <= c + sweet) {
    Play(set.sounds.sweet);
    return ClampToInt(int64_t{set.notePoints} + shapePoints);
  }
  const int64_t half = (window + 1) / 2;
  const int64_t band = (int64_t{set.notePoints} + 2) / 3;
  const bool near = t > c ? t <= c + sweet + half : t > c - sweet - half;
  Play(set.sounds.note);
  return ClampToInt((near ? band : 2 * band) + shapePoints);
}

uint32_t Game4Node::TimingMark::Duration(int64_t ms) {
  return static_cast<uint32_t>(std::clamp<int64_t>(ms, 1, INT32_MAX));
}

void Game4Node::TimingMark::Arm() {
  if (!m_startTimer) return;
  m_startTimer->Start(Duration(int64_t{s_settings.offset} + m_time));
  m_stopTimer->Start(Duration(int64_t{s_settings.offset} + s_settings.sweet + m_time));
}

void Game4Node::TimingMark::Poll(uint32_t now) {
  if (!m_startTimer) return;
  m_startTimer->PollAt(now);
  m_stopTimer->PollAt(now);
}

void Game4Node::TimingMark::StopTimers(bool notify) {
  if (!m_startTimer) return;
  m_startTimer->Stop(notify);
  m_stopTimer->Stop(notify);
}

void Game4Node::TimingMark::PlayShapeSound() {
  if (m_shape) m_shape->PlayFish();
}

void Game4Node::TimingMark::Play(VariantSound* sound) {
  if (sound) sound->Play(false, false);
}
