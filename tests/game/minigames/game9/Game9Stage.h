// A stage for the memory game: the game started on the generated content set (or on a hard-linked
// copy of it that a test may damage), the memory game entered as node 15 with every other node a
// logging one, the hand-moved clock and mixer of the dialogs' stage, and the moves of a player.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "../ContentSetStage.h"
#include "framework/ActivePlayerData.h"
#include "framework/GameTimer.h"
#include "framework/LevelBanner.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/PlayerData.h"
#include "game9/Game9Cards.h"
#include "game9/Game9Displays.h"
#include "game9/Game9Node.h"
#include "graphics/SceneObject.h"
#include "platform/win/kernel/Random.h"
#include "sound/SoundEvents.h"
#include "support/LoggingNode.h"
#include "support/TempDir.h"

namespace test {

inline bool Shown(const GenericObject* object) {
  return object && object->GetSceneObject() && object->GetSceneObject()->IsVisible();
}

// A seed after which the first draw modulo m is r.
inline uint32_t SeedFor(int r, int m) {
  for (uint32_t seed = 1;; ++seed) {
    plat::win::srand(seed);
    if (plat::win::rand() % m == r) return seed;
  }
}

class Game9Stage : public ContentSetStage<Game9Node, kNodeGame9> {
protected:
  using Card = Game9Node::Cards;

  // The entrance and the opening line, the latter cut short by space; then the banner flies out and
  // the cards become clickable.
  void ReachPlay() {
    ASSERT_TRUE(FramesUntil([&] { return m_game->GetGuide()->GetAnimationId() == Game9Node::kGuideTalk; }));
    m_app.PostCharEvent(' ');
    ASSERT_TRUE(FramesUntil([&] { return !m_game->IsIntroPending(); }));
    ASSERT_TRUE(FramesUntil([&] { return !m_game->IsBannerShowing() && CardsEnabled(); }));
  }
  void StartAndPlay() {
    StartGame();
    ReachPlay();
  }

  bool CardsEnabled() const {
    for (const auto& card : m_game->GetCards()) {
      if (!card->IsEnabled()) return false;
    }
    return !m_game->GetCards().empty();
  }

  // A press and release over the middle of the object; the click reaches the node in that frame.
  void ClickOn(const GenericObject* object) {
    const Qel::Point2 size = dynamic_cast<const SpriteObject*>(object)->GetSize();
    const int x = static_cast<int>(object->GetX()) + size.X() / 2;
    const int y = static_cast<int>(object->GetY()) + size.Y() / 2;
    MoveTo(x, y);
    Click(x, y);
    Frame();
  }

  // The cards by kind: the two of each kind still on the board.
  std::vector<std::pair<Card*, Card*>> Pairs() const {
    std::vector<std::pair<Card*, Card*>> pairs;
    std::vector<Card*> cards;
    for (const auto& card : m_game->GetCards()) {
      if (card->GetX() != Game9Node::kParked) cards.push_back(card.get());
    }
    for (size_t i = 0; i < cards.size(); ++i) {
      for (size_t j = i + 1; j < cards.size(); ++j) {
        if (cards[i]->GetKind() == cards[j]->GetKind()) pairs.emplace_back(cards[i], cards[j]);
      }
    }
    return pairs;
  }
  // A face-down card on the board that is none of those given.
  Card* OtherCard(std::initializer_list<const Card*> not_these) const {
    for (const auto& card : m_game->GetCards()) {
      if (card->GetX() == Game9Node::kParked || card->GetAnimationId() != Game9Node::kCardDown) continue;
      if (std::find(not_these.begin(), not_these.end(), card.get()) == not_these.end()) return card.get();
    }
    return nullptr;
  }
  // Two cards of different kinds.
  std::pair<Card*, Card*> Mismatch() const {
    const auto pairs = Pairs();
    return {pairs[0].first, pairs[1].first};
  }

  // Turns both cards up and waits until both show their faces.
  void TurnUp(Card* a, Card* b) {
    ClickOn(a);
    ClickOn(b);
    ASSERT_TRUE(FramesUntil([&] {
      return a->GetAnimationId() == Game9Node::kCardUp && b->GetAnimationId() == Game9Node::kCardUp;
    }));
  }
  // A whole try: both up, then frames until the try is over.
  void Try(Card* a, Card* b) {
    TurnUp(a, b);
    ASSERT_TRUE(FramesUntil([&] { return m_game->GetTurnedCount() == 0; }));
  }
  // Every pair of the board, then frames until the board counts as won.
  void WinBoard() {
    for (const auto& [a, b] : Pairs()) {
      Try(a, b);
      // The guide's remarks are cut short, so that the next try is not waiting on them.
      m_app.PostCharEvent(' ');
      Frame();
    }
    ASSERT_TRUE(FramesUntil([&] { return m_game->GetCardsLeft() == -1; }));
  }

  // The try's timer runs out now, after a draw seeded for r of m.
  void MatchTimerNowWithDraw(int r, int m) {
    m_game->GetMatchTimer()->Stop(false);
    plat::win::srand(SeedFor(r, m));
    m_game->OnTimer(m_game->GetMatchTimer());
  }
};

}  // namespace test
