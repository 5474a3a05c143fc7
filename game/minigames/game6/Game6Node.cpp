// The swim game's node: activation, the state steps, clock, score, prizes and the continue dialog.
#include "game6/Game6Node.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/DatabaseManager.h"
#include "core/Trace.h"
#include "framework/ActivePlayerData.h"
#include "framework/AppOptions.h"
#include "framework/Background.h"
#include "framework/FEOverlayDialog.h"
#include "framework/GameButton.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/GameSound.h"
#include "framework/GameSpriteLoader.h"
#include "framework/LevelBanner.h"
#include "framework/MainApp.h"
#include "framework/MoviePlayer.h"
#include "framework/MusicManager.h"
#include "framework/NPC.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/SoundList.h"
#include "framework/SpriteObject.h"
#include "game6/Game6Hud.h"
#include "game6/Game6Pilo.h"
#include "platform/win/kernel/Random.h"
#include "sound/Sound.h"

namespace {

constexpr const char* kNodeName = "DazodOrer Challenge";
constexpr const char* kLoadingPicture = "loading_gen1";
constexpr uint16_t kSpace = ' ';
constexpr int32_t kSegmentLengths[Game6Node::kLevelCount] = {17400, 17300, 17200, 17100, 17000};
constexpr const char* kPanelSprites[4] = {"Super_Bkgrnd4", "Super_Bkgrnd1", "Super_Bkgrnd2", "Super_Bkgrnd3"};
constexpr const char* kPrizeMovies[Game6Node::kLevelCount] = {"Prize_wood", "Prize_glass", "Prize_bronze",
                                                               "Prize_silver", "Final"};
// The companion's chatter once every comment has been made; index 7 comes back to the first line.
constexpr const char* kChatterLines[8] = {"4250", "4260", "4270", "4280", "4290", "4300", "4310", "4200"};
constexpr const char* kIntroLines[] = {"3820", "3822", "3824", "3826", "3830", "3831",
                                       "3832", "3833", "3834", "3835", "3836", "3837"};
constexpr const char* kFinalGreeting[] = {"3940", "3950", "3960", "3970"};
constexpr const char* kGreeting[] = {"3910", "3920", "3930"};
// Where the companion and the fish wait before they swim in, and the fish's height there.
constexpr float kSwimInStartX = -400.0f;
constexpr float kFishStartY = 300.0f;
constexpr float kSwimInStep = 6.0f;
constexpr float kSwimInBehindCamera = 425.0f;
constexpr float kFishEnteredX = 400.0f;
constexpr float kEntrySpeedUpStep = 0.25f;

struct SoundRow {
  GameSound* Game6Node::*member;
  const char* name;
  const char* file;
};
constexpr SoundRow kSounds[] = {
    {&Game6Node::m_timerSound, "Timer winding down", "ss_stopwatch"},
    {&Game6Node::m_bubbleWallSound, "BubbleWall", "Bubble_Wall"},
    {&Game6Node::m_bellSound, "Bell", "GAME6SFX_Bell"},
    {&Game6Node::m_hoopHitSound, "Hoop Hit", "SS_Bump_Into"},
    {&Game6Node::m_kelpHitSound, "Kelp Hit", "SS_Kelp"},
    {&Game6Node::m_shieldPickedUpSound, "Shield Picked Up", "SS_Protect_Bubble"},
    {&Game6Node::m_shieldEndsSound, "Shield ends", "swim_pop"},
    {&Game6Node::m_itemPickedUpSound, "Item Picked Up", "pick_up_02"},
};

uint32_t LineNumber(const char* name) {
  return static_cast<uint32_t>(std::atoi(name));
}

}  // namespace

Game6Node::Game6Node() = default;

Game6Node::~Game6Node() {
  // The window may close while the dialog is the modal overlay; the node must not keep pointing at it.
  if (m_continueDialog && GetOverlay() == m_continueDialog.get()) DetachOverlay(m_continueDialog.get());
  m_continueDialog.reset();
  if (m_hud) HideHud(m_hud.get());
  m_hud.reset();
}

