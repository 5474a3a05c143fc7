// The room node: the base of every room, with its speakers, speech queue, voice line, change of node
// behind a loading picture and the exit dialog that saves and quits.
#include "frontend/RoomNode.h"

#include <cstring>

#include "core/Point2.h"
#include "core/Trace.h"
#include "framework/ActivePlayerData.h"
#include "framework/CCSound.h"
#include "framework/CharacterAnimator.h"
#include "framework/Clickable.h"
#include "framework/CurrentPlayer.h"
#include "framework/FEOverlayDialog.h"
#include "framework/GameSound.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/NodeManager.h"
#include "framework/SaveGameManager.h"
#include "framework/SpriteObject.h"
#include "frontend/SpeechQueue.h"

namespace {
constexpr uint16_t kSpace = ' ';
constexpr int32_t kArrowCursor = 0;
constexpr int32_t kHotspotKinds[] = {0, 1, 15};
// The line that says goodbye once the player chose to save and quit; its end ends the program.
constexpr const char* kClosingLine = "5089";
constexpr uint32_t kClosingLineNumber = 5089;
constexpr const char* kStayLine = "5084";
constexpr uint32_t kStayLineNumber = 5084;
}  // namespace

RoomNode::RoomNode() : m_speechQueue(std::make_unique<SpeechQueue>(*this)) {}

RoomNode::~RoomNode() {
  // The node's destructor must not find a dialog that is already gone still attached.
  if (m_exitDialog && GetOverlay() == m_exitDialog.get()) DetachOverlay(m_exitDialog.get());
  m_exitDialog.reset();
  // A room deleted without its deactivation still takes its loading picture out of the node first.
  RemoveLoadingScreen();
}

void RoomNode::Activate() {
  MouseCursor& cursor = MouseCursor::Instance();
  for (const int32_t kind : kHotspotKinds) cursor.SetHotspot(kind, Qel::Point2(kHotspotX, kHotspotY));
  cursor.Show();
  GameNode::Activate();
}

void RoomNode::Deactivate() {
  // The queue holds the speakers, so it goes with them.
  m_speechQueue.reset();
  for (auto& speaker : m_speakers) speaker.reset();
  RemoveLoadingScreen();
  GameNode::Deactivate();
}

void RoomNode::Update() {
  if (m_changePending) {
    if (m_changeDelayPassed) {
      NodeManager::Instance().RequestNode(m_pendingNodeId);
      MouseCursor::Instance().Hide();
      m_pendingNodeId = 0;
      m_changeDelayPassed = false;
      m_changePending = false;
    } else {
      m_changeDelayPassed = true;
    }
  }
  for (auto& speaker : m_speakers) {
    if (speaker) speaker->Update();
  }
  if (m_firstFramesCountdown > 0) {
    if (m_firstFramesCountdown == 1) m_firstFrames = false;
    --m_firstFramesCountdown;
  }
  GameNode::Update();
}

void RoomNode::OnChar(uint16_t code) {
  if (code == kSpace && m_spaceSkipsSpeech) StopSpeech();
}

void RoomNode::OnSoundFinished(GameSound* sound) {
  if (IsSoundNamed(sound, kClosingLine)) GetApp().RequestQuit();
  ForwardSoundFinished(sound);
}

void RoomNode::OnObjectClicked(GenericObject* object) {
  if (!m_exitDialogOpen || !m_exitDialog) return;
  if (m_exitDialog->IsYesButton(object)) {
    SaveProgress();
    m_quitting = true;
    PlayVoiceLine(kClosingLine, kClosingLineNumber);
    MouseCursor::Instance().SetEnabled(false);
    CloseExitDialog(false);
    // Only the end of the closing line ends the program; a line that never started never ends, and
    // the game would stay up with the pointer dead.
    if (!IsSoundPlaying(m_voiceLine)) {
      Qel::Trace("WARN: Closing line '%s' did not start; quitting at once\n", kClosingLine);
      GetApp().RequestQuit();
    }
  } else {
    PlayVoiceLine(kStayLine, kStayLineNumber);
    CloseExitDialog(true);
  }
}

