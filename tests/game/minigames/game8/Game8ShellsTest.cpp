// The shell game's shells and turn on the generated content: the six swaps by leader and partner
// (slides, depths, speed and sound), the blenny that only changes shells at a follower's end, where
// an opening shell shows the blenny, and the turn parameters by level and wins.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "Game8Stage.h"
#include "framework/GameSound.h"
#include "framework/VariantSound.h"
#include "graphics/Animation.h"
#include "graphics/Sprite.h"
#include "sound/Sound.h"

namespace {

using test::Game8Stage;

class Shells : public Game8Stage {};

float SpeedOf(const SpriteObject* object) {
  const Qel::Animation* animation = object->GetSprite() ? object->GetSprite()->GetCurrentAnimation() : nullptr;
  return animation ? animation->GetSpeed() : 0.0f;
}

std::string IdOf(const VariantSound* sound) {
  const Qel::Sound* engine = sound->GetSound() ? sound->GetSound()->GetEngineSound() : nullptr;
  return engine ? engine->GetId() : "";
}

// The depths of "shell_layers = 400 500 600": 600 leads, 500 rests, 400 follows.
constexpr int32_t kLead = 600;
constexpr int32_t kRest = 500;
constexpr int32_t kFollow = 400;

struct SwapRow {
  int leader;
  int direction;
  int partner;
  uint32_t leaderAnimation;
  uint32_t partnerAnimation;
  bool longSlide;
};
constexpr SwapRow kSwapRows[] = {
    {GameShell::kLeft, 0, GameShell::kMiddle, GameShell::kLeadToA, GameShell::kFollowToA, false},
    {GameShell::kLeft, 1, GameShell::kRight, GameShell::kLeadToB, GameShell::kFollowToB, true},
    {GameShell::kMiddle, 0, GameShell::kLeft, GameShell::kLeadToA, GameShell::kFollowToA, false},
    {GameShell::kMiddle, 1, GameShell::kRight, GameShell::kLeadToB, GameShell::kFollowToA, false},
    {GameShell::kRight, 0, GameShell::kLeft, GameShell::kLeadToB, GameShell::kFollowToB, true},
    {GameShell::kRight, 1, GameShell::kMiddle, GameShell::kLeadToA, GameShell::kFollowToB, false},
};

}  // namespace

TEST_F(Shells, TheLayersAndNeighboursComeFromTheTextDataAndTheSides) {
  StartGame();
  GameShell* left = m_game->GetShell(GameShell::kLeft);
  GameShell* middle = m_game->GetShell(GameShell::kMiddle);
  GameShell* right = m_game->GetShell(GameShell::kRight);
  EXPECT_EQ(GameShell::GetLeadLayer(), kLead);
  EXPECT_EQ(left->GetRestLayer(), kRest);
  EXPECT_EQ(GameShell::GetFollowLayer(), kFollow);
  EXPECT_EQ(left->GetNeighbourA(), middle);
  EXPECT_EQ(left->GetNeighbourB(), right);
  EXPECT_EQ(middle->GetNeighbourA(), left);
  EXPECT_EQ(middle->GetNeighbourB(), right);
  EXPECT_EQ(right->GetNeighbourA(), middle);
  EXPECT_EQ(right->GetNeighbourB(), left);
  EXPECT_EQ(GameShell::GetBlenny(), m_game->GetBlenny());
  EXPECT_EQ(BlennyIndex() >= 0, true);
}

