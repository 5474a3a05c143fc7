// The submarine ball game played on the generated content: goals with their points, lines and the
// success byte, the last goal's high score and the bonus of the chances left, the prizes and the
// one-time movie with its lines, misses and the game over, the shark's growls and the room's creaks,
// a ball out of the room, jellyfish points, the fish's catch, throw and bounce, the hurry before the
// aim time, the level arrows, and the exit dialog that saves the game's progress.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "Game5Stage.h"
#include "framework/ActiveGameButton.h"
#include "framework/CCSound.h"
#include "framework/CurrentPlayer.h"
#include "framework/GameSound.h"
#include "framework/SaveGameManager.h"
#include "sound/Sound.h"
#include "support/SdlMouse.h"

namespace {

using Names = std::vector<std::string>;

constexpr Qel::Point2 kDoorCentres[3] = {{173, 149}, {411, 72}, {649, 145}};

class Play : public test::Game5Stage {
protected:
  // Starts at the level given, past its banner.
  void StartAt(int32_t level) {
    Entry().gameValue = static_cast<uint32_t>(level);
    StartGame();
    SkipIntroduction();
  }

  std::string Effect() const {
    const GameSound* sound = m_game->GetEffectSound();
    return sound && sound->GetEngineSound() ? sound->GetEngineSound()->GetName() : "none";
  }
  static uint32_t LineOf(const CCSound* line) { return line ? line->GetCaptionNumber() : 0; }

  // The shark showing at its door and the ball flying into it.
  void ScoreGoal() {
    Game5Node::GM5GarmoDoors& doors = m_game->GetDoors();
    doors.m_sharkAnim = 8 * doors.m_door + 1;
    doors.m_phase = Game5Node::GM5GarmoDoors::kShown;
    doors.m_shark->GetSceneObject()->Show();
    const Qel::Point2 door = kDoorCentres[doors.m_door];
    Fly(door.X(), door.Y(), 270);
    Step();
  }

  // Frames while the effects change, noting each one that starts: by its start event, not by the
  // node's pointer, since an effect's new sound may take the memory of the one just released.
  Names EffectsUntil(const std::function<bool()>& done, int limit = 1000) {
    Names effects;
    size_t seen = Started().size();
    for (int i = 0; i < limit && !done(); ++i) {
      Frame();
      const Names started = Started();
      const GameSound* effect = m_game->GetEffectSound();
      if (effect && effect->GetEngineSound() &&
          std::find(started.begin() + static_cast<std::ptrdiff_t>(seen), started.end(),
                    effect->GetEngineSound()->GetId()) != started.end()) {
        effects.push_back(Effect());
      }
      seen = started.size();
    }
    return effects;
  }

  std::string ScoreShown() const {
    std::string shown;
    for (int32_t i = 0; i < 5; ++i) {
      const Ambient* digit = m_game->GetScoreDigit(i);
      shown += test::IsShownObject(digit) ? static_cast<char>('0' + digit->GetAnimationId()) : '-';
    }
    return shown;
  }

  // The growls and creaks that started since the log was last cleared.
  struct SharkSounds {
    int growls = 0;
    int creaks = 0;
  };
  SharkSounds Heard() const {
    SharkSounds heard;
    for (const std::string& started : Started()) {
      if (started.rfind("Garmo_growl0", 0) == 0) ++heard.growls;
      if (started.rfind("sub_creak", 0) == 0) ++heard.creaks;
    }
    return heard;
  }

