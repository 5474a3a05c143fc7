// The swim game's navigation bar.
#include "game6/Game6Hud.h"

#include "framework/ActiveGameButton.h"
#include "framework/Ambient.h"

Game6Node::Game6Hud::Game6Hud(Game6Node& node) : Hud("Game6Hud"), m_node(node) {}

Game6Node::Game6Hud::~Game6Hud() = default;

bool Game6Node::Game6Hud::OnLeftButtonDown(const InputEventInfo& input) {
  return Hud::OnLeftButtonDown(input);
}

bool Game6Node::Game6Hud::OnLeftButtonUp(const InputEventInfo& input) {
  return Hud::OnLeftButtonUp(input);
}

bool Game6Node::Game6Hud::OnObjectClicked(GenericObject*) {
  return false;
}

void Game6Node::Game6Hud::SetLevel(int32_t) {}
void Game6Node::Game6Hud::SetScore(int32_t) {}
void Game6Node::Game6Hud::SetScallops(int32_t) {}
void Game6Node::Game6Hud::SetClock(int32_t) {}
void Game6Node::Game6Hud::AfterLevelChange() {}
