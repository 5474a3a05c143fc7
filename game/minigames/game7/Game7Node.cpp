// The ride on the ocean current: activation, the per-frame order, input, level start and end,
// scoring, lives and the progress writes.
#include "game7/Game7Node.h"

#include <algorithm>
#include <string>

#include "core/DatabaseManager.h"
#include "core/Trace.h"
#include "framework/ActivePlayerData.h"
#include "framework/Ambient.h"
#include "framework/Background.h"
#include "framework/CCSound.h"
#include "framework/GameButton.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/GameSound.h"
#include "framework/HasTimeElapsed.h"
#include "framework/LevelBanner.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/MoviePlayer.h"
#include "framework/MusicManager.h"
#include "framework/NodeId.h"
#include "framework/SpriteObject.h"
#include "framework/ThrowErrorText.h"
#include "game7/Game7LevelData.h"
#include "game7/Game7LevelProgress.h"
#include "game7/Game7LevelSelector.h"
#include "game7/Game7MainTurtle.h"
#include "game7/Game7Objects.h"
#include "game7/Game7Obstacles.h"
#include "game7/Game7PointsDisplay.h"
#include "platform/win/kernel/AsciiCase.h"
#include "platform/win/kernel/Random.h"
#include "sound/Sound.h"

namespace {

constexpr const char* kNodeName = "Rudura Zizuru 2";
constexpr const char* kRoomData = "GAME7_roomdata";
constexpr const char* kCaptions = "Turtles";
constexpr const char* kIntroMusic = "pre-turtlesSFX_edit_22k";
constexpr const char* kLoadingPicture = "loading_gen1";
constexpr const char* kExitLineName = "endLevelDialog";
constexpr const char* kVortexSound = "VortexOnScreen";
// The gameplay timers wait this long until play arms them.
constexpr uint32_t kDisarmed = 180000;
constexpr uint32_t kChatterFirst = 3500;
constexpr int32_t kVortexPoints = 50;
constexpr float kVortexExitX = -175.0f;
constexpr float kVortexSlowdown = 75.0f;
constexpr uint32_t kTurtleDepth = 200;

constexpr const char* kPrizeMovies[Game7Node::kPrizeCount] = {"Prize_Conch", "Prize_Sanddollar",
                                                              "Prize_Anchor", "Prize_Ship", "Prize_Pearl"};

// The effect sounds, made at activation: the node plays them by name.
struct EffectRow {
  const char* name;
  const char* file;
};
constexpr EffectRow kEffects[] = {
    {"bragoHit1", "ts_turtle_hit_turtle"},   {"bragoEndLevel", "TS_lose_music"},
    {"goodiePickup", "ts_pickup"},           {"BragoHitCan", "turtle_surf_can"},
    {"BragoHitGrouper", "turtle_surf_fish"}, {"BragoHitBoot", "turtle_surf_boot"},
    {"BragoHitTire", "turtle_surf_tire"},    {"vortex", "whirlpool"},
    {kVortexSound, "ts_water_flowing"},
};

bool IsNamed(const GameSound* sound, const char* name) {
  const Qel::Sound* engine = sound ? sound->GetEngineSound() : nullptr;
  return engine && plat::EqualsIgnoringCase(engine->GetId(), name);
}

uint32_t Now() {
  return GameClock::Instance().GetTime();
}

int32_t RandomDraw() {
  return plat::win::rand();
}

}  // namespace

Game7Node::Game7Node() = default;

Game7Node::~Game7Node() = default;

// ---------------------------------------------------------------------------------------------
// Activation and deactivation