void RoomNode::OnAnimationLooped(GenericObject* object) {
  for (auto& speaker : m_speakers) {
    if (speaker) speaker->OnAnimationLooped(object);
  }
}

void RoomNode::OnAnimationEnded(GenericObject* object) {
  for (auto& speaker : m_speakers) {
    if (speaker) speaker->OnAnimationEnded(object);
  }
}

void RoomNode::OnQuitConfirmed() {
  ActivePlayerData.newResult = 0;
  SaveProgress();
}

void RoomNode::ShowOverlay(Overlay* overlay) {
  if (!overlay) return;
  PresentOverlay(*overlay);
  GetApp().PauseGame();
}

void RoomNode::HideOverlay(Overlay* overlay) {
  if (!overlay) return;
  DismissOverlay(*overlay);
  GetApp().ResumeGame();
}

bool RoomNode::LoadRoomData(const char* dataName, const char* captionName) {
  const bool loaded = LoadTxtData(dataName);
  if (captionName) {
    LoadCaptions(captionName);
    gCaptionsOn = gCaptionsOn ? 1 : 0;
  } else {
    gCaptionsOn = 0;
  }
  // The old queue's speakers are forgotten with it; rooms set theirs again.
  m_speechQueue = std::make_unique<SpeechQueue>(*this);
  return loaded;
}

void RoomNode::SetSpeaker(int32_t slot, const char* bodyName, const char* headName, const char* txtDataName,
                          uint8_t flag, uint8_t bobbing) {
  if (slot < 0 || slot >= kSpeakerCount) return;
  const auto index = static_cast<size_t>(slot);
  if (m_speechQueue) m_speechQueue->SetSpeaker(static_cast<uint32_t>(slot), nullptr);
  m_speakers[index].reset();
  auto* body = dynamic_cast<SpriteObject*>(FindObject(bodyName));
  auto* head = dynamic_cast<SpriteObject*>(FindObject(headName));
  m_speakers[index] = std::make_unique<CharacterAnimator>(body, head, txtDataName, flag, bobbing);
  if (m_speechQueue) m_speechQueue->SetSpeaker(static_cast<uint32_t>(slot), m_speakers[index].get());
}

void RoomNode::QueueLine(uint32_t speaker, const char* soundFile, uint32_t lineNumber) {
  if (m_speechQueue) m_speechQueue->AddLine(speaker, soundFile, lineNumber);
}

void RoomNode::StartSpeech(uint32_t headVariant, bool lockInput, bool skippable) {
  m_spaceSkipsSpeech = skippable;
  if (m_speechQueue) m_speechQueue->Start(headVariant, lockInput);
}

void RoomNode::StopSpeech() {
  if (m_speechQueue && m_speechQueue->IsPlaying()) m_speechQueue->Stop();
}

CharacterAnimator* RoomNode::GetSpeaker(int32_t slot) const {
  if (slot < 0 || slot >= kSpeakerCount) return nullptr;
  return m_speakers[static_cast<size_t>(slot)].get();
}

void RoomNode::SpeakerTalk(int32_t slot, LipSyncSound* sound, uint32_t headVariant) {
  if (CharacterAnimator* speaker = GetSpeaker(slot)) speaker->Talk(sound, static_cast<uint8_t>(headVariant));
}

void RoomNode::SetSpeakersRaised(bool raised) {
  for (auto& speaker : m_speakers) {
    if (speaker) speaker->SetBobbing(raised ? 1 : 0);
  }
}

void RoomNode::SpeakerIdle(int32_t slot) {
  if (CharacterAnimator* speaker = GetSpeaker(slot)) speaker->Idle();
}

void RoomNode::SpeakerPlayMove(int32_t slot, uint32_t sequence, int32_t x, int32_t y) {
  if (CharacterAnimator* speaker = GetSpeaker(slot)) speaker->PlayMove(sequence, x, y);
}

