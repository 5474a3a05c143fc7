// The swim game's node: activation, the state steps, clock, score, prizes and the continue dialog.
#include "game6/Game6Node.h"

#include "framework/Background.h"
#include "framework/FEOverlayDialog.h"
#include "framework/GameButton.h"
#include "framework/NPC.h"
#include "game6/Game6Hud.h"

Game6Node::Game6Node() = default;

Game6Node::~Game6Node() = default;

void Game6Node::Activate() {
  ProgressNode::Activate();
}

void Game6Node::Deactivate() {
  ProgressNode::Deactivate();
}

void Game6Node::Update() {
  ProgressNode::Update();
}

void Game6Node::OnChar(uint16_t code) {
  ProgressNode::OnChar(code);
}

void Game6Node::OnKeyDown(uint16_t) {}

void Game6Node::Resume(void* data) {
  ProgressNode::Resume(data);
}

void Game6Node::OnObjectClicked(GenericObject* object) {
  ProgressNode::OnObjectClicked(object);
}

void Game6Node::OnAnimationEnded(GenericObject* object) {
  RoomNode::OnAnimationEnded(object);
}

void Game6Node::OnSpeechEvent(int id, void* data) {
  ProgressNode::OnSpeechEvent(id, data);
}

void Game6Node::SetTxtValue(const char*, const char*) {}

void Game6Node::NextLevel() {}
void Game6Node::PreviousLevel() {}
void Game6Node::ShowScore() {}
void Game6Node::PlayStep() {}
void Game6Node::RestartLevel() {}
void Game6Node::OpenContinueDialog() {}
void Game6Node::CloseContinueDialog(bool) {}
int32_t Game6Node::SegmentLength(int32_t) { return 17400; }
int32_t Game6Node::TimeBonus(uint32_t) const { return 0; }
void Game6Node::StopIfPlaying(GameSound*) {}
void Game6Node::PlayOnce(GameSound*, float) {}
void Game6Node::ChangeMusic(const char*, bool) {}
uint32_t Game6Node::Now() { return 0; }
int32_t Game6Node::Random() { return 0; }
bool Game6Node::IsShieldOn() const { return false; }
Background* Game6Node::GetBackground(int32_t) const { return nullptr; }
bool Game6Node::IsPanelAttached(int32_t) const { return false; }