// ---------------------------------------------------------------------------------------------
// Records, clock and sounds

GameProgress& Game6Node::Entry() {
  return ActivePlayerData.games[kNodeGame6];
}

uint32_t Game6Node::Now() {
  return GameClock::Instance().GetTime();
}

int32_t Game6Node::Random() {
  return plat::win::rand();
}

int32_t Game6Node::SegmentLength(int32_t level) {
  if (level < 0 || level >= kLevelCount) return kSegmentLengths[0];
  return kSegmentLengths[level];
}

int32_t Game6Node::TimeBonus(uint32_t now) const {
  const int64_t currentLeft = static_cast<int64_t>(m_tickDeadline) - static_cast<int64_t>(now);
  const int64_t left = currentLeft + static_cast<int64_t>(m_ticksLeft - 1) * SegmentLength(m_level);
  return left <= 0 ? 0 : static_cast<int32_t>(2 * (left / 1000));
}

void Game6Node::StopIfPlaying(GameSound* sound) {
  if (IsSoundPlaying(sound)) sound->Stop();
}

void Game6Node::PlayOnce(GameSound* sound, float volume) {
  if (!sound) return;
  if (Qel::Sound* engine = sound->GetEngineSound()) engine->SetVolume(volume);
  sound->Play(false, true);
}

void Game6Node::ChangeMusic(const char* name, bool loop) {
  MusicManager& music = MusicManager::Instance();
  music.StopMusic();
  music.QueueMusic(name, loop);
  music.PlayNext(false);
}

bool Game6Node::IsShieldOn() const {
  return m_shieldBubble && m_shieldBubble->GetAnimationId() == 0;
}

Background* Game6Node::GetBackground(int32_t panel) const {
  if (panel < 0 || panel >= kPanelCount) return nullptr;
  return m_backgrounds[static_cast<size_t>(panel)].get();
}

bool Game6Node::IsPanelAttached(int32_t panel) const {
  return panel >= 0 && panel < kPanelCount && m_panelAttached[static_cast<size_t>(panel)];
}

// ---------------------------------------------------------------------------------------------
// Activation and deactivation

void Game6Node::Activate() {
  RoomNode::Activate();
  SetName(kNodeName);
  // Escape opens the room's exit dialog here, not the framework's quit dialog.
  SetQuitAllowed(false);
  Qel::DatabaseManager::GetInstance()->AddDatabase(kDatabase);
  CreatePanels();
  Game6Pilo::RegisterClass();
  LoadObjects(kObjectFile);
  if (!m_hud) {
    m_hud = std::make_unique<Game6Hud>(*this);
    ShowHud(m_hud.get());
  }
  m_camera = std::make_unique<NPC>("Center of the Universe", "blank");
  m_camera->CenterAnchor();
  AddObject(m_camera.get());
  FindObjects();
  m_fish->SetPosition(-1000.0f, 200.0f);
  m_fish->CenterAnchor();
  m_fish->EnableCollision();
  m_tovin->SetPosition(-1000.0f, 100.0f);
  if (!IsSpeakerTalking(0)) {
    StopSpeech();
    m_tovin->SetAnimation(0, 0);
  }
  const bool alpha = GetApp().IsAlphaCapable();
  m_shieldBubble = std::make_unique<NPC>("G6_Bubble", alpha ? "Supe_Bubble" : "Supe_Bubble_sdl");
  m_shieldBubble->SetZ(2);
  m_shieldBubble->SetAnimation(0, 0);
  m_shieldBubble->CenterAnchor();
  m_shieldBubble->SetAnimation(2, 0);
  m_shieldBubble->SetZ(11);
  AddObject(m_shieldBubble.get());
  LoadRoomData(kRoomData, kCaptions);
  SetSpeaker(0, "G6_Tovin", "G6_Tovin_Mouth", "Game6_TovinPos", 1, 0);
  SetSpeaker(1, "G6_Intro_Tovin", "G6_Intro_Tovin_Mouth", "Game6_TovinPos", 1, 0);
  SetSpeaker(2, "G6_Intro_Pilo", "G6_Intro_Pilo_Mouth", "Game6_TovinPos", 1, 0);
  SetSpeaker(3, "blank_head", "blank_head", nullptr, 0, 0);
  m_backButton = std::make_unique<GameButton>("Gm6next1", alpha ? "ActBackArrow" : "ActBackArrow_sdl",
                                              SpriteObject::kClockGame);
  m_backButton->SetPosition(5.0f, 531.0f);
  m_backButton->SetZ(42);
  m_backButton->SetClickSound("ButtonDown");
  AddObject(m_backButton.get());
  m_backButton->SetRolloverCursor(1);
  CreateSounds();
  m_commentSpoken.fill(false);
  ChooseLevel();
  StartLevel(m_level);
  m_ticksLeft = kSegmentCount;
  m_verticalDeadBand = 10;
  m_levelScore = 0;
  m_totalScore = 0;
  m_hud->SetScore(0);
  m_fps.CountFrame(GameClock::Instance());
  if (Entry().firstTime != 0) {
    m_state = FIRST_VISIT;
    ActivePlayerData.SetPlayersFirstTime(kNodeGame6, 0);
  } else {
    m_state = RETURNING_VISIT;
  }
  m_lastStepTime = -1;
  m_finalMoviePlayed = false;
  m_prizeMoviePlaying = false;
}

