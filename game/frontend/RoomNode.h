// The room node: the base of every room, with its speakers, speech queue, voice line, change of node
// behind a loading picture and the exit dialog that saves and quits.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "framework/GameNode.h"

class CCSound;
class CharacterAnimator;
class Clickable;
class FEOverlayDialog;
class GameSound;
class GenericObject;
class LipSyncSound;
class Overlay;
class SpeechQueue;

// Rooms talk through up to nine speakers and one speech queue; they load their own text data and
// captions through LoadRoomData. A change of node shows the loading picture for at least one frame
// before the node is requested. Overlays shown by a room leave the room's sounds alone, and the
// exit dialog pauses and resumes them itself.
class RoomNode : public GameNode {
public:
  static constexpr int kSpeakerCount = 9;
  // The cursor kind shown while the speech queue locks input.
  static constexpr int32_t kLockedCursorKind = 12;
  // Depth of the loading picture: above the room's objects, below the caption panel.
  static constexpr int32_t kLoadingScreenDepth = 9800;
  // Where the arrow's point lies in the pictures of cursor kinds 0, 1 and 15.
  static constexpr int32_t kHotspotX = 22;
  static constexpr int32_t kHotspotY = 21;

  // A new, empty speech queue bound to the room.
  RoomNode();
  // Deletes the exit dialog (detached first while it is shown) and the loading picture, then the node.
  ~RoomNode() override;

  // The cursor's hot spots, the cursor shown, then the node's activation.
  void Activate() override;
  // Deletes the speakers, the speech queue and the loading picture, then the node's deactivation.
  void Deactivate() override;
  // The change of node, the speakers, the first-frames countdown, then the node's update.
  void Update() override;
  // Space stops the speech queue while it is skippable.
  void OnChar(uint16_t code) override;
  // "5089" (the closing line) ends the program; then as ForwardSoundFinished.
  void OnSoundFinished(GameSound* sound) override;
  // The exit dialog's buttons; any other click does nothing.
  void OnObjectClicked(GenericObject* object) override;
  void OnAnimationLooped(GenericObject* object) override;
  void OnAnimationEnded(GenericObject* object) override;
  // Saves the player's progress before the node's quit dialog ends the program.
  void OnQuitConfirmed() override;
  // Saves the cursor's kind, visible and enabled flags, shows the arrow, attaches and shows the
  // overlay and pauses the game; the room's sounds are left alone.
  void ShowOverlay(Overlay* overlay) override;
  // Hides and detaches the overlay, restores the cursor and resumes the game.
  void HideOverlay(Overlay* overlay) override;

  // The room's text data goes to SetTxtValue. With a caption resource its captions are loaded and
  // the process-wide caption switch keeps its value (as 0 or 1); without one captions are turned off.
  // The speech queue is made afresh, so speakers are set after this call. False when the text data
  // is missing.
  bool LoadRoomData(const char* dataName, const char* captionName);

  // Speaker slots 0 to 8; an empty or out-of-range slot makes every speaker operation do nothing.
  void SetSpeaker(int32_t slot, const char* bodyName, const char* headName, const char* txtDataName,
                  uint8_t flag, uint8_t bobbing);
  void QueueLine(uint32_t speaker, const char* soundFile, uint32_t lineNumber);
  void StartSpeech(uint32_t headVariant, bool lockInput, bool skippable);
  void StopSpeech();
  void SpeakerTalk(int32_t slot, LipSyncSound* sound, uint32_t headVariant);
  void SetSpeakersRaised(bool raised);
  void SpeakerIdle(int32_t slot);
  void SpeakerPlayMove(int32_t slot, uint32_t sequence, int32_t x, int32_t y);
  void SetSpeakerOffset(int32_t slot, float x, float y);
  bool IsSpeakerTalking(int32_t slot) const;
  // The queue first; a sound it does not take goes to every speaker.
  void ForwardSoundFinished(GameSound* sound);
  // The speech queue's input lock: the waiting cursor, shown and disabled; then the arrow again.
  void DisableInput();
  void EnableInput();

  // Shows the loading picture and requests the node two updates later; a second call before the
  // request replaces picture and target.
  void ChangeNodeWithLoadingScreen(int32_t nodeId, const char* pictureName);
  // The room's one voice line: the previous one stops, the new one plays once with its caption.
  void PlayVoiceLine(const char* soundName, uint32_t lineNumber);
  // The same for a line the caller keeps: stops and releases previous, answers the new one.
  CCSound* ReplaceVoiceLine(const char* soundName, uint32_t lineNumber, CCSound* previous);

  // Asks whether to save and quit; nothing once "yes" has been chosen.
  void OpenExitDialog();
  void CloseExitDialog(bool resumeSounds);

  // Reserved for rooms; does nothing.
  virtual void RoomHook();

  bool IsExitDialogOpen() const { return m_exitDialogOpen; }
  FEOverlayDialog* GetExitDialog() const { return m_exitDialog.get(); }
  CharacterAnimator* GetSpeaker(int32_t slot) const;
  // Null when the queue could not be made.
  SpeechQueue* GetSpeechQueue() const { return m_speechQueue.get(); }
  int32_t GetPendingNodeId() const { return m_pendingNodeId; }
  bool IsChangeDelayPassed() const { return m_changeDelayPassed; }
  bool IsChangePending() const { return m_changePending; }
  Clickable* GetLoadingScreen() const { return m_loadingScreen.get(); }
  bool IsFirstFrames() const { return m_firstFrames; }
  CCSound* GetVoiceLine() const { return m_voiceLine; }
  bool DoesSpaceSkipSpeech() const { return m_spaceSkipsSpeech; }
  bool IsQuitting() const { return m_quitting; }

protected:
  // The active player's progress becomes the current player's and the current slot is written.
  static void SaveProgress();

private:
  void RemoveLoadingScreen();

  bool m_exitDialogOpen = false;
  std::unique_ptr<FEOverlayDialog> m_exitDialog;
  std::array<std::unique_ptr<CharacterAnimator>, kSpeakerCount> m_speakers;
  std::unique_ptr<SpeechQueue> m_speechQueue;
  int32_t m_pendingNodeId = 0;
  bool m_changeDelayPassed = false;
  bool m_changePending = false;
  std::unique_ptr<Clickable> m_loadingScreen;
  bool m_firstFrames = true;
  int32_t m_firstFramesCountdown = 2;
  CCSound* m_voiceLine = nullptr;
  bool m_spaceSkipsSpeech = true;
  bool m_quitting = false;
};
