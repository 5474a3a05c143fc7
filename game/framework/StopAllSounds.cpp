// Stopping every sound of the game but the music.
#include "framework/StopAllSounds.h"

#include "framework/MusicManager.h"
#include "sound/WinSoundManager.h"

void StopAllSounds() {
  Qel::WinSoundManager* manager = Qel::WinSoundManager::Instance();
  for (int channel = 0; channel < MusicManager::kMusicChannel; ++channel) manager->StopChannel(channel);
  manager->Update();
}
