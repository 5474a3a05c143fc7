// The submarine ball game without what it cannot do without: the object file, its banner (also one of
// another class) and its speaker end the program naming them; a missing ball or jellyfish sprite ends
// it naming the sprite; missing effects and movies leave the game silent or go on without them.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "Game5Stage.h"
#include "framework/GameSound.h"
#include "sound/Sound.h"

namespace {

class Missing : public test::Game5Stage {
protected:
  // The text the program would end with, or "nothing thrown".
  template <typename Run>
  static std::string Thrown(Run run) {
    try {
      run();
    } catch (const char* text) {
      return text;
    }
    return "nothing thrown";
  }
};

struct MissingCase {
  const char* what;
  test::Leave leave;
  const char* text;
};

void PrintTo(const MissingCase& c, std::ostream* out) {
  *out << c.what;
}

class MissingObject : public Missing, public testing::WithParamInterface<MissingCase> {};

TEST_P(MissingObject, ObjectsTheGameCannotDoWithoutEndItNamingThem) {
  EXPECT_EQ(Thrown([&] { StartGame("", GetParam().leave); }), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Content, MissingObject,
    testing::Values(
        MissingCase{"file", {{}, {}, {}, false, false}, "Object 'banner' missing from 'GAME5_Sub'\n"},
        MissingCase{"banner", {{}, {"banner"}, {}, true, false}, "Object 'banner' missing from 'GAME5_Sub'\n"},
        MissingCase{"plainBanner", {{}, {}, {}, true, true}, "Object 'banner' of 'GAME5_Sub' is of another class\n"},
        MissingCase{"zelka", {{}, {"zelka"}, {}, true, false}, "Object 'zelka' missing from 'GAME5_Sub'\n"},
        MissingCase{"zelkahead", {{}, {"zelkahead"}, {}, true, false},
                    "Object 'zelkahead' missing from 'GAME5_Sub'\n"},
        MissingCase{"KelpBall", {{"KelpBall"}, {}, {}, true, false}, "Failed to load sprite 'KelpBall'\n"}),
    [](const testing::TestParamInfo<MissingCase>& info) { return std::string(info.param.what); });

TEST_F(Missing, AJellyfishSpriteMissingEndsTheGameAtTheLevelsStart) {
  Entry().gameValue = 18;
  test::Leave leave;
  leave.sprites = {"FF_JellyFish_Front"};
  StartGame("", leave);
  m_game->StartGame();
  EXPECT_EQ(Thrown([&] { m_game->StopSpeech(); }), "Failed to load sprite 'FF_JellyFish_Front'\n");
}

TEST_F(Missing, WithoutEffectsAndMoviesTheGameGoesOnInSilence) {
  test::Leave leave;
  leave.sounds = {"ball_load", "ball_miss", "ball_01", "ball_hit_wall01", "ball_hit_wall02", "Garmo_growl01",
                  "Garmo_growl02", "Garmo_growl03", "Garmo_growl04", "sub_creak", "sub_creak_01", "sub_creak_02",
                  "sub_creak_03", "bell"};
  StartGame("", leave);
  SkipIntroduction();
  const GameSound* effect = m_game->GetEffectSound();
  EXPECT_TRUE(!effect || !effect->GetEngineSound() || !effect->GetEngineSound()->IsPlaying());
  // A wall, misses and a lost game: nothing plays and the level starts again.
  Fly(400, 60, 270);
  Step();
  for (int miss = 0; miss < 3; ++miss) {
    Fly(400, 620, 90);
    Step();
  }
  EXPECT_EQ(m_movies->names, (std::vector<std::string>{"Sub_Movie_Angry"}));
  EXPECT_EQ(m_game->GetState(), Game5Node::kLevelStart);
  EXPECT_EQ(m_game->GetChances(), 3);
}

}  // namespace
