// The demo title page of the music game: a full-screen picture, a button into the game and one that
// ends the program at once.
#pragma once

#include <memory>

#include "frontend/RoomNode.h"

class Background;
class ChangeNodeButton;
class ExitButton;

// The page leaves the cursor as it finds it, and the node's own quit dialog answers Escape.
class TribalTitleScreen : public RoomNode {
public:
  TribalTitleScreen();
  ~TribalTitleScreen() override;

  // The node's activation, not the room's; then the database, the picture and the two buttons.
  void Activate() override;
  // Deletes the picture and the buttons and removes the database.
  void Deactivate() override;

  Background* GetTitlePicture() const { return m_titlePicture.get(); }
  ChangeNodeButton* GetNextButton() const { return m_nextButton.get(); }
  ExitButton* GetDemoExitButton() const { return m_demoExitButton.get(); }

private:
  void DeleteOwnObjects();

  std::unique_ptr<Background> m_titlePicture;
  std::unique_ptr<ChangeNodeButton> m_nextButton;
  std::unique_ptr<ExitButton> m_demoExitButton;
};
