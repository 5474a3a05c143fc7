// The sign-in screen: the player picks one of six portrait slots, plays, deletes a saved player or
// leaves the game, guided by a chain of spoken lines while the slot buttons bob.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "frontend/ProgressNode.h"
#include "frontend/SIBobbingMgr.h"

class ActiveGameButton;
class Ambient;
class CCSound;
class Clickable;
class FEOverlayDialog;
class GameButton;
class GameSound;
class GenericObject;
class SpriteObject;
class TextObject;

// A used slot has a save file, an empty one starts a new player. Nothing here writes a save file:
// the hub saves the player it receives, and the screen only deletes a slot the player chose to
// delete. The voice state tells what the spoken chain is doing: 0 the first greeting (no slot used),
// 1 and 2 the greetings of returning players, 3 idle (idle prompts follow 31 s without a click).
class SignInScreen : public ProgressNode {
public:
  static constexpr int32_t kSlotCount = 6;
  static constexpr int32_t kNoSlot = -1;
  static constexpr int32_t kGreetingNew = 0;
  static constexpr int32_t kGreetingReturning = 1;
  static constexpr int32_t kGreetingAgain = 2;
  static constexpr int32_t kVoiceIdle = 3;
  // Game-clock milliseconds without a click before an idle prompt.
  static constexpr uint32_t kIdlePromptMs = 31000;
  // Game-clock milliseconds between two switches of the fish's animation.
  static constexpr uint32_t kFishSwitchMs = 10000;
  static constexpr int32_t kSlotButtonDepth = 101;
  static constexpr int32_t kBubbleStreamCount = 5;
  static constexpr int32_t kBuildVersion = 74;
  // Where slot button i stands.
  static constexpr int32_t kSlotX[kSlotCount] = {278, 286, 155, 157, 278, 154};
  static constexpr int32_t kSlotY[kSlotCount] = {75, 201, 199, 338, 325, 54};
  // The object-definition files: with and without the display's alpha blending.
  static constexpr const char* kObjectFile = "SignInObjs";
  static constexpr const char* kObjectFileNoAlpha = "SignInObjs_sdl";

  SignInScreen();
  ~SignInScreen() override;

  // Loads the screen, its own objects and slot buttons, starts the music and the greeting, and
  // selects the slot of a player who comes back from the hub. A definition file without "portrait",
  // "Playbut" or "Deletebut" (both active game buttons) or "ccOnOff" ends the program through the
  // thrown text naming the object and the file.
  void Activate() override;
  // Drops the dialog, stops the music, deletes the objects it made and removes the database.
  void Deactivate() override;
  // The bobbing, the fish, the idle prompts, then the progress room's update.
  void Update() override;
  // Escape opens the exit dialog, once the first two updates have passed and unless the delete
  // confirmation is open or the player is leaving.
  void OnChar(uint16_t code) override;
  // The end of "0120" ends the program; the spoken chain takes its next step.
  void OnSoundFinished(GameSound* sound) override;
  void OnObjectClicked(GenericObject* object) override;
  void OnAnimationLooped(GenericObject* object) override;
  // The screen reads no keys of its text data.
  void SetTxtValue(const char* key, const char* value) override;

  // A slot 0 to 5 shows its portrait, loads its player (a fresh record when that fails), whose
  // caption switch the toggle then shows, and enables play; any other number selects nothing and
  // leaves a fresh record.
  void SelectSlot(int32_t slot);
  // Makes the six slot buttons afresh, used or unused as the save files now are.
  void RefreshSlots();
  // The lowest slot whose save file exists, or kNoSlot.
  int32_t FirstUsedSlot();
  // The screen's one spoken line: the line before is stopped and let go.
  void PlayVoice(const char* name, uint32_t number);
  void StopVoice();
  void OpenExitDialog();
  void CloseExitDialog(bool resumeSounds);
  void OpenDeleteDialog();
  void CloseDeleteDialog();

