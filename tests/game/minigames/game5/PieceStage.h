// A stage for the submarine ball game's pieces: the object stage's display and hand-moved clocks,
// with the game's sprites as the content generator makes them, and the random generator under the
// test's hand.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fixture-content/ContentDatabases.h"
#include "fixture-content/SpriteContent.h"
#include "fixture-content/SpriteFileWriter.h"
#include "framework/Ambient.h"
#include "framework/GameClock.h"
#include "framework/SpriteObject.h"
#include "graphics/SceneObject.h"
#include "platform/win/kernel/Random.h"
#include "support/ObjectStage.h"

namespace test {

// Seeds the generator so that its next draw is the value given (32767: the draws that scale to the
// top of their range), and answers the seed.
inline unsigned SeedDrawing(int value) {
  for (unsigned seed = 0;; ++seed) {
    plat::win::srand(seed);
    if (plat::win::rand() != value) continue;
    plat::win::srand(seed);
    return seed;
  }
}

// The generator's next draw, without taking it.
inline int PeekDraw(unsigned seed) {
  plat::win::srand(seed);
  const int draw = plat::win::rand();
  plat::win::srand(seed);
  return draw;
}

inline bool IsShown(const SpriteObject* object) {
  return object && object->GetSceneObject() && object->GetSceneObject()->IsShown();
}

inline void SetShown(SpriteObject* object, bool shown) {
  if (shown) {
    object->GetSceneObject()->Show();
  } else {
    object->GetSceneObject()->Hide();
  }
}

class PieceStage : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_objects.IsReady());
    for (const fixture::SpriteSpec& sprite : fixture::Game5Database().m_sprites)
      m_objects.AddSprite(sprite.m_name, fixture::MakeSprite(sprite));
  }

  // An object of the game's sprite, owned by the stage.
  Ambient* Make(const std::string& sprite) {
    m_made.push_back(std::make_unique<Ambient>(("obj" + std::to_string(m_made.size())).c_str(), sprite.c_str(),
                                               SpriteObject::kClockGame));
    return m_made.back().get();
  }

  static uint32_t Now() { return GameClock::Instance().GetTime(); }
  static void Tick(uint32_t ms) { ObjectStage::Tick(ms); }

  ObjectStage m_objects;
  std::vector<std::unique_ptr<Ambient>> m_made;
};

}  // namespace test
