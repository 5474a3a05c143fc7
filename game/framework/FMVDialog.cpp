// The movie gallery: the unlocked movies three at a time, arrows, narration and an exit button.
#include "framework/FMVDialog.h"

#include <algorithm>
#include <string>

#include "framework/ActivePlayerData.h"
#include "framework/CCSound.h"
#include "framework/Clickable.h"
#include "framework/GameButton.h"
#include "framework/MainApp.h"
#include "framework/MoviePlayer.h"
#include "framework/PlayerData.h"
#include "framework/UnClickableGameButton.h"
#include "graphics/SceneObject.h"
#include "sound/Sound.h"

namespace {

constexpr int kClock = SpriteObject::kClockApplication;
// Objects placed without a depth of their own stand in the order they are made: at equal depths the
// scene draws by name, which would put the background over the exit art.
constexpr int32_t kBackgroundDepth = 0;
constexpr int32_t kExitButtonDepth = 1;
constexpr int32_t kExitArtDepth = 2;
constexpr int32_t kButtonDepth = 9919;
constexpr int32_t kUpArrowDepth = 9989;
constexpr int32_t kDownArrowDepth = 9990;
constexpr int32_t kLastFirstShown = 4;
// A game's entry counts as done at this level.
constexpr int32_t kDoneLevel = 6;

constexpr const char* kMovieNames[FMVDialog::kMovieCount] = {
    "ConcentrationFMV", "SubGameFMV", "MoonfishFMV", "ShellFMV", "TurtleFMV", "TribalFMV", "final"};

bool IsSounding(const CCSound* sound) {
  const Qel::Sound* engine = sound ? sound->GetEngineSound() : nullptr;
  return engine && engine->IsPlaying();
}

}  // namespace

bool FMVDialog::IsMovieUnlocked(int32_t movie, const PlayerData& data) {
  switch (movie) {
    case 0:
      return data.games[15].level >= kDoneLevel;
    case 1:
      return data.games[11].level >= kDoneLevel;
    case 2:
      return data.games[10].level >= kDoneLevel;
    case 3:
      return data.games[14].level >= kDoneLevel;
    case 4:
      return data.games[13].level >= kDoneLevel;
    case 5:
      return data.games[9].firstTime == 0;
    case 6:
      return std::all_of(std::begin(data.games[12].levelFlags), std::end(data.games[12].levelFlags),
                         [](uint8_t flag) { return flag != 0; });
    default:
      return false;
  }
}

const char* FMVDialog::GetMovieName(uint32_t sequence) {
  return sequence < static_cast<uint32_t>(kMovieCount) ? kMovieNames[sequence] : "Placeholder";
}

FMVDialog::FMVDialog(const char* name) : Overlay(name) {
  const std::string base = GetName();
  m_background = std::make_unique<Clickable>((base + "DialogBG").c_str(), "replayMovieBK", kClock);
  m_background->SetPositionAndZ(0, 0, kBackgroundDepth);
  AddObject(m_background.get());

  m_exitButton = std::make_unique<Clickable>("FMVExit", "actback_blank", kClock);
  m_exitButton->SetPositionAndZ(5, 531, kExitButtonDepth);
  m_exitButton->SetHotspotSize(86, 63);
  m_exitButton->SetClickSound("ButtonDown");
  AddObject(m_exitButton.get());
  m_exitArt = std::make_unique<UnClickableGameButton>("FMVExit2", "ActBackArrow", kClock);
  m_exitArt->SetPositionAndZ(5, 531, kExitArtDepth);
  m_exitArt->Enable();
  AddObject(m_exitArt.get());

  // The arrows' blended edges need a display that blends alpha; the others have art of their own.
  const bool alpha = GetApp().IsAlphaCapable();
  m_upArrow =
      std::make_unique<GameButton>("FMVArrowSliders0", alpha ? "replayUpArrow" : "replayUpArrow_sdl", kClock);
  m_upArrow->SetPositionAndZ(408, 216, kUpArrowDepth);
  m_upArrow->Enable();
  m_upArrow->SetClickSound("ButtonDown");
  AddObject(m_upArrow.get());
  m_downArrow = std::make_unique<GameButton>("FMVArrowSliders1",
                                             alpha ? "replayDownArrow" : "replayDownArrow_sdl", kClock);
  m_downArrow->SetPositionAndZ(410, 311, kDownArrowDepth);
  m_downArrow->Enable();
  m_downArrow->SetClickSound("ButtonDown3");
  AddObject(m_downArrow.get());

  for (int32_t movie = 0; movie < kMovieCount; ++movie) {
    if (!IsMovieUnlocked(movie, ActivePlayerData)) continue;
    auto button = std::make_unique<Clickable>(("FMVNameIcon" + std::to_string(movie)).c_str(),
                                              "replay_mov_but", kClock);
    button->SetAnimation(static_cast<uint32_t>(movie), 0);
    button->SetZ(kButtonDepth + movie);
    button->Enable();
    AddObject(button.get());
    m_movieButtons[static_cast<size_t>(m_movieCount++)] = std::move(button);
  }

  LoadCaptions("FMVScreen");
  if (ActivePlayerData.galleryFlag) {
    m_narration = CreateSound("4440", "4440", 4440);
    m_narrationStep = 1;
  } else {
    m_narration = CreateSound("4450", "4450", 4450);
    m_narrationStep = 0;
  }
  m_narration->Play(false, true);
  ResetControls();
}