void Game6Node::FindObjects() {
  // The game cannot run without these; a missing one, or one of another class, ends the program with
  // its name.
  m_fish = RequireObject<Game6Pilo>("G6_Pilo", kObjectFile);
  m_tovin = RequireObject<SpriteObject>("G6_Tovin", kObjectFile);
  m_banner = RequireObject<LevelBanner>("banner", kObjectFile);
  m_helpButton = RequireObject<GenericObject>("helpButton", kObjectFile);
  // Both greetings wait for the end of this one's move.
  m_introTovin = RequireObject<SpriteObject>("G6_Intro_Tovin", kObjectFile);
  m_tovinMouth = dynamic_cast<SpriteObject*>(FindObject("G6_Tovin_Mouth"));
  m_introTovinMouth = dynamic_cast<SpriteObject*>(FindObject("G6_Intro_Tovin_Mouth"));
  m_introPilo = dynamic_cast<SpriteObject*>(FindObject("G6_Intro_Pilo"));
  m_introPiloMouth = dynamic_cast<SpriteObject*>(FindObject("G6_Intro_Pilo_Mouth"));
}

void Game6Node::CreatePanels() {
  sKeepSpritesCompressed = false;
  for (int32_t i = 0; i < kPanelCount; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "bg%d", i);
    auto panel = std::make_unique<Background>(name, kPanelSprites[i % 4]);
    panel->SetPosition(static_cast<float>(kPanelWidth * i), 0.0f);
    panel->SetZ(0);
    m_backgrounds[static_cast<size_t>(i)] = std::move(panel);
    m_panelAttached[static_cast<size_t>(i)] = false;
  }
  sKeepSpritesCompressed = true;
}

void Game6Node::DeletePanels() {
  for (int32_t i = 0; i < kPanelCount; ++i) {
    auto& panel = m_backgrounds[static_cast<size_t>(i)];
    if (panel && m_panelAttached[static_cast<size_t>(i)]) RemoveObject(panel.get());
    m_panelAttached[static_cast<size_t>(i)] = false;
    panel.reset();
  }
}

void Game6Node::CreateSounds() {
  for (const SoundRow& row : kSounds) this->*row.member = GetSound(row.name, row.file, false);
  static constexpr const char* kClamFiles[kClamSoundCount] = {"ss_clamsing_01", "ss_clamsing_02", "ss_clamsing_03",
                                                              "ss_clamsing_04", "ss_clamsing_05"};
  for (int32_t i = 0; i < kClamSoundCount; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "Clam %d Picked Up", i);
    m_clamSounds[static_cast<size_t>(i)] = GetSound(name, kClamFiles[i], false);
  }
  m_congratulationsSound = GetSound("Congratulations", "7000", false);
}

