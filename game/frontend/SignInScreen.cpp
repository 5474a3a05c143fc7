// The sign-in screen: six portrait slots, the spoken guide, the delete and exit dialogs.
#include "frontend/SignInScreen.h"

#include <cstdio>
#include <string>

#include "core/Color.h"
#include "core/DatabaseManager.h"
#include "core/Trace.h"
#include "framework/ActiveGameButton.h"
#include "framework/ActivePlayerData.h"
#include "framework/Ambient.h"
#include "framework/AppOptions.h"
#include "framework/CCSound.h"
#include "framework/Clickable.h"
#include "framework/CurrentPlayer.h"
#include "framework/FEOverlayDialog.h"
#include "framework/GameButton.h"
#include "framework/GameClock.h"
#include "framework/GameSound.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/MusicManager.h"
#include "framework/NodeId.h"
#include "framework/SaveGameManager.h"
#include "framework/SpriteObject.h"
#include "framework/TextObject.h"
#include "graphics/SceneObject.h"
#include "sound/Sound.h"

namespace {

constexpr const char* kDatabase = "SignIn";
constexpr const char* kTextData = "SignInData";
constexpr const char* kCaptions = "SignIn";
constexpr const char* kMusic = "Signin_music";
constexpr const char* kLoadingPicture = "loading_gen1";
constexpr int32_t kHelpPage = kNodeSignIn;
constexpr int32_t kHandCursor = 1;

// The looks of the caption toggle's sprite: off, on, and the highlight while the guide speaks of it.
constexpr uint32_t kToggleOff = 0;
constexpr uint32_t kToggleOn = 1;
constexpr uint32_t kToggleHighlight = 2;
// The fish's first animation, before its ten-second switch between 0 and 1 begins.
constexpr uint32_t kFishFirstAnimation = 2;

// The spoken lines, each named and filed under its number.
struct Line {
  const char* name;
  uint32_t number;
};
constexpr Line kFirstGreeting{"0010", 10};
constexpr Line kHelpHint{"0012", 12};
constexpr Line kReturningGreeting{"0030", 30};
constexpr Line kAgainGreeting{"0040", 40};
constexpr Line kReturningDeleteHint{"0050", 50};
constexpr Line kAgainDeleteHint{"0060", 60};
constexpr Line kExitHint{"0070", 70};
constexpr Line kCaptionHint{"0090", 90};
constexpr Line kCaptionHint2{"0091", 91};
constexpr Line kStayLine{"0110", 110};
constexpr Line kClosingLine{"0120", 120};
constexpr Line kIdleLineA{"0130", 130};
constexpr Line kIdleLineB{"0140", 140};
constexpr Line kPlayPrompt{"0150", 150};
constexpr Line kExitPrompt{"0100", 100};
constexpr Line kDeletePrompt{"0171", 171};

// The help page's lines: sound, caption number and page picture.
constexpr Line kHelpIntro{"0020", 20};
constexpr int32_t kHelpIntroPage = 5;
constexpr int32_t kHelpAgainPage = 2;
constexpr int32_t kHelpDeletePage = 3;
constexpr int32_t kHelpExitPage = 4;
constexpr int32_t kHelpCaptionPage = 6;

struct Placed {
  float x;
  float y;
  int32_t z;
};
constexpr Placed kFakePortraitAt{494, 114, 1000};
constexpr int32_t kFakePortraitWidth = 217;
constexpr int32_t kFakePortraitHeight = 245;
constexpr Placed kExitButtonAt{5, 531, 14};
constexpr Placed kFishAt{0, 0, 50};
constexpr Placed kHelpButtonAt{511, 531, 252};
constexpr Placed kVersionTextAt{0, 0, 8000};
constexpr float kBubbleStreamX[SignInScreen::kBubbleStreamCount] = {-36, 108, -386, -164, 334};
// Each stream in front of the one before, but for two that stand further back among the scenery.
constexpr int32_t kBubbleStreamDepths[SignInScreen::kBubbleStreamCount] = {60, 301, 30, 303, 304};
constexpr int32_t kVersionTextSize = 12;

bool IsNamed(const GameSound* sound, const Line& line) {
  return IsSoundNamed(sound, line.name);
}

bool IsShown(const GenericObject* object) {
  return object && object->GetSceneObject() && object->GetSceneObject()->IsVisible();
}

void Place(GenericObject& object, const Placed& at) {
  object.SetPositionAndZ(at.x, at.y, at.z);
}

SaveGameManager& Saves() {
  return SaveGameManager::Instance();
}

}  // namespace