void Game7Node::Activate() {
  RoomNode::Activate();
  // Escape opens the room's exit dialog here, not the framework's quit dialog.
  SetQuitAllowed(false);
  ClearMembers();
  SetName(kNodeName);
  Qel::DatabaseManager::GetInstance()->AddDatabase(kDatabase);
  const char* objectFile = GetApp().IsAlphaCapable() ? kObjectFile : kObjectFileSdl;
  LoadObjects(objectFile);
  LoadRoomData(kRoomData, kCaptions);
  CreateTurtle();
  m_levelTable = std::make_unique<LevelTable>();
  LoadLevelData();
  m_turtle->CenterAnchor();
  FindObjects(objectFile);
  m_vortex->CenterAnchor();
  // The save holds the last level played; anything outside the table starts at level 1.
  const uint32_t lastLevel = Entry().gameValue;
  m_levelSelector->m_index = lastLevel >= 1 && lastLevel <= static_cast<uint32_t>(kLevelCount)
                                 ? static_cast<int32_t>(lastLevel) - 1
                                 : 0;
  m_pointsDisplay->m_score = 0;
  for (const EffectRow& row : kEffects)
    m_effects.push_back({row.name, row.file, GetSound(row.name, row.file, false)});
  if (Entry().firstTime == 1) Entry().level = 1;
  Entry().gameFlag = 0;
  PlayMusic(kIntroMusic);
  SetState(INTRO);
  SetUpIntro();
}

void Game7Node::Deactivate() {
  if (m_turtle) RemoveObject(m_turtle.get());
  m_turtle.reset();
  m_levelTable.reset();
  m_levelSelector.reset();
  m_pointsDisplay.reset();
  m_levelProgress.reset();
  for (const std::unique_ptr<Obstacles>& obstacle : m_obstacles) RemoveObject(obstacle.get());
  m_obstacles.clear();
  for (std::unique_ptr<Ambient>* background : {&m_backgroundTop, &m_backgroundMiddle}) {
    if (*background) RemoveObject(background->get());
    background->reset();
  }
  DeleteIntroObjects();
  Qel::DatabaseManager::GetInstance()->RemoveDatabase(kDatabase);
  ClearMembers();
  ProgressNode::Deactivate();
}

void Game7Node::ClearMembers() {
  m_livesMeter = nullptr;
  m_exitButton = nullptr;
  m_banner = nullptr;
  m_helpButton = nullptr;
  m_navBar = nullptr;
  m_vortex = nullptr;
  m_lastReleased = nullptr;
  m_pointer = Qel::Point2();
  m_finalMoviePending = false;
  m_vortexMisses = 0;
  m_levelStartTime = 0;
  m_releaseStart = m_releaseDelay = 0;
  m_animateStart = m_animateDelay = 0;
  m_chatterStart = m_chatterDelay = 0;
  m_effects.clear();
  m_leaving = false;
  m_afterFinalMovie = false;
  m_introVortexShown = false;
  m_introHeads.fill(nullptr);
  m_introTalkies.fill(nullptr);
  m_commentLine = m_chatterLine = m_exitLine = nullptr;
  m_chatterNext = m_hitNext = m_knockoutNext = m_vortexLineNext = m_missedNext = m_levelStartNext = 0;
  m_helpNext = 0;
  m_vortexSoundCut = false;
}

void Game7Node::CreateTurtle() {
  m_turtle = std::make_unique<MainTurtle>();
  m_turtle->m_state = IDLE;
  AddObject(m_turtle.get());
  game7::Park(m_turtle.get());
}

void Game7Node::ResetTurtle() {
  m_turtle->SetPosition(m_turtle->m_startX, m_turtle->m_startY);
  SetShown(m_turtle.get(), true);
  m_turtle->SetZ(kTurtleDepth);
  m_turtle->SetVelocity(0.0f, 0.0f);
  SetState(START_LEVEL);
}

void Game7Node::LoadLevelData() {
  // Without its level table the game has nothing to play: the timers and the traffic all stand on it.
  if (!LoadTxtData(kLevelDataName)) ThrowErrorText("Text data '%s' missing\n", kLevelDataName);
  m_levelTable->WarnOfBrokenLimits(kLevelDataName);
  m_turtle->m_startX = m_levelTable->m_startX;
  m_turtle->m_startY = m_levelTable->m_startY;
  m_turtle->m_idleSequence = m_levelTable->m_idleSequence;
}