void Game6Node::ChooseLevel() {
  GameProgress& entry = Entry();
  const int32_t overall = ActivePlayerData.GetOverallLevel();
  // A saved word below 0 counts as no level won.
  const int32_t won = std::clamp(static_cast<int32_t>(entry.gameValue2), 0, kLevelCount);
  if (overall < 0) {
    m_level = 0;
    entry.level = 2;
  } else if (overall > won - 1) {
    m_level = won;
    if (entry.level <= won) entry.level = won + 1;
  } else {
    m_level = overall;
  }
  m_level = std::clamp(m_level, 0, kLevelCount - 1);
}

void Game6Node::Deactivate() {
  ClearLevel();
  // A session ends the urgent tick with the level, whatever stopped it.
  StopIfPlaying(m_timerSound);
  RecordHighScore();
  MusicManager::Instance().StopMusic();
  DropObject(m_backButton);
  DropObject(m_shieldBubble);
  DeletePanels();
  DropObject(m_camera);
  if (m_hud) HideHud(m_hud.get());
  m_hud.reset();
  Qel::DatabaseManager::GetInstance()->RemoveDatabase(kDatabase);
  m_fish = nullptr;
  m_tovin = nullptr;
  m_banner = nullptr;
  m_helpButton = nullptr;
  m_tovinMouth = m_introTovin = m_introTovinMouth = m_introPilo = m_introPiloMouth = nullptr;
  for (const SoundRow& row : kSounds) this->*row.member = nullptr;
  m_clamSounds.fill(nullptr);
  m_congratulationsSound = nullptr;
  RoomNode::Deactivate();
}

void Game6Node::RecordHighScore() {
  if (m_totalScore < 0 || static_cast<uint32_t>(m_totalScore) <= Entry().highScore) return;
  Entry().highScore = static_cast<uint32_t>(m_totalScore);
  ActivePlayerData.newResult = 1;
}

void Game6Node::SetTxtValue(const char*, const char*) {}

// ---------------------------------------------------------------------------------------------
// The frame

void Game6Node::Update() {
  if (IsChangePending() || !IsSetUp()) {
    ProgressNode::Update();
    return;
  }
  const uint32_t now = Now();
  if (m_lastStepTime == -1) m_lastStepTime = static_cast<int32_t>(now);
  if (static_cast<int64_t>(now) - m_lastStepTime <= kStepMs - 1) return;
  m_lastStepTime = static_cast<int32_t>(now);
  StepState(now);
  ProgressNode::Update();
}

void Game6Node::FollowScroll() {
  const Qel::Point2 scroll = GetScroll();
  if (m_backButton) m_backButton->SetPosition(static_cast<float>(scroll.X() + 5), static_cast<float>(scroll.Y() + 531));
  if (m_helpButton)
    m_helpButton->SetPosition(static_cast<float>(scroll.X() + 733), static_cast<float>(scroll.Y() + 541));
}

void Game6Node::StepState(uint32_t now) {
  FollowScroll();
  switch (m_state) {
    case FIRST_VISIT:
      QueueIntro();
      break;
    case RETURNING_VISIT:
      QueueGreeting();
      break;
    case LEVEL_BANNER:
      StopSpeech();
      RemoveIntroObjects();
      break;
    case SWIM_IN:
      SwimIn();
      break;
    case SET_UP:
      SetUpLevel(now);
      break;
    case FISH_ENTERS:
      EnterFish(now);
      break;
    case PLAYING:
      PlayStep();
      break;
    case TIME_UP:
      LoseLevel(now);
      break;
    case LOSE_LINES:
      SyncFishAndCompanion();
      break;
    case WAITING_TO_REPLAY:
      StepReplay(now);
      break;
    case LEVEL_WON:
      WinLevel();
      break;
    case PRIZE:
      StepPrize();
      break;
    case NEXT_LEVEL:
      GoToNextLevel();
      break;
    default:
      if ((m_state >= BOUNCED_BACK && m_state <= BOUNCED_FORWARD_RETURN) ||
          (m_state >= GROUND_SPOUT && m_state <= CEILING_SPOUT_PUSH) || m_state == KELP || m_state == KELP_HOLD) {
        ReactionStep();
        if (m_state == BOUNCED_BACK_AWAY || m_state == BOUNCED_FORWARD_AWAY || m_state == GROUND_SPOUT_PUSH ||
            m_state == CEILING_SPOUT_PUSH || m_state == KELP_HOLD)
          SyncFishAndCompanion();
      }
      break;
  }
}

