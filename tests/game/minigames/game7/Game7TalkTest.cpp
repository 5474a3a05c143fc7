// The ride's talk in the game's frames on the generator's content: both intros and what they hide,
// the line families with their wraps and rules, the help narration, the good-bye line, and the
// vortex's flowing sound that calls for a line only when it was heard to its end.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Game7Stage.h"
#include "framework/Ambient.h"
#include "framework/CCSound.h"
#include "framework/CharacterAnimator.h"
#include "framework/GameSound.h"
#include "framework/HelpDialog.h"
#include "framework/LevelBanner.h"
#include "framework/LipSyncSound.h"
#include "framework/MoviePlayer.h"
#include "frontend/SpeechQueue.h"

namespace {

using test::Game7Entry;
using test::Shown;

constexpr const char* kPlayScreen[] = {"NavBar", "ProgressBar", "Sliderleft", "Sliderright",
                                       "livesMeter", "exit1",   "help"};

std::string NameOf(const GameSound* sound) {
  return sound && sound->GetEngineSound() ? sound->GetEngineSound()->GetId() : "";
}

class Game7Talk : public test::Game7Stage {
protected:
  bool LeftForTheHub() {
    const bool left = RunUntil([] {
      return NodeManager::Instance().GetCurrentNode() &&
             !dynamic_cast<Game7Node*>(NodeManager::Instance().GetCurrentNode());
    });
    m_game = nullptr;
    return left;
  }
};

TEST_F(Game7Talk, BothIntrosSpeakTheirLinesThenTheVortexAndTheKidLeadIntoPlay) {
  struct Case {
    uint8_t firstTime;
    // Space cuts the speech once its first line is heard.
    bool cut;
    size_t queued;
    std::vector<std::pair<uint32_t, std::string>> heard;
  };
  const Case cases[] = {
      {1, false, 7, {{0, "3230"}, {2, "3240"}, {0, "3250"}, {2, "3260"}, {0, "3270"}, {1, "3490"}, {0, "3330"}}},
      {0, true, 2, {{0, "3320"}}},
      {0, false, 2, {{0, "3320"}, {2, "3451"}}},
  };
  m_skipIntro = false;
  bool started = false;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.firstTime) + (c.cut ? " cut" : ""));
    Game7Entry().firstTime = c.firstTime;
    if (started) {
      Revisit();
    } else {
      StartGame();
      started = true;
    }
    ASSERT_EQ(m_game->GetState(), Game7Node::INTRO);
    for (const char* name : kPlayScreen) EXPECT_FALSE(Shown(m_game->FindObject(name))) << name;
    for (const char* name : {"introbk", "introBragoBdy", "introBragoRFin", "introBragoLFin"})
      EXPECT_TRUE(Shown(m_game->FindObject(name))) << name;
    EXPECT_EQ(m_game->GetIntroHead(0)->GetAnimationId(), 5u);
    EXPECT_EQ(m_game->GetBanner()->GetLevel(), 0);

    // Brago's opening, then the speech.
    SpeechQueue* speech = m_game->GetSpeechQueue();
    ASSERT_TRUE(RunUntil([&] { return speech->IsPlaying(); }));
    ASSERT_FALSE(m_game->IsFirstFrames());
    EXPECT_EQ(speech->GetLineCount(), c.queued);
    EXPECT_EQ(Game7Entry().firstTime, 0);
    std::vector<std::pair<uint32_t, std::string>> heard;
    // Lines are told apart by name: the next line's sound may take the memory of the one released.
    std::string last;
    ASSERT_TRUE(RunUntil(
        [&] {
          if (speech->GetCurrentSound() && NameOf(speech->GetCurrentSound()) != last) {
            last = NameOf(speech->GetCurrentSound());
            heard.emplace_back(speech->GetCurrentSpeaker(), last.substr(11));
            if (c.cut) {
              // Escape waits for the intro's end; space cuts the speech.
              m_app.PostCharEvent(27);
              m_app.PostCharEvent(' ');
            }
          }
          return m_game->IsIntroVortexShown();
        },
        400, 50));
    EXPECT_EQ(heard, c.heard);
    EXPECT_FALSE(m_game->IsExitDialogOpen());
    EXPECT_EQ(m_game->GetState(), Game7Node::INTRO);

    // The vortex comes in from the right and the kid swims in.
    Ambient* vortex = m_game->GetIntroVortex();
    ASSERT_NE(vortex, nullptr);
    EXPECT_FLOAT_EQ(vortex->GetX(), 800.0f);
    EXPECT_FLOAT_EQ(vortex->GetSpeed(), 200.0f);
    EXPECT_EQ(vortex->GetZ(), 140u);
    ASSERT_NE(m_game->GetIntroKid(), nullptr);
    EXPECT_EQ(m_game->GetIntroKid()->GetZ(), 150u);
    EXPECT_EQ(NameOf(m_game->GetCommentLine()), "3591");
    EXPECT_EQ(m_game->GetIntroHead(0)->GetAnimationId(), 6u);
    ASSERT_TRUE(RunUntil([&] { return vortex->GetAnimationId() == 1; }));
    EXPECT_EQ(NameOf(m_game->GetCommentLine()), "3502");
    ASSERT_TRUE(RunUntil([&] { return m_game->GetState() == Game7Node::START_LEVEL; }));

    // Play: the cast is gone and the play screen back.
    for (int32_t speaker = 0; speaker < 3; ++speaker) {
      SpriteObject* head = m_game->GetIntroHead(speaker);
      EXPECT_EQ(m_game->FindObject(head->GetName()), nullptr) << head->GetName();
      EXPECT_FLOAT_EQ(head->GetX(), 1000.0f);
    }
    for (const char* name : {"introBragoTalkie", "introZelkaTalkie", "introTovinTalkie", "introbk",
                             "introBragoBdy", "introBragoRFin", "introBragoLFin", "introKid", "vortexintro"})
      EXPECT_EQ(m_game->FindObject(name), nullptr) << name;
    for (const char* name : kPlayScreen) {
      // Level 1 has no level below it.
      if (std::string(name) != "Sliderleft") {
        EXPECT_TRUE(Shown(m_game->FindObject(name))) << name;
      }
    }
    EXPECT_EQ(Object("bkTop")->GetAnimationId(), 0u);
    EXPECT_FLOAT_EQ(Object("bkMiddle")->GetY(), 80.0f);
    EXPECT_EQ(Object("bkMiddle")->GetAnimationId(), 2u);
    EXPECT_EQ(m_game->GetBanner()->GetLevel(), 1);
  }
  // Left while the intro still speaks: its cast goes with the node.
  Revisit();
  ASSERT_TRUE(RunUntil([&] { return m_game->GetSpeechQueue()->IsPlaying(); }));
  Revisit();
  EXPECT_EQ(m_game->GetState(), Game7Node::INTRO);
  Frame();
}

