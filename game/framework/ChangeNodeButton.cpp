// The change-node button: a game button whose click asks the node manager for another node.
#include "framework/ChangeNodeButton.h"

#include <memory>

#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "platform/win/kernel/AsciiCase.h"

ChangeNodeButton::ChangeNodeButton(const char* objectName, const char* spriteName)
    : GameButton(objectName, spriteName, kClockGame), m_targetNode(kNodeNone) {
  ReplaceClickSound(std::make_unique<GameSound>("butdown", "ButtonDown", true, false));
}

ChangeNodeButton::ChangeNodeButton(const char* objectName, const char* spriteName, int32_t targetNode)
    : GameButton(objectName, spriteName, kClockGame), m_targetNode(targetNode) {}

void ChangeNodeButton::SetProperty(const char* key, const char* value) {
  GameButton::SetProperty(key, value);
  if (plat::EqualsIgnoringCase(key, "targetnode")) m_targetNode = NodeStringToID(value);
}

bool ChangeNodeButton::OnLeftButtonUp(const InputEventInfo& input) {
  const bool clicked = GameButton::OnLeftButtonUp(input);
  if (clicked) NodeManager::Instance().RequestNode(m_targetNode);
  return clicked;
}
