// The engine's process-wide state put back after each case: the scene's automatic names, the hook
// on frame sounds and the sound manager.
#include "graphics/FrameSoundEvent.h"
#include "graphics/SceneObjectGroup.h"
#include "sound/WinSoundManager.h"
#include "support/CaseState.h"

namespace {

[[maybe_unused]] const bool kRegistered = test::ResetAfterEachCase(test::CaseLayer::kEngine, [] {
  Qel::SceneObjectGroup::RestartAutomaticNamesForTesting();
  Qel::FrameSoundEvent::SetFireHookForTesting(nullptr);
  // Its sounds go with it; the next use makes a new one.
  if (Qel::WinSoundManager::Exists()) Qel::WinSoundManager::Instance()->Shutdown();
});

}  // namespace