void Game7Node::FindObjects(const char* objectFile) {
  m_vortex = RequireObject<SpriteObject>("Vortex", objectFile);
  m_livesMeter = RequireObject<SpriteObject>("livesMeter", objectFile);
  m_levelProgress = std::make_unique<LevelProgress>(RequireObject<SpriteObject>("ProgressBar", objectFile));
  m_exitButton = RequireObject<GameButton>("exit1", objectFile);
  m_banner = RequireObject<LevelBanner>("banner", objectFile);
  m_helpButton = RequireObject<GenericObject>("help", objectFile);
  m_navBar = RequireObject<GenericObject>("NavBar", objectFile);
  m_levelSelector = std::make_unique<LevelSelector>(RequireObject<GenericObject>("Sliderleft", objectFile),
                                                    RequireObject<GameButton>("Sliderright", objectFile),
                                                    RequireObject<SpriteObject>("SliderOnesNum", objectFile),
                                                    RequireObject<SpriteObject>("SliderTensNum", objectFile));
  m_pointsDisplay = std::make_unique<PointsDisplay>(std::array<SpriteObject*, PointsDisplay::kDigits>{
      RequireObject<SpriteObject>("PointsOnesNum", objectFile),
      RequireObject<SpriteObject>("PointsTensNum", objectFile),
      RequireObject<SpriteObject>("PointsHundredsNum", objectFile),
      RequireObject<SpriteObject>("PointsThousandsNum", objectFile),
      RequireObject<SpriteObject>("PointsTenThousandsNum", objectFile)});
}

void Game7Node::SetTxtValue(const char* key, const char* value) {
  // The room data comes before the level table exists; level keys there have nowhere to go.
  if (m_levelTable && m_levelTable->SetValue(key, value)) return;
  ProgressNode::SetTxtValue(key, value);
}

// ---------------------------------------------------------------------------------------------
// State and records

GameProgress& Game7Node::Entry() {
  return ActivePlayerData.games[kNodeGame7];
}

int32_t Game7Node::GetState() const {
  return m_turtle ? m_turtle->m_state : IDLE;
}

void Game7Node::SetState(int32_t state) {
  if (m_turtle) m_turtle->m_state = state;
}

int32_t Game7Node::GetLevelIndex() const {
  return m_levelSelector ? m_levelSelector->m_index : 0;
}

int32_t Game7Node::GetScore() const {
  return m_pointsDisplay ? m_pointsDisplay->m_score : 0;
}

const Game7Node::LevelSettings& Game7Node::CurrentLevel() const {
  return m_levelTable->Level(GetLevelIndex());
}

GameSound* Game7Node::GetEffect(const char* name) const {
  for (const Effect& effect : m_effects) {
    if (plat::EqualsIgnoringCase(effect.name, name)) return effect.sound;
  }
  return nullptr;
}

bool Game7Node::InPlayingState() const {
  const int32_t state = GetState();
  return (state >= IDLE && state <= HIT) || state == DASH_UP || state == DASH_DOWN;
}

// ---------------------------------------------------------------------------------------------
// The frame

void Game7Node::Update() {
  if (IsChangePending() || !IsSetUp()) {
    ProgressNode::Update();
    return;
  }
  MouseCursor::Instance().GetPosition(m_pointer);
  StepTurtle();
  const bool harmful = PassObstacles();
  // Only a turtle at play takes hits and misses vortices: one caught, swept off or held still has
  // nothing left to lose or miss.
  if (harmful && InPlayingState()) ResolveHit();
  if (InPlayingState() && game7::IsStopped(*m_vortex) && m_vortex->GetX() < 0.0f) OnVortexMissed();
  if (GetState() < GAME_OVER) RunTimers();
  ProgressNode::Update();
}

void Game7Node::StepTurtle() {
  const float speed = CurrentLevel().m_turtleSpeed;
  switch (GetState()) {
    case IDLE:
    case MOVE_UP:
    case MOVE_DOWN:
    case MOVE_RIGHT:
    case MOVE_LEFT:
      m_turtle->Steer(m_pointer, speed);
      break;
    case DASH_UP:
    case DASH_DOWN:
      m_turtle->FollowSideways(m_pointer, speed);
      break;
    case KNOCKED_OUT:
      if (game7::IsStopped(*m_turtle)) {
        m_pointsDisplay->m_score = 0;
        m_livesMeter->SetAnimation(0, 0);
        StartLevel();
      }
      break;
    case GAME_OVER:
      m_exitButton->Disable();
      m_turtle->SetVelocity(0.0f, 0.0f);
      if (m_turtle->GetAnimationId() != MainTurtle::kIdleAnimation)
        m_turtle->SetAnimation(MainTurtle::kIdleAnimation, 0);
      break;
    default:
      // A hit or a vortex runs the move it started on; the rest wait.
      break;
  }
}

