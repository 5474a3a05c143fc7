// The varying sound.
#include "framework/VariantSound.h"

#include "framework/GameSound.h"
#include "platform/win/kernel/Random.h"
#include "sound/Sound.h"

VariantSound::VariantSound(GameSound* sound, float variation, bool ownsSound)
    : m_ownsSound(ownsSound), m_variation(variation), m_sound(sound) {}

VariantSound::~VariantSound() {
  if (m_ownsSound) delete m_sound;
}

double VariantSound::PitchFactor(float variation, int shareDraw, int parityDraw) {
  const double share = static_cast<double>(shareDraw) / plat::win::RAND_MAX_15 * variation * 0.01;
  return parityDraw % 2 != 0 ? 1.0 - share : 1.0 + share;
}

void VariantSound::Play(bool loop, bool restart) {
  if (!m_sound) return;
  // Drawn in this order whether or not the sound could be made, so that one missing sound does not
  // shift the draws of everything after it.
  const int shareDraw = plat::win::rand();
  const int parityDraw = plat::win::rand();
  if (Qel::Sound* engine = m_sound->GetEngineSound())
    engine->SetPitch(static_cast<float>(PitchFactor(m_variation, shareDraw, parityDraw)));
  m_sound->Play(loop, restart);
}