  Names StartedLines() const {
    Names lines;
    for (const std::string& started : Started()) {
      if (started.size() == 4 && started[0] >= '0' && started[0] <= '9') lines.push_back(started);
    }
    return lines;
  }
};

TEST_F(Play, GoalsScoreFiftyWithALineAndTheLastGoalTakesTheHighScoreBeforeTheBonus) {
  Entry().highScore = 120;
  StartAt(1);
  EXPECT_EQ(Entry().gameFlag, 0);
  ScoreGoal();
  EXPECT_EQ(m_game->GetScore(), 50);
  EXPECT_EQ(ScoreShown(), "---50");
  EXPECT_EQ(Entry().gameFlag, 1);
  EXPECT_EQ(m_game->GetState(), Game5Node::kBallLoaded);
  EXPECT_FALSE(m_game->GetBall().IsSpriteVisible());
  EXPECT_EQ(m_game->GetGoalsIcon()->GetAnimationId(), 2u);
  const std::set<uint32_t> encourage = {2549, 2550, 2551, 2552, 2553, 2554, 2555,
                                        2556, 2557, 2558, 2601, 2602, 2603};
  EXPECT_EQ(encourage.count(LineOf(m_game->GetEncourageLine())), 1u) << LineOf(m_game->GetEncourageLine());
  EXPECT_EQ(Effect(), "ball_load");
  ScoreGoal();
  EXPECT_EQ(Entry().highScore, 120u);
  EXPECT_EQ(ActivePlayerData.newResult, 0);
  ScoreGoal();
  EXPECT_EQ(m_game->GetScore(), 150);
  EXPECT_EQ(Entry().highScore, 150u);
  EXPECT_EQ(ActivePlayerData.newResult, 1);
  EXPECT_EQ(m_game->GetState(), Game5Node::kBonus);

  // Fifty points and a bell per chance left, then the happy movie; none is there, so the prize
  // follows (none either) and the next level starts.
  const Names effects = EffectsUntil([&] { return m_game->GetState() != Game5Node::kBonus; });
  EXPECT_EQ(effects, (Names{"bell", "bell", "bell"}));
  EXPECT_EQ(m_game->GetScore(), 300);
  EXPECT_EQ(ScoreShown(), "--300");
  EXPECT_EQ(Entry().highScore, 150u);
  EXPECT_EQ(m_movies->names, (Names{"Sub_Movie_Happy", "Prize_Conch"}));
  EXPECT_EQ(Entry().levelFlags[0], 1);
  EXPECT_EQ(m_game->GetLevel(), 2);
  EXPECT_EQ(Entry().level, 2);
  EXPECT_EQ(Entry().gameValue, 2u);
  EXPECT_EQ(m_game->GetState(), Game5Node::kLevelStart);
}

struct WinCase {
  int32_t level;
  bool prizeShown;
  Names movies;
  int32_t next;
  int32_t levelWord;
};

void PrintTo(const WinCase& c, std::ostream* out) {
  *out << "level " << c.level << (c.prizeShown ? " again" : " first");
}

class Wins : public Play, public testing::WithParamInterface<WinCase> {};

TEST_P(Wins, AWonLevelShowsItsPrizeOnceAndGoesOn) {
  const WinCase c = GetParam();
  Entry().level = c.level;
  if (c.prizeShown) Entry().levelFlags[std::min(c.level, 5) - 1] = 1;
  StartAt(c.level);
  for (int32_t goal = 0; goal < m_game->GetGoalsNeeded(); ++goal) ScoreGoal();
  ASSERT_EQ(m_game->GetState(), Game5Node::kBonus);
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetLevel() != c.level || m_game->GetState() == 2; }, 1500));
  // The one-time movie's lines come before the next level.
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetState() == Game5Node::kLevelStart; }, 1500));
  EXPECT_EQ(m_movies->names, c.movies);
  EXPECT_EQ(m_game->GetLevel(), c.next);
  EXPECT_EQ(Entry().level, c.levelWord);
  if (c.level <= 4) {
    EXPECT_EQ(Entry().levelFlags[c.level - 1], 1);
  }
  if (c.level == 5) {
    EXPECT_EQ(Entry().levelFlags[4], 1);
    EXPECT_FALSE(m_game->IsFmvPending());
    const Names lines = StartedLines();
    const bool spoke = std::find(lines.begin(), lines.end(), "6000") != lines.end() &&
                       std::find(lines.begin(), lines.end(), "6001") != lines.end();
    EXPECT_EQ(spoke, !c.prizeShown);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Prizes, Wins,
    testing::Values(WinCase{1, false, {"Sub_Movie_Happy", "Prize_Conch"}, 2, 2},
                    WinCase{1, true, {"Sub_Movie_Happy"}, 2, 2},
                    WinCase{4, false, {"Sub_Movie_Happy", "Prize_Ship"}, 5, 5},
                    WinCase{5, false, {"Sub_Movie_Happy", "Prize_Pearl", "SubGameFMV"}, 6, 6},
                    WinCase{5, true, {"Sub_Movie_Happy"}, 6, 6},
                    WinCase{6, false, {"Sub_Movie_Happy"}, 7, 7},
                    WinCase{20, false, {"Sub_Movie_Happy"}, 20, 20}));