void RoomNode::SetSpeakerOffset(int32_t slot, float x, float y) {
  if (CharacterAnimator* speaker = GetSpeaker(slot)) speaker->SetOffset(x, y);
}

bool RoomNode::IsSpeakerTalking(int32_t slot) const {
  const CharacterAnimator* speaker = GetSpeaker(slot);
  return speaker && speaker->GetState() == CharacterAnimator::kTalking;
}

void RoomNode::ForwardSoundFinished(GameSound* sound) {
  if (m_speechQueue && m_speechQueue->OnSoundFinished(sound)) return;
  for (auto& speaker : m_speakers) {
    if (speaker) speaker->OnSoundFinished(sound);
  }
}

void RoomNode::DisableInput() {
  SetNodeCursorKind(kLockedCursorKind);
  MouseCursor& cursor = MouseCursor::Instance();
  cursor.Show();
  cursor.SetEnabled(false);
}

void RoomNode::EnableInput() {
  SetNodeCursorKind(kArrowCursor);
  MouseCursor& cursor = MouseCursor::Instance();
  cursor.Show();
  cursor.SetEnabled(true);
}

void RoomNode::ChangeNodeWithLoadingScreen(int32_t nodeId, const char* pictureName) {
  StopSpeech();
  HideCaption();
  m_changeDelayPassed = false;
  m_pendingNodeId = nodeId;
  m_changePending = true;
  RemoveLoadingScreen();
  m_loadingScreen = std::make_unique<Clickable>("KxLoadScreenxlm1", pictureName, SpriteObject::kClockGame);
  m_loadingScreen->SetZ(kLoadingScreenDepth);
  AddObject(m_loadingScreen.get());
}

void RoomNode::PlayVoiceLine(const char* soundName, uint32_t lineNumber) {
  if (m_voiceLine) {
    m_voiceLine->Stop();
    ReleaseSound(m_voiceLine);
    m_voiceLine = nullptr;
  }
  m_voiceLine = GetCCSound(soundName, soundName, lineNumber, false);
  if (m_voiceLine) m_voiceLine->Play(false, true);
}

CCSound* RoomNode::ReplaceVoiceLine(const char* soundName, uint32_t lineNumber, CCSound* previous) {
  if (previous) {
    previous->Stop();
    ReleaseSound(previous);
  }
  CCSound* sound = GetCCSound(soundName, soundName, lineNumber, false);
  if (sound) sound->Play(false, true);
  return sound;
}

void RoomNode::OpenExitDialog() {
  if (m_quitting) return;
  StopSpeech();
  GetSounds().PauseAll();
  GetApp().PauseGame();
  if (m_exitDialog) {
    DetachOverlay(m_exitDialog.get());
    m_exitDialog.reset();
  }
  m_exitDialog = std::make_unique<FEOverlayDialog>("SIExitDlg", "DialogBox", "Pilo_Yes", "Pilo_No", -1);
  m_exitDialog->LoadCaptions("SignIn");
  m_exitDialog->SetPrompt("0100", "0100", 100);
  ShowOverlay(m_exitDialog.get());
  m_exitDialogOpen = true;
}

void RoomNode::CloseExitDialog(bool resumeSounds) {
  if (resumeSounds) GetSounds().ResumeAll();
  GetApp().ResumeGame();
  if (m_exitDialog) HideOverlay(m_exitDialog.get());
  m_exitDialogOpen = false;
}

void RoomNode::RoomHook() {}

void RoomNode::RemoveLoadingScreen() {
  if (!m_loadingScreen) return;
  RemoveObject(m_loadingScreen.get());
  m_loadingScreen.reset();
}

void RoomNode::SaveProgress() {
  CurrentPlayer::Instance().AssignByValue(ActivePlayerData);
  SaveGameManager::Instance().SaveCurrentSlot();
}
