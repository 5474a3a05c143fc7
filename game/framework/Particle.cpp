// The particle: a short-lived sprite object that an emitter click point throws out.
#include "framework/Particle.h"

#include "framework/GameNode.h"
#include "framework/NodeManager.h"

Particle::Particle(const char* objectName, const char* spriteName, int clockKind)
    : SpriteObject(objectName, spriteName, clockKind) {}

Particle::~Particle() {
  Hide();
}

void Particle::Show() {
  if (m_node) return;
  GameNode* node = NodeManager::Instance().GetCurrentNode();
  if (!node) return;
  node->AddObject(this);
  m_node = node;
}

void Particle::Hide() {
  if (!m_node) return;
  GameNode* node = m_node;
  m_node = nullptr;
  node->RemoveObject(this);
}

bool Particle::OnAnimationEnded() {
  Hide();
  return true;
}