void Game7Node::ResolveHit() {
  const uint32_t hits = m_livesMeter->GetAnimationId();
  const float speed = CurrentLevel().m_turtleSpeed;
  if (hits < 4) {
    m_livesMeter->SetAnimation(hits + 1, 0);
    PlayHitLine();
    SetState(HIT);
    m_turtle->KnockBack(speed);
  } else if (hits == 4) {
    m_livesMeter->SetAnimation(5, 0);
    if (GameSound* lost = GetEffect("bragoEndLevel")) lost->Play(false, true);
    SetState(KNOCKED_OUT);
    m_turtle->SweepOff(speed);
    PlayKnockoutLine();
  }
}

void Game7Node::Dash(bool up) {
  m_turtle->StartDash(up, m_pointer, CurrentLevel().m_turtleSpeed);
}

void Game7Node::RunTimers() {
  const LevelSettings& level = CurrentLevel();
  if (HasTimeElapsed(m_releaseStart, m_releaseDelay)) {
    ReleaseObstacle();
    m_releaseStart = Now();
    m_releaseDelay = level.ReleaseDelay(RandomDraw());
  }
  if (HasTimeElapsed(m_animateStart, m_animateDelay)) {
    AnimateObstacle();
    m_animateStart = Now();
    m_animateDelay = 200 + static_cast<uint32_t>(RandomDraw() % 500);
  }
  m_levelProgress->Advance(Now() - m_levelStartTime, level.BarStep());
  if (HasTimeElapsed(m_levelStartTime, level.Duration())) {
    GameSound* flowing = GetEffect(kVortexSound);
    if (flowing) {
      m_vortexSoundCut = false;
      flowing->Play(false, true);
    }
    const float height = m_levelTable->m_vortexY[static_cast<size_t>(RandomDraw() % kVortexHeightCount)];
    m_vortex->SetPosition(m_vortex->GetX(), height);
    m_vortex->MoveToward(kVortexExitX, height, level.CombinedSpeed() - kVortexSlowdown);
    m_levelStartTime = Now();
  }
  if (HasTimeElapsed(m_chatterStart, m_chatterDelay)) {
    PlayChatterLine();
    m_chatterStart = Now();
    m_chatterDelay = 3500 + static_cast<uint32_t>(RandomDraw() % 1500);
  }
}

// ---------------------------------------------------------------------------------------------
// Levels

void Game7Node::StartLevel() {
  const uint32_t now = Now();
  m_levelStartTime = now;
  m_releaseStart = m_animateStart = m_chatterStart = now;
  m_releaseDelay = m_animateDelay = m_chatterDelay = kDisarmed;
  m_turtle->SetAnimation(10, 0);
  m_turtle->EnableCollision();
  ResetTurtle();
  m_vortex->SetVelocity(0.0f, 0.0f);
  game7::Park(m_vortex);
  SetShown(m_vortex, true);
  m_vortex->SetAnimation(1, 0);
  m_vortex->EnableCollision();
  BuildObstaclePool();
  m_levelSelector->Show(Entry().level);
  const int32_t number = m_levelSelector->m_index + 1;
  Entry().gameValue = static_cast<uint32_t>(number);
  m_levelProgress->Reset();
  m_pointsDisplay->Refresh();
  m_livesMeter->SetAnimation(0, 0);
  const int32_t score = m_pointsDisplay->m_score;
  if (score > 0 && static_cast<uint32_t>(score) > Entry().highScore) {
    Entry().highScore = static_cast<uint32_t>(score);
    ActivePlayerData.newResult = 1;
  }
  m_banner->Show(number);
}

void Game7Node::BeginPlay() {
  const uint32_t now = Now();
  m_levelStartTime = now;
  m_releaseStart = m_animateStart = m_chatterStart = now;
  m_releaseDelay = CurrentLevel().ReleaseDelay(RandomDraw());
  m_animateDelay = 200 + static_cast<uint32_t>(RandomDraw() % 500);
  m_chatterDelay = kChatterFirst;
  PlayLevelStartLine();
  SetState(IDLE);
}