SignInScreen::SignInScreen() = default;

SignInScreen::~SignInScreen() {
  // A screen deleted without its deactivation (one whose activation failed) still takes out of the
  // node what it put there.
  DropDialog();
  DeleteOwnObjects();
}

GameButton* SignInScreen::GetSlotButton(int32_t slot) const {
  if (slot < 0 || slot >= kSlotCount) return nullptr;
  return m_slotButtons[static_cast<size_t>(slot)].get();
}

Ambient* SignInScreen::GetBubbleStream(int32_t index) const {
  if (index < 0 || index >= kBubbleStreamCount) return nullptr;
  return m_bubbleStreams[static_cast<size_t>(index)].get();
}

const char* SignInScreen::ObjectFile() {
  return GetApp().IsAlphaCapable() ? kObjectFile : kObjectFileNoAlpha;
}

template <typename T>
T* SignInScreen::Keep(std::unique_ptr<T>& holder, std::unique_ptr<T> object) {
  if (holder) RemoveObject(holder.get());
  holder = std::move(object);
  AddObject(holder.get());
  return holder.get();
}

void SignInScreen::Activate() {
  ProgressNode::Activate();
  SetQuitAllowed(false);
  SetName("SignIn");
  Qel::DatabaseManager::GetInstance()->AddDatabase(kDatabase);
  m_databaseAdded = true;
  const char* file = ObjectFile();
  LoadObjects(file);
  LoadTxtData(kTextData);

  MusicManager& music = MusicManager::Instance();
  music.QueueMusic(kMusic, true);
  music.PlayNext(true);

  // Every object the screen works with is checked before any is touched.
  m_portrait = RequireObject<SpriteObject>("portrait", file);
  m_playButton = RequireObject<ActiveGameButton>("Playbut", file);
  m_deleteButton = RequireObject<ActiveGameButton>("Deletebut", file);
  m_captionToggle = RequireObject<Clickable>("ccOnOff", file);
  SetShown(m_portrait, false);
  m_playButton->Disable();
  SetShown(m_deleteButton, false);
  m_captionToggle->SetAnimation(RecordCaptions() ? kToggleOn : kToggleOff, 0);

  {
    auto fakePortrait = std::make_unique<Clickable>("FakePortrait", "blank", SpriteObject::kClockGame);
    Place(*fakePortrait, kFakePortraitAt);
    fakePortrait->SetHotspotSize(kFakePortraitWidth, kFakePortraitHeight);
    fakePortrait->SetRolloverCursor(kHandCursor);
    SetShown(fakePortrait.get(), false);
    Keep(m_fakePortrait, std::move(fakePortrait));
  }
  {
    auto exitButton =
        std::make_unique<ActiveGameButton>("ExitBtnSI", "ActBackArrow", SpriteObject::kClockGame);
    Place(*exitButton, kExitButtonAt);
    exitButton->SetClickSound("ButtonDown4");
    exitButton->SetRolloverCursor(kHandCursor);
    Keep(m_exitButton, std::move(exitButton));
  }
  {
    auto fish = std::make_unique<Ambient>("FEFloaterFish1", "SignIn_fishAmbients", SpriteObject::kClockGame);
    Place(*fish, kFishAt);
    fish->SetAnimation(kFishFirstAnimation, 0);
    Keep(m_floaterFish, std::move(fish));
  }
  {
    auto helpButton =
        std::make_unique<ActiveGameButton>("SIHelpm7tk", "HelpButton", SpriteObject::kClockGame);
    Place(*helpButton, kHelpButtonAt);
    helpButton->SetRolloverCursor(kHandCursor);
    helpButton->SetClickSound("ButtonDown");
    Keep(m_helpButton, std::move(helpButton));
  }
  if (!GetApp().IsLowSpec()) {
    for (int32_t i = 0; i < kBubbleStreamCount; ++i) {
      const std::string name = "SIAmbBubbleStrm" + std::to_string(i);
      const char* sprite = i % 2 == 0 ? "Catch_bubblestream" : "Catch_bubblestream2";
      auto stream = std::make_unique<Ambient>(name.c_str(), sprite, SpriteObject::kClockGame);
      stream->SetPositionAndZ(kBubbleStreamX[i], 0, kBubbleStreamDepths[i]);
      Keep(m_bubbleStreams[static_cast<size_t>(i)], std::move(stream));
    }
  }

  RefreshSlots();

  if (GetApp().GetOptions().IsCheatMode()) {
    auto text = std::make_unique<TextObject>("FENameDisplay", "arial", kVersionTextSize);
    Place(*text, kVersionTextAt);
    text->SetColor(Qel::Color(0, 0, 0, 255));
    char version[32];
    std::snprintf(version, sizeof(version), "BUILD VERSION : %i :", kBuildVersion);
    text->SetText(version);
    Keep(m_versionText, std::move(text));
  }

  LoadCaptions(kCaptions);
  gCaptionsOn = RecordCaptions();

  StartGreeting();

  Saves().SetCurrentSlot(SaveGameManager::kNoSlot);
  if (!ActivePlayerData.signedIn) {
    ActivePlayerData = PlayerData();
  } else {
    // The player comes back from the hub to the slot played last.
    const uint32_t slot = ActivePlayerData.saveSlot;
    SelectSlot(slot < static_cast<uint32_t>(kSlotCount) ? static_cast<int32_t>(slot) : kNoSlot);
  }
}