TEST_F(Game7Talk, EachFamilySpeaksItsLinesInOrderAndWrapsToItsFirst) {
  struct Case {
    const char* family;
    std::function<void(Game7Node&)> play;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"chatter",
       [](Game7Node& node) { node.PlayChatterLine(); },
       {"3540", "3640", "3533", "3456", "3470", "3493", "3560", "3435", "3441", "3450",
        "3434", "3437", "3510", "3440", "3430", "3443", "3460", "3458", "3432", "3491",
        "3536", "3438", "3432", "3492", "3451", "3620", "3550", "3495", "3445"}},
      {"hit",
       [](Game7Node& node) { node.PlayHitLine(); },
       {"3390", "3455", "3500", "3500", "3503", "3503", "3447", "3400", "3400", "3420", "3444"}},
      {"knock-out", [](Game7Node& node) { node.PlayKnockoutLine(); }, {"3449", "3421", "3448"}},
      {"vortex", [](Game7Node& node) { node.PlayVortexLine(); }, {"3501", "3520", "3453", "3507"}},
      {"missed", [](Game7Node& node) { node.PlayVortexMissedLine(); }, {"3505", "3454", "3504"}},
      {"level start", [](Game7Node& node) { node.PlayLevelStartLine(); }, {"3360", "3590", "3280", "3480", "3800", "3494", "3410", "3422"}},
  };
  StartGame();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.family);
    std::vector<std::string> heard;
    for (size_t call = 0; call <= c.lines.size(); ++call) {
      c.play(*m_game);
      CCSound* line = std::string(c.family) == "chatter" ? m_game->GetChatterLine() : m_game->GetCommentLine();
      ASSERT_TRUE(IsSoundPlaying(line));
      heard.push_back(NameOf(line));
      EXPECT_EQ(std::to_string(line->GetCaptionNumber()), heard.back());
      // The next call finds it over.
      line->Stop();
    }
    std::vector<std::string> expected = c.lines;
    expected.push_back(c.lines.front());
    EXPECT_EQ(heard, expected);
  }
}

