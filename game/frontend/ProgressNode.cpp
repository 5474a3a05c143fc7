// The progress node: the progress, movie and help screens of a room and the help narration.
#include "frontend/ProgressNode.h"

#include "core/EventManager.h"
#include "framework/CCSound.h"
#include "framework/FMVDialog.h"
#include "framework/GameEvents.h"
#include "framework/GameSound.h"
#include "framework/HelpDialog.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/MoviePlayer.h"
#include "frontend/ProgressDialog.h"
#include "sound/Sound.h"

namespace {

constexpr const char* kProgressScreenName = "ProgressScreen";
constexpr const char* kMovieScreenName = "FMVScreen";
constexpr const char* kHelpScreenName = "HelpScreen";
// Handed to the progress screen as it is; the screen does not read it.
constexpr int32_t kProgressScreenOption = 0;
// The help page's resting picture.
constexpr int32_t kRestingPage = 0;

bool IsSounding(const GameSound* sound) {
  const Qel::Sound* engine = sound ? sound->GetEngineSound() : nullptr;
  return engine && engine->IsPlaying();
}

}  // namespace

ProgressNode::ProgressNode() {
  m_clickSound = GetSound(kClickSoundName, kClickSoundFile, false);
}

ProgressNode::~ProgressNode() {
  if (m_progressScreen) DetachOverlay(m_progressScreen.get());
  m_progressScreen.reset();
  if (m_movieScreen) DetachOverlay(m_movieScreen.get());
  m_movieScreen.reset();
  // The line is captioned on the help screen, so it goes first.
  StopHelpNarration();
  if (m_helpScreen) DetachOverlay(m_helpScreen.get());
  m_helpScreen.reset();
  m_closedScreens.clear();
  if (m_clickSound) ReleaseSound(m_clickSound);
  m_clickSound = nullptr;
}

void ProgressNode::UpdateAlways() {
  m_closedScreens.clear();
  if (m_helpScreenOpen) UpdateHelpNarration();
  RoomNode::UpdateAlways();
}

void ProgressNode::Resume(void* data) {
  RoomNode::Resume(data);
  if (m_movieScreenOpen && m_movieScreen) m_movieScreen->ResetControls();
}

void ProgressNode::OnObjectClicked(GenericObject* object) {
  if (m_progressScreenOpen) {
    if (m_progressScreen && m_progressScreen->IsBackground(object)) CloseProgressScreen();
  } else if (m_movieScreenOpen) {
    if (m_movieScreen && m_movieScreen->HandleClick(object)) CloseMovieScreen();
  } else if (m_helpScreenOpen && m_helpScreen && m_helpScreen->IsBackground(object)) {
    CloseHelpScreen();
  }
  RoomNode::OnObjectClicked(object);
}

void ProgressNode::PrepareScreen() {
  StopSpeech();
  HideCaption();
  GetSounds().PauseAll();
  m_savedCursorKind = MouseCursor::Instance().GetCursor();
}

void ProgressNode::FinishScreen() {
  MouseCursor::Instance().SetCursor(m_savedCursorKind);
}

void ProgressNode::Retire(std::unique_ptr<Overlay> screen) {
  if (!screen) return;
  DetachOverlay(screen.get());
  m_closedScreens.push_back(std::move(screen));
}

void ProgressNode::OpenProgressScreen() {
  PrepareScreen();
  // A second opening replaces the screen; the old one leaves the scene before it goes.
  Retire(std::move(m_progressScreen));
  m_progressScreen = std::make_unique<ProgressDialog>(kProgressScreenName, kProgressScreenOption);
  AttachOverlay(m_progressScreen.get());
  m_progressScreen->Show();
  m_progressScreenOpen = true;
  GetApp().PauseGame();
}

