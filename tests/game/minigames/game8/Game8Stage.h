// A stage for the shell game: the game started on the generated content set (or on a hard-linked copy
// of it that a test may damage), the shell game entered as node 14 with every other node a logging
// one, the hand-moved clock and mixer of the dialogs' stage, a seeded generator, and a player's
// moves: the opening cut short, guesses on the shells, answers cut short.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "../ContentSetStage.h"
#include "core/Box3.h"
#include "framework/ActivePlayerData.h"
#include "framework/Clickable.h"
#include "framework/LevelBanner.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/NumericDisplay.h"
#include "framework/PlayerData.h"
#include "framework/SpriteObject.h"
#include "frontend/SpeechQueue.h"
#include "game8/Game8Node.h"
#include "game8/GameShell.h"
#include "graphics/SceneObject.h"
#include "platform/win/kernel/Random.h"
#include "support/LoggingNode.h"
#include "support/TempDir.h"

namespace test {

inline bool Shown(const GenericObject* object) {
  return object && object->GetSceneObject() && object->GetSceneObject()->IsVisible();
}

// A seed after which the first two draws give r1 modulo m1 and r2 modulo m2.
inline uint32_t SeedForDraws(int r1, int m1, int r2 = 0, int m2 = 1) {
  for (uint32_t seed = 1;; ++seed) {
    plat::win::srand(seed);
    const int first = plat::win::rand() % m1;
    if (first == r1 && plat::win::rand() % m2 == r2) return seed;
  }
}

class Game8Stage : public ContentSetStage<Game8Node, kNodeGame8> {
protected:
  using State = Game8Node::State;

  void SetUp() override {
    ContentSetStage::SetUp();
    plat::win::srand(1);
  }

  void WriteProgression(const std::string& lines) { ReplaceContent("GAME8", "SG_progression.txt", lines); }

  Clickable* ShellObject(int index) const { return dynamic_cast<Clickable*>(m_game->GetShell(index)->GetObject()); }
  bool ShellsEnabled() const {
    for (int i = 0; i < Game8Node::kShellCount; ++i) {
      if (!ShellObject(i)->IsEnabled()) return false;
    }
    return true;
  }
  bool Waiting() const { return m_game->GetState() == Game8Node::kWaiting && ShellsEnabled(); }
  bool Speaking() const { return m_game->GetSpeechQueue() && m_game->GetSpeechQueue()->IsPlaying(); }

  // The opening, cut short by space once it speaks; then the banner, the reveal and the swaps until
  // the shells wait for a guess.
  void ReachWaiting() {
    ASSERT_TRUE(FramesUntil([&] { return Speaking() || !m_game->IsIntro(); }));
    if (Speaking()) m_app.PostCharEvent(' ');
    ASSERT_TRUE(FramesUntil([&] { return Waiting(); }));
  }
  void StartAndWait() {
    StartGame();
    ReachWaiting();
  }

  int BlennyIndex() const {
    for (int i = 0; i < Game8Node::kShellCount; ++i) {
      if (m_game->GetShell(i)->HasBlenny()) return i;
    }
    return -1;
  }
  int OtherIndex() const { return (BlennyIndex() + 1) % Game8Node::kShellCount; }

  // A press and release over the middle of the shell; the click reaches the node in that frame.
  void ClickShell(int index) {
    // Where the shell's picture lies: the side shells' stand off their object's place.
    Qel::Box3 bounds;
    m_game->GetShell(index)->GetObject()->GetWorldBounds(bounds);
    const int x = static_cast<int>((bounds.Min().X() + bounds.Max().X()) / 2);
    const int y = static_cast<int>((bounds.Min().Y() + bounds.Max().Y()) / 2);
    MoveTo(x, y);
    Click(x, y);
    Frame();
  }
  // The answer to a guess, cut short by space; then frames until the next turn waits (or the level's
  // end leads elsewhere: the condition given).
  template <typename Condition>
  void AnswerUntil(Condition condition) {
    ASSERT_TRUE(FramesUntil([&] { return m_game->GetState() != Game8Node::kSpeech || Speaking(); }));
    if (Speaking()) m_app.PostCharEvent(' ');
    ASSERT_TRUE(FramesUntil(condition));
  }
  void RightGuess() {
    ClickShell(BlennyIndex());
    AnswerUntil([&] { return Waiting(); });
  }
  void WrongGuess() {
    ClickShell(OtherIndex());
    AnswerUntil([&] { return Waiting(); });
  }
};

}  // namespace test