TEST_F(Game7Talk, ChatterGivesWayToTheOtherLinesAndHitLinesDoNotCutOneAnother) {
  StartGame();
  // A hit line keeps chatter off and a second hit line waits.
  m_game->PlayHitLine();
  m_game->PlayChatterLine();
  EXPECT_EQ(m_game->GetChatterLine(), nullptr);
  m_game->PlayHitLine();
  EXPECT_EQ(NameOf(m_game->GetCommentLine()), "3390");
  m_game->GetCommentLine()->Stop();
  // Hit and knocked out are no time for chatter.
  for (const int32_t state : {Game7Node::HIT, Game7Node::KNOCKED_OUT}) {
    m_game->SetState(state);
    m_game->PlayChatterLine();
    EXPECT_EQ(m_game->GetChatterLine(), nullptr) << state;
  }
  m_game->SetState(Game7Node::IDLE);
  // Chatter is cut by a hit line and by the knock-out line, and waits for its own end.
  m_game->PlayChatterLine();
  CCSound* chatter = m_game->GetChatterLine();
  ASSERT_TRUE(IsSoundPlaying(chatter));
  m_game->PlayChatterLine();
  EXPECT_EQ(m_game->GetChatterLine(), chatter);
  m_game->PlayHitLine();
  EXPECT_EQ(m_game->GetChatterLine(), nullptr);
  EXPECT_EQ(NameOf(m_game->GetCommentLine()), "3455");
  m_game->GetCommentLine()->Stop();
  m_game->PlayChatterLine();
  EXPECT_EQ(NameOf(m_game->GetChatterLine()), "3640");
  m_game->PlayKnockoutLine();
  EXPECT_EQ(m_game->GetChatterLine(), nullptr);
  EXPECT_EQ(NameOf(m_game->GetCommentLine()), "3449");
  // The other families cut the line that plays.
  m_game->PlayVortexLine();
  EXPECT_EQ(NameOf(m_game->GetCommentLine()), "3501");
}

TEST_F(Game7Talk, EachHelpPressNarratesTheNextLineAndTheEleventhWrapsToTheFirst) {
  struct Case {
    int32_t line;
    int32_t page;
  };
  const Case cases[] = {{3301, 0}, {3380, 2}, {3340, 0}, {3350, 4}, {3350, 5}, {3310, 0},
                        {3506, 1}, {3390, 5}, {3291, 0}, {3370, 3}, {3390, 5}, {3301, 0}};
  StartGame();
  ASSERT_TRUE(RunUntilPlaying());
  int press = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(++press);
    m_game->OnObjectClicked(m_game->FindObject("help"));
    ASSERT_TRUE(m_game->IsHelpScreenOpen());
    EXPECT_EQ(m_game->GetNarrationLineNumber(), c.line);
    EXPECT_EQ(m_game->GetQueuedHelpLineCount(), 0u);
    EXPECT_EQ(m_game->GetHelpScreen()->GetPageObject()->GetAnimationId(), static_cast<uint32_t>(c.page));
    m_game->CloseHelpScreen();
    Frame();
  }
}

