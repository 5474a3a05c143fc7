// The demo title page of the music game.
#include "frontend/TribalTitleScreen.h"

#include "core/DatabaseManager.h"
#include "framework/Background.h"
#include "framework/ChangeNodeButton.h"
#include "framework/ExitButton.h"
#include "framework/NodeId.h"

namespace {
constexpr const char* kDatabase = "TribalDemo";
}

TribalTitleScreen::TribalTitleScreen() = default;

TribalTitleScreen::~TribalTitleScreen() {
  // A page deleted without its deactivation still takes its objects out of the node.
  DeleteOwnObjects();
}

void TribalTitleScreen::Activate() {
  // The node's own activation: the page keeps the cursor's hot spots and visibility as they were.
  GameNode::Activate();
  Qel::DatabaseManager::GetInstance()->AddDatabase(kDatabase);
  m_titlePicture = std::make_unique<Background>("Tribaltitle1", "loading_tribal");
  m_titlePicture->SetPositionAndZ(0.0f, 0.0f, 0);
  AddObject(m_titlePicture.get());
  m_nextButton = std::make_unique<ChangeNodeButton>("Demonext1", "SignInPlayBut", kNodeGame3);
  m_nextButton->SetPositionAndZ(703.0f, 530.0f, 20);
  AddObject(m_nextButton.get());
  m_demoExitButton = std::make_unique<ExitButton>("DemoExit1", "ActBackArrow");
  m_demoExitButton->SetPositionAndZ(5.0f, 531.0f, 21);
  AddObject(m_demoExitButton.get());
}

void TribalTitleScreen::Deactivate() {
  DeleteOwnObjects();
  Qel::DatabaseManager::GetInstance()->RemoveDatabase(kDatabase);
  RoomNode::Deactivate();
}

void TribalTitleScreen::DeleteOwnObjects() {
  DropObject(m_nextButton);
  DropObject(m_demoExitButton);
  DropObject(m_titlePicture);
}