TEST_F(Play, MissesCostChancesWithTheirLinesAndTheLastEndsTheGameAtTheSameLevel) {
  Entry().highScore = 10;
  StartAt(3);
  ScoreGoal();
  ASSERT_EQ(m_game->GetScore(), 50);
  const std::set<uint32_t> lost = {2604, 2605, 2606, 2607, 2608, 2609, 2610, 2611, 2613, 2614, 2615, 2616};

  Fly(400, 620, 90);
  Step();
  EXPECT_EQ(Effect(), "ball_load");
  EXPECT_EQ(m_game->GetChances(), 2);
  EXPECT_EQ(lost.count(LineOf(m_game->GetChanceLine())), 1u) << LineOf(m_game->GetChanceLine());
  EXPECT_EQ(m_game->GetState(), Game5Node::kBallLoaded);
  EXPECT_EQ(m_game->GetChanceIcon(2)->GetAnimationId(), 1u);
  EXPECT_EQ(m_game->GetChanceIcon(1)->GetAnimationId(), 0u);

  // Below y 610 is a miss whatever the shark does.
  m_game->GetDoors().m_sharkAnim = 14;
  Fly(400, 611, 90);
  Step();
  EXPECT_EQ(m_game->GetChances(), 1);
  const uint32_t last = LineOf(m_game->GetChanceLine());
  EXPECT_TRUE(last == 2541 || last == 2542) << last;
  EXPECT_EQ(m_game->GetChanceIcon(1)->GetAnimationId(), 1u);

  Fly(400, 620, 90);
  Step();
  EXPECT_EQ(m_movies->names, (Names{"Sub_Movie_Angry"}));
  EXPECT_EQ(Entry().highScore, 50u);
  EXPECT_EQ(ActivePlayerData.newResult, 1);
  EXPECT_EQ(m_game->GetScore(), 0);
  EXPECT_EQ(ScoreShown(), "----0");
  EXPECT_EQ(m_game->GetLevel(), 3);
  EXPECT_EQ(m_game->GetChances(), 3);
  EXPECT_EQ(m_game->GetState(), Game5Node::kLevelStart);
}

