// The varying sound: its pitch factor from the two draws, the frequency a play leaves, and who owns
// the sound.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "framework/GameSound.h"
#include "framework/VariantSound.h"
#include "platform/win/kernel/Random.h"
#include "support/SoundStage.h"

namespace {

class VariantSounds : public testing::Test {
protected:
  void SetUp() override {
    test::WaveFormat format;
    format.rate = 20000;
    stage.AddWave("tone", test::Tone(200, format));
  }

  test::SoundStage stage;
};

}  // namespace

TEST(VariantSoundFactor, TheParityChoosesAboveOrBelowWithinTheVariation) {
  struct Case {
    float variation;
    int share;
    int parity;
    double factor;
  };
  const Case cases[] = {
      {10.0f, 0, 0, 1.0},     {10.0f, 0, 1, 1.0},         {10.0f, 32767, 0, 1.1},
      {10.0f, 32767, 1, 0.9}, {10.0f, 32767, 32766, 1.1}, {10.0f, 32767, 32767, 0.9},
      {50.0f, 32767, 3, 0.5}, {0.0f, 32767, 1, 1.0},      {25.0f, 16384, 0, 1.0 + 16384.0 / 32767 * 0.25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.variation << "% share " << c.share << " parity " << c.parity);
    EXPECT_NEAR(VariantSound::PitchFactor(c.variation, c.share, c.parity), c.factor, 1e-6);
  }
}

TEST_F(VariantSounds, PlayMovesTheWavesOwnRateByTheDrawnFactorAndStartsTheSound) {
  GameSound tone("tone", "tone", true, false);
  VariantSound varying(&tone, 20.0f);
  for (unsigned seed : {1u, 7u, 12345u}) {
    SCOPED_TRACE(seed);
    plat::win::srand(seed);
    const int share = plat::win::rand();
    const int parity = plat::win::rand();
    const int after = plat::win::rand();
    const double factor = VariantSound::PitchFactor(20.0f, share, parity);
    ASSERT_GE(factor, 0.8);
    ASSERT_LE(factor, 1.2);

    plat::win::srand(seed);
    varying.Play(false, true);
    EXPECT_TRUE(tone.GetEngineSound()->IsPlaying());
    EXPECT_EQ(tone.GetEngineSound()->GetFrequency(),
              static_cast<uint32_t>(20000.0 * static_cast<float>(factor)));
    EXPECT_EQ(plat::win::rand(), after) << "two draws per play";
  }
}

TEST_F(VariantSounds, NoVariationKeepsTheRateAndTheVariationCanBeChanged) {
  GameSound tone("tone", "tone", true, false);
  VariantSound varying(&tone, 0.0f);
  varying.Play(false, true);
  EXPECT_EQ(tone.GetEngineSound()->GetFrequency(), 20000u);
  varying.SetVariation(5.5f);
  EXPECT_FLOAT_EQ(varying.GetVariation(), 5.5f);
}

TEST_F(VariantSounds, MissingSoundsPlayNothingAndDrawNothing) {
  plat::win::srand(3);
  const int first = plat::win::rand();
  plat::win::srand(3);
  VariantSound none(nullptr, 10.0f);
  none.Play(false, true);
  EXPECT_EQ(plat::win::rand(), first);

  GameSound unmade("ghost", "no such wave", true, false);
  ASSERT_EQ(unmade.GetEngineSound() && unmade.GetEngineSound()->IsLoaded(), false);
  VariantSound ghost(&unmade, 10.0f);
  ghost.Play(false, true);  // the engine sound refuses quietly
}

TEST_F(VariantSounds, OnlyAnOwningWrapperDeletesItsSound) {
  GameSound kept("kept", "tone", true, false);
  { VariantSound borrowed(&kept, 10.0f); }
  EXPECT_NE(kept.GetEngineSound(), nullptr);  // still alive: ASan would catch a double delete
  auto* owned = new GameSound("owned", "tone", true, false);
  VariantSound owner(owned, 10.0f, true);
  EXPECT_TRUE(owner.OwnsSound());
  // The sanitizer's leak check proves the sound goes with its owner.
}
