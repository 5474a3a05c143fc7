// The music game on the generated content: both visits' lines and what they leave in the progress
// record, the intro and the clicks it holds back, the way out through the goodbye lines (and on the
// first visit the movie) to the hub, the help lines, and the objects the game cannot do without.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "Game3Stage.h"
#include "framework/Clickable.h"
#include "framework/GameTimer.h"
#include "framework/HelpDialog.h"
#include "framework/MouseCursor.h"
#include "frontend/SpeechQueue.h"

namespace {

using test::Game3Stage;
using Names = std::vector<std::string>;

struct VisitCase {
  const char* what;
  bool firstVisit;
  Names lines;
  Names exitLines;
};

void PrintTo(const VisitCase& c, std::ostream* out) {
  *out << c.what;
}

class Game3Visit : public test::Game3Stage, public testing::WithParamInterface<VisitCase> {};

TEST_P(Game3Visit, TheTalkFollowsTheIntroAndTheWayOutLeadsToTheHub) {
  const VisitCase& visit = GetParam();
  Start({}, visit.firstVisit);
  // The first update starts the intro; the way out waits for its end.
  EXPECT_EQ(AnimationOf("NPCPilo"), 5u);
  EXPECT_TRUE(m_node->IsIntroTalking());
  auto* exit = dynamic_cast<Clickable*>(Find("exit1"));
  ASSERT_NE(exit, nullptr);
  EXPECT_FALSE(exit->IsEnabled());
  ASSERT_TRUE(FramesUntil([this] { return Speaking(); }));
  EXPECT_TRUE(exit->IsEnabled());

  // Every line plays to its end, in order; then the main character rests.
  ASSERT_TRUE(FramesUntil([this] { return !Speaking(); }, 1000));
  EXPECT_EQ(Lines(), visit.lines);
  EXPECT_FALSE(m_node->IsIntroTalking());
  EXPECT_EQ(m_node->IsFirstVisit(), visit.firstVisit);

  // Only the first-visit byte of the music game's entry changes, and only on the first visit.
  PlayerData expected = m_before;
  expected.games[kNodeGame3].firstTime = 0;
  EXPECT_TRUE(SameRecord(expected, ActivePlayerData));

  ClearSounds();
  ClickObject("exit1");
  EXPECT_TRUE(m_node->IsExiting());
  EXPECT_EQ(AnimationOf("NPCPilo"), 9u);
  EXPECT_FALSE(MouseCursor::Instance().IsShown());
  ASSERT_TRUE(FramesUntil([] { return NodeManager::Instance().GetCurrentId() == kNodeHub; }, 1000));
  EXPECT_EQ(Lines(), visit.exitLines);
}

INSTANTIATE_TEST_SUITE_P(
    Visits, Game3Visit,
    testing::Values(VisitCase{"first",
                              true,
                              {"3020", "3030", "3033", "3032", "3035", "3036", "3034", "3031", "3040", "3050",
                               "3060", "3070", "3080", "3081"},
                              {"3190", "3211", "3220", "6002"}},
                    VisitCase{"second", false, {"3160", "3090", "3100", "3050", "4160"}, {"3190", "3211", "3220"}}),
    [](const testing::TestParamInfo<VisitCase>& info) { return std::string(info.param.what); });

TEST_F(Game3Stage, TheFirstVisitsWayOutPlaysTheMovieBeforeTheHub) {
  // For this case only: the case's end takes the setting away again.
  setenv("PILO_TRACE", "1", 1);
  Start({}, true);
  SkipIntro();
  ClickObject("exit1");
  // The movie is not in this content: it cannot play, and its end leads on at once.
  testing::internal::CaptureStderr();
  ASSERT_TRUE(FramesUntil([] { return NodeManager::Instance().GetCurrentId() == kNodeHub; }, 1000));
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_NE(trace.find("Unable to play movie 'TribalFMV'"), std::string::npos) << trace;
}

// Which clicks the intro's talk holds back, and what they change once it is over.
struct HeldClickCase {
  const char* object;
  bool heldBack;
};

void PrintTo(const HeldClickCase& c, std::ostream* out) {
  *out << c.object;
}

class Game3IntroClicks : public test::Game3Stage, public testing::WithParamInterface<HeldClickCase> {};

TEST_P(Game3IntroClicks, TheIntroTalkHoldsBackTheToysButNotTheWayOutOrTheRecorder) {
  Start();
  ASSERT_TRUE(FramesUntil([this] { return Speaking(); }));
  ASSERT_TRUE(m_node->IsIntroTalking());
  const HeldClickCase& c = GetParam();
  const bool percussionBefore = m_node->IsPercussionOn();
  const int32_t setBefore = m_node->GetSetIndex();
  const bool helpBefore = m_node->IsHelpScreenOpen();
  const bool pendingBefore = m_node->IsSongChangePending();
  const bool exitingBefore = m_node->IsExiting();
  ClickObject(c.object);
  const bool changed = m_node->IsPercussionOn() != percussionBefore || m_node->GetSetIndex() != setBefore ||
                       m_node->IsHelpScreenOpen() != helpBefore ||
                       m_node->IsSongChangePending() != pendingBefore || m_node->IsExiting() != exitingBefore;
  EXPECT_EQ(changed, !c.heldBack);
}

INSTANTIATE_TEST_SUITE_P(Clicks, Game3IntroClicks,
                         testing::Values(HeldClickCase{"help", true}, HeldClickCase{"prec_play", true},
                                         HeldClickCase{"NextSong", true}, HeldClickCase{"exit1", false}),
                         [](const testing::TestParamInfo<HeldClickCase>& info) {
                           return std::string(info.param.object);
                         });

TEST_F(Game3Stage, ABlankEndsTheIntroTalkAndTheClicksCountAgain) {
  Start();
  SkipIntro();
  EXPECT_FALSE(Speaking());
  EXPECT_EQ(AnimationOf("NPCPilo"), 0u);
  ClickObject("prec_play");
  EXPECT_TRUE(m_node->IsPercussionOn());
  ClickObject("sets_next");
  EXPECT_EQ(m_node->GetSetIndex(), 1);
  ClickObject("sets_prev");
  ClickObject("sets_prev");
  EXPECT_EQ(m_node->GetSetIndex(), 2);
}

TEST_F(Game3Stage, EachHelpRequestQueuesTheNextThreeHelpLinesOnPageNine) {
  Start();
  SkipIntro();
  const std::vector<int32_t> expected = {3082, 3083, 3084, 3085, 3086, 3087, 3088, 3089, 3130, 3150, 3170, 3180,
                                         3182, 3183, 3185, 3186, 3082, 3083};
  std::vector<int32_t> heard;
  for (int request = 0; request < 6; ++request) {
    ClickObject("help");
    ASSERT_TRUE(m_node->IsHelpScreenOpen());
    // The lines play one after the other while the screen is open; the game stands still.
    int32_t previous = 0;
    for (int frame = 0; frame < 400 && heard.size() < 3u * (request + 1); ++frame) {
      const int32_t line = m_node->GetNarrationLineNumber();
      if (line != 0 && line != previous) heard.push_back(line);
      previous = line;
      Frame();
    }
    m_node->CloseHelpScreen();
    Frame();
  }
  EXPECT_EQ(heard, expected);
}

// What the game cannot go on without: the "Error" text names it.
struct MissingPartCase {
  const char* what;
  const char* object;
  const char* sprite;
  const char* error;
};

void PrintTo(const MissingPartCase& c, std::ostream* out) {
  *out << c.what;
}

class Game3MissingPart : public test::Game3Stage, public testing::WithParamInterface<MissingPartCase> {};

TEST_P(Game3MissingPart, TheGameDoesNotStartAndTheErrorNamesWhatIsMissing) {
  const MissingPartCase& c = GetParam();
  const auto without = [&c](Tables& tables) {
    fixture::DatabaseSpec& game = Game3Table(tables);
    if (c.object) {
      for (fixture::ObjectFileSpec& file : game.m_objectFiles) {
        std::erase_if(file.m_objects, [&c](const fixture::ObjectSpec& object) { return object.m_name == c.object; });
      }
    }
    if (c.sprite) {
      std::erase_if(game.m_sprites, [&c](const fixture::SpriteSpec& sprite) { return sprite.m_name == c.sprite; });
    }
  };
  std::string error;
  try {
    Start(without);
  } catch (const char* text) {
    error = text;
  }
  EXPECT_EQ(error, c.error);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, Game3MissingPart,
    testing::Values(
        MissingPartCase{"MainCharacter", "NPCPilo", nullptr, "Object 'NPCPilo' missing from 'GAME3_TribalMusic'\n"},
        MissingPartCase{"MainCharactersSprite", nullptr, "NPCPilo", "Failed to load sprite 'NPCPilo'\n"},
        MissingPartCase{"SpeakersHead", nullptr, "dialogue_teshhead", "Failed to load sprite 'dialogue_teshhead'\n"},
        // The characters come with the song, which activation loads.
        MissingPartCase{"CharactersHead", nullptr, "TM_head_tesh", "Failed to load sprite 'tm_head_tesh'\n"}),
    [](const testing::TestParamInfo<MissingPartCase>& info) { return std::string(info.param.what); });

}  // namespace