TEST_F(Play, TheSharkGrowlsAndTheRoomCreaksAsItLeavesItsDoorAndAtAGoalAndALostChanceOnlyGrowls) {
  StartAt(3);
  Game5Node::GM5GarmoDoors& doors = m_game->GetDoors();
  const auto now = [] { return static_cast<int32_t>(GameClock::Instance().GetTime()); };
  const struct {
    const char* what;
    std::function<void()> run;
    int growls, creaks;
  } cases[] = {
      {"its move time passed",
       [&] {
         const int32_t door = doors.m_door;
         doors.m_moveAt = now() - 1;
         Step();
         EXPECT_NE(doors.m_door, door);
       },
       1, 1},
      {"nothing due", [&] { Step(); }, 0, 0},
      {"a goal", [&] { ScoreGoal(); }, 1, 1},
      {"a lost chance",
       [&] {
         Fly(400, 620, 90);
         Step();
         EXPECT_EQ(m_game->GetChances(), 2);
       },
       1, 0},
      {"the last chance but one",
       [&] {
         Fly(400, 620, 90);
         Step();
         EXPECT_EQ(m_game->GetChances(), 1);
       },
       1, 0},
      // The game over stops the room's sounds for the movie.
      {"the game over",
       [&] {
         Fly(400, 620, 90);
         Step();
         EXPECT_EQ(m_movies->names, (Names{"Sub_Movie_Angry"}));
       },
       0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    m_sounds.entries.clear();
    c.run();
    const SharkSounds heard = Heard();
    EXPECT_EQ(heard.growls, c.growls);
    EXPECT_EQ(heard.creaks, c.creaks);
  }
}

TEST_F(Play, ABallOutOfTheRoomIsLoadedAgainAtNoCost) {
  StartAt(1);
  for (const Qel::Point2 out : {Qel::Point2(-41, 300), Qel::Point2(841, 300), Qel::Point2(400, -41)}) {
    Fly(out.X(), out.Y(), 0);
    Step();
    EXPECT_EQ(m_game->GetState(), Game5Node::kBallLoaded);
    EXPECT_EQ(m_game->GetChances(), 3);
  }
  // A ball on the floor while the shark is away is a miss only below y 610.
  m_game->GetDoors().m_sharkAnim = 14;
  Fly(400, 600, 270);
  Step();
  EXPECT_EQ(m_game->GetState(), Game5Node::kInFlight);
  EXPECT_EQ(m_game->GetChances(), 3);
}

TEST_F(Play, AJellyfishHitScoresTenOnceAndTurnsTheBall) {
  StartAt(1);
  Game5Node::GM5JellyFish& jelly = m_game->GetJellyfish(0);
  const Qel::Point2 centre = jelly.m_circle.GetCenter();
  jelly.m_path.SetSpeed(0.0f);
  // The other one out of the way: a circle of radius 0 holds nothing.
  Game5Node::GM5JellyFish& other = m_game->GetJellyfish(1);
  other.m_circle.Set(other.m_circle.GetCenter(), 0.0f);
  // From outside the circle into it: one hit.
  Fly(centre.X(), centre.Y() + 60, 270);
  Step();
  EXPECT_EQ(m_game->GetScore(), 0);
  Fly(centre.X(), centre.Y() + 5, 270);
  m_game->GetBall().m_prevX = centre.X();
  m_game->GetBall().m_prevY = centre.Y() + 60;
  Step();
  EXPECT_EQ(m_game->GetScore(), 10);
  EXPECT_EQ(Effect(), "ball_hit_jelly_01");
  EXPECT_EQ(ScoreShown(), "---10");
  EXPECT_NE(m_game->GetBall().m_path.GetHeading(), 270);
  const uint32_t hit = jelly.m_sprite->GetAnimationId();
  EXPECT_GE(hit, 4u);
  EXPECT_LE(hit, 9u);
  // Still inside: no second hit.
  Fly(centre.X(), centre.Y() + 4, 270);
  Step();
  EXPECT_EQ(m_game->GetScore(), 10);
}

// The fish's bounce sends the ball up whatever the circle gives: 1..90 become 348, 91..191 become 192.
TEST_F(Play, TheFishBouncesTheBallUpAndOutOfItsCircle) {
  StartAt(1);
  test::MoveMouse(352, 450);
  Frame();
  Step();
  Game5Node::GM5Actor& fish = m_game->GetPlayer();
  ASSERT_EQ(fish.m_arc.GetX(), 352);
  const Qel::Point2 centre = fish.m_circle.GetCenter();
  const struct {
    int32_t dx;
    int32_t heading;
  } cases[] = {{-70, 192}, {70, 348}, {0, 270}, {-30, 226}};
  for (const auto& c : cases) {
    SCOPED_TRACE("dx " + std::to_string(c.dx));
    Fly(centre.X() + c.dx, centre.Y() - 30, 90);
    fish.m_bounceCooldown = 0;
    Step();
    EXPECT_EQ(m_game->GetBall().m_path.GetHeading(), c.heading);
    EXPECT_EQ(Effect(), "ball_01");
    EXPECT_EQ(fish.m_pose, fish.m_facing == Game5Node::GM5Actor::kFacingLeft ? 20 : 21);
    const Qel::Point2 ball = m_game->GetBall().GetPoint();
    EXPECT_LT(ball.Y(), centre.Y() - 2);
    EXPECT_FALSE(fish.m_circle.Contains(ball));
    EXPECT_EQ(m_game->GetState(), Game5Node::kInFlight);
    EXPECT_EQ(m_game->GetChances(), 3);
  }
}

TEST_F(Play, TheButtonHeldCatchesTheFlyingBallOnlyAndItsReleaseThrowsAtTheNextLoop) {
  StartAt(1);
  test::MoveMouse(352, 450);
  Frame();
  Step();
  Game5Node::GM5Actor& fish = m_game->GetPlayer();
  const Qel::Point2 centre = fish.m_circle.GetCenter();
  // Not while the ball waits in the pipe.
  m_game->ResetBall(Game5Node::kBallLoaded);
  m_game->GetBall().m_path.SetPosition(static_cast<float>(centre.X()), static_cast<float>(centre.Y() - 20));
  fish.m_buttonHeld = true;
  Step();
  EXPECT_FALSE(fish.m_ballHeld);
  EXPECT_EQ(m_game->GetState(), Game5Node::kBallLoaded);

  Fly(centre.X(), centre.Y() - 20, 90);
  fish.m_buttonHeld = true;
  Step();
  EXPECT_TRUE(fish.m_ballHeld);
  EXPECT_EQ(m_game->GetState(), Game5Node::kCaught);
  EXPECT_FALSE(m_game->GetBall().IsSpriteVisible());
  EXPECT_EQ(Effect(), "ball_01");

  InputEventInfo up;
  m_game->OnLeftButtonUp(up);
  EXPECT_TRUE(fish.m_pose == 4 || fish.m_pose == 5);
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetState() == Game5Node::kInFlight; }, 100));
  EXPECT_FALSE(fish.m_ballHeld);
  EXPECT_TRUE(m_game->GetBall().IsSpriteVisible());
  EXPECT_EQ(m_game->GetBall().m_path.GetHeading(), 270);
}