void Game6Node::QueueIntro() {
  uint32_t speaker = 1;
  for (const char* line : kIntroLines) {
    QueueLine(speaker, line, LineNumber(line));
    speaker = speaker == 1 ? 2 : 1;
  }
  StartSpeech(0, false, true);
  m_state = INTRO_SPEECH;
}

void Game6Node::QueueGreeting() {
  m_state = GREETING_SPEECH;
  const GameProgress& entry = Entry();
  if (ActivePlayerData.GetOverallLevel() >= 4 && entry.level == 5 && entry.gameFlag == 0) {
    uint32_t speaker = 1;
    for (const char* line : kFinalGreeting) {
      QueueLine(speaker, line, LineNumber(line));
      speaker = speaker == 1 ? 2 : 1;
    }
  } else {
    uint32_t speaker = 1;
    for (const char* line : kGreeting) {
      QueueLine(speaker, line, LineNumber(line));
      speaker = speaker == 1 ? 2 : 1;
    }
  }
  StartSpeech(0, false, true);
}

void Game6Node::RemoveIntroObjects() {
  for (SpriteObject* object : {m_introTovin, m_introPilo, m_introTovinMouth, m_introPiloMouth}) {
    if (object) RemoveObject(object);
  }
}

void Game6Node::PlaceForSwimIn() {
  m_tovin->SetPosition(kSwimInStartX, m_tovin->GetY());
  m_fish->SetPosition(m_tovin->GetX(), kFishStartY);
}

void Game6Node::SwimIn() {
  const float target = m_camera->GetX() - kSwimInBehindCamera;
  bool there = true;
  for (GenericObject* object : {static_cast<GenericObject*>(m_tovin), static_cast<GenericObject*>(m_fish)}) {
    if (object->GetX() < target) {
      object->SetPosition(std::min(object->GetX() + kSwimInStep, target), object->GetY());
      there = there && object->GetX() >= target;
    }
  }
  if (there) m_state = SET_UP;
}

void Game6Node::SetUpLevel(uint32_t now) {
  m_camera->SetVelocity(0.0f, 0.0f);
  PlaceCompanion();
  m_fish->SetPosition(m_tovin->GetX(), kFishStartY);
  m_tickDeadline = static_cast<int32_t>(now) + SegmentLength(m_level);
  m_entrySpeedUp = 0.0f;
  m_state = FISH_ENTERS;
}

void Game6Node::EnterFish(uint32_t now) {
  // The speed-up has no limit: the frame rate it was once held against is never measured in play.
  m_fish->SetPosition(m_fish->GetX() + static_cast<float>(m_entryStep) + m_entrySpeedUp, m_fish->GetY());
  m_entrySpeedUp += kEntrySpeedUpStep;
  if (m_fish->GetX() < kFishEnteredX) return;
  AnchorFishToCamera();
  m_camera->SetVelocity(m_scrollSpeed, 0.0f);
  m_tickDeadline = static_cast<int32_t>(now) + SegmentLength(m_level);
  m_state = PLAYING;
}

