// The demo title page of the sub game: a full-screen picture with a forward button into the game
// and an exit button that asks, as the sign-in screen does, whether to leave.
#pragma once

#include <cstdint>
#include <memory>

#include "frontend/SignInScreen.h"

class Background;
class CCSound;
class GameButton;

// A sign-in screen only for its exit dialog: none of the sign-in objects are made and none of its
// per-frame work runs. After "yes" nothing marks the page as leaving: the dialog can be opened
// again while the closing line plays, whose end ends the program.
class SharkTitleScreen : public SignInScreen {
public:
  static constexpr int32_t kButtonDepthForward = 20;
  static constexpr int32_t kButtonDepthExit = 21;

  SharkTitleScreen();
  ~SharkTitleScreen() override;

  // Adds the page's database, starts the music, makes the picture and the two buttons and turns
  // captions off.
  void Activate() override;
  // Deletes the picture and the buttons and removes the database.
  void Deactivate() override;
  // The room's update only.
  void Update() override;
  // Escape opens the exit dialog once the first two updates have passed.
  void OnChar(uint16_t code) override;
  // The end of "0120" ends the program.
  void OnSoundFinished(GameSound* sound) override;
  // The dialog's answers while it is shown; else the exit button opens it and the forward button
  // asks for the page's target.
  void OnObjectClicked(GenericObject* object) override;
  void OnAnimationLooped(GenericObject* object) override;
  void OnSpeechEvent(int id, void* data) override;

  Background* GetTitlePicture() const { return m_titlePicture.get(); }
  GameButton* GetNextButton() const { return m_nextButton.get(); }
  GameButton* GetDemoExitButton() const { return m_demoExitButton.get(); }
  CCSound* GetDemoVoice() const { return m_demoVoice; }

protected:
  // What the hub's page does differently.
  struct Page {
    const char* database;
    int32_t targetNode;
    int32_t exitX;
  };
  explicit SharkTitleScreen(const Page& page);

private:
  void DeleteOwnObjects();

  Page m_page;
  std::unique_ptr<Background> m_titlePicture;
  std::unique_ptr<GameButton> m_nextButton;
  std::unique_ptr<GameButton> m_demoExitButton;
  // In the node's sound list.
  CCSound* m_demoVoice = nullptr;
};
