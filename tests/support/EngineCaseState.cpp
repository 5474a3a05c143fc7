// The engine's process-wide state put back after each case: the scene's automatic names, the hook
// on frame sounds, the sound manager and the event manager.
#include "core/EventManager.h"
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
  // Last, as the application's own shut-down does: what went before may still have posted to it.
  Qel::EventManager::DestroyInstance();
});

}  // namespace
