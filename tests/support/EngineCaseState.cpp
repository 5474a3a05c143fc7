// The engine's process-wide state put back after each case: the scene's automatic names and the
// hook on frame sounds.
#include "graphics/FrameSoundEvent.h"
#include "graphics/SceneObjectGroup.h"
#include "support/CaseState.h"

namespace {

[[maybe_unused]] const bool kRegistered = test::ResetAfterEachCase(test::CaseLayer::kEngine, [] {
  Qel::SceneObjectGroup::RestartAutomaticNamesForTesting();
  Qel::FrameSoundEvent::SetFireHookForTesting(nullptr);
});

}  // namespace
