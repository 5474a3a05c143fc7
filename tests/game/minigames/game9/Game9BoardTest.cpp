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

// Each board against the reference shuffles, the lists carried on from the board before: the kinds
// the level uses, each twice, card k at place k and depth 400 + k, the sand picture one further.
TEST_F(Board, BoardsByLevelUseTheirKindsTwiceInShuffledPlacesAndTheNextPicture) {
  StartGame();
  std::vector<int32_t> easy = m_game->GetEasyKinds();
  std::vector<int32_t> all = m_game->GetAllKinds();
  int32_t sand = m_game->GetSandIndex();
  ASSERT_EQ(sand, 0);
  uint32_t seed = 77;
  for (const int32_t index : {0, 5, 6, 8, 9, 11, 12, 19, 12, 0}) {
    SCOPED_TRACE("index " + std::to_string(index));
    m_game->GetLevelSelector()->SetIndex(index);
    plat::win::srand(++seed);
    m_game->NewBoard();

    plat::win::srand(seed);
    std::vector<int32_t> kinds;
    if (index <= 5) {
      Reference(easy);
      kinds.assign(easy.begin(), easy.begin() + 6);
    } else if (index <= 11) {
      Reference(all);
      kinds.assign(all.begin(), all.begin() + (index <= 8 ? 6 : 9));
    } else {
      kinds = {9, 10, 11, 12, 13, 14, 15, 16, 17};
    }
    // Made two by two in the order of the kinds, then shuffled into the places.
    std::vector<int32_t> made;
    for (const int32_t kind : kinds) made.insert(made.end(), {kind, kind});
    std::vector<size_t> order(made.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    Reference(order);

    EXPECT_EQ(m_game->GetEasyKinds(), easy);
    EXPECT_EQ(m_game->GetAllKinds(), all);
    EXPECT_EQ(m_game->GetHardKinds(), std::vector<int32_t>({9, 10, 11, 12, 13, 14, 15, 16, 17}));
    const auto& cards = m_game->GetCards();
    const bool hard = index >= 9;
    ASSERT_EQ(cards.size(), hard ? 18u : 12u);
    EXPECT_EQ(m_game->GetCardsLeft(), hard ? 18 : 12);
    std::map<int32_t, int> counts;
    for (size_t k = 0; k < cards.size(); ++k) {
      const Game9Node::Cards& card = *cards[k];
      EXPECT_EQ(card.GetKind(), made[order[k]]) << k;
      EXPECT_EQ(std::string(card.GetName()), "Card" + std::to_string(order[k])) << k;
      const Qel::Point2 place = hard ? m_game->GetHardPlacements()[k] : m_game->GetEasyPlacements()[k];
      EXPECT_EQ(card.GetX(), static_cast<float>(place.X())) << k;
      EXPECT_EQ(card.GetY(), static_cast<float>(place.Y())) << k;
      EXPECT_EQ(card.GetZ(), 400 + static_cast<int32_t>(k));
      EXPECT_TRUE(Shown(&card));
      EXPECT_FALSE(card.IsEnabled());
      EXPECT_EQ(card.GetAnimationId(), Game9Node::kCardDown);
      ++counts[card.GetKind()];
    }
    for (const auto& [kind, count] : counts) EXPECT_EQ(count, 2) << kind;
    EXPECT_EQ(counts.size(), kinds.size());

    sand = (sand + 1) % 16;
    EXPECT_EQ(m_game->GetSandIndex(), sand);
    EXPECT_EQ(Entry().gameValue, static_cast<uint32_t>(index + 1));
  }
}

TEST_F(Board, ThePicturesComeInTurnAndWrapAfterTheSixteenth) {
  StartGame();
  const auto& sands = m_game->GetSandBackgrounds();
  ASSERT_EQ(sands.size(), 16u);
  for (int32_t i = 0; i < 16; ++i) {
    EXPECT_EQ(std::string(sands[static_cast<size_t>(i)]->GetName()), "SandBackground" + std::to_string(i));
    EXPECT_EQ(sands[static_cast<size_t>(i)]->GetDepth(), 100 + i);
  }
  for (int board = 0; board < 18; ++board) {
    SCOPED_TRACE("board " + std::to_string(board));
    const auto index = static_cast<size_t>(board % 16);
    Game9Node::SandBackgrounds* current = m_game->GetCurrentSand();
    ASSERT_EQ(current, sands[index].get());
    EXPECT_TRUE(Shown(current));
    EXPECT_EQ(current->GetX(), 103.0f);
    EXPECT_EQ(current->GetY(), 198.0f);
    EXPECT_EQ(current->GetZ(), 100 + static_cast<int32_t>(index));
    EXPECT_FALSE(current->IsEnabled());
    for (size_t other = 0; other < sands.size(); ++other) {
      if (other != index) {
        EXPECT_FALSE(Shown(sands[other].get())) << other;
      }
    }
    m_game->NewBoard();
    EXPECT_EQ(current->GetX(), 1000.0f);
    EXPECT_EQ(current->GetRolloverCursor(), 0);
  }
}

TEST_F(Board, TheScoreShowsItsDigitsRightAlignedAndParksTheRest) {
  StartGame();
  Game9Node::PointsDisplay& points = *m_game->GetPointsDisplay();
  struct Case {
    int32_t score;
    std::vector<int> digits;  // ones first
  };
  for (const Case& c : {Case{0, {0}}, Case{9, {9}}, Case{10, {0, 1}}, Case{99, {9, 9}}, Case{100, {0, 0, 1}},
                        Case{999, {9, 9, 9}}, Case{1000, {0, 0, 0, 1}}, Case{9999, {9, 9, 9, 9}},
                        Case{10000, {0, 0, 0, 0, 1}}, Case{86420, {0, 2, 4, 6, 8}}}) {
    SCOPED_TRACE(c.score);
    points.SetScore(c.score);
    points.Refresh();
    for (int32_t place = 0; place < 5; ++place) {
      const SpriteObject* digit = points.GetDigit(place);
      if (place < static_cast<int32_t>(c.digits.size())) {
        EXPECT_EQ(digit->GetX(), Game9Node::PointsDisplay::kDigitX[static_cast<size_t>(place)]);
        EXPECT_EQ(digit->GetY(), 565.0f);
        EXPECT_EQ(digit->GetAnimationId(), static_cast<uint32_t>(c.digits[static_cast<size_t>(place)]));
      } else {
        EXPECT_EQ(digit->GetX(), 1000.0f) << place;
        EXPECT_EQ(digit->GetY(), 1000.0f) << place;
      }
    }
  }
  EXPECT_EQ(points.GetDigit(0)->GetName(), std::string("PointsOnesNum"));
  EXPECT_EQ(points.GetDigit(4)->GetName(), std::string("PointsTenThousandsNum"));
}

TEST_F(Board, TheLevelDigitsStandBetweenTheArrows) {
  Entry().level = 20;
  StartGame();
  const Game9Node::LevelSelector& selector = *m_game->GetLevelSelector();
  const float lx = 102.0f, ly = 558.0f, rx = 206.0f;
  for (const int32_t level : {1, 9, 10, 15, 20}) {
    SCOPED_TRACE(level);
    m_game->GetLevelSelector()->SetIndex(level - 1);
    m_game->NewBoard();
    EXPECT_EQ(selector.GetOnes()->GetAnimationId(), static_cast<uint32_t>(level % 10));
    EXPECT_EQ(selector.GetOnes()->GetY(), ly + 7.0f);
    if (level < 10) {
      EXPECT_EQ(selector.GetOnes()->GetX(), (rx - lx) / 3.0f + lx + 28.0f);
      EXPECT_EQ(selector.GetTens()->GetX(), 1000.0f);
      EXPECT_EQ(selector.GetTens()->GetY(), 1000.0f);
    } else {
      EXPECT_EQ(selector.GetOnes()->GetX(), (rx - lx) / 2.0f + lx + 23.0f);
      EXPECT_EQ(selector.GetTens()->GetX(), (rx - lx) / 3.0f + lx + 23.0f);
      EXPECT_EQ(selector.GetTens()->GetY(), ly + 7.0f);
      EXPECT_EQ(selector.GetTens()->GetAnimationId(), static_cast<uint32_t>(level / 10));
    }
  }
}

// Left shown from level 2 on; right hidden at level 20 and enabled only below the level reached.
TEST_F(Board, TheArrowsFollowTheIndexAndTheLevelReached) {
  StartGame();
  GameButton& left = *m_game->GetLeftArrow();
  GameButton& right = *m_game->GetRightArrow();
  EXPECT_EQ(left.GetX(), 102.0f);
  EXPECT_EQ(left.GetY(), 558.0f);
  EXPECT_EQ(left.GetZ(), 605);
  EXPECT_EQ(right.GetX(), 206.0f);
  EXPECT_EQ(right.GetY(), 554.0f);
  EXPECT_EQ(right.GetZ(), 606);
  struct Case {
    int32_t index, reached;
    bool leftShown, rightShown, rightEnabled;
  };
  for (const Case& c : {Case{0, 1, false, true, false}, Case{0, 2, false, true, true}, Case{4, 5, true, true, false},
                        Case{4, 6, true, true, true}, Case{18, 99, true, true, true}, Case{19, 20, true, false, false},
                        Case{19, 99, true, false, false}}) {
    SCOPED_TRACE(std::to_string(c.index) + " of " + std::to_string(c.reached));
    Entry().level = c.reached;
    m_game->GetLevelSelector()->SetIndex(c.index);
    m_game->NewBoard();
    EXPECT_EQ(Shown(&left), c.leftShown);
    if (c.leftShown) {
      EXPECT_TRUE(left.IsEnabled());
    }
    EXPECT_EQ(Shown(&right), c.rightShown);
    if (c.rightShown) {
      EXPECT_EQ(right.IsEnabled(), c.rightEnabled);
    }
    EXPECT_EQ(m_game->CanRaiseLevel(), c.rightEnabled);
  }
}

// The level to resume at is the entry's, where it lies between 1 and 20, else the nearest of them;
// each board writes its own back.
TEST_F(Board, TheLevelToResumeAtIsReadWithinTheLevelsAndWrittenPerBoard) {
  struct Case {
    uint32_t saved;
    int32_t index;
  };
  for (const Case& c : {Case{0, 0}, Case{1, 0}, Case{13, 12}, Case{20, 19}, Case{21, 19}, Case{99, 19},
                        Case{0xFFFFFFFFu, 0}}) {
    SCOPED_TRACE(c.saved);
    Entry().gameValue = c.saved;
    Entry().level = 20;
    StartGame();
    EXPECT_EQ(m_game->GetLevelSelector()->GetIndex(), c.index);
    EXPECT_EQ(Entry().gameValue, static_cast<uint32_t>(c.index + 1));
    EXPECT_EQ(m_game->GetCards().size(), c.index >= 9 ? 18u : 12u);
    m_app.Shutdown();
  }
}
