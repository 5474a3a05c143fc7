// Placeholders for the node's layout, steering, camera and collision methods, so that the node
// builds before they are written; this file is replaced by the real layout and tables.
#include "game6/Game6Node.h"

void Game6Node::StartLevel(int32_t) {}
void Game6Node::BuildLevelItems(int32_t) {}
void Game6Node::ClearLevel() {}
void Game6Node::SteerFish() {}
void Game6Node::MoveFish(int32_t) {}
bool Game6Node::CheckCollisions() { return false; }
bool Game6Node::Collides(GenericObject*, GenericObject*) { return false; }
int32_t Game6Node::DirectionToAnimation(int32_t) { return 0; }
void Game6Node::DirectionToMask() {}
void Game6Node::ClearMoveInput() {}
void Game6Node::UpdateSteering() {}
void Game6Node::ClampFishOffsets() {}
void Game6Node::AnchorFishTo(GenericObject*) {}
void Game6Node::AnchorFishToCamera() {}
void Game6Node::PlaceFish() {}
void Game6Node::PlaceCompanion() {}
void Game6Node::SyncFishAndCompanion() {}
bool Game6Node::CheckLeftEdge() { return false; }
void Game6Node::UpdateCamera() {}
void Game6Node::ShowBackgroundPanels(int32_t) {}
int32_t Game6Node::ScaleBySpeed(int32_t n) const { return n; }
void Game6Node::ReactionStep() {}
void Game6Node::AddHoop(CHoop*) {}
void Game6Node::RemoveHoop(CHoop*) {}
void Game6Node::RemoveTwinAtEnd(int32_t, int32_t, int32_t) {}
void Game6Node::RemoveTwinAtStart(int32_t, int32_t, int32_t) {}
