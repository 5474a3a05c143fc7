// The particle: a short-lived sprite object that an emitter click point throws out.
#pragma once

#include "framework/SpriteObject.h"

class GameNode;

// Shown, it joins the node manager's current node; its animation's end takes it out of that node
// again. It remembers the node it joined and leaves that one: the manager has no current node while
// the old one is deactivated, which is when the emitter, and with it the particle, is deleted.
class Particle : public SpriteObject {
public:
  Particle(const char* objectName, const char* spriteName, int clockKind);
  // Leaves its node.
  ~Particle() override;

  // Joins the current node unless it is in a node already; without a current node nothing happens.
  void Show();
  // Leaves the node it joined; nothing when it joined none.
  void Hide();
  // Hides; no end event is posted.
  bool OnAnimationEnded() override;

  // Null while in no node.
  GameNode* GetNode() const { return m_node; }

private:
  GameNode* m_node = nullptr;
};