TEST_F(Play, TheFishHurriesThreeSecondsBeforeTheAimTimeAndThrowsByItselfAtIt) {
  StartAt(15);
  Game5Node::GM5Actor& fish = m_game->GetPlayer();
  m_game->ResetBall(Game5Node::kAiming);
  fish.m_ballHeld = true;
  Step();
  const int32_t deadline = m_game->GetAimDeadline();
  ASSERT_NE(deadline, -1);
  const auto now = [] { return static_cast<int32_t>(GameClock::Instance().GetTime()); };
  bool hurried = false;
  while (now() < deadline - 3000) {
    Frame(50);
    hurried = hurried || fish.m_pose == 22 || fish.m_pose == 23;
  }
  EXPECT_FALSE(hurried);
  ASSERT_TRUE(FramesUntil([&] { return fish.m_pose == 22 || fish.m_pose == 23; }, 100));
  EXPECT_LE(now(), deadline - 3000 + 600);
  EXPECT_EQ(m_game->GetAimWarning(), deadline + 20000);
  EXPECT_EQ(m_game->GetState(), Game5Node::kAiming);
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetState() == Game5Node::kInFlight; }, 600));
  EXPECT_GE(now(), deadline);
  EXPECT_TRUE(m_game->GetBall().IsSpriteVisible());
}

TEST_F(Play, TheLevelArrowsShowAndTakeClicksByLevelAndTheLevelReached) {
  const struct {
    int32_t level;
    int32_t reached;
    bool backShown, backEnabled, forwardShown, forwardEnabled;
  } cases[] = {{1, 1, false, false, true, false},   {1, 4, false, false, true, true},
               {3, 4, true, true, true, true},       {4, 4, true, true, true, false},
               {19, 20, true, true, true, true},     {20, 20, true, true, false, false}};
  StartAt(1);
  for (const auto& c : cases) {
    SCOPED_TRACE("level " + std::to_string(c.level) + " of " + std::to_string(c.reached));
    Entry().level = c.reached;
    m_game->SetLevel(c.level);
    EXPECT_EQ(test::IsShownObject(m_game->GetBackArrow()), c.backShown);
    EXPECT_EQ(m_game->GetBackArrow()->IsEnabled(), c.backEnabled);
    EXPECT_EQ(test::IsShownObject(m_game->GetForwardArrow()), c.forwardShown);
    EXPECT_EQ(m_game->GetForwardArrow()->IsEnabled(), c.forwardEnabled);
  }

  Entry().level = 4;
  m_game->SetLevel(3);
  ScoreGoal();
  ASSERT_EQ(m_game->GetScore(), 50);
  m_game->OnObjectClicked(m_game->GetBackArrow());
  EXPECT_EQ(m_game->GetLevel(), 2);
  EXPECT_EQ(m_game->GetScore(), 0);
  EXPECT_EQ(ScoreShown(), "----0");
  EXPECT_FALSE(m_game->AreArrowsEnabled());
  // Both arrows rest for 300 ms.
  m_game->OnObjectClicked(m_game->GetForwardArrow());
  EXPECT_EQ(m_game->GetLevel(), 2);
  Frame();
  Frames(29);
  EXPECT_FALSE(m_game->AreArrowsEnabled());
  ASSERT_TRUE(FramesUntil([&] { return m_game->AreArrowsEnabled(); }, 5));
  m_game->OnObjectClicked(m_game->GetForwardArrow());
  EXPECT_EQ(m_game->GetLevel(), 3);
  ASSERT_TRUE(FramesUntil([&] { return m_game->AreArrowsEnabled(); }, 40));
  m_game->OnObjectClicked(m_game->GetForwardArrow());
  EXPECT_EQ(m_game->GetLevel(), 4);
  // Not beyond the level reached, though the arrows rest again.
  ASSERT_TRUE(FramesUntil([&] { return m_game->AreArrowsEnabled(); }, 40));
  m_game->OnObjectClicked(m_game->GetForwardArrow());
  EXPECT_EQ(m_game->GetLevel(), 4);
  EXPECT_FALSE(m_game->AreArrowsEnabled());
}

