// The shape-and-rhythm game's node.
#include "game4/Game4Node.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/DatabaseManager.h"
#include "core/Trace.h"
#include "framework/ActivePlayerData.h"
#include "framework/Clickable.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/GameSound.h"
#include "framework/LevelBanner.h"
#include "framework/MainApp.h"
#include "framework/MoviePlayer.h"
#include "framework/MultiTimer.h"
#include "framework/NumericDisplay.h"
#include "framework/SpriteObject.h"
#include "framework/WinApp.h"
#include "game4/Level.h"
#include "game4/Moonfish.h"
#include "graphics/SceneObject.h"
#include "platform/win/kernel/AsciiCase.h"
#include "platform/win/kernel/Random.h"
#include "sound/Sound.h"

namespace {

constexpr const char* kDatabase = "GAME4";
constexpr const char* kMoonfishBody = "zelka_body_moonfish";
constexpr const char* kUserBody = "zelka_body_user";
constexpr const char* kShapesBody = "zelka_body_shapes";
constexpr uint16_t kSpace = ' ';
constexpr const char* kPrizeMovies[] = {"Prize_Conch", "Prize_Sanddollar", "Prize_Anchor", "Prize_Ship",
                                        "Prize_Pearl"};

struct Line {
  uint32_t speaker;
  const char* name;
};
constexpr Line kWrongLines[] = {{2, "2701"}, {0, "2710"}, {0, "2730"}, {2, "2740"}, {0, "2750"}, {2, "2760"}};
constexpr Line kGoodLines[] = {{0, "2770"}, {0, "2780"}, {0, "2781"}, {2, "2790"}, {2, "2810"}, {0, "2820"},
                               {2, "2821"}, {2, "2822"}, {2, "2823"}, {2, "2840"}, {2, "2720"}, {0, "2850"}};

GameProgress& Entry() {
  return ActivePlayerData.games[Game4Node::kNodeId];
}

bool Visible(const GenericObject* object) {
  return object && object->GetSceneObject() && object->GetSceneObject()->IsVisible();
}

std::string Numbered(const char* format, int32_t n) {
  char name[48];
  std::snprintf(name, sizeof name, format, n);
  return name;
}

}  // namespace

// The level's calls back into the node.
class Game4Node::Callbacks : public Game4Node::LevelListener {
public:
  explicit Callbacks(Game4Node& node) : m_node(node) {}
  void OnPlayersTurn() override { m_node.OnPlayersTurn(); }
  void OnSequenceResult(bool correct, bool timedOut) override { m_node.OnSequenceResult(correct, timedOut); }
  void OnLevelComplete() override { m_node.OnLevelComplete(); }
  uint32_t GetPressTime() const override { return m_node.m_pressTime; }

private:
  Game4Node& m_node;
};

Game4Node::Game4Node() : m_callbacks(std::make_unique<Callbacks>(*this)) {}

Game4Node::~Game4Node() = default;

// Activation and deactivation.