  bool IsExitDialogShown() const { return m_exitDialogShown; }
  bool IsDeleteDialogOpen() const { return m_confirmDialogOpen; }
  FEOverlayDialog* GetDialog() const { return m_dialog.get(); }
  int32_t GetSelectedSlot() const { return m_selectedSlot; }
  SpriteObject* GetPortrait() const { return m_portrait; }
  ActiveGameButton* GetPlayButton() const { return m_playButton; }
  ActiveGameButton* GetDeleteButton() const { return m_deleteButton; }
  Clickable* GetCaptionToggle() const { return m_captionToggle; }
  ActiveGameButton* GetExitButton() const { return m_exitButton.get(); }
  Clickable* GetFakePortrait() const { return m_fakePortrait.get(); }
  ActiveGameButton* GetHelpButton() const { return m_helpButton.get(); }
  GameButton* GetSlotButton(int32_t slot) const;
  Ambient* GetFloaterFish() const { return m_floaterFish.get(); }
  Ambient* GetBubbleStream(int32_t index) const;
  const SIBobbingMgr& GetBobbing() const { return m_bobbing; }
  CCSound* GetVoice() const { return m_voice; }
  int32_t GetVoiceState() const { return m_voiceState; }
  int32_t GetLastIdleLine() const { return m_lastIdleLine; }
  TextObject* GetVersionText() const { return m_versionText.get(); }
  bool IsLeaving() const { return m_quitting; }

private:
  // The object-definition file this display loads.
  static const char* ObjectFile();
  bool SelectedSlotExists();
  // The caption switch of the saved record, as 0 or 1.
  static uint8_t RecordCaptions();
  // The process-wide switch and the record's follow the toggle's look (1 on, 0 off).
  void CaptionsFollowToggle();
  // The toggle and the process-wide switch show the record's switch: a chosen player's own.
  void ShowRecordCaptions();
  // The play button's resting look: enabled with its first look while a slot is selected, else
  // disabled.
  void RestPlayButton();
  // An exit or help button back in play after the chain spoke of it.
  static void RestChainButton(ActiveGameButton* button);
  // The delete button after a returning player's greeting: in play, shown only for a used slot.
  void RestDeleteButton();
  // Ends the spoken chain for a click that goes elsewhere: what it highlighted returns to rest
  // before the click is acted on, since the chain's later steps will not come.
  void StopChain();
  // The greeting by the slots' save files and their players' second flags.
  void StartGreeting();
  void PlayOnSelectedSlot();
  void ClickCaptionToggle();
  void OpenHelp();
  // The exit and the delete dialogs' shared opening.
  void OpenDialog(const char* name, const char* box, int32_t portrait, const char* prompt, int32_t line);
  void DropDialog();
  void UpdateFish(uint32_t now);
  void UpdateIdlePrompt(uint32_t now);
  // The objects that Activate made leave the node and are deleted.
  void DeleteOwnObjects();
  void DeleteSlotButtons();
  // Adds an object that the screen made, placed and keeps (its depth sets its place in the list).
  template <typename T>
  T* Keep(std::unique_ptr<T>& holder, std::unique_ptr<T> object);

  bool m_exitDialogShown = false;
  std::unique_ptr<FEOverlayDialog> m_dialog;
  int32_t m_selectedSlot = kNoSlot;
  // Objects of the definition file; the node deletes them.
  SpriteObject* m_portrait = nullptr;
  ActiveGameButton* m_playButton = nullptr;
  ActiveGameButton* m_deleteButton = nullptr;
  // A plain clickable: a button's hover looks would show over its on and off looks.
  Clickable* m_captionToggle = nullptr;
  std::unique_ptr<ActiveGameButton> m_exitButton;
  std::unique_ptr<Clickable> m_fakePortrait;
  std::unique_ptr<ActiveGameButton> m_helpButton;
  std::array<std::unique_ptr<GameButton>, kSlotCount> m_slotButtons;
  bool m_confirmDialogOpen = false;
  std::unique_ptr<Ambient> m_floaterFish;
  SIBobbingMgr m_bobbing;
  std::array<std::unique_ptr<Ambient>, kBubbleStreamCount> m_bubbleStreams;
  int32_t m_fishFlipTime = -1;
  int32_t m_fishFlipState = 0;
  // In the node's sound list.
  CCSound* m_voice = nullptr;
  int32_t m_voiceState = kVoiceIdle;
  int32_t m_idleStart = -1;
  int32_t m_lastIdleLine = 130;
  std::unique_ptr<TextObject> m_versionText;
  bool m_quitting = false;
  bool m_databaseAdded = false;
};