TEST_F(Game7Talk, TheGoodbyeLineLeadsToTheHubAtItsEndOrAtOnceWhenItCannotBeHeard) {
  for (const bool heard : {true, false}) {
    SCOPED_TRACE(heard);
    if (heard) {
      StartGame();
    } else {
      Revisit();
      // Unreadable files stand for missing ones.
      for (const char* line : {"3801", "3810", "3431", "3311", "placeholder"})
        m_stage.AddFile(std::string(line) + ".wav", "not a wave");
    }
    ASSERT_TRUE(RunUntilPlaying());
    // Play opens with the first level-start line, which the good-bye line cuts off.
    EXPECT_EQ(NameOf(m_game->GetCommentLine()), "3360");
    m_game->OnObjectClicked(m_game->FindObject("exit1"));
    EXPECT_TRUE(m_game->IsLeaving());
    EXPECT_EQ(m_game->GetState(), Game7Node::GAME_OVER);
    EXPECT_EQ(m_game->GetCommentLine(), nullptr);
    EXPECT_EQ(m_game->IsChangePending(), !heard);
    if (heard) {
      CCSound* line = m_game->GetExitLine();
      ASSERT_TRUE(IsSoundPlaying(line));
      EXPECT_EQ(NameOf(line), "endLevelDialog");
      const std::vector<uint32_t> goodbyes = {3801, 3810, 3431, 3311};
      EXPECT_NE(std::find(goodbyes.begin(), goodbyes.end(), line->GetCaptionNumber()), goodbyes.end());
      Frame();
      EXPECT_FALSE(m_game->IsChangePending());
    }
    EXPECT_EQ(m_game->GetPendingNodeId(), heard ? 0 : kNodeHub);
    test::NodeLog().clear();
    ASSERT_TRUE(LeftForTheHub());
    EXPECT_NE(std::find(test::NodeLog().begin(), test::NodeLog().end(), "activate 6"), test::NodeLog().end());
  }
}

TEST_F(Game7Talk, OnlyAFlowingSoundHeardToItsEndCallsForAVortexLine) {
  struct Case {
    const char* cut;
    std::function<void()> act;
  };
  const Case cases[] = {
      {"none", [] {}},
      {"help",
       [this] {
         m_game->OnObjectClicked(m_game->FindObject("help"));
         Frame();
         m_game->CloseHelpScreen();
       }},
      {"exit dialog",
       [this] {
         m_app.PostCharEvent(27);
         Frame();
         ASSERT_TRUE(m_game->IsExitDialogOpen());
         Frame();
         m_game->CloseExitDialog(true);
       }},
      {"prize movie",
       [this] {
         m_game->ReachVortex();
         ASSERT_TRUE(RunUntil([&] { return MoviePlayer::Instance().IsPlaying(); }));
       }},
      {"good-bye line", [this] { m_game->OnObjectClicked(m_game->FindObject("exit1")); }},
  };
  bool started = false;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cut);
    Game7Entry() = GameProgress();
    Game7Entry().firstTime = 0;
    if (started) {
      Revisit();
    } else {
      StartGame();
      started = true;
    }
    ASSERT_TRUE(RunUntilPlaying());
    const size_t before = StartsOf("3501");
    GameSound* flowing = m_game->GetEffect("VortexOnScreen");
    // Looping, a sound that is cut has not ended by itself before the cut.
    const bool cut = std::string(c.cut) != "none";
    flowing->Play(cut, true);
    ASSERT_TRUE(IsSoundPlaying(flowing));
    c.act();
    // Past the sound's own length, wherever the game went meanwhile.
    for (int frame = 0; frame < 40; ++frame) Frame(20);
    EXPECT_EQ(StartsOf("3501") - before, cut ? 0u : 1u);
  }
}

TEST_F(Game7Talk, TheClosingLinesThatCannotBeHeardTakeTheirStepsAtOnce) {
  Game7Entry().firstTime = 0;
  Game7Entry().level = 5;
  Game7Entry().gameValue = 5;
  StartGame();
  // Unreadable files stand for missing ones; without the placeholder no stand-in is heard either.
  for (const char* name : {"Prize_Pearl.bik", "TurtleFMV.bik"}) m_stage.AddFile(name, "not a movie");
  for (const char* name : {"6000", "6001", "placeholder"}) m_stage.AddFile(std::string(name) + ".wav", "not a wave");
  ASSERT_TRUE(RunUntilPlaying());
  m_game->ReachVortex();
  ASSERT_TRUE(RunUntil([&] { return m_game->GetState() != Game7Node::IN_VORTEX; }));
  // The two movies and the two lines went by within the win itself.
  EXPECT_EQ(m_game->GetState(), Game7Node::START_LEVEL);
  EXPECT_EQ(m_game->GetBanner()->GetLevel(), 6);
  EXPECT_FALSE(m_game->IsAfterFinalMovie());
  EXPECT_EQ(Game7Entry().levelFlags[4], 1);
}

}  // namespace
