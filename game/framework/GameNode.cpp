// The game node: the base of every screen, room and mini-game, driven by the node manager.
#include "framework/GameNode.h"

#include <cstring>

#include "core/EventManager.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/WinApp.h"

namespace {
constexpr int kSubscribedKinds[] = {kEventAppState, kEventGameObject, kEventCharacter, kEventInput,
                                    kEventSound};
}

void GameNode::Activate() {
  Qel::EventManager* events = Qel::EventManager::GetInstance();
  for (const int kind : kSubscribedKinds) events->AddListener(kind, this);
  if (GetApp().IsPaused()) GetApp().ResumeGame();
}

void GameNode::Deactivate() {
  Qel::EventManager* events = Qel::EventManager::GetInstance();
  for (const int kind : kSubscribedKinds) events->RemoveListenerFromType(kind, this);
}

void GameNode::Update() {
  m_lastUpdateTime = GameClock::Instance().GetLastTime();
}

void GameNode::UpdateAlways() {}

void GameNode::SetName(const char* name) {
  if (!name) name = "";
  std::strncpy(m_name, name, kNameCapacity - 1);
  m_name[kNameCapacity - 1] = '\0';
}
