// The process-wide registry of sounds: made on first use and destroyed at shut-down.
#pragma once

namespace Qel {

// It lists nothing: the sound manager's channels are what keeps track of the sounds that play.
// Only its life has an effect, and shut-down ends it in its fixed place.
class SoundRegistry {
public:
  // After Destroy the next call makes a new one.
  static SoundRegistry* Instance();
  static void Destroy();
  static bool Exists();

  SoundRegistry(const SoundRegistry&) = delete;
  SoundRegistry& operator=(const SoundRegistry&) = delete;

private:
  SoundRegistry() = default;
  ~SoundRegistry() = default;
};

}  // namespace Qel