void SignInScreen::StartGreeting() {
  if (FirstUsedSlot() == kNoSlot) {
    m_voiceState = kGreetingNew;
    PlayVoice(kFirstGreeting.name, kFirstGreeting.number);
    m_playButton->ShowActive();
    return;
  }
  // Each probe loads a slot into the record, which the caption toggle shows and which a new player
  // would take over: it is put back as it was before the greeting looked.
  CurrentPlayer& record = CurrentPlayer::Instance();
  const PlayerData progress = record;
  const uint8_t captions = record.captionsOn;
  const uint8_t fresh = record.freshProfile;
  bool someoneReturns = false;
  for (int32_t slot = 0; slot < kSlotCount && !someoneReturns; ++slot) {
    const auto number = static_cast<uint32_t>(slot);
    if (Saves().SlotExists(number) && Saves().LoadSlot(number) && record.freshProfile == 0)
      someoneReturns = true;
  }
  record.AssignByValue(progress);
  record.captionsOn = captions;
  record.freshProfile = fresh;
  if (someoneReturns) {
    m_voiceState = kGreetingReturning;
    PlayVoice(kReturningGreeting.name, kReturningGreeting.number);
  } else {
    m_voiceState = kGreetingAgain;
    PlayVoice(kAgainGreeting.name, kAgainGreeting.number);
  }
}

void SignInScreen::Deactivate() {
  DropDialog();
  MusicManager::Instance().StopMusic();
  DeleteOwnObjects();
  if (m_databaseAdded) Qel::DatabaseManager::GetInstance()->RemoveDatabase(kDatabase);
  m_databaseAdded = false;
  // The definition file's objects go with the node's deactivation.
  m_portrait = nullptr;
  m_playButton = nullptr;
  m_deleteButton = nullptr;
  m_captionToggle = nullptr;
  ProgressNode::Deactivate();
}

void SignInScreen::DropDialog() {
  if (!m_dialog) return;
  if (GetOverlay() == m_dialog.get()) DetachOverlay(m_dialog.get());
  m_dialog.reset();
  m_exitDialogShown = false;
  m_confirmDialogOpen = false;
}

