// The memory game's boards on the generated content: cards, kinds and places by level with the
// shuffles carried from board to board, the sand pictures in turn, the score and level digits, the
// arrows, and the level to resume at.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "Game9Stage.h"
#include "framework/GameButton.h"

namespace {

using test::Shown;

class Board : public test::Game9Stage {};

// The shuffle as the game states it: for i from 1, entries i and rand() % (i + 1) change places.
template <typename T>
void Reference(std::vector<T>& list) {
  for (size_t i = 1; i < list.size(); ++i) std::swap(list[i], list[static_cast<size_t>(plat::win::rand()) % (i + 1)]);
}

}  // namespace

TEST_F(Board, SmokeEntersAndPlaysAPair) {
  StartAndPlay();
  EXPECT_EQ(m_game->GetCards().size(), 12u);
  const auto pairs = Pairs();
  ASSERT_EQ(pairs.size(), 6u);
  Try(pairs[0].first, pairs[0].second);
  EXPECT_EQ(m_game->GetPointsDisplay()->GetScore(), 10);
  EXPECT_EQ(m_game->GetCardsLeft(), 10);
}