FMVDialog::~FMVDialog() {
  if (m_narration) m_narration->Stop();
  m_narration.reset();
  for (std::unique_ptr<Clickable>& button : m_movieButtons) {
    RemoveObject(button.get());
    button.reset();
  }
  GenericObject* const controls[] = {m_background.get(), m_upArrow.get(), m_downArrow.get(), m_exitArt.get(),
                                     m_exitButton.get()};
  for (GenericObject* object : controls) RemoveObject(object);
  m_background.reset();
  m_upArrow.reset();
  m_downArrow.reset();
  m_exitArt.reset();
  m_exitButton.reset();
}

Clickable* FMVDialog::GetMovieButton(int32_t place) const {
  if (place < 0 || place >= kMovieCount) return nullptr;
  return m_movieButtons[static_cast<size_t>(place)].get();
}

void FMVDialog::StartNarration(const char* line, uint32_t captionNumber) {
  m_narration.reset();
  m_narration = CreateSound(line, line, captionNumber);
  m_narration->Play(false, true);
}

void FMVDialog::Update() {
  if (m_narrationStep == 1 && !IsSounding(m_narration.get())) {
    StartNarration("4441", 4441);
    m_narrationStep = 2;
  } else if (m_narrationStep == 2 && !IsSounding(m_narration.get())) {
    StartNarration("4442", 4442);
    m_narrationStep = 0;
  }
  UpdateObjects();
}

void FMVDialog::RefreshEntries() {
  const int32_t shown = std::min(kShownCount, m_movieCount);
  for (int32_t place = 0; place < m_movieCount; ++place) {
    Clickable* button = m_movieButtons[static_cast<size_t>(place)].get();
    const int32_t row = place - m_firstShown;
    const bool visible = row >= 0 && row < shown;
    if (visible) button->SetPosition(kButtonX, static_cast<float>(kButtonY[row]));
    SetShown(button, visible);
  }
}

void FMVDialog::ResetControls() {
  SetShown(m_background.get(), true);
  for (GameButton* arrow : {m_upArrow.get(), m_downArrow.get()}) {
    SetShown(arrow, true);
    arrow->Enable();
  }
  RefreshEntries();
  SetShown(m_exitArt.get(), true);
  SetShown(m_exitButton.get(), true);
}

bool FMVDialog::HandleClick(GenericObject* object) {
  if (!object) return false;
  for (int32_t place = 0; place < m_movieCount; ++place) {
    Clickable* button = m_movieButtons[static_cast<size_t>(place)].get();
    if (object != button) continue;
    SetShown(m_background.get(), false);
    for (int32_t other = 0; other < m_movieCount; ++other)
      SetShown(m_movieButtons[static_cast<size_t>(other)].get(), false);
    SetShown(m_upArrow.get(), false);
    SetShown(m_downArrow.get(), false);
    SetShown(m_exitArt.get(), false);
    SetShown(m_exitButton.get(), false);
    // The narration ends here for good: its next part would otherwise start over the movie.
    if (m_narration) m_narration->Stop();
    m_narrationStep = 0;
    MoviePlayer::Instance().Play(GetMovieName(button->GetAnimationId()));
    return false;
  }
  if (object == m_upArrow.get()) {
    if (m_firstShown > 0) {
      --m_firstShown;
      RefreshEntries();
    }
    return false;
  }
  if (object == m_downArrow.get()) {
    if (m_firstShown < kLastFirstShown && m_firstShown < m_movieCount - kShownCount) {
      ++m_firstShown;
      RefreshEntries();
    }
    return false;
  }
  return object == m_exitButton.get();
}
