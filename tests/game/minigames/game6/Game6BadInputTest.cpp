// The swim game without what it cannot do without, and without what it can: a missing object file,
// a missing or mistyped object it needs and a missing item sprite end the start naming them; without
// its room data, speakers' places, voice lines, musics and movies play goes on to the next level.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "Game6Stage.h"
#include "framework/GameClock.h"
#include "game6/Game6Items.h"

namespace {

using test::Game6Entry;

struct MissingCase {
  const char* what;
  const char* object;
  const char* className;
  const char* text;
};

void PrintTo(const MissingCase& c, std::ostream* out) {
  *out << c.what;
}

class Game6Missing : public test::Game6Stage, public testing::WithParamInterface<MissingCase> {};

TEST_P(Game6Missing, WhatTheGameCannotDoWithoutEndsItsStartNamingIt) {
  const MissingCase& c = GetParam();
  const std::string what = c.what;
  if (what == "file") {
    m_content.m_objectFiles.clear();
  } else if (what == "sprite") {
    RemoveSprite(c.object);
  } else if (c.className) {
    ReplaceObjectClass(c.object, c.className);
  } else {
    RemoveObject(c.object);
  }
  EXPECT_EQ(StartThrowing(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Content, Game6Missing,
    testing::Values(MissingCase{"file", nullptr, nullptr, "Object 'G6_Pilo' missing from 'Game6Objs'\n"},
                    MissingCase{"fish", "G6_Pilo", nullptr, "Object 'G6_Pilo' missing from 'Game6Objs'\n"},
                    MissingCase{"plainFish", "G6_Pilo", "ambient", "Object 'G6_Pilo' of 'Game6Objs' is of another class\n"},
                    MissingCase{"companion", "G6_Tovin", nullptr, "Object 'G6_Tovin' missing from 'Game6Objs'\n"},
                    MissingCase{"banner", "banner", nullptr, "Object 'banner' missing from 'Game6Objs'\n"},
                    MissingCase{"plainBanner", "banner", "ambient", "Object 'banner' of 'Game6Objs' is of another class\n"},
                    MissingCase{"help", "helpButton", nullptr, "Object 'helpButton' missing from 'Game6Objs'\n"},
                    MissingCase{"introCompanion", "G6_Intro_Tovin", nullptr,
                                "Object 'G6_Intro_Tovin' missing from 'Game6Objs'\n"},
                    MissingCase{"sprite", "SS_Scallop", nullptr, "Failed to load sprite 'SS_Scallop'\n"}),
    [](const testing::TestParamInfo<MissingCase>& info) { return std::string(info.param.what); });

class Game6Without : public test::Game6Stage {};

TEST_F(Game6Without, NoRoomDataPlacesVoiceLinesMusicsOrMoviesAndPlayGoesOnToTheNextLevel) {
  RemoveTextFile("GAME6_roomdata");
  RemoveTextFile("Game6_TovinPos");
  m_voiceLines = false;
  auto& sounds = m_content.m_sounds;
  sounds.erase(std::remove_if(sounds.begin(), sounds.end(), [](const auto& s) { return s.m_music; }), sounds.end());
  for (const char* movie : {"Prize_wood", "Prize_glass", "Prize_bronze", "Prize_silver", "Final"}) RemoveMovie(movie);
  m_runMovies.clear();
  test::SetOverallLevel(4);
  StartGame();
  // The intro's lines are silent and end at once.
  ASSERT_TRUE(RunUntilPlaying());
  // The level's last scallop: the prize movie cannot play, and the next level comes.
  for (int32_t i = 0; i < m_game->GetItemCount(); ++i) {
    const Game6Node::ItemRecord record = Game6Node::ItemRecordOf(0, i);
    if (record.kind != Game6Node::Game6Item::kScallop) continue;
    m_game->m_scallopsTaken = m_game->GetScallopTotal() - 1;
    m_game->TouchItem(i, record, static_cast<int32_t>(GameClock::Instance().GetTime()));
    break;
  }
  ASSERT_EQ(m_game->GetState(), Game6Node::LEVEL_WON);
  ASSERT_TRUE(RunUntil([&] { return m_game->GetState() == Game6Node::LEVEL_BANNER; }));
  EXPECT_EQ(m_movies->names, (std::vector<std::string>{"Prize_wood"}));
  EXPECT_EQ(Game6Entry().levelFlags[0], 1);
  EXPECT_EQ(m_game->GetLevel(), 1);
  ASSERT_TRUE(RunUntilPlaying());
}

}  // namespace
