// The sound system movies play their sound through: a reference to the game's DirectSound device.
#pragma once

#include "platform/dsound/IDirectSound8.h"

namespace plat::bink {

class BinkSoundSystem {
public:
  // Keeps a reference to the device for as long as it lives.
  explicit BinkSoundSystem(plat::dsound::IDirectSound8& device) : m_device(device) { m_device.AddRef(); }
  ~BinkSoundSystem() { m_device.Release(); }
  BinkSoundSystem(const BinkSoundSystem&) = delete;
  BinkSoundSystem& operator=(const BinkSoundSystem&) = delete;

  plat::dsound::IDirectSound8& Device() const { return m_device; }

private:
  plat::dsound::IDirectSound8& m_device;
};

}  // namespace plat::bink