void Game4Node::Activate() {
  RoomNode::Activate();
  m_shapePressed = false;
  SetName("Vizuradu Vadudi'");
  Qel::DatabaseManager::GetInstance()->AddDatabase(kDatabase);
  // Escape opens the room's exit dialog from the character handler instead.
  SetQuitAllowed(false);
  LoadRoomData("G4_roomdata", "moonfish");
  m_objectFile = GetWinApp().IsLowSpec() ? "Game4_SDL" : "Game4";
  LoadObjects(m_objectFile);

  RequireObject<SpriteObject>("blank_head", m_objectFile);
  SetSpeaker(0, "blank_head", "blank_head", nullptr, 0, 0);
  m_guideMoonfishBody = RequireObject<SpriteObject>(kMoonfishBody, m_objectFile);
  RequireObject<SpriteObject>("zelka_moonfish", m_objectFile);
  SetSpeaker(1, kMoonfishBody, "zelka_moonfish", nullptr, 0, 0);
  m_guideUserBody = RequireObject<SpriteObject>(kUserBody, m_objectFile);
  RequireObject<SpriteObject>("zelka_user", m_objectFile);
  SetSpeaker(2, kUserBody, "zelka_user", nullptr, 0, 0);
  m_guideShapesBody = RequireObject<SpriteObject>(kShapesBody, m_objectFile);

  m_level = std::make_unique<Level>(*this, *m_callbacks);
  m_level->LoadGlobals();

  m_scoreDisplay = std::make_unique<NumericDisplay>(NumericDisplay::kBlankPadded, false);
  for (int32_t i = 0;
       auto* digit = dynamic_cast<SpriteObject*>(FindObject(Numbered("ScoreBoard_%d", i).c_str())); ++i)
    m_scoreDisplay->AddDigit(digit);
  m_levelDisplay = std::make_unique<NumericDisplay>(NumericDisplay::kCentred, false);
  for (int32_t i = 0;
       auto* digit = dynamic_cast<SpriteObject*>(FindObject(Numbered("LevelDigits_%d", i).c_str())); ++i)
    m_levelDisplay->AddDigit(digit);

  // A record from elsewhere may hold any level: the nearest one that exists is taken.
  GameProgress& entry = Entry();
  entry.level = std::clamp<int32_t>(entry.level, 1, kLastLevel);
  entry.gameValue = static_cast<uint32_t>(std::clamp<int64_t>(entry.gameValue, 1, kLastLevel));
  m_scoreDisplay->SetValue(0);
  m_levelDisplay->SetValue(entry.gameValue);
  m_movieShown = entry.level > 5;

  m_levelDownButton = RequireObject<Clickable>("LevelButton_0", m_objectFile);
  m_levelUpButton = RequireObject<Clickable>("LevelButton_1", m_objectFile);
  m_banner = RequireObject<LevelBanner>("banner", m_objectFile);
  for (int32_t i = 0; i < Level::kShapeCount; ++i)
    RequireObject<Clickable>(Numbered("shape%d", i).c_str(), m_objectFile)->ClearEnabled();

  SetState(0);
  SpeakerIdle(2);
  SetGuidePose(8);

  m_metronome = std::make_unique<MultiTimer>("metronome", m_level.get(), nullptr);
  m_metronomeSound = nullptr;
  m_speechDone = false;
  m_sequenceSoundDone = false;
  StartMetronome(DisplayedLevel());
}

void Game4Node::Deactivate() {
  if (m_level) m_level->Unload();
  m_level.reset();
  m_scoreDisplay.reset();
  if (m_levelDisplay) Entry().gameValue = m_levelDisplay->GetValue();
  m_levelDisplay.reset();
  m_metronome.reset();
  Qel::DatabaseManager::GetInstance()->RemoveDatabase(kDatabase);
  RoomNode::Deactivate();
}

// The metronome and the progress.

int32_t Game4Node::DisplayedLevel() const {
  return m_levelDisplay ? static_cast<int32_t>(m_levelDisplay->GetValue()) : 1;
}

int32_t Game4Node::HighestLevel() const {
  return Entry().level;
}

void Game4Node::StartMetronome(int32_t level) {
  m_level->LoadLevel(level);
  m_metronomeSound = GetSound("metronome", m_level->GetMetronomeSoundFile(), false);
  m_metronome->LoadMarks(m_level->GetMetronomeMarks());
  if (m_metronomeSound) m_metronomeSound->Play(true, true);
  m_metronome->Start(true);
}

void Game4Node::StopMetronome() {
  if (m_metronomeSound) {
    m_metronomeSound->Stop();
    ReleaseSound(m_metronomeSound);
    m_metronomeSound = nullptr;
  }
  m_metronome->Stop(false);
  m_metronome->Clear();
}

void Game4Node::WriteProgress() {
  const int32_t level = DisplayedLevel();
  if (HighestLevel() < level) ActivePlayerData.SetPlayersLevel(kNodeId, level);
  if (Entry().highScore < m_scoreDisplay->GetValue()) {
    ActivePlayerData.SetPlayersHighScore(kNodeId, m_scoreDisplay->GetValue());
    ActivePlayerData.newResult = 1;
  }
}

void Game4Node::ShowBanner() {
  if (m_banner) m_banner->Show(DisplayedLevel());
}

// Per frame.