void Game7Node::OnVortexMissed() {
  ++m_vortexMisses;
  if (m_vortexMisses > 2) {
    StartLevel();
    return;
  }
  PlayVortexMissedLine();
  m_levelStartTime = Now();
  m_vortex->SetVelocity(0.0f, 0.0f);
  game7::Park(m_vortex);
  SetShown(m_vortex, true);
  m_vortex->SetAnimation(1, 0);
  m_vortex->EnableCollision();
  m_levelProgress->Reset();
}

void Game7Node::ReachVortex() {
  m_vortexMisses = 0;
  Entry().gameFlag = 1;
  m_pointsDisplay->m_score += kVortexPoints;
  m_pointsDisplay->Refresh();
  if (GameSound* whirl = GetEffect("vortex")) whirl->Play(false, true);
  SetState(IN_VORTEX);
  m_turtle->DisableCollision();
  m_vortex->DisableCollision();
  m_turtle->SwimInto(m_vortex->GetX(), m_vortex->GetY(), CurrentLevel().m_turtleSpeed);
}

void Game7Node::WinLevel() {
  SetState(GAME_OVER);
  for (GenericObject* object :
       {static_cast<GenericObject*>(m_turtle.get()), static_cast<GenericObject*>(m_vortex)}) {
    SetShown(object, false);
    object->SetVelocity(0.0f, 0.0f);
  }
  const int32_t index = m_levelSelector->m_index;
  const char* movie = nullptr;
  if (index < kPrizeCount) {
    StopVoiceLines();
    StopEffectSounds();
    SetState(PLAYING_MOVIE);
    m_turtle->DisableCollision();
    uint8_t& prize = Entry().levelFlags[index];
    if (prize == 0) {
      prize = 1;
      movie = kPrizeMovies[index];
      if (index == kPrizeCount - 1) m_finalMoviePending = true;
    }
  }
  // Everything the movie's end reads is booked before it plays: a movie that cannot be played ends
  // inside Play.
  m_levelSelector->m_index = std::min(index + 1, kLevelCount - 1);
  if (m_levelSelector->m_index + 1 > Entry().level) Entry().level = m_levelSelector->m_index + 1;
  if (movie) {
    MoviePlayer::Instance().Play(movie);
  } else {
    StartLevel();
  }
}

void Game7Node::Resume(void* data) {
  ProgressNode::Resume(data);
  if (m_finalMoviePending) {
    m_finalMoviePending = false;
    m_afterFinalMovie = true;
    MoviePlayer::Instance().Play(kFinalMovie);
  } else if (m_afterFinalMovie) {
    m_afterFinalMovie = false;
    PlayMusic(kPlayMusic);
    PlayFlowLine("6000", 6000);
  } else {
    PlayMusic(kPlayMusic);
    StartLevel();
  }
}

// ---------------------------------------------------------------------------------------------
// Input and events

void Game7Node::OnLeftButtonDown(const InputEventInfo&) {
  // The navigation bar below 550 takes its own clicks.
  if (!IsSetUp() || GetState() >= KNOCKED_OUT || m_pointer.Y() >= 550 || GetApp().IsPaused()) return;
  Dash(m_turtle->GetY() > static_cast<float>(m_pointer.Y()));
}

void Game7Node::OnLeftButtonUp(const InputEventInfo&) {
  if (GetState() != DASH_UP && GetState() != DASH_DOWN) return;
  m_turtle->SetVelocity(0.0f, 0.0f);
  SetState(IDLE);
}

void Game7Node::OnChar(uint16_t code) {
  if (code == kEscape && IsSetUp() && !IsFirstFrames() && GetState() != INTRO) {
    StopVoiceLines();
    StopEffectSounds();
    OpenExitDialog();
  }
  ProgressNode::OnChar(code);
}

void Game7Node::OnKeyUp(uint16_t code) {
  ProgressNode::OnKeyUp(code);
}

