// The game node: the base of every screen, room and mini-game, driven by the node manager.
#include "framework/GameNode.h"

#include <cstring>

#include "core/EventManager.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/GameSpriteLoader.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/MoviePlayer.h"
#include "graphics/DrawingSurface.h"

namespace {
constexpr int kSubscribedKinds[] = {kEventAppState, kEventGameObject, kEventCharacter, kEventInput,
                                    kEventSound};
}

GameNode::GameNode() {
  // Each node starts with an empty sprite cache.
  RenewSpriteLoader();
  m_scene = std::make_shared<Qel::Scene>();
  m_scene->GetWorld().SetName("Node scene");

  MouseCursor& cursor = MouseCursor::Instance();
  cursor.Attach(*m_scene);
  cursor.Show();
  cursor.SetEnabled(true);
}

GameNode::~GameNode() {
  MouseCursor::Instance().Detach(*m_scene);
  m_scene.reset();
  ReleaseSpriteLoader();
}

void GameNode::Activate() {
  Qel::EventManager* events = Qel::EventManager::GetInstance();
  for (const int kind : kSubscribedKinds) events->AddListener(kind, this);
  MouseCursor::Instance().SetCursor(m_nodeCursorKind);
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

void GameNode::Draw() {
  Qel::DisplayDevice* display = GetApp().GetDisplay();
  Qel::DrawingSurface* target = display ? display->GetBackBuffer() : nullptr;
  if (!target) return;
  // While a movie plays it is shown in place of the scene.
  MoviePlayer& movies = MoviePlayer::Instance();
  if (movies.IsPlaying()) {
    movies.Draw(target);
    return;
  }
  const Qel::Box3 view(0, 0, 0, 800, 600, 10000);
  m_scene->Draw(*target, view, Qel::Point2(0, 0));
}

void GameNode::SetName(const char* name) {
  if (!name) name = "";
  std::strncpy(m_name, name, kNameCapacity - 1);
  m_name[kNameCapacity - 1] = '\0';
}