void Game4Node::Update() {
  m_metronome->Poll();
  m_level->Update(m_state);
  if (m_state == 9 && m_guidePose != 7) SetGuidePose(7);

  const int32_t level = DisplayedLevel();
  if (level == 1 && HighestLevel() == 1) {
    m_levelDownButton->ClearEnabled();
    SetShown(m_levelDownButton, false);
    m_levelUpButton->ClearEnabled();
  } else {
    m_levelDownButton->Enable();
    m_levelUpButton->Enable();
    SetShown(m_levelDownButton, true);
    SetShown(m_levelUpButton, true);
    if (level == 1) {
      SetShown(m_levelDownButton, false);
    } else if (level == kLastLevel) {
      SetShown(m_levelUpButton, false);
    }
    if (level == 1) {
      m_levelDownButton->ClearEnabled();
    } else if (level == kLastLevel || level == HighestLevel()) {
      m_levelUpButton->ClearEnabled();
    }
  }
  ProgressNode::Update();
}

void Game4Node::SetState(int32_t state) {
  if (state != m_state) Qel::Trace("INFO: Game4 state %d -> %d.\n", m_state, state);
  m_state = state;
}

// The guide.

void Game4Node::ShowGuideBody(SpriteObject* body) {
  for (SpriteObject* guide : {m_guideMoonfishBody, m_guideUserBody, m_guideShapesBody})
    SetShown(guide, guide == body);
}

void Game4Node::SetGuidePose(int32_t n) {
  if (n == 0 || n == 10 || n == 18) {
    ShowGuideBody(n == 0 ? m_guideMoonfishBody : n == 10 ? m_guideUserBody : m_guideShapesBody);
    m_guidePose = n + 1;
  } else if ((n >= 1 && n <= 2) || (n >= 4 && n <= 9)) {
    ShowGuideBody(m_guideMoonfishBody);
    SpeakerPlayMove(1, static_cast<uint32_t>(n - 1), 0, 0);
    m_guidePose = n;
  } else if (n == 11 || n == 12 || (n >= 15 && n <= 17)) {
    ShowGuideBody(m_guideUserBody);
    SpeakerPlayMove(2, static_cast<uint32_t>(n - 11), 0, 0);
    m_guidePose = n;
  } else if (n >= 19 && n <= 22) {
    ShowGuideBody(m_guideShapesBody);
    m_guideShapesBody->SetAnimation(static_cast<uint32_t>(n - 19), 0);
    m_guidePose = n;
  }
}

void Game4Node::Queue(uint32_t speaker, const char* line) {
  QueueLine(speaker, line, static_cast<uint32_t>(std::strtoul(line, nullptr, 10)));
}

int32_t Game4Node::DrawLine(int32_t range, int32_t& last) {
  int32_t r = (plat::win::rand() % (range * 10)) / 10;
  while (r == last) r = (plat::win::rand() % (range * 10)) / 10;
  last = r;
  return r;
}

// Shapes.

void Game4Node::EnableShapes(bool enabled) {
  for (int32_t i = 0; i < Level::kShapeCount; ++i) {
    if (auto* shape = dynamic_cast<Clickable*>(FindObject(Numbered("shape%d", i).c_str()))) {
      if (enabled) {
        shape->Enable();
      } else {
        shape->ClearEnabled();
      }
    }
  }
  if (enabled) Qel::Trace("INFO: Game4 shapes enabled.\n");
}

void Game4Node::SetCheckBoxesEmpty() {
  for (int32_t i = 0; i < Level::kCheckBoxCount; ++i) {
    if (auto* box = dynamic_cast<SpriteObject*>(FindObject(Numbered("CheckBox_%d", i).c_str())))
      box->SetAnimation(0, 0);
  }
}

int32_t Game4Node::ShapeAt(int32_t x, int32_t y) const {
  for (int32_t i = 0;; ++i) {
    auto* shape = FindObject(Numbered("shape%d", i).c_str());
    if (!shape) return -1;
    if (shape->HitTest(x, y)) {
      auto* clickable = dynamic_cast<Clickable*>(shape);
      return clickable && clickable->IsEnabled() ? i : -1;
    }
  }
}

