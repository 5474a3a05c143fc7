// The music game's songs on the generated content: note tokens, what a song loads, the song's notes
// tick by tick and its restart, free play's clicks taken at the next tick, the percussion, the song
// change on the third update, the dance's stop delay, the shells, and content with parts missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <list>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "Game3Stage.h"
#include "framework/ButtonSeries.h"
#include "framework/Clickable.h"
#include "framework/GameSound.h"
#include "framework/GameTimer.h"
#include "framework/MouseCursor.h"
#include "game3/Game3Clam.h"
#include "game3/Game3Text.h"
#include "sound/Sound.h"

namespace {

using test::Game3Stage;
using Names = std::vector<std::string>;

bool IsPlaying(const GameSound* sound) {
  return sound && sound->GetEngineSound() && sound->GetEngineSound()->IsPlaying();
}

struct TokenCase {
  const char* token;
  std::optional<Game3Node::Note> note;
};

void PrintTo(const TokenCase& c, std::ostream* out) {
  *out << '"' << c.token << '"';
}

class Game3Tokens : public testing::TestWithParam<TokenCase> {};

TEST_P(Game3Tokens, ATokenIsALetterOfEitherCaseADigitAColonAndALengthThatFits) {
  const TokenCase& c = GetParam();
  const std::optional<Game3Node::Note> note = game3::ParseNoteToken(c.token);
  ASSERT_EQ(note.has_value(), c.note.has_value());
  if (!note) return;
  EXPECT_EQ(note->letter, c.note->letter);
  EXPECT_EQ(note->loop, c.note->loop);
  EXPECT_EQ(note->length, c.note->length);
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, Game3Tokens,
    testing::Values(TokenCase{"A0:4", Game3Node::Note{0, false, 4}},
                    TokenCase{"A1:4", Game3Node::Note{0, true, 4}},
                    TokenCase{"B0:2", Game3Node::Note{1, false, 2}},
                    // The reader hands the scripts over in lower case.
                    TokenCase{"a1:4", Game3Node::Note{0, true, 4}},
                    TokenCase{"b0:2", Game3Node::Note{1, false, 2}},
                    TokenCase{"Z9:32767", Game3Node::Note{25, true, 32767}},
                    TokenCase{"A0:12;", Game3Node::Note{0, false, 12}}, TokenCase{"A1-4", std::nullopt},
                    TokenCase{"AX:4", std::nullopt}, TokenCase{"A0:0", Game3Node::Note{0, false, 0}},
                    TokenCase{"B1:00", Game3Node::Note{1, true, 0}}, TokenCase{"A0:32768", std::nullopt},
                    TokenCase{"A0:4294967300", std::nullopt}, TokenCase{"A0:", std::nullopt},
                    TokenCase{"10:4", std::nullopt}, TokenCase{"", std::nullopt}));

TEST(Game3Notes, AListKeepsTheGoodTokensInOrderAndStartsAfresh) {
  std::list<Game3Node::Note> notes = {Game3Node::Note{3, true, 9}};
  Game3Node::ParseNotes(notes, "a0:2  junk b0:1\tA1:3 A0:0");
  ASSERT_EQ(notes.size(), 4u);
  std::vector<int> lengths;
  for (const Game3Node::Note& note : notes) lengths.push_back(note.length);
  EXPECT_EQ(lengths, std::vector<int>({2, 1, 3, 0}));
}

TEST_F(Game3Stage, ActivationLoadsTheDefaultSongWithItsCharactersSoundsClamsAndTick) {
  Start();
  EXPECT_EQ(m_node->GetSongList(), Names({"g3_song0", "g3_song1", "g3_song2"}));
  EXPECT_EQ(m_node->GetSongIndex(), 1u);
  EXPECT_EQ(m_node->GetStopDelay(), 700);
  EXPECT_EQ(m_node->GetSetupFile(), "g3_setup1");
  EXPECT_EQ(m_node->GetScriptFile(), "g3_script1");
  EXPECT_EQ(m_node->GetPercussionFile(), "g3_perc1");
  ASSERT_NE(m_node->GetTickSound(), nullptr);
  EXPECT_TRUE(IsPlaying(m_node->GetTickSound()));
  EXPECT_TRUE(m_node->GetTickSound()->GetEngineSound()->IsLooping());
  EXPECT_EQ(m_node->GetPercussion().size(), 2u);
  ASSERT_EQ(m_node->GetSoundSets().size(), 3u);
  for (const auto& set : m_node->GetSoundSets()) EXPECT_EQ(set.size(), 8u);
  for (int i = 0; i < Game3Node::kTrackCount; ++i) {
    SCOPED_TRACE(i);
    const Game3Node::CharacterTrack& track = m_node->GetTrack(i);
    ASSERT_NE(track.character, nullptr);
    EXPECT_EQ(Find(("char" + std::to_string(i)).c_str()), track.character);
    EXPECT_NE(track.oneShot, nullptr);
    EXPECT_NE(track.loopSound, nullptr);
    EXPECT_TRUE(m_node->IsTrackFinished(i));
    EXPECT_EQ(track.loopToggle->GetVisibleIndex(), 0);
  }
  EXPECT_EQ(m_node->GetTrack(0).notes.size(), 3u);
  EXPECT_EQ(m_node->GetTrack(1).notes.size(), 2u);
  EXPECT_TRUE(m_node->GetTrack(2).notes.empty());
  EXPECT_FALSE(m_node->GetTrack(4).character->IsEnabled());
  EXPECT_EQ(m_node->GetTrack(3).character->GetX(), 0.0f);
  EXPECT_EQ(m_node->GetTrack(3).character->GetY(), 10.0f);
  EXPECT_EQ(AnimationOf("songIcon"), 1u);
  for (int i = 0; i < Game3Node::kClamCount; ++i) EXPECT_NE(m_node->GetClam(i)->GetAttackSound(), nullptr);
  EXPECT_EQ(m_node->GetMode(), Game3Node::kFreePlay);
}

// The song's ticks posted as the tick sound's loop event, with no frame between them.
class Game3Ticks : public Game3Stage {
protected:
  void SetUp() override {
    Game3Stage::SetUp();
    Start();
    SkipIntro();
  }
  void Tick() {
    static char name[] = "TickTime";
    Qel::EventManager::GetInstance()->PostEvent(Qel::kEventSound, Qel::EventId::SoundLooped, name);
  }
  // The track sounds that each tick started, as "tick:sound".
  Names TickStarts(int ticks) {
    Names starts;
    for (int tick = 1; tick <= ticks; ++tick) {
      ClearSounds();
      Tick();
      for (const std::string& name : Started([](const std::string& n) { return n.rfind("char", 0) == 0; }))
        starts.push_back(std::to_string(tick) + ":" + name);
    }
    return starts;
  }
};

TEST_F(Game3Ticks, TheSongPlaysEachNoteAtItsTickRestsInSilenceAndStartsAgainOnceAllTracksAreDone) {
  // The end of the talk started the song.
  ASSERT_EQ(m_node->GetMode(), Game3Node::kSongPlaying);
  ASSERT_EQ(m_node->GetTickCount(), 0u);
  // Oskel: A0:2 B0:1 A1:3 at ticks 1, 4 and 6; Orvel: B0:2 A1:2, its loop at tick 4. After the
  // ninth tick every track is done: the tenth starts the song again, whose first note is the
  // eleventh tick's.
  EXPECT_EQ(TickStarts(16),
            Names({"1:char0_0", "4:char1_1", "6:char0_1", "11:char0_0", "14:char1_1", "16:char0_1"}));
}

// Oskel's script replaced by notes and rests of length 0 among longer ones.
class Game3ZeroLengthTicks : public Game3Ticks {
protected:
  void SetUp() override {
    Game3Stage::SetUp();
    Start([](Tables& tables) {
      for (fixture::TextFileSpec& text : Game3Table(tables).m_textFiles) {
        if (text.m_name != "G3_Script1") continue;
        for (std::string& line : text.m_lines) {
          if (line.rfind("Oskel", 0) == 0) line = "Oskel = A0:0 B0:0 A1:1 A0:0 A0:2";
        }
      }
    });
    SkipIntro();
  }
};

TEST_F(Game3ZeroLengthTicks, ANoteOfLengthZeroTakesOneTickSoTheNotesAfterItKeepTheirTicks) {
  EXPECT_EQ(m_node->GetTrack(0).notes.size(), 5u);
  // Oskel: A0:0 at tick 1, the rest B0:0 at 2, A1:1 at 3 (its end at 4), A0:0 at 5 and A0:2 at 6;
  // Orvel's loop at 4 as ever. Oskel is done after tick 8, Orvel after 6: the ninth tick starts
  // the song again, whose first note is the tenth tick's.
  EXPECT_EQ(TickStarts(11),
            Names({"1:char0_0", "3:char0_1", "4:char1_1", "5:char0_0", "6:char0_0", "10:char0_0"}));
}

TEST_F(Game3Ticks, ANotesAnimationAndSoundLastUntilItsEndAndARestIsSilent) {
  const Game3Node::CharacterTrack& oskel = m_node->GetTrack(0);
  std::vector<uint32_t> animations;
  std::vector<bool> sounding;
  for (int tick = 1; tick <= 9; ++tick) {
    Tick();
    animations.push_back(oskel.character->GetAnimationId());
    sounding.push_back(IsPlaying(oskel.oneShot) || IsPlaying(oskel.loopSound));
  }
  EXPECT_EQ(animations, std::vector<uint32_t>({4, 4, 4, 0, 0, 3, 3, 3, 0}));
  EXPECT_EQ(sounding, std::vector<bool>({true, true, true, false, false, true, true, true, false}));
  // The looping note showed its part on the toggle.
  EXPECT_EQ(oskel.loopToggle->GetVisibleIndex(), 1);
  // A character click does nothing while the song plays.
  ClickObject("char2");
  EXPECT_FALSE(m_node->GetTrack(2).changeRequested);
}

TEST_F(Game3Ticks, InFreePlayAClickTakesEffectAtTheNextTickAndTwoClicksCancel) {
  ClickObject("PlaySongTrigger");
  ASSERT_EQ(m_node->GetMode(), Game3Node::kFreePlay);
  const Game3Node::CharacterTrack& tesh = m_node->GetTrack(2);
  ClickObject("char2");
  EXPECT_FALSE(IsPlaying(tesh.oneShot));
  EXPECT_EQ(TickStarts(1), Names({"1:char2_0"}));
  EXPECT_EQ(tesh.character->GetAnimationId(), 4u);
  EXPECT_FALSE(m_node->IsTrackFinished(2));

  ClickObject("char2");
  ClickObject("char2");
  EXPECT_EQ(TickStarts(1), Names());

  // The looping part: its toggle first, then the click starts the loop, and the next click stops it.
  ClickObject("loopToggle2_0");
  EXPECT_EQ(tesh.loopToggle->GetVisibleIndex(), 1);
  ClickObject("char2");
  EXPECT_EQ(TickStarts(1), Names({"1:char2_1"}));
  EXPECT_TRUE(IsPlaying(tesh.loopSound));
  EXPECT_EQ(tesh.character->GetAnimationId(), 3u);
  ClickObject("char2");
  EXPECT_EQ(TickStarts(1), Names());
  EXPECT_FALSE(IsPlaying(tesh.loopSound));
  EXPECT_TRUE(m_node->IsTrackFinished(2));
  EXPECT_EQ(tesh.character->GetAnimationId(), 0u);
}

TEST_F(Game3Ticks, ThePercussionSwitchesAtTheNextTickAndTwoSwitchesBeforeItCancel) {
  ClickObject("PlaySongTrigger");
  GameSound* first = m_node->GetPercussion()[0];
  GameSound* second = m_node->GetPercussion()[1];
  ClickObject("prec_play");
  EXPECT_FALSE(IsPlaying(first));
  Tick();
  EXPECT_TRUE(IsPlaying(first));
  EXPECT_TRUE(first->GetEngineSound()->IsLooping());

  ClickObject("prec_next");
  EXPECT_EQ(m_node->GetPercussionIndex(), 1);
  EXPECT_EQ(AnimationOf("prec_play"), 1u);
  EXPECT_TRUE(IsPlaying(first));
  Tick();
  EXPECT_FALSE(IsPlaying(first));
  EXPECT_TRUE(IsPlaying(second));

  ClickObject("prec_play");
  ClickObject("prec_play");
  Tick();
  EXPECT_TRUE(IsPlaying(second));
  ClickObject("prec_prev");
  ClickObject("prec_prev");
  EXPECT_EQ(m_node->GetPercussionIndex(), 1);
}

TEST_F(Game3Ticks, ASongChangeComesOnTheThirdUpdateWithTheNewTickAndAPlayingSongGoesOn) {
  ASSERT_EQ(m_node->GetMode(), Game3Node::kSongPlaying);
  GameSound* oldTick = m_node->GetTickSound();
  ASSERT_EQ(oldTick->GetEngineSound()->GetLengthMs(), 200u);
  ClickObject("NextSong");
  EXPECT_TRUE(m_node->IsSongChangePending());
  EXPECT_FALSE(MouseCursor::Instance().IsEnabled());
  Frame();
  Frame();
  EXPECT_TRUE(m_node->IsSongChangePending());
  EXPECT_EQ(m_node->GetSongIndex(), 1u);
  Frame();
  EXPECT_FALSE(m_node->IsSongChangePending());
  EXPECT_EQ(m_node->GetSongIndex(), 2u);
  EXPECT_EQ(m_node->GetSetupFile(), "g3_setup2");
  EXPECT_EQ(AnimationOf("PlaySongTrigger"), 2u);
  EXPECT_EQ(AnimationOf("songIcon"), 2u);
  EXPECT_TRUE(MouseCursor::Instance().IsEnabled());
  // The old tick was stopped and let go: the new song ticks at its own tempo.
  ASSERT_NE(m_node->GetTickSound(), nullptr);
  EXPECT_EQ(m_node->GetTickSound()->GetEngineSound()->GetLengthMs(), 300u);
  EXPECT_TRUE(IsPlaying(m_node->GetTickSound()));
  Frame();
  EXPECT_EQ(m_node->GetMode(), Game3Node::kSongPlaying);

  // Back and round the list: index 1, then 0, then 2 again.
  for (const uint32_t expected : {1u, 0u, 2u}) {
    ClickObject("PrevSong");
    Frames(3);
    EXPECT_EQ(m_node->GetSongIndex(), expected);
  }
}

TEST_F(Game3Ticks, TheMainCharacterDancesWhileACharacterSoundsAndRestsTheStopDelayAfter) {
  ClickObject("PlaySongTrigger");
  ClickObject("char0");
  Tick();
  ASSERT_TRUE(FramesUntil([this] { return AnimationOf("NPCPilo") == 7u; }, 100, 20));
  // The one-shot part ends by itself; the stop delay of the level list then runs.
  ASSERT_TRUE(FramesUntil([this] { return m_node->IsTrackFinished(0); }, 100, 20));
  Frame();
  ASSERT_TRUE(m_node->GetMainTimer()->IsActive());
  EXPECT_EQ(m_node->GetMainTimer()->GetDuration(), 700u);
  Frames(15, 40);
  EXPECT_EQ(AnimationOf("NPCPilo"), 7u);
  Frames(4, 40);
  EXPECT_EQ(AnimationOf("NPCPilo"), 8u);
}

TEST_F(Game3Ticks, AShellPlaysTheSoundOfItsSetAndShowsItsSparkle) {
  auto* shell = Sprite("sets_objects03");
  ASSERT_NE(shell, nullptr);
  // The activation gave every shell a set of its own choosing, out of the three.
  for (int i = 0; i < 8; ++i) {
    const std::string name = "sets_objects0" + std::to_string(i);
    EXPECT_LT(AnimationOf(name.c_str()), 3u);
  }
  shell->SetAnimation(2, 0);
  ClearSounds();
  ClickObject("sets_objects03");
  EXPECT_EQ(Started(), Names({"tm_set2_3"}));
  EXPECT_TRUE(Shown(Find("sparkles3")));
  EXPECT_FALSE(Shown(Find("sparkles2")));

  std::vector<uint32_t> before;
  for (int i = 0; i < 8; ++i) before.push_back(AnimationOf(("sets_objects0" + std::to_string(i)).c_str()));
  std::vector<uint32_t> after = before;
  for (int round = 0; round < 5 && after == before; ++round) {
    ClickObject("sets_randomize");
    after.clear();
    for (int i = 0; i < 8; ++i) after.push_back(AnimationOf(("sets_objects0" + std::to_string(i)).c_str()));
  }
  EXPECT_NE(after, before);
  for (const uint32_t animation : after) EXPECT_LT(animation, 3u);
}

// Content with a part missing: the game runs, says what is missing once, and leaves by "exit1".
struct BadContentCase {
  const char* what;
  std::function<void(Game3Stage::Tables&)> change;
  const char* trace;
};

void PrintTo(const BadContentCase& c, std::ostream* out) {
  *out << c.what;
}

void DropText(Game3Stage::Tables& tables, const std::string& prefix) {
  std::erase_if(tables[1].m_textFiles,
                [&prefix](const fixture::TextFileSpec& file) { return file.m_name.rfind(prefix, 0) == 0; });
}

void DropObjects(Game3Stage::Tables& tables, const std::string& prefix) {
  for (fixture::ObjectFileSpec& file : tables[1].m_objectFiles) {
    std::erase_if(file.m_objects, [&prefix](const fixture::ObjectSpec& object) {
      return object.m_name.rfind(prefix, 0) == 0;
    });
  }
}

void DropLines(Game3Stage::Tables& tables, const std::string& file, const std::string& prefix) {
  for (fixture::TextFileSpec& text : tables[1].m_textFiles) {
    if (text.m_name.rfind(file, 0) != 0) continue;
    std::erase_if(text.m_lines, [&prefix](const std::string& line) { return line.rfind(prefix, 0) == 0; });
  }
}

class Game3BadContent : public Game3Stage, public testing::WithParamInterface<BadContentCase> {
protected:
  static void SetUpTestSuite() { setenv("PILO_TRACE", "1", 1); }
};

TEST_P(Game3BadContent, TheGameRunsWithoutItTracesItAndLeavesByTheWayOut) {
  const BadContentCase& c = GetParam();
  testing::internal::CaptureStderr();
  Start(c.change);
  SkipIntro();
  static char tick[] = "TickTime";
  for (const char* click :
       {"char0", "prec_play", "prec_next", "sets_next", "sets_randomize", "PlaySongTrigger"}) {
    if (Find(click)) ClickObject(click);
    Qel::EventManager::GetInstance()->PostEvent(Qel::kEventSound, Qel::EventId::SoundLooped, tick);
  }
  if (Find("NextSong")) ClickObject("NextSong");
  Frames(20);
  ClickObject("exit1");
  const bool left = FramesUntil([] { return NodeManager::Instance().GetCurrentId() == kNodeHub; }, 1000);
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(left);
  EXPECT_NE(trace.find(c.trace), std::string::npos) << trace.substr(0, 3000);
}

INSTANTIATE_TEST_SUITE_P(
    Missing, Game3BadContent,
    testing::Values(
        BadContentCase{"LevelList", [](Game3Stage::Tables& t) { DropText(t, "GAME3_LevelList"); },
                       "the level list names no song"},
        BadContentCase{"Sets", [](Game3Stage::Tables& t) { DropText(t, "GAME3_object_set_sounds"); },
                       "no sound sets 'GAME3_object_set_sounds'"},
        BadContentCase{"Script", [](Game3Stage::Tables& t) { DropText(t, "G3_Script"); }, "no script file"},
        BadContentCase{"TickTime", [](Game3Stage::Tables& t) { DropLines(t, "G3_Script", "TickTime"); },
                       "no 'TickTime' sound"},
        BadContentCase{"Percussion", [](Game3Stage::Tables& t) { DropText(t, "G3_Perc"); },
                       "no percussion file"},
        BadContentCase{"Toggles", [](Game3Stage::Tables& t) { DropObjects(t, "loopToggle"); }, "Node 6"},
        BadContentCase{"SetBeforeNewSet",
                       [](Game3Stage::Tables& t) {
                         for (fixture::TextFileSpec& text : t[1].m_textFiles) {
                           if (text.m_name == "GAME3_object_set_sounds")
                             text.m_lines.insert(text.m_lines.begin() + 1, "TM_set0_0 = TM_set0_0");
                         }
                       },
                       "comes before the first set"},
        BadContentCase{"BadTokens",
                       [](Game3Stage::Tables& t) {
                         for (fixture::TextFileSpec& text : t[1].m_textFiles) {
                           if (text.m_name == "G3_Script1")
                             text.m_lines.push_back("Tesh = A0:0 A1-4 AX:4 A0:99999");
                         }
                       },
                       "'a0:99999' is not valid note information."}),
    [](const testing::TestParamInfo<BadContentCase>& info) { return std::string(info.param.what); });

}  // namespace
