// The demo title pages of the sub game and the hub: a picture, a forward button and the sign-in
// screen's exit dialog.
#include "frontend/SharkTitleScreen.h"

#include "core/DatabaseManager.h"
#include "core/Trace.h"
#include "framework/Background.h"
#include "framework/CCSound.h"
#include "framework/FEOverlayDialog.h"
#include "framework/GameButton.h"
#include "framework/MainApp.h"
#include "framework/MusicManager.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/SpriteObject.h"
#include "sound/Sound.h"

namespace {
constexpr int32_t kHandCursor = 1;
constexpr const char* kMusic = "Signin_music";
constexpr const char* kCaptions = "SignIn";
constexpr const char* kClosingLine = "0120";
constexpr uint32_t kClosingLineNumber = 120;
constexpr const char* kStayLine = "0110";
constexpr uint32_t kStayLineNumber = 110;
constexpr float kForwardX = 703;
constexpr float kForwardY = 530;
constexpr float kExitY = 531;

std::unique_ptr<GameButton> MakeButton(const char* name, const char* sprite, float x, float y, int32_t z) {
  auto button = std::make_unique<GameButton>(name, sprite, SpriteObject::kClockGame);
  button->SetPositionAndZ(x, y, z);
  button->SetRolloverCursor(kHandCursor);
  button->SetClickSound("ButtonDown");
  return button;
}
}  // namespace

SharkTitleScreen::SharkTitleScreen() : SharkTitleScreen(Page{"SharkDemo", kNodeGame5, 594}) {}

SharkTitleScreen::SharkTitleScreen(const Page& page) : m_page(page) {}

SharkTitleScreen::~SharkTitleScreen() {
  // A page deleted without its deactivation still takes its objects out of the node.
  DeleteOwnObjects();
}

void SharkTitleScreen::Activate() {
  RoomNode::Activate();
  SetQuitAllowed(false);
  Qel::DatabaseManager::GetInstance()->AddDatabase(m_page.database);
  MusicManager& music = MusicManager::Instance();
  music.QueueMusic(kMusic, true);
  music.PlayNext(false);

  m_titlePicture = std::make_unique<Background>("Demotitle1", "Main_title");
  m_titlePicture->SetPositionAndZ(0.0f, 0.0f, 0);
  AddObject(m_titlePicture.get());
  m_nextButton = MakeButton("Demonext1", "ForwardArrow", kForwardX, kForwardY, kButtonDepthForward);
  AddObject(m_nextButton.get());
  m_demoExitButton =
      MakeButton("DemoExit1", "ActBackArrow", static_cast<float>(m_page.exitX), kExitY, kButtonDepthExit);
  AddObject(m_demoExitButton.get());

  LoadCaptions(kCaptions);
  gCaptionsOn = 0;
}

void SharkTitleScreen::Deactivate() {
  DeleteOwnObjects();
  Qel::DatabaseManager::GetInstance()->RemoveDatabase(m_page.database);
  RoomNode::Deactivate();
}

void SharkTitleScreen::Update() {
  RoomNode::Update();
}

void SharkTitleScreen::OnChar(uint16_t code) {
  if (code == kEscape && !IsFirstFrames()) OpenExitDialog();
  RoomNode::OnChar(code);
}

void SharkTitleScreen::OnSoundFinished(GameSound* sound) {
  RoomNode::OnSoundFinished(sound);
  if (IsSoundNamed(sound, kClosingLine)) GetApp().RequestQuit();
}

void SharkTitleScreen::OnObjectClicked(GenericObject* object) {
  if (IsExitDialogShown()) {
    if (GetDialog() && GetDialog()->IsYesButton(object)) {
      m_demoVoice = ReplaceVoiceLine(kClosingLine, kClosingLineNumber, m_demoVoice);
      CloseExitDialog(false);
      // Only the end of the closing line ends the program; a line that never started never ends.
      if (!IsSoundPlaying(m_demoVoice)) {
        Qel::Trace("WARN: Closing line '%s' did not start; quitting at once\n", kClosingLine);
        GetApp().RequestQuit();
      }
    } else {
      m_demoVoice = ReplaceVoiceLine(kStayLine, kStayLineNumber, m_demoVoice);
      CloseExitDialog(true);
    }
  } else if (object && object == m_demoExitButton.get()) {
    OpenExitDialog();
  } else if (object && object == m_nextButton.get()) {
    NodeManager::Instance().RequestNode(m_page.targetNode);
  }
  RoomNode::OnObjectClicked(object);
}

void SharkTitleScreen::DeleteOwnObjects() {
  DropObject(m_nextButton);
  DropObject(m_demoExitButton);
  DropObject(m_titlePicture);
}

void SharkTitleScreen::OnAnimationLooped(GenericObject* /*object*/) {}

void SharkTitleScreen::OnSpeechEvent(int /*id*/, void* /*data*/) {}