void Game4Node::OnLeftButtonDown(const InputEventInfo& input) {
  if (GetApp().IsPaused()) return;
  const int32_t i = ShapeAt(input.position.X(), input.position.Y());
  if (i < 0) {
    m_shapePressed = false;
    return;
  }
  m_pressX = input.position.X();
  m_pressY = input.position.Y();
  m_shapePressed = true;
  if (m_guidePose != 19 && m_guidePose != 17) {
    SetGuidePose(17);
    SetState(12);
    m_pressTime = GameClock::Instance().GetTime();
  }
  m_level->OnShapePressed(i);
  // The display shows what it stores, so the score is read back from it.
  const int64_t score = int64_t{m_scoreDisplay->GetValue()} + m_level->GetShapePoints(i);
  m_scoreDisplay->SetValue(static_cast<uint32_t>(std::clamp<int64_t>(score, 0, UINT32_MAX)));
}

void Game4Node::OnLeftButtonUp(const InputEventInfo& input) {
  if (GetApp().IsPaused()) return;
  const int32_t x = m_shapePressed ? m_pressX : input.position.X();
  const int32_t y = m_shapePressed ? m_pressY : input.position.Y();
  const int32_t i = ShapeAt(x, y);
  if (i >= 0) m_level->OnShapeReleased(i);
}

// Keys.

void Game4Node::OnChar(uint16_t code) {
  if (!IsFirstFrames()) {
    if (code == kSpace) {
      StopSpeech();
    } else if (code == kEscape) {
      OpenExitDialog();
    }
  }
  ProgressNode::OnChar(code);
}

void Game4Node::OnKeyUp(uint16_t) {}

// Clicks.

void Game4Node::OnObjectClicked(GenericObject* object) {
  const char* name = object ? object->GetName() : "";
  const std::string_view prefix = "LevelButton_";
  const std::string_view clicked = name;
  if (plat::EqualsIgnoringCase(name, "helpButton")) {
    QueueHelpLine("2691", 2691, 4, true);
    QueueHelpLine("2692", 2692, 1, false);
    QueueHelpLine("2693", 2693, 7, false);
    OpenHelpScreen("", static_cast<uint32_t>(kNodeId));
  } else if (plat::EqualsIgnoringCase(name, "exitButton")) {
    OnExitClicked();
  } else if (clicked.size() >= prefix.size() &&
             plat::EqualsIgnoringCase(clicked.substr(0, prefix.size()), prefix)) {
    OnLevelButtonClicked(dynamic_cast<Clickable*>(object));
  }
  ProgressNode::OnObjectClicked(object);
}

void Game4Node::OnExitClicked() {
  StopSpeech();
  // A completed level not yet booked is booked before the player leaves.
  if (m_state == 8) FinishLevel();
  if (m_guidePose >= 19) {
    SetState(5);
    SetGuidePose(20);
  } else if (m_guidePose >= 11) {
    SetState(4);
    SetGuidePose(16);
  } else {
    SetState(3);
    SetGuidePose(9);
  }
}

void Game4Node::OnLevelButtonClicked(Clickable* button) {
  StopSpeech();
  const bool down = button == m_levelDownButton;
  if (down && DisplayedLevel() > 1) {
    m_levelDisplay->Decrement();
  } else if (!down && DisplayedLevel() < kLastLevel) {
    m_levelDisplay->Increment();
  }
  WriteProgress();
  EnableShapes(false);
  SetCheckBoxesEmpty();
  StopMetronome();
  StartMetronome(DisplayedLevel());
  SetGuidePose(0);
  SpeakerIdle(1);
  ShowBanner();
  SetState(6);
  m_scoreDisplay->SetValue(0);
  if (button) button->ClearEnabled();
}

// Speech, moves and animations.

void Game4Node::OnSpeechEvent(int id, void* data) {
  if (id == EventId::SpeechStopped) {
    OnSpeechStopped();
  } else if (id == EventId::BannerDone) {
    if (!IsLeaving()) SetState(9);
  } else if (id == EventId::CharacterMoveEnded) {
    OnCharacterMoveEnded(static_cast<SpriteObject*>(data));
  }
}