void ProgressNode::CloseProgressScreen() {
  if (!m_progressScreen) return;
  m_progressScreen->Hide();
  // Its line ends with the screen, though the screen itself goes at the next frame.
  if (CCSound* line = m_progressScreen->GetNarration()) line->Stop();
  Retire(std::move(m_progressScreen));
  FinishScreen();
  m_progressScreenOpen = false;
  GetApp().ResumeGame();
  GetSounds().ResumeAll();
  if (m_clickSound) m_clickSound->Play(false, true);
}

void ProgressNode::OpenMovieScreen() {
  PrepareScreen();
  Retire(std::move(m_movieScreen));
  m_movieScreen = std::make_unique<FMVDialog>(kMovieScreenName);
  AttachOverlay(m_movieScreen.get());
  m_movieScreen->Show();
  m_movieScreenOpen = true;
  GetApp().PauseGame();
}

void ProgressNode::CloseMovieScreen() {
  if (!m_movieScreen) return;
  m_movieScreen->Hide();
  if (CCSound* line = m_movieScreen->GetNarration()) line->Stop();
  Retire(std::move(m_movieScreen));
  FinishScreen();
  m_movieScreenOpen = false;
  GetApp().ResumeGame();
  GetSounds().ResumeAll();
  if (m_clickSound) m_clickSound->Play(false, true);
}

void ProgressNode::OpenHelpScreen(const char*, uint32_t page) {
  StopSpeech();
  HideCaption();
  GetSounds().PauseAll();
  if (m_helpScreen) {
    // A line still playing is captioned on the old screen: it must not outlive it.
    if (m_narration) m_narration->Stop();
    m_narration.reset();
    m_narrationLineNumber = 0;
    Retire(std::move(m_helpScreen));
  }
  m_savedCursorKind = MouseCursor::Instance().GetCursor();
  // Shown from its construction: it gets no Show.
  m_helpScreen = std::make_unique<HelpDialog>(kHelpScreenName, page);
  AttachOverlay(m_helpScreen.get());
  GetApp().PauseGame();
  PlayNextHelpLine();
  m_helpScreenOpen = true;
}

void ProgressNode::CloseHelpScreen() {
  m_helpScreenOpen = false;
  StopHelpNarration();
  Retire(std::move(m_helpScreen));
  FinishScreen();
  GetSounds().ResumeAll();
  GetApp().ResumeGame();
  Qel::EventManager::GetInstance()->PostEvent(kEventCharacter, EventId::HelpClosed,
                                              static_cast<GameNode*>(this));
}

void ProgressNode::QueueHelpLine(const char* file, int32_t lineNumber, int32_t pageSequence,
                                 bool clearFirst) {
  if (clearFirst) m_helpLines.clear();
  m_helpLines.push_back(HelpLine{file ? file : "", lineNumber, pageSequence});
}

void ProgressNode::StopHelpNarration() {
  if (m_narration) m_narration->Stop();
  m_narration.reset();
  m_helpLines.clear();
  m_narrationRunning = false;
}

void ProgressNode::PlayNextHelpLine() {
  if (m_narration) {
    m_narration->Stop();
    m_narration.reset();
    m_narrationLineNumber = 0;
  }
  if (MoviePlayer::Instance().IsPlaying()) return;
  if (m_helpLines.empty() || !m_helpScreen) return;
  const HelpLine& line = m_helpLines.front();
  m_narration =
      m_helpScreen->CreateSound(kHelpLineName, line.file.c_str(), static_cast<uint32_t>(line.lineNumber));
  m_narration->Play(false, true);
  m_narrationLineNumber = line.lineNumber;
  m_helpScreen->SetPageSequence(line.pageSequence);
  m_helpLines.pop_front();
  m_narrationRunning = true;
}

void ProgressNode::UpdateHelpNarration() {
  const bool sounding = IsSounding(m_narration.get());
  if (m_narration && !sounding && !m_helpLines.empty()) {
    PlayNextHelpLine();
    return;
  }
  if (!m_narration || sounding || !m_narrationRunning || !m_helpLines.empty()) return;
  m_narrationRunning = false;
  if (m_helpScreen) m_helpScreen->SetPageSequence(kRestingPage);
}