void Game6Node::PlayStep() {
  const uint32_t now = Now();
  UpdateCamera();
  if (static_cast<int64_t>(now) > m_tickDeadline) {
    --m_ticksLeft;
    if (m_ticksLeft <= 0) {
      m_hud->SetClock(kSegmentCount);
      m_state = TIME_UP;
    } else {
      if (m_ticksLeft == 1) {
        StopIfPlaying(m_timerSound);
        if (m_timerSound) {
          if (Qel::Sound* engine = m_timerSound->GetEngineSound()) engine->SetVolume(0.95f);
          m_timerSound->Play(true, true);
        }
        ChangeMusic(kUrgentMusic, false);
      }
      m_hud->SetClock(kSegmentCount - m_ticksLeft);
      m_tickDeadline = static_cast<int32_t>(now) + SegmentLength(m_level);
    }
  }
  if (m_speedFactor == 2 && static_cast<int64_t>(now) > m_finUntil) m_speedFactor = 1;
  SyncFishAndCompanion();
  SteerFish();
  const bool shieldedOnHoopTop = CheckCollisions();
  if (IsShieldOn() && static_cast<int64_t>(now) > m_shieldUntil && !shieldedOnHoopTop) {
    PlayOnce(m_shieldEndsSound);
    m_fish->SetZ(2);
    m_shieldBubble->SetAnimation(1, 0);
  }
  if (!IsSpeakerTalking(0) && Random() % 1000 == 0 &&
      std::all_of(m_commentSpoken.begin(), m_commentSpoken.end(), [](bool spoken) { return spoken; })) {
    StopSpeech();
    const char* line = kChatterLines[Random() % 8];
    QueueLine(0, line, LineNumber(line));
    StartSpeech(0, false, true);
  }
  UpdateSteering();
}

void Game6Node::ShowScore() {
  m_levelScore = std::min(m_levelScore, kScoreCap - m_totalScore);
  m_hud->SetScore(m_levelScore + m_totalScore);
}

// ---------------------------------------------------------------------------------------------
// Winning, losing and the next level

void Game6Node::WinLevel() {
  const uint32_t now = Now();
  m_camera->SetVelocity(0.0f, 0.0f);
  StopIfPlaying(m_timerSound);
  PlayOnce(m_bellSound);
  SyncFishAndCompanion();
  if (IsShieldOn()) {
    m_fish->SetZ(2);
    m_shieldBubble->SetAnimation(2, 0);
  }
  m_fish->SetAnimation(m_fish->GetAnimationId() >= 15 ? 25 : 10, 0);
  if (!IsSpeakerTalking(0)) StopSpeech();
  m_tovin->SetAnimation(static_cast<uint32_t>(5 + Random() % 2), 0);
  m_levelScore += TimeBonus(now);
  m_totalScore = std::min(m_totalScore + m_levelScore, kScoreCap);
  m_levelScore = 0;
  // The bar shows the total with the bonus while the prize and the continue dialog are on.
  ShowScore();
  GameProgress& entry = Entry();
  if (m_level == kLevelCount - 1 && entry.gameFlag == 0) {
    entry.gameFlag = 1;
    PlayOnce(m_congratulationsSound);
  }
  RecordHighScore();
  Qel::Trace("INFO: Game6 level %d won, total score %d\n", m_level + 1, m_totalScore);
  m_state = PRIZE;
}

void Game6Node::StepPrize() {
  SyncFishAndCompanion();
  if (m_prizeMoviePlaying || m_continueDialogOpen) return;
  if (m_level == kLevelCount - 1 && IsSoundPlaying(m_congratulationsSound)) return;
  if (m_tovin->GetAnimationId() != 0) return;
  uint8_t& prize = Entry().levelFlags[m_level];
  if (prize != 0) {
    m_state = NEXT_LEVEL;
    return;
  }
  prize = 1;
  // A movie that cannot be played ends inside Play: what its end reads is set before.
  if (m_level == kLevelCount - 1) m_finalMoviePlayed = true;
  m_prizeMoviePlaying = true;
  MoviePlayer::Instance().Play(kPrizeMovies[m_level]);
}