void Game4Node::OnCharacterMoveEnded(SpriteObject* body) {
  if (!Visible(body)) return;
  const bool firstVisit = Entry().firstTime != 0;
  if (body == m_guideMoonfishBody) {
    switch (m_state) {
      case 0:
        SetGuidePose(0);
        SpeakerIdle(1);
        if (firstVisit) {
          for (const Line& line : {Line{0, "2620"}, Line{1, "2621"}, Line{0, "2630"}, Line{1, "2640"},
                                   Line{0, "2650"}, Line{1, "2660"}})
            Queue(line.speaker, line.name);
        } else {
          for (const Line& line : {Line{0, "2670"}, Line{1, "2680"}, Line{0, "2690"}, Line{1, "2700"}})
            Queue(line.speaker, line.name);
        }
        SetState(1);
        StartSpeech(0, firstVisit, true);
        break;
      case 2:
        ActivePlayerData.SetPlayersFirstTime(kNodeId, 0);
        SetGuidePose(15);
        StartSpeech(0, true, true);
        break;
      case 3:
      case 4:
      case 5:
        ChangeNodeWithLoadingScreen(kHubNodeId, "loading_gen1");
        break;
      case 11:
        SetGuidePose(10);
        SpeakerIdle(2);
        EnableShapes(true);
        break;
      default:
        break;
    }
  } else if (body == m_guideUserBody) {
    switch (m_state) {
      case 4:
      case 5:
        SetGuidePose(9);
        break;
      case 6:
        ShowBanner();
        SetGuidePose(0);
        SpeakerIdle(1);
        break;
      case 8: {
        SetGuidePose(1);
        const int32_t played = DisplayedLevel();
        const bool prizeDue =
            HighestLevel() < kMovieLevel && played >= 1 && played <= 5 && Entry().levelFlags[played - 1] == 0;
        if (prizeDue) {
          Queue(0, "2860");
          Queue(1, "2870");
        } else {
          Queue(0, "2880");
          Queue(1, "2900");
        }
        StartSpeech(0, false, true);
        break;
      }
      case 12:
        SetGuidePose(19);
        break;
      case 14:
      case 16:
        SetGuidePose(0);
        SpeakerIdle(1);
        m_level->StartSequence();
        SetState(9);
        m_speechDone = false;
        m_sequenceSoundDone = false;
        break;
      case 15:
        SetGuidePose(0);
        SpeakerIdle(1);
        StartSpeech(0, false, true);
        break;
      default:
        break;
    }
  }
}

void Game4Node::OnSpeechStopped() {
  switch (m_state) {
    case 1:
      if (Entry().firstTime != 0) {
        Queue(2, "2661");
        ActivePlayerData.SetPlayersFirstTime(kNodeId, 0);
        SetState(2);
        SetGuidePose(6);
      } else {
        ShowBanner();
        SetState(6);
      }
      break;
    case 2:
      SetGuidePose(16);
      SetState(6);
      break;
    case 7:
      ShowBanner();
      SetState(6);
      break;
    case 8:
      FinishLevel();
      break;
    case 14:
      SetGuidePose(16);
      break;
    case 15:
      m_level->StartSequence();
      SetState(9);
      break;
    case 16:
      if (m_sequenceSoundDone) {
        SetGuidePose(16);
      } else {
        m_speechDone = true;
      }
      break;
    default:
      break;
  }
}

void Game4Node::FinishLevel() {
  if (m_levelFinished) return;
  m_levelFinished = true;
  StopMetronome();
  const int32_t played = DisplayedLevel();
  const bool prizeDue = played >= 1 && played <= 5 && Entry().levelFlags[played - 1] == 0;
  // The level display moves on and the progress is written before any movie: a movie that cannot
  // play ends inside Play, and its end must find the next level in place.
  if (played < kLastLevel) m_levelDisplay->Increment();
  WriteProgress();
  if (prizeDue) {
    Entry().levelFlags[played - 1] = 1;
    m_ownMoviePlaying = true;
    MoviePlayer::Instance().Play(kPrizeMovies[played - 1]);
  } else {
    ShowBanner();
    SetState(6);
    StartMetronome(DisplayedLevel());
  }
}

void Game4Node::OnSoundFinished(GameSound* sound) {
  Qel::Sound* engine = sound ? sound->GetEngineSound() : nullptr;
  if (engine && plat::EqualsIgnoringCase(engine->GetId(), "sequenceSound") && m_state == 16) {
    if (m_speechDone) {
      SetGuidePose(16);
    } else {
      m_sequenceSoundDone = true;
    }
  }
  if (m_level) m_level->OnSoundFinished(sound);
  RoomNode::OnSoundFinished(sound);
}

