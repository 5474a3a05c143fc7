// The varying sound: a game sound that plays a little higher or lower each time, by a random share
// of its own rate.
#pragma once

#include <cstdint>

class GameSound;

// The sound is the owner's unless ownsSound is given: the games make theirs through the node's sound
// list, which deletes them.
class VariantSound {
public:
  // The variation is in percent of the wave's own rate; the sound may be null (Play does nothing).
  VariantSound(GameSound* sound, float variation, bool ownsSound = false);
  virtual ~VariantSound();
  VariantSound(const VariantSound&) = delete;
  VariantSound& operator=(const VariantSound&) = delete;

  // Draws a share f of the variation and a parity from the game's generator (two draws), sets the
  // pitch to 1 + f or 1 - f by the parity and plays the sound with (loop, restart).
  virtual void Play(bool loop, bool restart);
  virtual void SetVariation(float percent) { m_variation = percent; }
  virtual float GetVariation() const { return m_variation; }

  GameSound* GetSound() const { return m_sound; }
  bool OwnsSound() const { return m_ownsSound; }

  // The factor that Play gives the pitch for those two draws.
  static double PitchFactor(float variation, int shareDraw, int parityDraw);

private:
  bool m_ownsSound;
  float m_variation;
  GameSound* m_sound;
};