void Game6Node::Resume(void* data) {
  ProgressNode::Resume(data);
  // Only the prize movie's end moves the game on; other movies come back to where they were.
  if (!m_prizeMoviePlaying) return;
  m_prizeMoviePlaying = false;
  if (m_finalMoviePlayed) {
    m_finalMoviePlayed = false;
    NodeManager::Instance().RequestNode(kCreditsNodeId);
    return;
  }
  GameProgress& entry = Entry();
  if (m_level != ActivePlayerData.GetOverallLevel()) {
    m_state = NEXT_LEVEL;
    MusicManager::Instance().QueueMusic(kUrgentMusic, false);
    MusicManager::Instance().PlayNext(false);
    return;
  }
  entry.gameValue2 = std::max(static_cast<int32_t>(entry.gameValue2), m_level + 1);
  entry.gameValue = static_cast<uint32_t>(m_level + 1);
  entry.level = std::max(entry.level, m_level + 1);
  SetScroll(0, 0);
  ShowBackgroundPanels(0);
  OpenContinueDialog();
}

void Game6Node::GoToNextLevel() {
  ClearLevel();
  GameProgress& entry = Entry();
  const int32_t before = m_level;
  entry.gameValue2 = static_cast<uint32_t>(std::max(static_cast<int32_t>(entry.gameValue2), before + 1));
  if (m_level < ActivePlayerData.GetOverallLevel()) m_level = std::min(m_level + 1, kLevelCount - 1);
  entry.gameValue = static_cast<uint32_t>(before + 2);
  entry.level = std::max(entry.level, before + 2);
  m_ticksLeft = kSegmentCount;
  StartLevel(m_level);
  ShowScore();
  PlaceForSwimIn();
  m_banner->Show(m_level + 1);
  m_state = LEVEL_BANNER;
}

void Game6Node::LoseLevel(uint32_t now) {
  m_camera->SetVelocity(0.0f, 0.0f);
  StopIfPlaying(m_timerSound);
  ChangeMusic(kLoseMusic, false);
  m_loseUntil = now + 6000;
  StopSpeech();
  const int32_t pick = Random() % 4;
  const char* line = pick == 2 ? "3990" : pick == 3 ? "3980" : "3842";
  QueueLine(0, line, LineNumber(line));
  StartSpeech(0, false, true);
  Qel::Trace("INFO: Game6 level %d lost on time\n", m_level + 1);
  m_state = LOSE_LINES;
}

void Game6Node::StepReplay(uint32_t now) {
  SyncFishAndCompanion();
  if (now <= m_loseUntil || IsSpeakerTalking(0)) return;
  // The lost level's points go; the total stays, and the bar shows it.
  m_levelScore = 0;
  ShowScore();
  ClearLevel();
  m_ticksLeft = kSegmentCount;
  StartLevel(m_level);
  PlaceForSwimIn();
  m_state = SWIM_IN;
}

// ---------------------------------------------------------------------------------------------
// Level changes

void Game6Node::RestartLevel() {
  ClearLevel();
  StartLevel(m_level);
}

void Game6Node::NextLevel() {
  if (m_level >= ActivePlayerData.GetOverallLevel() || m_level >= kLevelCount - 1) return;
  ++m_level;
  RestartLevel();
  m_state = SET_UP;
  Entry().gameValue = static_cast<uint32_t>(m_level + 1);
}

void Game6Node::PreviousLevel() {
  if (m_level < 1) return;
  --m_level;
  RestartLevel();
  m_state = SET_UP;
  Entry().gameValue = static_cast<uint32_t>(m_level + 1);
}

// ---------------------------------------------------------------------------------------------
// The continue dialog

void Game6Node::OpenContinueDialog() {
  StopSpeech();
  GetSounds().PauseAll();
  GetApp().PauseGame();
  if (m_continueDialog) {
    DetachOverlay(m_continueDialog.get());
    m_continueDialog.reset();
  }
  m_continueDialog = std::make_unique<FEOverlayDialog>("SIExitDlg", "DialogBox3", "Pilo_Yes", "Pilo_No", -1);
  m_continueDialog->LoadCaptions(kCaptions);
  m_continueDialog->SetPrompt("4042", "4042", 4042);
  ShowOverlay(m_continueDialog.get());
  m_continueDialogOpen = true;
}