// Each swap, started by hand while the shells wait: both slide at their depths and the shared speed;
// the leader's end changes nothing; the follower's end exchanges the blenny and rests both.
TEST_F(Shells, EachSwapSlidesBothShellsAndTheFollowersEndExchangesTheBlenny) {
  StartAndWait();
  for (const SwapRow& row : kSwapRows) {
    SCOPED_TRACE("leader " + std::to_string(row.leader) + " partner " + std::to_string(row.partner));
    GameShell* leader = m_game->GetShell(row.leader);
    GameShell* partner = m_game->GetShell(row.partner);
    const int third = 3 - row.leader - row.partner;
    // The blenny under the leader, so that the exchange shows.
    for (int i = 0; i < 3; ++i) m_game->GetShell(i)->SetBlenny(i == row.leader, nullptr);
    leader->SetSpeed(1.5f);

    leader->StartSwap(row.partner);
    EXPECT_EQ(leader->GetObject()->GetAnimationId(), row.leaderAnimation);
    EXPECT_EQ(leader->GetObject()->GetZ(), kLead);
    EXPECT_EQ(partner->GetObject()->GetAnimationId(), row.partnerAnimation);
    EXPECT_EQ(partner->GetObject()->GetZ(), kFollow);
    EXPECT_EQ(m_game->GetShell(third)->GetObject()->GetAnimationId(), GameShell::kRest);
    EXPECT_FLOAT_EQ(SpeedOf(leader->GetObject()), 1.5f);
    EXPECT_FLOAT_EQ(SpeedOf(partner->GetObject()), 1.5f);

    // Both slides are as long, so both end in the same frame: the leader's end alone, sent first,
    // leaves the blenny where it was.
    leader->OnAnimationEnded(leader->GetObject());
    EXPECT_TRUE(leader->HasBlenny());
    EXPECT_EQ(leader->GetObject()->GetAnimationId(), row.leaderAnimation);

    ASSERT_TRUE(FramesUntil([&] { return partner->GetObject()->GetAnimationId() == GameShell::kRest; }));
    EXPECT_TRUE(partner->HasBlenny());
    EXPECT_FALSE(leader->HasBlenny());
    EXPECT_FALSE(m_game->GetShell(third)->HasBlenny());
    EXPECT_EQ(leader->GetObject()->GetZ(), kRest);
    EXPECT_EQ(partner->GetObject()->GetZ(), kRest);
    EXPECT_EQ(leader->GetObject()->GetAnimationId(), row.leaderAnimation) << "the leader keeps its last frame";
    EXPECT_TRUE(m_game->IsSwapFinished());
    leader->GetObject()->SetAnimation(GameShell::kRest, 0);
  }
}

// An index a class does not list (its own, or none) starts nothing.
TEST_F(Shells, ASwapWithItselfOrNoShellDoesNothing) {
  StartAndWait();
  for (int i = 0; i < 3; ++i) {
    for (const int other : {i, -1, 3}) {
      m_game->GetShell(i)->StartSwap(other);
      m_game->GetShell(i)->FollowSwap(other);
      for (int k = 0; k < 3; ++k) EXPECT_EQ(m_game->GetShell(k)->GetObject()->GetAnimationId(), GameShell::kRest);
    }
  }
}

// The node's swaps, over turns until each pair and direction has come: the leader slides toward
// its partner, the partner follows, and the slide's sound is the long one only between the sides.
TEST_F(Shells, EachDrawnPairSlidesAsItsRowSaysWithItsSound) {
  UseContentCopy();
  WriteProgression("shell_layers = 400 500 600\r\nscore = 10 60\r\nnum_levels = 1\r\nmax_speed = 2\r\nswaps = 13 13\r\n");
  StartGame();
  bool seen[6] = {};
  for (int turn = 0; turn < 8 && std::count(std::begin(seen), std::end(seen), true) < 6; ++turn) {
    ASSERT_TRUE(FramesUntil([&] { return m_game->GetState() == Game8Node::kSwapping; }));
    int done = m_game->GetSwapsDone();
    size_t mark = Mark();
    while (m_game->GetState() == Game8Node::kSwapping) {
      Frame();
      if (m_game->GetSwapsDone() == done) {
        mark = Mark();
        continue;
      }
      done = m_game->GetSwapsDone();
      int leader = -1;
      int partner = -1;
      for (int i = 0; i < 3; ++i) {
        // A leader of an earlier swap keeps its last frame, at the rest depth.
        const SpriteObject* object = m_game->GetShell(i)->GetObject();
        if (object->GetZ() == kLead) leader = i;
        if (object->GetZ() == kFollow) partner = i;
      }
      ASSERT_GE(leader, 0);
      ASSERT_GE(partner, 0);
      const SwapRow* row = nullptr;
      for (const SwapRow& r : kSwapRows) {
        if (r.leader == leader && r.partner == partner) row = &r;
      }
      ASSERT_NE(row, nullptr);
      SCOPED_TRACE("s " + std::to_string(row->leader) + " d " + std::to_string(row->direction));
      seen[&*row - kSwapRows] = true;
      EXPECT_EQ(m_game->GetShell(leader)->GetObject()->GetAnimationId(), row->leaderAnimation);
      EXPECT_EQ(m_game->GetShell(leader)->GetObject()->GetZ(), kLead);
      EXPECT_EQ(m_game->GetShell(partner)->GetObject()->GetAnimationId(), row->partnerAnimation);
      EXPECT_EQ(m_game->GetShell(partner)->GetObject()->GetZ(), kFollow);
      const std::vector<std::string> sounds = StartedSince(mark);
      const std::string expected = row->longSlide ? "slide_long" : "slide_short";
      const std::string other = row->longSlide ? "slide_short" : "slide_long";
      EXPECT_NE(std::find(sounds.begin(), sounds.end(), expected), sounds.end()) << expected;
      EXPECT_EQ(std::find(sounds.begin(), sounds.end(), other), sounds.end()) << other;
      mark = Mark();
    }
    ASSERT_TRUE(FramesUntil([&] { return Waiting(); }));
    ClickShell(OtherIndex());
    AnswerUntil([&] { return m_game->GetState() == Game8Node::kSwapping; });
  }
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(seen[i]) << "row " << i;
}

