// A stage for the shape game's way through its levels: the content-set stage's game, node 10 entered
// at level 1 with a log of the movies from then on, and the presses of a player at the shapes' centres.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../ContentSetStage.h"
#include "framework/ActivePlayerData.h"
#include "framework/Clickable.h"
#include "framework/GameClock.h"
#include "framework/MoviePlayer.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/PlayerData.h"
#include "framework/SpriteObject.h"
#include "frontend/SpeechQueue.h"
#include "game4/Game4Node.h"
#include "game4/Level.h"
#include "game4/Sequence.h"
#include "game4/TimingMark.h"
#include "graphics/SceneObject.h"
#include "platform/win/user/Messages.h"

namespace test {

class FlowStage : public ContentSetStage<Game4Node, kNodeGame4> {
protected:
  using Names = std::vector<std::string>;

  void SetUp() override {
    ContentSetStage::SetUp();
    // Played before, at level 1: the opening is four lines.
    Entry().level = 1;
    Entry().gameValue = 1;
  }

  // The file takes the bytes of another of its database.
  void ReplaceContentBy(const std::string& database, const std::string& file, const std::string& from) {
    const std::string bytes = ReadContent(database, from);
    ASSERT_FALSE(bytes.empty()) << from;
    ReplaceContent(database, file, bytes);
  }

  // Starts the game on the content and enters the shape game at the second frame, the movie log
  // listening from then on; "" when it started, else the text it refused with.
  std::string Enter() {
    const std::string thrown = EnterThrowing();
    if (!thrown.empty()) return thrown;
    Listen();
    return m_game ? "" : "no node";
  }
  void StartGame() { ASSERT_EQ(Enter(), ""); }

  int32_t State() const { return m_game->GetState(); }
  uint32_t Now() const { return GameClock::Instance().GetTime(); }

  // Space while the guide speaks, until the state is left.
  void CutSpeech(int32_t state) {
    ASSERT_TRUE(FramesUntil([&] {
      if (State() == state && m_game->GetSpeechQueue()->IsPlaying()) m_app.PostCharEvent(' ');
      return State() != state;
    })) << "state " << state;
  }

  bool ShapesEnabled() const {
    for (int i = 0; i < 5; ++i) {
      if (!ShapeButton(i)->IsEnabled()) return false;
    }
    return true;
  }
  // From wherever the game is to the player's turn with the shapes enabled: the opening cut short,
  // the banner and the demonstration. The game-clock time the turn began.
  uint32_t ReachTurn() {
    uint32_t turn = 0;
    EXPECT_TRUE(FramesUntil([&] {
      if (State() == 1 && m_game->GetSpeechQueue()->IsPlaying()) m_app.PostCharEvent(' ');
      if (State() != 11) turn = Now() + 10;
      return State() == 11 && ShapesEnabled();
    }));
    return turn;
  }

  Clickable* ShapeButton(int i) const {
    return dynamic_cast<Clickable*>(m_game->FindObject(("shape" + std::to_string(i)).c_str()));
  }
  SpriteObject* Sprite(const std::string& name) const {
    return dynamic_cast<SpriteObject*>(m_game->FindObject(name.c_str()));
  }
  uint32_t BoxLook(int i) const { return Sprite("CheckBox_" + std::to_string(i))->GetAnimationId(); }
  bool Shown(const std::string& name) const {
    const GenericObject* object = m_game->FindObject(name.c_str());
    return object && object->GetSceneObject() && object->GetSceneObject()->IsVisible();
  }

  Game4Node::Sequence* Current() const { return m_game->GetLevel()->GetCurrentSequence(); }
  // The shapes the current sequence asks for, in order.
  std::vector<int32_t> DueShapes() const {
    std::vector<int32_t> shapes;
    for (int32_t k = 0; k < Current()->GetExpectedPresses(); ++k)
      shapes.push_back(Current()->PeekMark(static_cast<uint32_t>(k))->GetShapeIndex());
    return shapes;
  }

  // A press and release at the centre of the object, taken in the next frame.
  void ClickOn(const std::string& name) {
    const auto* sprite = dynamic_cast<const SpriteObject*>(m_game->FindObject(name.c_str()));
    ASSERT_NE(sprite, nullptr) << name;
    const Qel::Point2 size = sprite->GetSize();
    const int x = static_cast<int>(sprite->GetX()) + size.X() / 2;
    const int y = static_cast<int>(sprite->GetY()) + size.Y() / 2;
    m_app.PostMouseEvent(plat::win::WM_LBUTTONDOWN, x, y);
    m_app.PostMouseEvent(plat::win::WM_LBUTTONUP, x, y);
    Frame();
  }
  void PressShape(int32_t i) { ClickOn("shape" + std::to_string(i)); }
  // The shapes pressed in order: the first at once, the others each at its mark's time after the
  // first (the time the copy is measured from).
  void CopyInTime(const std::vector<int32_t>& shapes) {
    uint32_t first = 0;
    for (size_t k = 0; k < shapes.size(); ++k) {
      if (k > 0) {
        const uint32_t due =
            first + static_cast<uint32_t>(Current()->PeekMark(static_cast<uint32_t>(k))->GetTime());
        while (Now() + 10 < due) Frame();
      }
      PressShape(shapes[k]);
      if (k == 0) first = Now();
    }
  }
  // Every sequence of the level from its turn on, copied in time.
  void CopyLevel() {
    const int32_t count = m_game->GetLevel()->GetSequenceCount();
    for (int32_t k = 0; k < count; ++k) {
      ReachTurn();
      CopyInTime(DueShapes());
      if (k + 1 < count) {
        ASSERT_TRUE(FramesUntil([&] { return State() == 9; }));
      }
    }
    ASSERT_EQ(State(), 8);
  }
};

}  // namespace test
