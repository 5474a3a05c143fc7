// A stage for the swim game's pieces: the object stage's display and hand-moved clocks, with small
// sprites of the animation counts the pieces need (the fish's 30, the hoop's and items' few).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "fixture-content/SpriteFile.h"
#include "framework/GameClock.h"
#include "platform/win/kernel/Random.h"
#include "support/ObjectStage.h"

namespace test {

// count animations of width x height, each two frames of 100 ms that stop; those in loops loop.
inline fixture::SpriteFile CountedSprite(int32_t count, int32_t width = 40, int32_t height = 30,
                                         std::initializer_list<int32_t> loops = {}) {
  fixture::SpriteFile file = StageSprite(width, height);
  const fixture::SpriteFileAnimation once = file.m_animations[2];
  file.m_animations.assign(static_cast<size_t>(count), once);
  for (const int32_t loop : loops) file.m_animations[static_cast<size_t>(loop)].m_playMode = 2;
  return file;
}

class Game6PieceStage : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_objects.IsReady());
    plat::win::srand(1);
  }

  static int32_t Now() { return static_cast<int32_t>(GameClock::Instance().GetTime()); }
  static void Tick(uint32_t ms) { ObjectStage::Tick(ms); }

  ObjectStage m_objects;
};

}  // namespace test
