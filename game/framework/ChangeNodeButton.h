// The change-node button: a game button whose click asks the node manager for another node.
#pragma once

#include <cstdint>

#include "framework/GameButton.h"

class ChangeNodeButton : public GameButton {
public:
  // On the game clock, with the click sound "butdown" from "ButtonDown"; the target comes from the
  // key "targetnode".
  ChangeNodeButton(const char* objectName, const char* spriteName);
  // On the game clock, without a click sound.
  ChangeNodeButton(const char* objectName, const char* spriteName, int32_t targetNode);

  // "targetnode", a node name, after the keys of Clickable.
  void SetProperty(const char* key, const char* value) override;
  // A click requests the target node; the switch comes at the next frame.
  bool OnLeftButtonUp(const InputEventInfo& input) override;

  int32_t GetTargetNode() const { return m_targetNode; }

private:
  int32_t m_targetNode;
};