void SignInScreen::DeleteOwnObjects() {
  const auto drop = [this](auto& holder) {
    if (!holder) return;
    RemoveObject(holder.get());
    holder.reset();
  };
  for (auto& stream : m_bubbleStreams) drop(stream);
  drop(m_floaterFish);
  drop(m_helpButton);
  drop(m_versionText);
  drop(m_fakePortrait);
  DeleteSlotButtons();
  drop(m_exitButton);
}

void SignInScreen::DeleteSlotButtons() {
  m_bobbing.SetObjects({});
  for (auto& button : m_slotButtons) {
    if (!button) continue;
    RemoveObject(button.get());
    button.reset();
  }
}

void SignInScreen::RefreshSlots() {
  DeleteSlotButtons();
  std::array<GenericObject*, kSlotCount> buttons{};
  for (int32_t slot = 0; slot < kSlotCount; ++slot) {
    std::string name = "Char" + std::to_string(slot);
    if (Saves().SlotExists(static_cast<uint32_t>(slot))) {
      name += "Used";
    } else {
      name += GetApp().IsAlphaCapable() ? "UnUsed" : "UnUsed_sdl";
    }
    auto button = std::make_unique<GameButton>(name.c_str(), name.c_str(), SpriteObject::kClockGame);
    button->SetPositionAndZ(static_cast<float>(kSlotX[slot]), static_cast<float>(kSlotY[slot]),
                            kSlotButtonDepth);
    button->SetRolloverCursor(kHandCursor);
    button->SetClickSound("ButtonDown");
    buttons[static_cast<size_t>(slot)] = Keep(m_slotButtons[static_cast<size_t>(slot)], std::move(button));
  }
  m_bobbing.SetObjects(buttons);
}

int32_t SignInScreen::FirstUsedSlot() {
  for (int32_t slot = 0; slot < kSlotCount; ++slot) {
    if (Saves().SlotExists(static_cast<uint32_t>(slot))) return slot;
  }
  return kNoSlot;
}

bool SignInScreen::SelectedSlotExists() {
  return m_selectedSlot != kNoSlot && Saves().SlotExists(static_cast<uint32_t>(m_selectedSlot));
}

uint8_t SignInScreen::RecordCaptions() {
  // Any byte but 0 is on: a damaged save must not pick a look the toggle does not have.
  return CurrentPlayer::Instance().captionsOn ? 1 : 0;
}

void SignInScreen::SelectSlot(int32_t slot) {
  if (slot < 0 || slot >= kSlotCount) slot = kNoSlot;
  m_selectedSlot = slot;
  if (slot == kNoSlot) {
    m_playButton->Disable();
    SetShown(m_portrait, false);
    SetShown(m_fakePortrait.get(), false);
    ActivePlayerData = PlayerData();
  } else {
    m_playButton->Enable();
    SetShown(m_portrait, true);
    SetShown(m_fakePortrait.get(), true);
    m_portrait->SetAnimation(static_cast<uint32_t>(slot), 0);
    const auto number = static_cast<uint32_t>(slot);
    if (Saves().LoadSlot(number)) {
      ActivePlayerData.AssignByValue(CurrentPlayer::Instance());
      ShowRecordCaptions();
    } else {
      ActivePlayerData = PlayerData();
      if (Saves().SlotExists(number)) {
        Qel::Trace(
            "ERROR: SignIn: %s cannot be loaded (see above); slot %d shows a new player and cannot be "
            "played. The file is kept as it is.\n",
            SaveGameManager::FileName(number), static_cast<int>(slot));
      }
    }
  }
  SetShown(m_deleteButton, SelectedSlotExists());
}

void SignInScreen::PlayVoice(const char* name, uint32_t number) {
  m_voice = ReplaceVoiceLine(name, number, m_voice);
}

void SignInScreen::StopVoice() {
  if (m_voice) m_voice->Stop();
}

void SignInScreen::CaptionsFollowToggle() {
  // The demo pages borrow the exit dialog without the sign-in objects: their captions stay off.
  if (!m_captionToggle) return;
  const uint8_t on = m_captionToggle->GetAnimationId() == kToggleOn ? 1 : 0;
  gCaptionsOn = on;
  CurrentPlayer::Instance().captionsOn = on;
}