void Game7Node::OnSoundFinished(GameSound* sound) {
  const char* flowLine = nullptr;
  for (const char* line : {kExitLineName, "6000", "6001"}) {
    if (IsNamed(sound, line)) flowLine = line;
  }
  // A stopped sound is reported finished too: only a crossing heard to its end calls for a line.
  bool vortexCrossed = false;
  if (IsNamed(sound, kVortexSound)) {
    vortexCrossed = !m_vortexSoundCut;
    m_vortexSoundCut = false;
  }
  // The room and its speakers see the sound first: the next step may release it.
  RoomNode::OnSoundFinished(sound);
  if (flowLine) FinishFlowLine(flowLine);
  if (vortexCrossed && IsSetUp()) PlayVortexLine();
}

void Game7Node::PlayFlowLine(const char* name, uint32_t lineNumber) {
  PlayVoiceLine(name, lineNumber);
  // The flow goes on at the line's end, and a line that never starts never ends.
  if (!IsSoundPlaying(GetVoiceLine())) FinishFlowLine(name);
}

void Game7Node::FinishFlowLine(const char* name) {
  if (plat::EqualsIgnoringCase(name, kExitLineName)) {
    LeaveForHub();
  } else if (m_leaving) {
    // The good-bye line has the last word.
  } else if (plat::EqualsIgnoringCase(name, "6000")) {
    PlayFlowLine("6001", 6001);
  } else if (plat::EqualsIgnoringCase(name, "6001")) {
    StartLevel();
  }
}

void Game7Node::OnObjectClicked(GenericObject* object) {
  if (!IsSetUp()) {
    ProgressNode::OnObjectClicked(object);
    return;
  }
  const char* name = object ? object->GetName() : "";
  bool changed = false;
  if (plat::EqualsIgnoringCase(name, "Sliderleft")) {
    changed = m_levelSelector->StepDown();
  } else if (plat::EqualsIgnoringCase(name, "Sliderright")) {
    changed = m_levelSelector->StepUp(Entry().level);
  } else if (plat::EqualsIgnoringCase(name, "exit1")) {
    StopVoiceLines();
    StopEffectSounds();
    PlayExitLine();
    SetState(GAME_OVER);
  } else if (plat::EqualsIgnoringCase(name, "help")) {
    OpenHelp();
  }
  // A knocked-out turtle starts the new level when its sweep ends.
  if (changed && GetState() != KNOCKED_OUT) {
    m_pointsDisplay->m_score = 0;
    StartLevel();
  }
  ProgressNode::OnObjectClicked(object);
}

void Game7Node::OnAnimationEnded(GenericObject* object) {
  if (object && object == m_turtle.get() && IsSetUp()) {
    const uint32_t animation = m_turtle->GetAnimationId();
    if (GetState() == HIT && animation == MainTurtle::kHitAnimation) {
      SetState(IDLE);
      m_turtle->SetAnimation(MainTurtle::kRecoverAnimation, 0);
      m_turtle->EnableCollision();
    } else if (GetState() == IN_VORTEX && animation == MainTurtle::kVortexAnimation) {
      WinLevel();
    }
  } else if (object && IsSetUp() && GetState() == INTRO) {
    OnIntroAnimationEnded(object);
  } else if (object && IsSetUp()) {
    for (const std::unique_ptr<Obstacles>& obstacle : m_obstacles) {
      if (obstacle.get() != object) continue;
      OnObstacleAnimationEnded(obstacle.get());
      break;
    }
  }
  ProgressNode::OnAnimationEnded(object);
}

void Game7Node::OnSpeechEvent(int id, void* data) {
  if (id == EventId::BannerDone && !m_leaving && IsSetUp()) BeginPlay();
  if (id == EventId::SpeechStopped && IsSetUp() && GetState() == INTRO) OnIntroSpeechStopped();
  ProgressNode::OnSpeechEvent(id, data);
}

// ---------------------------------------------------------------------------------------------
// Sounds and leaving


void Game7Node::LeaveForHub() {
  HideCaption();
  ChangeNodeWithLoadingScreen(kNodeHub, kLoadingPicture);
  MusicManager::Instance().StopMusic();
}

void Game7Node::PlayMusic(const char* name) {
  MusicManager::Instance().QueueMusic(name, true);
  MusicManager::Instance().PlayNext(false);
}