// Many swaps in a turn: at every frame one shell hides the blenny, and a swap starts only once the
// one before has ended (never two pairs sliding at once).
TEST_F(Shells, ManySwapsKeepOneBlennyAndFollowOneAnother) {
  UseContentCopy();
  WriteProgression("shell_layers = 400 500 600\r\nscore = 10 60\r\nnum_levels = 1\r\nmax_speed = 3\r\nswaps = 9 9\r\n");
  StartGame();
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetState() == Game8Node::kSwapping; }));
  EXPECT_EQ(m_game->GetSwapsToDo(), 8);
  int lastDone = 0;
  while (m_game->GetState() == Game8Node::kSwapping) {
    int sliding = 0;
    int hiding = 0;
    for (int i = 0; i < 3; ++i) {
      const uint32_t animation = m_game->GetShell(i)->GetObject()->GetAnimationId();
      if (animation == GameShell::kFollowToA || animation == GameShell::kFollowToB) ++sliding;
      if (m_game->GetShell(i)->HasBlenny()) ++hiding;
    }
    ASSERT_LE(sliding, 1);
    ASSERT_EQ(hiding, 1);
    ASSERT_LE(m_game->GetSwapsDone() - lastDone, 1);
    lastDone = m_game->GetSwapsDone();
    Frame();
  }
  EXPECT_EQ(m_game->GetSwapsDone(), 8);
  ASSERT_TRUE(FramesUntil([&] { return Waiting(); }));
}

// Where an opening shell shows the blenny: the middle at its own place, one above; the sides offset
// at the follow depth. A second Open starts nothing, but shows the blenny again.
TEST_F(Shells, OpeningShowsTheBlennyAtEachShellsPlaceAndOpeningTwiceRestartsNothing) {
  StartAndWait();
  struct Case {
    int shell;
    float dx;
    float dy;
    bool followDepth;
  };
  for (const Case& c : {Case{GameShell::kMiddle, 0, 0, false}, Case{GameShell::kLeft, -186, -2, true},
                        Case{GameShell::kRight, 191, 3, true}}) {
    SCOPED_TRACE(c.shell);
    for (int i = 0; i < 3; ++i) m_game->GetShell(i)->SetBlenny(i == c.shell, nullptr);
    GameShell* shell = m_game->GetShell(c.shell);
    SpriteObject* object = shell->GetObject();
    SpriteObject* blenny = m_game->GetBlenny();
    blenny->GetSceneObject()->Hide();
    shell->Open();
    EXPECT_EQ(object->GetAnimationId(), GameShell::kOpening);
    EXPECT_TRUE(test::Shown(blenny));
    EXPECT_FLOAT_EQ(blenny->GetX(), object->GetX() + c.dx);
    EXPECT_FLOAT_EQ(blenny->GetY(), object->GetY() + c.dy);
    // The node puts the blenny below the shells after each frame; the shell's own depth is the call's.
    EXPECT_EQ(blenny->GetZ(), c.followDepth ? kFollow : object->GetZ() - 1);

    Frame();
    Frame();
    const int frame = object->GetCurrentFrame();
    blenny->GetSceneObject()->Hide();
    blenny->SetPositionAndZ(0, 0, 1);
    shell->Open();
    EXPECT_EQ(object->GetCurrentFrame(), frame) << "not restarted";
    EXPECT_TRUE(test::Shown(blenny));
    EXPECT_FLOAT_EQ(blenny->GetX(), object->GetX() + c.dx);

    // Closed: the blenny goes with the closing's end.
    shell->Close();
    EXPECT_EQ(object->GetAnimationId(), GameShell::kClosing);
    ASSERT_TRUE(FramesUntil([&] { return object->GetAnimationId() == GameShell::kRest; }));
    EXPECT_FALSE(test::Shown(blenny));
  }
}