void SignInScreen::ShowRecordCaptions() {
  gCaptionsOn = RecordCaptions();
  // While the guide speaks of the toggle it keeps its highlight; the chain's end shows the switch.
  if (m_captionToggle && m_captionToggle->GetAnimationId() != kToggleHighlight)
    m_captionToggle->SetAnimation(gCaptionsOn ? kToggleOn : kToggleOff, 0);
}

void SignInScreen::RestPlayButton() {
  m_playButton->ShowInactive();
  if (m_selectedSlot != kNoSlot) {
    m_playButton->Enable();
    m_playButton->SetAnimation(GameButton::kLookNormal, 0);
  } else {
    m_playButton->Disable();
  }
}

void SignInScreen::RestChainButton(ActiveGameButton* button) {
  if (!button) return;
  button->ShowInactive();
  button->Enable();
  button->SetAnimation(GameButton::kLookNormal, 0);
}

void SignInScreen::RestDeleteButton() {
  m_deleteButton->ShowInactive();
  m_deleteButton->Enable();
  SetShown(m_deleteButton, SelectedSlotExists());
}

void SignInScreen::StopChain() {
  if (m_voiceState != kVoiceIdle) {
    RestPlayButton();
    RestChainButton(m_exitButton.get());
    RestChainButton(m_helpButton.get());
    m_captionToggle->SetAnimation(RecordCaptions() ? kToggleOn : kToggleOff, 0);
    if (m_voiceState != kGreetingNew) RestDeleteButton();
  }
  StopVoice();
  m_voiceState = kVoiceIdle;
}

void SignInScreen::Update() {
  const uint32_t now = GameClock::Instance().GetTime();
  m_bobbing.Update(now);
  UpdateFish(now);
  UpdateIdlePrompt(now);
  ProgressNode::Update();
}

void SignInScreen::UpdateFish(uint32_t now) {
  if (!m_floaterFish) return;
  if (m_fishFlipTime == -1) {
    m_fishFlipTime = static_cast<int32_t>(now);
    return;
  }
  if (now - static_cast<uint32_t>(m_fishFlipTime) < kFishSwitchMs) return;
  m_fishFlipTime = static_cast<int32_t>(now);
  m_floaterFish->SetAnimation(static_cast<uint32_t>(m_fishFlipState), 0);
  m_fishFlipState ^= 1;
}

void SignInScreen::UpdateIdlePrompt(uint32_t now) {
  if (m_idleStart == -1) m_idleStart = static_cast<int32_t>(now);
  if (now - static_cast<uint32_t>(m_idleStart) <= kIdlePromptMs) return;
  m_idleStart = -1;
  if (m_voiceState != kVoiceIdle) return;
  m_playButton->ShowActive();
  if (IsShown(m_portrait)) {
    PlayVoice(kPlayPrompt.name, kPlayPrompt.number);
  } else {
    const Line& line = m_lastIdleLine == static_cast<int32_t>(kIdleLineA.number) ? kIdleLineB : kIdleLineA;
    PlayVoice(line.name, line.number);
    m_lastIdleLine = static_cast<int32_t>(line.number);
  }
}

void SignInScreen::OnChar(uint16_t code) {
  if (code == kEscape && !m_confirmDialogOpen && !IsFirstFrames() && !m_quitting) OpenExitDialog();
  ProgressNode::OnChar(code);
}