void Game4Node::OnAnimationEnded(GenericObject* object) {
  if (object == m_guideShapesBody && m_guidePose >= 19) {
    switch (m_state) {
      case 5:
      case 8:
        SetGuidePose(16);
        break;
      case 14: {
        const Line& line = kWrongLines[DrawLine(6, m_lastWrongLine)];
        Queue(line.speaker, line.name);
        if (m_level->GetSchool() && m_level->GetSchool()->GetSprite())
          m_level->GetSchool()->GetSprite()->SetAnimation(0, 0);
        SetGuidePose(10);
        SpeakerIdle(2);
        StartSpeech(0, false, true);
        break;
      }
      case 15: {
        switch (DrawLine(4, m_lastSlowLine)) {
          case 0:
            Queue(0, "2910");
            Queue(1, "2920");
            break;
          case 1:
            Queue(0, "2930");
            Queue(1, "2940");
            break;
          case 2:
            Queue(0, "2950");
            break;
          default:
            Queue(1, "2960");
            break;
        }
        if (m_level->GetSchool() && m_level->GetSchool()->GetSprite())
          m_level->GetSchool()->GetSprite()->SetAnimation(0, 0);
        SetGuidePose(16);
        break;
      }
      case 16: {
        const bool lastOfLevel = m_level->GetSequenceIndex() + 1 == m_level->GetSequenceCount();
        const Line& line = kGoodLines[DrawLine(lastOfLevel ? 12 : 11, m_lastGoodLine)];
        Queue(line.speaker, line.name);
        if (m_level->GetSchool() && m_level->GetSchool()->GetSprite())
          m_level->GetSchool()->GetSprite()->SetAnimation(0, 0);
        SetGuidePose(10);
        SpeakerIdle(2);
        StartSpeech(0, false, true);
        break;
      }
      default:
        break;
    }
  }
  RoomNode::OnAnimationEnded(object);
}

void Game4Node::OnAnimationLooped(GenericObject* object) {
  if ((m_guidePose == 11 || m_guidePose == 1) && object == m_guideUserBody && plat::win::rand() % 128 > 76)
    m_guideUserBody->SetAnimation(1, 0);
  RoomNode::OnAnimationLooped(object);
}

void Game4Node::Resume(void* data) {
  ProgressNode::Resume(data);
  // Only the end of a movie this node started moves the game on; leaving stays leaving.
  if (!m_ownMoviePlaying) return;
  m_ownMoviePlaying = false;
  if (IsLeaving()) return;
  const int32_t level = DisplayedLevel();
  if (level == kMovieLevel && HighestLevel() == kMovieLevel && !m_movieShown) {
    m_movieShown = true;
    m_ownMoviePlaying = true;
    MoviePlayer::Instance().Play("MoonfishFMV");
    return;
  }
  if (level == kMovieLevel) {
    Queue(0, "6000");
    Queue(0, "6001");
    StartSpeech(0, false, true);
    SetState(7);
  } else {
    ShowBanner();
    SetState(6);
  }
  StartMetronome(level);
}

// The level's calls.

void Game4Node::OnPlayersTurn() {
  if (IsLeaving()) return;
  SetGuidePose(6);
  if (auto* school = dynamic_cast<SpriteObject*>(FindObject("moonfish"))) school->SetAnimation(0, 0);
  SetState(11);
}

void Game4Node::OnSequenceResult(bool correct, bool timedOut) {
  if (IsLeaving()) return;
  if (correct) {
    SetGuidePose(21);
    SetState(16);
    m_speechDone = false;
    // A sequence sound that is missing or did not start will never finish.
    m_sequenceSoundDone = !m_level->IsSequenceSoundPlaying();
  } else {
    SetGuidePose(22);
    SetState(timedOut ? 15 : 14);
  }
}

void Game4Node::OnLevelComplete() {
  if (IsLeaving()) return;
  SetGuidePose(21);
  m_levelFinished = false;
  SetState(8);
}
