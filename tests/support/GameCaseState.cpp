// The game's process-wide state put back after each case: the application object, the node, music
// managers, the cursor, the clocks, the player and save slot, the object classes the game registered, and the
// counters that name sounds and particles. The application goes first, since shutting it down uses the
// others.
#include "framework/ActivePlayerData.h"
#include "framework/ApplicationClock.h"
#include "framework/Clickable.h"
#include "framework/CurrentPlayer.h"
#include "framework/EmitterClickPoint.h"
#include "framework/ExtraObjectFactory.h"
#include "framework/GameClock.h"
#include "framework/MouseCursor.h"
#include "framework/MultiStateClickPoint.h"
#include "framework/MusicManager.h"
#include "framework/NodeManager.h"
#include "framework/PlayerData.h"
#include "framework/RunSeams.h"
#include "framework/SaveGameManager.h"
#include "framework/SaveOutputStream.h"
#include "framework/WinApp.h"
#include "support/CaseState.h"

namespace {

[[maybe_unused]] const bool kRegistered = test::ResetAfterEachCase(test::CaseLayer::kGame, [] {
  GetWinApp().ResetForTesting();
  NodeManager::Instance().ResetForTesting();
  MusicManager::Instance().ResetForTesting();
  MouseCursor::Instance().ResetForTesting();
  for (Qel::Clock* clock : {static_cast<Qel::Clock*>(&ApplicationClock::Instance()),
                            static_cast<Qel::Clock*>(&GameClock::Instance())}) {
    clock->Pause(false);
    clock->SetTime(0);
  }
  ResetFrameTimeForTesting();
  ActivePlayerData = PlayerData();
  CurrentPlayer::Instance().Reset();
  SaveGameManager::Instance().SetCurrentSlot(SaveGameManager::kNoSlot);
  SaveOutputStream::SetStreamHookForTesting(nullptr);
  ForgetExtraObjectClassesForTesting();
  Clickable::RestartClickSoundNamesForTesting();
  EmitterClickPoint::RestartParticleNamesForTesting();
  MultiStateClickPoint::RestartStateSoundNamesForTesting();
});

}  // namespace