void SignInScreen::OnSoundFinished(GameSound* sound) {
  ProgressNode::OnSoundFinished(sound);
  if (IsNamed(sound, kClosingLine)) GetApp().RequestQuit();
  switch (m_voiceState) {
    case kGreetingNew:
      if (IsNamed(sound, kFirstGreeting)) {
        RestPlayButton();
        m_exitButton->ShowActive();
        PlayVoice(kExitHint.name, kExitHint.number);
      } else if (IsNamed(sound, kExitHint)) {
        RestChainButton(m_exitButton.get());
        m_captionToggle->SetAnimation(kToggleHighlight, 0);
        PlayVoice(kCaptionHint.name, kCaptionHint.number);
      } else if (IsNamed(sound, kCaptionHint)) {
        PlayVoice(kCaptionHint2.name, kCaptionHint2.number);
      } else if (IsNamed(sound, kCaptionHint2)) {
        m_captionToggle->SetAnimation(RecordCaptions() ? kToggleOn : kToggleOff, 0);
        m_helpButton->ShowActive();
        PlayVoice(kHelpHint.name, kHelpHint.number);
      } else if (IsNamed(sound, kHelpHint)) {
        RestChainButton(m_helpButton.get());
        m_idleStart = -1;
        m_voiceState = kVoiceIdle;
      }
      break;
    case kGreetingReturning:
    case kGreetingAgain: {
      const Line& greeting = m_voiceState == kGreetingReturning ? kReturningGreeting : kAgainGreeting;
      const Line& hint = m_voiceState == kGreetingReturning ? kReturningDeleteHint : kAgainDeleteHint;
      if (IsNamed(sound, greeting)) {
        PlayVoice(hint.name, hint.number);
        SetShown(m_deleteButton, true);
        m_deleteButton->ShowActive();
      } else {
        m_voiceState = kVoiceIdle;
        m_idleStart = -1;
        RestDeleteButton();
      }
      break;
    }
    default:
      if (IsNamed(sound, kIdleLineA) || IsNamed(sound, kIdleLineB) || IsNamed(sound, kPlayPrompt))
        RestPlayButton();
      break;
  }
}

void SignInScreen::OnObjectClicked(GenericObject* object) {
  m_idleStart = -1;
  if (m_confirmDialogOpen) {
    const bool yes = m_dialog && m_dialog->IsYesButton(object);
    CloseDeleteDialog();
    if (yes && m_selectedSlot != kNoSlot) {
      Saves().DeleteSlot(static_cast<uint32_t>(m_selectedSlot));
      SelectSlot(kNoSlot);
      RefreshSlots();
      SetShown(m_deleteButton, false);
      CurrentPlayer::Instance().freshProfile = FirstUsedSlot() == kNoSlot ? 1 : 0;
    }
  } else if (m_exitDialogShown) {
    if (m_dialog && m_dialog->IsYesButton(object)) {
      PlayVoice(kClosingLine.name, kClosingLine.number);
      m_quitting = true;
      MouseCursor::Instance().SetEnabled(false);
      CloseExitDialog(false);
      // Only the end of the closing line ends the program; a line that never started never ends,
      // and the game would stay up with the pointer dead.
      if (!IsSoundPlaying(m_voice)) {
        Qel::Trace("WARN: Closing line '%s' did not start; quitting at once\n", kClosingLine.name);
        GetApp().RequestQuit();
      }
    } else {
      PlayVoice(kStayLine.name, kStayLine.number);
      CloseExitDialog(true);
    }
  } else if (object && object == m_deleteButton) {
    OpenDeleteDialog();
  } else if (object && (object == m_playButton || object == m_fakePortrait.get())) {
    PlayOnSelectedSlot();
  } else if (object && object == m_captionToggle) {
    ClickCaptionToggle();
  } else if (object && object == m_exitButton.get()) {
    OpenExitDialog();
  } else if (object && object == m_helpButton.get()) {
    OpenHelp();
  } else {
    for (int32_t slot = 0; slot < kSlotCount; ++slot) {
      if (object && object == m_slotButtons[static_cast<size_t>(slot)].get()) {
        SelectSlot(slot);
        break;
      }
    }
  }
  ProgressNode::OnObjectClicked(object);
}

