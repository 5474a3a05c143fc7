// The shell game's shells: opening, closing, slides and the exchange of the blenny at a swap's end.
#include "game8/GameShell.h"

#include "core/EventManager.h"
#include "framework/GameEvents.h"
#include "framework/SpriteObject.h"
#include "game8/IGameShellEvents.h"
#include "graphics/SceneObject.h"

GameShell::GameShell(SpriteObject* object, IGameShellEvents* listener) : m_object(object) {
  s_listener = listener;
  s_speed = 1.0f;
  Qel::EventManager::GetInstance()->AddListener(kEventGameObject, this);
}

GameShell::~GameShell() {
  if (Qel::EventManager::Exists())
    Qel::EventManager::GetInstance()->RemoveListenerFromType(kEventGameObject, this);
}

void GameShell::HandleEvent(int kind, int id, void* data) {
  if (kind == kEventGameObject && id == kEventAnimationEnded) OnAnimationEnded(static_cast<GenericObject*>(data));
}

void GameShell::SetNeighbours(GameShell* a, GameShell* b) {
  m_neighbourA = a;
  m_neighbourB = b;
}

void GameShell::Open() {
  if (m_hasBlenny && s_blenny && m_object) {
    PlaceBlenny(*s_blenny);
    if (s_blenny->GetSceneObject()) s_blenny->GetSceneObject()->Show();
  }
  if (!m_object || m_object->GetAnimationId() == kOpening) return;
  m_object->SetAnimation(kOpening, 0);
  if (s_listener) s_listener->OnShellOpen(this, true);
}

void GameShell::PlaceBlenny(GenericObject& blenny) {
  blenny.SetPositionAndZ(m_object->GetX(), m_object->GetY(), m_object->GetZ() - 1);
}

void GameShell::Close() {
  if (m_object) m_object->SetAnimation(kClosing, 0);
  if (s_listener) s_listener->OnShellClose(this, true);
}

void GameShell::SetBlenny(bool hasBlenny, GenericObject* blenny) {
  m_hasBlenny = hasBlenny;
  if (blenny) s_blenny = blenny;
}

void GameShell::SetLayers(int32_t lead, int32_t rest, int32_t follow) {
  s_leadLayer = lead;
  s_restLayer = rest;
  s_followLayer = follow;
}

void GameShell::SetSpeed(float factor) {
  s_speed = factor;
}

void GameShell::Slide(int32_t depth, uint32_t animation) {
  if (!m_object) return;
  m_object->SetZ(depth);
  m_object->SetAnimation(animation, 0);
  m_object->SetAnimationSpeed(s_speed);
}

void GameShell::OnAnimationEnded(GenericObject* object) {
  if (!m_object || object != m_object) return;
  switch (m_object->GetAnimationId()) {
    case kClosing:
      if (s_listener) s_listener->OnShellClose(this, false);
      if (m_hasBlenny && s_blenny && s_blenny->GetSceneObject()) s_blenny->GetSceneObject()->Hide();
      m_object->SetAnimation(kRest, 0);
      break;
    case kOpening:
      if (s_listener) s_listener->OnShellOpen(this, false);
      break;
    case kFollowToA:
    case kFollowToB: {
      GameShell* partner = m_object->GetAnimationId() == kFollowToA ? m_neighbourA : m_neighbourB;
      m_object->SetZ(s_restLayer);
      if (partner) {
        const bool mine = m_hasBlenny;
        m_hasBlenny = partner->m_hasBlenny;
        partner->m_hasBlenny = mine;
        if (partner->m_object) partner->m_object->SetZ(s_restLayer);
      }
      m_object->SetAnimation(kRest, 0);
      m_object->SetAnimationSpeed(s_speed);
      if (s_listener) s_listener->OnSwapFinished();
      break;
    }
    default:
      // The end of a leading slide changes nothing: the shell keeps its last frame until the next
      // animation starts.
      break;
  }
}