TEST_F(Play, AnArrowDuringTheIntroductionEndsItAndStartsTheLevel) {
  Entry().level = 3;
  Entry().gameValue = 2;
  StartGame();
  ASSERT_EQ(m_game->GetState(), Game5Node::kIntro);
  m_game->OnObjectClicked(m_game->GetBackArrow());
  EXPECT_EQ(m_game->GetLevel(), 1);
  EXPECT_EQ(m_game->GetState(), Game5Node::kLevelStart);
  EXPECT_FALSE(test::IsShownObject(m_game->GetZelka()));
  EXPECT_TRUE(test::IsShownObject(m_game->GetDoors().m_shark));
  // The entrance's end no longer starts anything.
  Frames(60);
  EXPECT_EQ(m_game->GetIntroPhase(), 1);
}

TEST_F(Play, TheExitArrowLeavesForTheHubAndHelpNarratesThreeLines) {
  StartAt(1);
  m_game->OnObjectClicked(m_game->GetHelpButton());
  EXPECT_TRUE(m_game->IsHelpScreenOpen());
  EXPECT_EQ(m_game->GetNarrationLineNumber(), 2480);
  EXPECT_EQ(m_game->GetQueuedHelpLineCount(), 2u);
  m_game->CloseHelpScreen();
  m_game->OnObjectClicked(m_game->GetExitArrow());
  EXPECT_TRUE(m_game->IsChangePending());
  EXPECT_EQ(m_game->GetPendingNodeId(), kNodeHub);
  ASSERT_TRUE(FramesUntil([&] { return NodeManager::Instance().GetCurrentNode() != m_game; }, 10));
  m_game = nullptr;
  EXPECT_EQ(Entry().gameValue, 1u);
}

// Escape, once the room's first frames are over, opens the exit dialog over the paused game; yes saves
// the game's entry as the won level left it, and the closing line's end quits.
TEST_F(Play, EscapeOpensTheExitDialogAndYesSavesTheGamesProgressBeforeTheClosingLineQuits) {
  Entry().firstTime = 1;
  Entry().highScore = 20;
  StartAt(1);
  SaveGameManager::Instance().SetCurrentSlot(0);
  for (int32_t goal = 0; goal < 3; ++goal) ScoreGoal();
  ASSERT_TRUE(FramesUntil([&] { return m_game->GetLevel() == 2; }, 1500));
  ASSERT_FALSE(m_game->IsFirstFrames());

  m_app.PostCharEvent(GameNode::kEscape);
  Frame();
  ASSERT_TRUE(m_game->IsExitDialogOpen());
  EXPECT_TRUE(m_app.IsPaused());
  EXPECT_FALSE(std::filesystem::exists("SaveGame0.sav"));
  Frame();
  MoveTo(kOverYesX, kOverButtonY);
  Click(kOverYesX, kOverButtonY);
  Frame();
  EXPECT_FALSE(m_game->IsExitDialogOpen());

  const std::string saved = test::ReadFile("SaveGame0.sav");
  ASSERT_EQ(saved.size(), CurrentPlayer::kFileSize);
  const size_t entry = CurrentPlayer::kEntriesOffset + CurrentPlayer::kEntrySize * kNodeGame5;
  ASSERT_EQ(entry, 264u);
  const auto word = [&](size_t at) {
    uint32_t value = 0;
    for (size_t k = 0; k < 4; ++k) value |= static_cast<uint32_t>(static_cast<uint8_t>(saved[at + k])) << (8 * k);
    return value;
  };
  EXPECT_EQ(saved[entry], 0) << "first visit";
  EXPECT_EQ(word(entry + 1), 2u) << "level reached";
  EXPECT_EQ(saved[entry + 5], 1) << "success";
  EXPECT_EQ(word(entry + 6), 150u) << "high score";
  EXPECT_EQ(word(entry + 10), 2u) << "current level";
  EXPECT_EQ(saved[entry + 18], 1) << "level 1's prize";
  EXPECT_EQ(saved[entry + 19], 0) << "level 2's prize";

  EXPECT_FALSE(m_app.IsQuitRequested());
  ASSERT_TRUE(FramesUntil([&] { return m_app.IsQuitRequested(); }, 300));
  const Names started = Started();
  EXPECT_NE(std::find(started.begin(), started.end(), "5089"), started.end());
}

}  // namespace