void SignInScreen::PlayOnSelectedSlot() {
  StopChain();
  if (m_selectedSlot == kNoSlot) return;
  const auto slot = static_cast<uint32_t>(m_selectedSlot);
  CurrentPlayer& record = CurrentPlayer::Instance();
  if (Saves().SlotExists(slot)) {
    if (Saves().LoadSlot(slot)) {
      Saves().SetCurrentSlot(slot);
      ActivePlayerData.AssignByValue(record);
      // The file's own slot number may name another slot (a save copied from one to another); the
      // player is the one of the slot played.
      ActivePlayerData.saveSlot = slot;
      ChangeNodeWithLoadingScreen(kNodeHub, kLoadingPicture);
    } else {
      Qel::Trace("ERROR: SignIn: %s cannot be loaded (see above); slot %u is not played.\n",
                 SaveGameManager::FileName(slot), slot);
    }
    record.freshProfile = 0;
  } else {
    // A new player takes nothing of a record loaded before, but the caption switch the toggle shows.
    record.Reset();
    Saves().SetCurrentSlot(slot);
    ActivePlayerData.saveSlot = slot;
    ChangeNodeWithLoadingScreen(kNodeHub, kLoadingPicture);
  }
  CaptionsFollowToggle();
  ActivePlayerData.signedIn = 1;
}

void SignInScreen::ClickCaptionToggle() {
  m_captionToggle->SetAnimation(CurrentPlayer::Instance().captionsOn ? kToggleOff : kToggleOn, 0);
  CaptionsFollowToggle();
}

void SignInScreen::OpenHelp() {
  StopChain();
  CaptionsFollowToggle();
  const bool someoneSaved = FirstUsedSlot() != kNoSlot;
  QueueHelpLine(kHelpIntro.name, static_cast<int32_t>(kHelpIntro.number), kHelpIntroPage, true);
  if (someoneSaved) {
    QueueHelpLine(kAgainGreeting.name, static_cast<int32_t>(kAgainGreeting.number), kHelpAgainPage, false);
    QueueHelpLine(kReturningDeleteHint.name, static_cast<int32_t>(kReturningDeleteHint.number),
                  kHelpDeletePage, false);
  }
  QueueHelpLine(kExitHint.name, static_cast<int32_t>(kExitHint.number), kHelpExitPage, false);
  QueueHelpLine(kCaptionHint.name, static_cast<int32_t>(kCaptionHint.number), kHelpCaptionPage, false);
  QueueHelpLine(kCaptionHint2.name, static_cast<int32_t>(kCaptionHint2.number), kHelpCaptionPage, false);
  OpenHelpScreen(kMusic, kHelpPage);
}

void SignInScreen::OpenDialog(const char* name, const char* box, int32_t portrait, const char* prompt,
                              int32_t line) {
  GetSounds().PauseAll();
  HideCaption();
  StopChain();
  CaptionsFollowToggle();
  DropDialog();
  m_dialog = std::make_unique<FEOverlayDialog>(name, box, "Pilo_Yes", "Pilo_No", portrait);
  m_dialog->SetSpeechHints(false);
  m_dialog->LoadCaptions(kCaptions);
  m_dialog->SetPrompt(prompt, prompt, line);
  ShowOverlay(m_dialog.get());
}

void SignInScreen::OpenDeleteDialog() {
  OpenDialog("confirmOverlay", "DialogBox_2", m_selectedSlot, kDeletePrompt.name,
             static_cast<int32_t>(kDeletePrompt.number));
  m_confirmDialogOpen = true;
}

void SignInScreen::CloseDeleteDialog() {
  GetSounds().ResumeAll();
  if (m_dialog) HideOverlay(m_dialog.get());
  m_confirmDialogOpen = false;
}

void SignInScreen::OpenExitDialog() {
  OpenDialog("SIExitDlg", "DialogBox", -1, kExitPrompt.name, static_cast<int32_t>(kExitPrompt.number));
  m_exitDialogShown = true;
}

void SignInScreen::CloseExitDialog(bool resumeSounds) {
  m_idleStart = -1;
  if (resumeSounds) GetSounds().ResumeAll();
  if (m_dialog) HideOverlay(m_dialog.get());
  m_exitDialogShown = false;
}

void SignInScreen::OnAnimationLooped(GenericObject* /*object*/) {}

void SignInScreen::SetTxtValue(const char* /*key*/, const char* /*value*/) {}
