// A stage for the shape game's pieces: a started game with a plain room, sprites of the animation
// counts a test asks for, short sounds, and objects made on the spot.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "../../frontend/RoomStage.h"
#include "framework/GameSound.h"
#include "framework/SpriteObject.h"

namespace test {

class PieceStage : public RoomStage {
protected:
  void SetUp() override {
    RoomStage::SetUp();
    for (const char* name : {"fish", "good", "bad", "pop", "blow", "sweet", "note", "shape", "none"})
      m_stage.AddWave(name, Tone(50));
  }
  void TearDown() override {
    m_objects.clear();
    m_ownSounds.clear();
    RoomStage::TearDown();
  }

  // A sprite object of a sprite with that many animations.
  SpriteObject* Sprite(const std::string& name, int animations) {
    AddSprite(name, 20, 20, animations);
    m_objects.push_back(std::make_unique<SpriteObject>(name.c_str(), name.c_str(), SpriteObject::kClockGame));
    return m_objects.back().get();
  }
  GameSound* Sound(const std::string& name, const char* file) {
    m_ownSounds.push_back(std::make_unique<GameSound>(name.c_str(), file, true, false));
    return m_ownSounds.back().get();
  }

  std::vector<std::unique_ptr<SpriteObject>> m_objects;
  std::vector<std::unique_ptr<GameSound>> m_ownSounds;
};

}  // namespace test