// The turn's points, swaps and speed factor by level and wins, and with values that would divide by
// nothing, never end the swapping or slide backwards.
TEST_F(Shells, TheTurnParametersFollowLevelAndWins) {
  StartGame();
  struct Row {
    const char* score;
    const char* swaps;
    const char* maxSpeed;
    const char* levels;
    uint32_t level;
    int32_t points;
    int32_t swapCount;
    double speed;
  };
  const Row rows[] = {
      {"10 60", "0 6", "2", "6", 1, 10, 0, 1.0},
      {"10 60", "0 6", "2", "6", 2, 18, 1, 35.0 / 30},
      {"10 60", "0 6", "2", "6", 3, 26, 2, 40.0 / 30},
      {"10 60", "0 6", "2", "6", 4, 35, 3, 45.0 / 30},
      {"10 60", "0 6", "2", "6", 5, 43, 4, 50.0 / 30},
      {"10 60", "0 6", "2", "6", 6, 51, 5, 55.0 / 30},
      // No levels counts one.
      {"10 60", "0 6", "2", "0", 1, 10, 5, 1.0},
      {"10 60", "0 6", "2", "-3", 2, 60, 11, 2.0},
      // None to do: -1, which the swapping passes at once.
      {"10 60", "0 0", "2", "1", 1, 10, -1, 1.0},
      // Speeds of 0 or below, or beyond a float, play at 1.
      {"10 60", "0 6", "-20", "6", 2, 18, 1, 1.0},
      {"10 60", "0 6", "0", "6", 6, 51, 5, 5.0 / 30},
      {"10 60", "0 6", "1e300", "6", 1, 10, 0, 1.0},
      // Values at the ends of the range are held there.
      {"2147483647 -2147483648", "2147483647 -2147483648", "2", "1", 3, -2147483648, -2147483648, 3.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.score) + " | " + row.swaps + " | " + row.maxSpeed + " | " + row.levels +
                 " | level " + std::to_string(row.level));
    m_game->SetTxtValue("score", row.score);
    m_game->SetTxtValue("swaps", row.swaps);
    m_game->SetTxtValue("max_speed", row.maxSpeed);
    m_game->SetTxtValue("num_levels", row.levels);
    m_game->GetLevelDisplay()->SetValue(row.level);
    m_game->ComputeTurnParameters();
    EXPECT_EQ(m_game->GetPointsPerWin(), row.points);
    EXPECT_EQ(m_game->GetSwapsToDo(), row.swapCount);
    EXPECT_NEAR(m_game->GetSpeed(), row.speed, 1e-6);
    EXPECT_FLOAT_EQ(GameShell::GetSpeed(), m_game->GetSpeed());
  }
}

// Wins speed the slides within a level: after four at level 1 the factor is 34/30, and at level 6
// with four it is 59/30.
TEST_F(Shells, WinsSpeedTheSlidesWithinALevel) {
  StartAndWait();
  for (int win = 1; win <= 4; ++win) {
    RightGuess();
    EXPECT_EQ(m_game->GetLevelWins(), win);
    EXPECT_NEAR(m_game->GetSpeed(), (30.0 + win) / 30, 1e-6);
  }
  m_game->GetLevelDisplay()->SetValue(6);
  m_game->ComputeTurnParameters();
  EXPECT_NEAR(m_game->GetSpeed(), 59.0 / 30, 1e-6);
  EXPECT_EQ(m_game->GetPointsPerWin(), 51);
  EXPECT_EQ(m_game->GetSwapsToDo(), 5);
}

// The shell sounds vary their pitch by up to 15 % and draw from the game's generator.
TEST_F(Shells, TheShellSoundsVaryByFifteenPercent) {
  StartGame();
  for (VariantSound* sound : {m_game->GetOpenSound1(), m_game->GetOpenSound2(), m_game->GetSlideLongSound(),
                              m_game->GetSlideShortSound()}) {
    ASSERT_NE(sound, nullptr);
    EXPECT_FLOAT_EQ(sound->GetVariation(), 15.0f);
    ASSERT_NE(sound->GetSound(), nullptr);
  }
  EXPECT_EQ(IdOf(m_game->GetOpenSound1()), "open_1");
  EXPECT_EQ(IdOf(m_game->GetOpenSound2()), "open_2");
  EXPECT_EQ(IdOf(m_game->GetSlideLongSound()), "slide_long");
  EXPECT_EQ(IdOf(m_game->GetSlideShortSound()), "slide_short");
  plat::win::srand(7);
  m_game->GetSlideShortSound()->Play(false, false);
  const int after = plat::win::rand();
  plat::win::srand(7);
  plat::win::rand();
  plat::win::rand();
  EXPECT_EQ(plat::win::rand(), after) << "two draws";
}