void Game6Node::CloseContinueDialog(bool resumeSounds) {
  if (resumeSounds) GetSounds().ResumeAll();
  if (m_continueDialog) HideOverlay(m_continueDialog.get());
  m_continueDialogOpen = false;
}

// ---------------------------------------------------------------------------------------------
// Input and events

void Game6Node::OnObjectClicked(GenericObject* object) {
  if (!IsSetUp()) {
    ProgressNode::OnObjectClicked(object);
    return;
  }
  if (m_continueDialogOpen) {
    const bool yes = m_continueDialog && m_continueDialog->IsYesButton(object);
    CloseContinueDialog(true);
    if (yes) {
      m_state = NEXT_LEVEL;
      ChangeMusic(kUrgentMusic, false);
    } else {
      QueueLine(3, "4043", 4043);
      StartSpeech(0, false, true);
      m_state = LEAVING;
    }
  } else if (object && object == m_backButton.get()) {
    SetScroll(0, 0);
    ChangeNodeWithLoadingScreen(kHubNodeId, kLoadingPicture);
  } else if (object && object == m_helpButton) {
    QueueHelpLine("3932", 3932, 9, true);
    QueueHelpLine("3931", 3931, 1, false);
    for (int32_t page : {2, 10, 11, 12}) QueueHelpLine("2sec_silence", 3931, page, false);
    QueueHelpLine("3935", 3935, 6, false);
    QueueHelpLine("3934", 3934, 5, false);
    QueueHelpLine("3933", 3933, 7, false);
    QueueHelpLine("2sec_silence", 3933, 8, false);
    QueueHelpLine("2sec_silence", 3933, 0, false);
    OpenHelpScreen(m_ticksLeft == 1 ? kUrgentMusic : kPlayMusic, 12);
  }
  ProgressNode::OnObjectClicked(object);
}

void Game6Node::OnChar(uint16_t code) {
  if (code == kSpace) {
    StopSpeech();
    return;
  }
  static constexpr uint16_t kEscape = 27;
  if (code == kEscape && IsSetUp() && !IsFirstFrames()) OpenExitDialog();
  if (IsSetUp() && code >= '1' && code <= '5' && GetApp().GetOptions().IsCheatMode()) {
    m_level = code - '1';
    RestartLevel();
    m_state = SET_UP;
  }
  ProgressNode::OnChar(code);
}

void Game6Node::OnKeyDown(uint16_t) {}

void Game6Node::OnAnimationEnded(GenericObject* object) {
  RoomNode::OnAnimationEnded(object);
}

void Game6Node::OnSpeechEvent(int id, void* data) {
  if (!IsSetUp()) {
    ProgressNode::OnSpeechEvent(id, data);
    return;
  }
  if (id == EventId::SpeechStopped) {
    if (m_state == INTRO_SPEECH || m_state == GREETING_SPEECH) {
      PlaceForSwimIn();
      SpeakerPlayMove(1, 2, 0, 0);
      SpeakerPlayMove(2, 2, 0, 0);
    } else if (m_state == LOSE_LINES) {
      m_state = WAITING_TO_REPLAY;
    } else if (m_state == LEAVING) {
      ChangeNodeWithLoadingScreen(kHubNodeId, kLoadingPicture);
    }
  } else if (id == EventId::CharacterMoveEnded) {
    const auto* body = static_cast<const GenericObject*>(data);
    if (body && body == m_introTovin && m_introTovin->GetAnimationId() == 2 &&
        (m_state == INTRO_SPEECH || m_state == GREETING_SPEECH)) {
      RemoveIntroObjects();
      m_banner->Show(m_level + 1);
      m_state = LEVEL_BANNER;
    }
  } else if (id == EventId::BannerDone) {
    if (m_state == LEVEL_BANNER) m_state = SWIM_IN;
  }
  ProgressNode::OnSpeechEvent(id, data);
}
