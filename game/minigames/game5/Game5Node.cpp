// The submarine ball game's node: its objects, levels, steps, sounds, displays and progress.
#include "game5/Game5Node.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "core/DatabaseManager.h"
#include "framework/ActiveGameButton.h"
#include "framework/ActivePlayerData.h"
#include "framework/Background.h"
#include "framework/CCSound.h"
#include "framework/GameButton.h"
#include "framework/GameEvents.h"
#include "framework/GameSound.h"
#include "framework/GameSpriteLoader.h"
#include "framework/LevelBanner.h"
#include "framework/MainApp.h"
#include "framework/MoviePlayer.h"
#include "framework/MusicManager.h"
#include "framework/NodeId.h"
#include "framework/Player.h"
#include "game5/Gm5Sprites.h"
#include "platform/win/kernel/Random.h"
#include "sound/Sound.h"

namespace {

constexpr Game5Node::LevelRow kLevels[Game5Node::kLevelCount] = {
    {3, 3, 20000, 2}, {3, 3, 18000, 2}, {3, 4, 16000, 3}, {3, 4, 14000, 3}, {3, 5, 12000, 4},
    {3, 5, 11000, 4}, {3, 5, 10000, 4}, {3, 6, 9000, 4},  {3, 6, 8000, 5},  {3, 6, 7500, 5},
    {3, 6, 7000, 5},  {3, 7, 6500, 5},  {3, 7, 6000, 5},  {3, 7, 5500, 5},  {3, 7, 5000, 5},
    {3, 8, 5000, 5},  {3, 8, 5000, 5},  {3, 8, 5000, 6},  {3, 8, 5000, 6},  {3, 9, 5000, 6},
};

constexpr const char* kDatabase = "GAME5";
constexpr const char* kObjectFile = "GAME5_Sub";
constexpr const char* kMusic = "Submarine_music_loop22k";
constexpr const char* kCaptions = "GarmoSub";
constexpr const char* kEffects = "GM5sfx";
constexpr const char* kHappyMovie = "Sub_Movie_Happy";
constexpr const char* kAngryMovie = "Sub_Movie_Angry";
constexpr const char* kFmvMovie = "SubGameFMV";
constexpr const char* kPrizeMovies[5] = {"Prize_Conch", "Prize_Sanddollar", "Prize_Anchor", "Prize_Ship",
                                         "Prize_Pearl"};
constexpr int32_t kPrizeLevels = 5;
// The prize byte of level 5 is the byte of the one-time movie.
constexpr size_t kFmvFlag = 4;

constexpr int32_t kStepInterval = 7;
constexpr int32_t kArrowPause = 300;
constexpr int32_t kHurryLead = 3000;
constexpr int32_t kHurryOnce = 20000;
constexpr int32_t kGoalPoints = 50;
constexpr int32_t kBonusSteps = 50;
constexpr int32_t kFloorY = 610;
// The throw leaves the fish's mouth: ahead of it by facing, a little higher.
constexpr int32_t kThrowOffsetLeft = 98;
constexpr int32_t kThrowOffsetRight = -21;
constexpr int32_t kThrowOffsetY = -4;

constexpr uint32_t kSharkAtMiddleDoor = 9;
constexpr uint32_t kZelkaEntrance = 2;
constexpr uint32_t kPipeLoading = 0;
constexpr uint32_t kPipeResting = 1;
constexpr uint32_t kChanceThere = 0;
constexpr uint32_t kChanceUsed = 1;
constexpr uint32_t kChanceCounted = 2;
constexpr uint32_t kBallAtRest = 4;
constexpr int32_t kBallSize = 32;

constexpr int32_t kRolloverCursor = 1;

std::string Numbered(const char* base, int index) {
  char name[64];
  std::snprintf(name, sizeof name, "%s%i", base, index);
  return name;
}

GameProgress& Entry() {
  return ActivePlayerData.games[kNodeGame5];
}

void StopAndRelease(GameNode& node, GameSound*& sound) {
  if (!sound) return;
  sound->Stop();
  node.ReleaseSound(sound);
  sound = nullptr;
}

}  // namespace

Game5Node::LevelRow Game5Node::LevelFor(int32_t level) {
  return kLevels[std::clamp(level, 1, kLevelCount) - 1];
}

int32_t Game5Node::EncourageLineFor(int32_t draw) {
  const int32_t r = ScaledDraw(draw, 14);
  const int32_t n = r > 10 ? r + 2590 : r + 2549;
  return (n >= 2549 && n <= 2558) || (n >= 2600 && n <= 2603) ? n : 2549;
}

int32_t Game5Node::ChanceLostLineFor(int32_t draw) {
  const int32_t n = 2604 + ScaledDraw(draw, 13);
  return n >= 2604 && n <= 2616 && n != 2612 ? n : 2604;
}

int32_t Game5Node::LastChanceLineFor(int32_t draw) {
  const int32_t n = 2541 + ScaledDraw(draw, 2);
  return n == 2541 || n == 2542 ? n : 2541;
}

const char* Game5Node::GrowlFor(int32_t draw) {
  constexpr const char* kGrowls[4] = {"Garmo_growl01", "Garmo_growl02", "Garmo_growl03", "Garmo_growl04"};
  return kGrowls[std::min(ScaledDraw(draw, 4), 3)];
}

const char* Game5Node::CreakFor(int32_t draw) {
  constexpr const char* kCreaks[4] = {"sub_creak", "sub_creak_01", "sub_creak_02", "sub_creak_03"};
  return kCreaks[std::min(ScaledDraw(draw, 4), 3)];
}

Game5Node::Game5Node() = default;

Game5Node::~Game5Node() {
  ClearJellyfish();
  RemoveCreated();
}

template <typename T, typename... Args>
T* Game5Node::Create(float x, float y, int32_t z, Args&&... args) {
  auto object = std::make_unique<T>(std::forward<Args>(args)...);
  T* raw = object.get();
  raw->SetPositionAndZ(x, y, z);
  m_created.push_back(std::move(object));
  AddObject(raw);
  return raw;
}

void Game5Node::RemoveCreated() {
  for (const std::unique_ptr<GenericObject>& object : m_created) RemoveObject(object.get());
  m_created.clear();
  m_pipe = nullptr;
  m_fishSprite = nullptr;
  m_chanceIcons = {};
  m_scoreDigits = {};
  m_levelDigits = {};
  m_goalsIcon = nullptr;
  m_arrowBack = nullptr;
  m_arrowForward = nullptr;
  m_exitArrow = nullptr;
  m_helpButton = nullptr;
  m_ball.m_sprite = nullptr;
  m_doors.m_shark = nullptr;
  m_doors.m_doorSprites = {};
  m_player.m_sprite = nullptr;
  for (GM5BallBubbles& bubble : m_ball.m_trail.m_bubbles) bubble = GM5BallBubbles();
  for (GM5BallBubbles& bubble : m_ball.m_bounceBubbles.m_bubbles) bubble = GM5BallBubbles();
}

void Game5Node::Activate() {
  GameNode::Activate();
  SetQuitAllowed(false);
  SetNodeCursorKind(0);
  Entry().gameFlag = 0;

  Qel::DatabaseManager::GetInstance()->AddDatabase(kDatabase);
  sKeepSpritesCompressed = false;

  // The file holds the banner and the introducing speaker; without them no level could start and no
  // introduction end.
  LoadObjects(kObjectFile);
  m_banner = RequireObject<LevelBanner>("banner", kObjectFile);
  RequireObject<SpriteObject>("zelka", kObjectFile);
  RequireObject<SpriteObject>("zelkahead", kObjectFile);
  LoadRoomData("GAME5_roomdata", kCaptions);
  MusicManager::Instance().QueueMusic(kMusic, true);
  MusicManager::Instance().PlayNext(false);

  const bool alpha = GetApp().IsAlphaCapable();
  constexpr int kClock = SpriteObject::kClockGame;
  Create<Background>(0, 0, 0, "GM5main_bk1", "FF_Background");
  m_exitArrow = Create<GameButton>(5, 531, 7010, "GM5next1", alpha ? "ActBackArrow" : "ActBackArrow_sdl", kClock);
  m_exitArrow->SetRolloverCursor(kRolloverCursor);
  m_exitArrow->SetClickSound("ButtonDown4");
  Create<Ambient>(0, 533, 7000, "GM5NavBar3", alpha ? "ActNavBackground" : "ActNavBackground_sdl", kClock);
  m_helpButton = Create<GameButton>(733, 541, 7042, "GM5HelpBtnK8tm", "HelpButton", kClock);
  m_helpButton->SetRolloverCursor(kRolloverCursor);
  m_helpButton->SetClickSound("ButtonDown");
  Create<Ambient>(0, 0, 6000, "GM5LeftMask1", "FF_Front_left", kClock);
  Create<Ambient>(739, 0, 6001, "GM5RightMask1", "FF_Front_right", kClock);
  m_pipe = Create<Ambient>(-10, 48, 796, "GM5BallPipe", "feeding_Frenzy_Pipe", kClock);
  m_pipe->SetAnimation(kPipeResting, 0);
  m_pipeMouth = {712, 550};

  m_player.m_spriteOffset = {339, 420};
  m_player.m_arc.Set({352, 1164}, 736, 320);
  m_player.m_circle.Set({339, 420}, 78.0f);
  Player* fish = Create<Player>(static_cast<float>(m_player.m_arc.GetX() - m_player.m_spriteOffset.X()),
                                static_cast<float>(m_player.m_arc.GetY() - m_player.m_spriteOffset.Y()), 1000,
                                "Gm5Pilo1", "FeedingFrenzy_Pilo");
  // The fish is played with the pointer over it: a release there is the throw, not a click on it.
  fish->ClearEnabled();
  fish->SetAnimation(10, 0);
  m_fishSprite = fish;
  m_player.m_sprite = fish;

  Ambient* ball = Create<Ambient>(1000, 1000, 800, "Gm5Ball", "KelpBall", kClock);
  gm5::SetShown(ball, false);
  m_ball.m_sprite = ball;
  m_ball.m_path.SetPosition(400.0f, 400.0f);
  m_ball.m_prevX = 400;
  m_ball.m_prevY = 400;
  m_ball.m_path.SetSpeed(7.0f);
  m_ball.m_path.SetTimeBased(true);
  ball->SetAnimation(static_cast<uint32_t>(m_ball.m_depthZone), 0);
  m_ball.SetSize(kBallSize);

  m_doors.m_shark = Create<Ambient>(0, 0, 200, "Gm5Garmo", "FeedingFrenzy_Garmo", kClock);
  gm5::SetShown(m_doors.m_shark, false);
  const char* doorSprites[3] = {"FF_left_door", "FF_midl_door", "FF_rght_door"};
  for (int i = 0; i < 3; ++i) {
    m_doors.m_doorSprites[static_cast<size_t>(i)] =
        Create<Ambient>(0, 0, 90 + i, Numbered("Gm5SolidDr5Ht", i).c_str(), doorSprites[i], kClock);
  }
  m_doors.ShowDoors();

  Create<Ambient>(296, 514, 7038, "GM5GarmoWInLosexL76m", alpha ? "GarmoKelp" : "GarmoKelp_sdl", kClock);
  m_goalsIcon = Create<Ambient>(350, 554, 7100, "gm5garmoIconlt44", "smNumbers", kClock);
  for (int i = 0; i < 3; ++i) {
    m_chanceIcons[static_cast<size_t>(i)] = Create<Ambient>(static_cast<float>(411 + 43 * (2 - i)), 553, 7020 + i,
                                                            Numbered("gm5kelpIcon", i).c_str(), "Chances", kClock);
  }
  for (int i = 0; i < 5; ++i) {
    m_scoreDigits[static_cast<size_t>(i)] = Create<Ambient>(
        static_cast<float>(636 + 20 * (i - 1)), 562, 7070 + i, Numbered("gm5ScoreIcon", i).c_str(), "LevelNumbers",
        kClock);
  }
  for (int i = 0; i < 2; ++i) {
    m_levelDigits[static_cast<size_t>(i)] = Create<Ambient>(
        static_cast<float>(154 + 20 * i), 567, 7090 + i, Numbered("gm5levelnumIcon", i).c_str(), "LevelNumbers",
        kClock);
  }
  m_arrowBack = Create<ActiveGameButton>(98, 558, 7102, "levelsliderdn", "LevelArrowBack", kClock);
  m_arrowForward = Create<ActiveGameButton>(207, 555, 7103, "levelsliderup", "LevelArrowForward", kClock);
  for (ActiveGameButton* arrow : {m_arrowBack, m_arrowForward}) {
    arrow->SetRolloverCursor(kRolloverCursor);
    arrow->SetClickSound("ButtonDown");
  }
  for (int i = 0; i < GM5BallBubblesMgr::kCount; ++i) {
    Ambient* bubble =
        Create<Ambient>(0, 1000, 1800 + i, Numbered("Gm5BallBubbleXm7z", i).c_str(), "BubbleRise", kClock);
    bubble->SetAnimation(1, 0);
    m_ball.m_trail.m_bubbles[static_cast<size_t>(i)].m_sprite = bubble;
  }
  for (int i = 0; i < GM5DeflectBubblesMgr::kCount; ++i) {
    Ambient* bubble =
        Create<Ambient>(0, 1000, 1700 + i, Numbered("Gm5BallDeflectBubM2l3", i).c_str(), "DeflectBubble", kClock);
    bubble->SetAnimation(1, 0);
    m_ball.m_bounceBubbles.m_bubbles[static_cast<size_t>(i)].m_sprite = bubble;
  }

  // A saved level below 1 would read the level tables before their first row.
  const int32_t saved = std::max(static_cast<int32_t>(Entry().gameValue), 1);
  m_level = std::min(saved + (GetApp().GetOptions().IsCheatMode() ? 4 : 0), kLevelCount);

  LoadRoomData("Sub1Data", kCaptions);
  SetSpeaker(0, "zelka", "zelkahead", "SubRm1_TovinPos", 1, 0);
  m_zelka = dynamic_cast<SpriteObject*>(FindObject("zelka"));
  SetSpeakersRaised(false);

  m_score = 0;
  ShowScore();
  ShowLevel();
  UpdateLevelArrows();
  ShowGoalsLeft();

  m_wallSound1 = GetSound("ball_hit_wall01", "ball_hit_wall01", false);
  m_wallSound2 = GetSound("ball_hit_wall02", "ball_hit_wall02", false);

  m_introPhase = 1;
  m_state = kIntro;
  if (m_zelka) m_zelka->SetAnimation(kZelkaEntrance, 0);
}

void Game5Node::Deactivate() {
  sKeepSpritesCompressed = true;
  MusicManager::Instance().StopMusic();
  ClearJellyfish();
  RemoveCreated();
  m_banner = nullptr;
  m_zelka = nullptr;
  Qel::DatabaseManager::GetInstance()->RemoveDatabase(kDatabase);
  RoomNode::Deactivate();
}

void Game5Node::SetLevel(int32_t level) {
  m_level = std::clamp(level, 1, kLevelCount);
  UpdateLevelArrows();
  ShowScore();

  GameProgress& entry = Entry();
  if (entry.level < m_level) entry.level = m_level;
  entry.gameValue = static_cast<uint32_t>(m_level);
  m_levelWon = false;
  ShowLevel();

  ResetBall(kLevelStart);

  const LevelRow row = LevelFor(m_level);
  m_chances = row.chances;
  m_goalsNeeded = row.goals;
  ShowChances();
  m_doors.m_goals = 0;
  ShowGoalsLeft();

  ClearJellyfish();
  m_jellyCount = std::clamp(row.jellyfish, 0, GM5JellyFish::kSlotCount);
  std::array<bool, GM5JellyFish::kSlotCount> taken{};
  for (int32_t k = 0; k < m_jellyCount; ++k) m_jellyfish[static_cast<size_t>(k)].SetUp(*this, k, m_level, taken);

  if (m_banner) m_banner->Show(m_level);
}

void Game5Node::ResetBall(int32_t state) {
  m_player.m_ballHeld = false;
  m_player.m_buttonHeld = false;
  m_player.m_bounceCooldown = 0;
  m_state = state;
  m_aimDeadline = -1;
  const Qel::Point2 hand = m_player.GetHandPoint();
  m_ball.m_path.SetPosition(static_cast<float>(hand.X()), static_cast<float>(hand.Y()));
  const BallSpeed speed = BallSpeedFor(m_level);
  m_ball.SetSpeedForDepth(speed.base, speed.boost);
  m_ball.m_path.SetSpeed(speed.base);
  m_ball.m_path.ResetStepClock();
  m_ball.SetSize(kBallSize);
  gm5::Animate(m_ball.m_sprite, kBallAtRest);
  gm5::SetShown(m_ball.m_sprite, false);
  m_bonusTicks = 0;
  if (state != kLevelStart) {
    gm5::Animate(m_pipe, kPipeLoading);
    PlayEffect("ball_load");
  }
}

bool Game5Node::StepIsDue() {
  const int32_t now = GameTimeNow();
  if (m_lastStepTime == -1) {
    m_lastStepTime = now;
    return false;
  }
  if (static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(m_lastStepTime)) <= kStepInterval)
    return false;
  m_lastStepTime = now;
  return true;
}

void Game5Node::Update() {
  if (IsChangePending()) {
    m_ball.m_path.ResetStepClock();
    ProgressNode::Update();
    return;
  }
  if (!m_arrowsEnabled) {
    if (m_arrowsReenableAt == -1) {
      m_arrowsReenableAt = GameTimeNow() + kArrowPause;
    } else if (gm5::IsPast(m_arrowsReenableAt)) {
      m_arrowsReenableAt = -1;
      m_arrowsEnabled = true;
    }
  }
  if (!StepIsDue()) {
    ProgressNode::Update();
    return;
  }
  if (m_state != kLevelStart) {
    m_player.m_arc.TrackCursor();
    m_player.Bob();
    m_player.SyncSprite();
  }
  if (m_ball.IsOffScreen()) {
    // Thrown out of the room: loaded again, at no cost.
    ResetBall(kBallLoaded);
    ProgressNode::Update();
    return;
  }

  if (m_state == kBonus) {
    if (m_chances > 0) {
      Ambient* icon = m_chanceIcons[static_cast<size_t>(std::min(m_chances, 3) - 1)];
      if (icon && icon->GetAnimationId() != kChanceCounted) {
        icon->SetAnimation(kChanceCounted, 0);
        PlayEffect("bell");
      }
      ++m_bonusTicks;
      if (m_bonusTicks <= kBonusSteps) {
        ++m_score;
        ShowScore();
      } else if (!IsSoundPlaying(m_effectSound)) {
        gm5::Animate(icon, kChanceThere);
        m_bonusTicks = 0;
        --m_chances;
      }
    } else {
      gm5::Animate(m_chanceIcons[0], kChanceThere);
      m_levelWon = true;
      m_state = kLevelWon;
      if (!MoviePlayer::Instance().IsPlaying()) {
        StopSounds();
        MoviePlayer::Instance().Play(kHappyMovie);
      }
    }
    ProgressNode::Update();
    return;
  }

  if (m_state != kIntro && m_state != kBonus && m_state != kLevelWon) {
    if (m_doors.UpdateMoveTimer()) {
      PlayCreak();
      PlayGrowl();
    }
    m_doors.UpdateReturn(m_level);
    for (int32_t i = 0; i < m_jellyCount; ++i) m_jellyfish[static_cast<size_t>(i)].Update(m_level);
  }
  if (m_state == kBallLoaded && m_player.TouchesPoint(m_pipeMouth)) m_state = kFishAtBall;
  if (m_state == kAiming && m_aimDeadline == -1) {
    m_aimDeadline = GameTimeNow() + LevelFor(m_level).aimTime;
    m_aimWarning = m_aimDeadline - kHurryLead;
  }
  if (m_state == kInFlight) {
    m_state = m_doors.TestBall(m_ball.GetPoint());
    if (m_ball.GetY() > kFloorY) m_state = kMissed;
    if (m_state == kGoal) {
      m_score += kGoalPoints;
      ShowScore();
      ShowGoalsLeft();
      gm5::SetShown(m_ball.m_sprite, false);
      PlayCreak();
      PlayGrowl();
      Entry().gameFlag = 1;
      if (m_doors.m_goals == m_goalsNeeded) {
        RaiseHighScore();
        m_state = kBonus;
      } else {
        PlayEncourageLine();
        ResetBall(kBallLoaded);
      }
    } else if (m_state == kMissed) {
      PlayEffect("ball_miss");
      LoseChance();
    }
  }

  m_ball.m_trail.Update(m_ball.GetX(), m_ball.GetY(), m_ball.IsSpriteVisible());

  if (!m_player.m_ballHeld) {
    if (m_ball.IsSpriteVisible() && m_state == kInFlight) {
      const Gm5Room::Bounces bounces =
          m_room.BouncePass(m_ball, [this](Qel::Point2 point) { return BounceOffJellyfish(point); });
      if (bounces.wall && m_wallSound1) m_wallSound1->Play(false, true);
      for (int32_t i = 0; i < bounces.bulkheads; ++i) {
        if (m_wallSound2) m_wallSound2->Play(false, true);
      }
    }
    if (m_state == kInFlight) {
      m_ball.Step();
      m_ball.SyncSprite();
      const BallSpeed speed = BallSpeedFor(m_level);
      m_ball.SetSpeedForDepth(speed.base, speed.boost);
      UpdateBallDepth();
      BounceOffFish();
    }
  } else {
    const Qel::Point2 hand = m_player.GetHandPoint();
    m_ball.SetSpritePosition(hand.X(), hand.Y());
  }
  ProgressNode::Update();
}

bool Game5Node::BounceOffJellyfish(Qel::Point2 point) {
  for (int32_t i = 0; i < m_jellyCount; ++i) {
    GM5JellyFish& jelly = m_jellyfish[static_cast<size_t>(i)];
    if (!jelly.TestHit(point)) continue;
    PlayEffect("ball_hit_jelly_01");
    m_ball.m_path.SetAngle(jelly.Deflect(m_ball.m_path.GetHeading(), m_ball.m_prevX, m_ball.m_prevY));
    m_score += jelly.m_points;
    ShowScore();
    return true;
  }
  return false;
}

void Game5Node::BounceOffFish() {
  const Qel::Point2 point = m_ball.GetPoint();
  if (m_player.TryCatch(point)) {
    m_player.PlayCatch();
    m_state = kCaught;
    gm5::SetShown(m_ball.m_sprite, false);
    m_ball.m_path.ResetStepClock();
    PlayEffect("ball_01");
    return;
  }
  int32_t heading = m_player.Bounce(m_ball.m_path.GetHeading(), point);
  if (heading < 0) return;
  // The ball always leaves the fish upward.
  if (heading >= 91 && heading <= 191) heading = 192;
  if (heading >= 1 && heading <= 90) heading = 348;
  PlayEffect("ball_01");
  m_ball.m_path.SetAngle(heading);
  m_player.PlayBounce();
  const Qel::Point2 out = m_player.m_circle.GetPointAtAngle(m_player.m_contactAngle);
  m_ball.m_path.SetPosition(static_cast<float>(out.X()), static_cast<float>(out.Y() - 2));
  m_ball.SyncSprite();
}

void Game5Node::UpdateBallDepth() {
  std::array<JellyDepth, GM5JellyFish::kSlotCount> jellies{};
  int32_t count = 0;
  for (int32_t i = 0; i < m_jellyCount; ++i) {
    const GM5JellyFish& jelly = m_jellyfish[static_cast<size_t>(i)];
    if (!jelly.m_sprite) continue;
    jellies[static_cast<size_t>(count++)] = {jelly.m_circle.GetCenter().Y(), jelly.m_sprite->GetZ()};
  }
  const int32_t depth = BallDepth(m_ball.GetY(), m_doors.m_door, m_player.m_arc.GetY(), jellies.data(), count);
  if (m_ball.m_sprite) m_ball.m_sprite->SetZ(depth);
}

void Game5Node::RaiseHighScore() {
  GameProgress& entry = Entry();
  if (m_score > 0 && static_cast<uint32_t>(m_score) > entry.highScore) {
    entry.highScore = static_cast<uint32_t>(m_score);
    ActivePlayerData.newResult = 1;
  }
}

void Game5Node::LoseChance() {
  const int32_t before = m_chances;
  --m_chances;
  if (before == 1 && !m_levelWon) {
    RaiseHighScore();
    m_score = 0;
    StopSounds();
    MoviePlayer::Instance().Play(kAngryMovie);
    return;
  }
  PlayGrowl();
  if (m_chances != 1) {
    PlayChanceLostLine();
  } else {
    PlayLastChanceLine();
  }
  ShowChances();
  ResetBall(kBallLoaded);
}

void Game5Node::Throw() {
  gm5::SetShown(m_ball.m_sprite, false);
  m_player.StartThrow();
}

void Game5Node::OnAnimationLooped(GenericObject* object) {
  if (MoviePlayer::Instance().IsPlaying()) return;
  if (object && object == m_doors.m_shark && m_state != kIntro && m_doors.OnSharkLooped(m_level)) {
    PlayCreak();
    PlayGrowl();
  }
  if (object && object == m_fishSprite) {
    if (m_state == kAiming) {
      if (m_aimDeadline == -1) {
        m_aimDeadline = GameTimeNow() + LevelFor(m_level).aimTime;
        m_aimWarning = m_aimDeadline - kHurryLead;
      }
      if (gm5::IsPast(m_aimDeadline)) {
        if (m_player.m_ballHeld && !m_player.m_buttonHeld) Throw();
      } else if (gm5::IsPast(m_aimWarning) && m_player.m_ballHeld && !m_player.m_buttonHeld) {
        m_aimWarning = m_aimDeadline + kHurryOnce;
        m_player.Hurry();
      }
    }
    if (m_state == kFishAtBall) {
      m_player.m_ballHeld = true;
      gm5::Animate(m_pipe, kPipeResting);
      m_state = kAiming;
    }
    if (m_player.UpdateAnimation()) {
      m_player.m_ballHeld = false;
      gm5::SetShown(m_ball.m_sprite, true);
      m_ball.m_path.SetAngle(m_player.m_arc.GetNormalHeading());
      const Qel::Point2 hand = m_player.GetHandPoint();
      const int32_t dx = m_player.m_facing == GM5Actor::kFacingLeft ? kThrowOffsetLeft : kThrowOffsetRight;
      m_ball.m_path.SetPosition(static_cast<float>(hand.X() + dx), static_cast<float>(hand.Y() + kThrowOffsetY));
      m_ball.SyncSprite();
      UpdateBallDepth();
      m_state = kInFlight;
    }
  }
  RoomNode::OnAnimationLooped(object);
}

void Game5Node::OnAnimationEnded(GenericObject* object) {
  const int32_t trail = m_ball.m_trail.IndexOf(object);
  if (trail >= 0) m_ball.m_trail.Free(trail);
  const int32_t mark = m_ball.m_bounceBubbles.IndexOf(object);
  if (mark >= 0) m_ball.m_bounceBubbles.Free(mark);
  if (m_state != kIntro) {
    for (int32_t i = 0; i < GM5GarmoDoors::kDoorCount; ++i) {
      if (object && object == m_doors.m_doorSprites[static_cast<size_t>(i)]) m_doors.OnDoorAnimationEnded(i, m_level);
    }
  } else if (object && object == m_zelka && gm5::IsShown(m_zelka)) {
    StartGame();
  }
  RoomNode::OnAnimationEnded(object);
}

void Game5Node::ShowSharkForStart() {
  m_doors.m_sharkAnim = static_cast<int32_t>(kSharkAtMiddleDoor);
  gm5::SetShown(m_doors.m_shark, true);
  m_doors.PlaySharkAnimation();
  gm5::SetShown(m_zelka, false);
}

void Game5Node::StartGame() {
  if (m_state != kIntro) {
    gm5::SetShown(m_zelka, false);
    SetLevel(m_level);
    return;
  }
  if (m_introPhase == 1) {
    GameProgress& entry = Entry();
    // The queue keeps the names as given: they are literals.
    if (entry.firstTime) {
      QueueLine(0, "2470", 2470);
      QueueLine(0, "2480", 2480);
      QueueLine(0, "2490", 2490);
      QueueLine(0, "2540", 2540);
    } else {
      QueueLine(0, "2530", 2530);
      QueueLine(0, "2510", 2510);
    }
    m_introPhase = 2;
    entry.firstTime = 0;
    StartSpeech(0, false, true);
  } else if (m_introPhase == 2) {
    StopSpeech();
    // Stopping the speech may have started the game already, through its stop event.
    if (m_state != kIntro) return;
    ShowSharkForStart();
    SetLevel(m_level);
  }
}

void Game5Node::OnSpeechEvent(int id, void* data) {
  if (id == EventId::SpeechStopped && m_state == kIntro && m_introPhase == 2) {
    StartGame();
  } else if (id == EventId::BannerDone) {
    m_doors.m_moveAt = -1;
    m_state = kBallLoaded;
    gm5::Animate(m_pipe, kPipeLoading);
    PlayEffect("ball_load");
  }
  ProgressNode::OnSpeechEvent(id, data);
}

void Game5Node::LevelArrowClicked(int32_t level) {
  if (m_state == kIntro) {
    StopSpeech();
    ShowSharkForStart();
  }
  m_score = 0;
  gm5::Animate(m_pipe, kPipeResting);
  SetLevel(level);
}

void Game5Node::OnObjectClicked(GenericObject* object) {
  if (object && object == m_arrowBack) {
    if (m_arrowsEnabled && m_level >= 2) {
      m_arrowsEnabled = false;
      m_arrowsReenableAt = -1;
      LevelArrowClicked(m_level - 1);
    }
  } else if (object && object == m_arrowForward) {
    if (m_arrowsEnabled) {
      m_arrowsEnabled = false;
      m_arrowsReenableAt = -1;
      if (m_level < Entry().level && m_level < kLevelCount) LevelArrowClicked(m_level + 1);
    }
  } else if (object && object == m_exitArrow) {
    ChangeNodeWithLoadingScreen(kNodeHub, "loading_gen2");
  } else if (object && object == m_helpButton) {
    QueueHelpLine("2480", 2480, 3, true);
    QueueHelpLine("2490", 2490, 2, false);
    QueueHelpLine("2530", 2530, 5, false);
    OpenHelpScreen(kMusic, kNodeGame5);
  }
  ProgressNode::OnObjectClicked(object);
}

void Game5Node::UpdateLevelArrows() {
  const auto set = [](ActiveGameButton* arrow, bool shown, bool enabled) {
    if (!arrow) return;
    gm5::SetShown(arrow, shown);
    if (enabled) {
      arrow->Enable();
    } else {
      arrow->Disable();
    }
  };
  const int32_t reached = Entry().level;
  if (m_level < 2) {
    set(m_arrowBack, false, false);
    set(m_arrowForward, true, m_level < reached);
  } else {
    set(m_arrowBack, true, true);
    if (m_level >= kLevelCount) {
      set(m_arrowForward, false, false);
    } else {
      set(m_arrowForward, true, m_level < reached);
    }
  }
}

void Game5Node::OnLeftButtonDown(const InputEventInfo& input) {
  m_player.m_buttonHeld = true;
  ProgressNode::OnLeftButtonDown(input);
}

void Game5Node::OnLeftButtonUp(const InputEventInfo& input) {
  m_player.m_buttonHeld = false;
  if (m_player.m_ballHeld) Throw();
  ProgressNode::OnLeftButtonUp(input);
}

void Game5Node::OnChar(uint16_t code) {
  if (code == kEscape && !IsFirstFrames()) OpenExitDialog();
  ProgressNode::OnChar(code);
}

void Game5Node::OnSoundFinished(GameSound* sound) {
  const bool first = IsSoundNamed(sound, "6000");
  const bool second = IsSoundNamed(sound, "6001");
  // The room and its speakers hear of the sound before the line that ended is replaced and freed.
  RoomNode::OnSoundFinished(sound);
  if (first) {
    m_chanceLine = ReplaceVoiceLine("6001", 6001, m_chanceLine);
  } else if (second) {
    m_doors.m_moveAt = -1;
    SetLevel(m_levelWon ? m_level + 1 : m_level);
  }
}

void Game5Node::RestartMusic() {
  MusicManager::Instance().QueueMusic(kMusic, true);
  MusicManager::Instance().PlayNext(false);
}

void Game5Node::Resume(void* data) {
  ProgressNode::Resume(data);
  const char* name = data ? static_cast<const char*>(data) : "";
  GameProgress& entry = Entry();
  if (std::strcmp(name, kHappyMovie) == 0 || std::strcmp(name, kAngryMovie) == 0) {
    if (!m_levelWon) {
      RestartMusic();
      SetLevel(m_level);
      return;
    }
    if (m_level > kPrizeLevels || entry.levelFlags[static_cast<size_t>(m_level - 1)]) {
      RestartMusic();
      SetLevel(m_level + 1);
      return;
    }
    // The byte is set before the movie: one that cannot play ends inside Play.
    if (m_level < kPrizeLevels) {
      entry.levelFlags[static_cast<size_t>(m_level - 1)] = 1;
    } else if (entry.level < kPrizeLevels + 1) {
      entry.level = kPrizeLevels + 1;
    }
    MoviePlayer::Instance().Play(kPrizeMovies[m_level - 1]);
    return;
  }
  if (m_fmvPending) {
    m_chanceLine = ReplaceVoiceLine("6000", 6000, m_chanceLine);
    m_doors.m_moveAt = -1;
    RestartMusic();
    m_fmvPending = false;
  } else if (m_level == kPrizeLevels && !entry.levelFlags[kFmvFlag]) {
    // Both before the movie: one that cannot play resumes inside Play, which must find them set.
    entry.levelFlags[kFmvFlag] = 1;
    m_fmvPending = true;
    MoviePlayer::Instance().Play(kFmvMovie);
  } else {
    RestartMusic();
    SetLevel(m_levelWon ? m_level + 1 : m_level);
  }
}

void Game5Node::PlayEffect(const char* name) {
  StopAndRelease(*this, m_effectSound);
  m_effectSound = GetSound(kEffects, name, false);
  if (m_effectSound) m_effectSound->Play(false, true);
}

void Game5Node::PlayGrowl() {
  StopAndRelease(*this, m_growlSound);
  const char* name = GrowlFor(plat::win::rand());
  m_growlSound = GetSound(name, name, false);
  if (m_growlSound) m_growlSound->Play(false, true);
}

void Game5Node::PlayCreak() {
  StopAndRelease(*this, m_creakSound);
  const char* name = CreakFor(plat::win::rand());
  m_creakSound = GetSound(name, name, false);
  if (m_creakSound) m_creakSound->Play(false, true);
}

void Game5Node::PlayEncourageLine() {
  const int32_t n = EncourageLineFor(plat::win::rand());
  m_encourageLine = ReplaceVoiceLine(std::to_string(n).c_str(), static_cast<uint32_t>(n), m_encourageLine);
}

void Game5Node::PlayChanceLostLine() {
  const int32_t n = ChanceLostLineFor(plat::win::rand());
  m_chanceLine = ReplaceVoiceLine(std::to_string(n).c_str(), static_cast<uint32_t>(n), m_chanceLine);
}

void Game5Node::PlayLastChanceLine() {
  const int32_t n = LastChanceLineFor(plat::win::rand());
  m_chanceLine = ReplaceVoiceLine(std::to_string(n).c_str(), static_cast<uint32_t>(n), m_chanceLine);
}

void Game5Node::StopSounds() {
  for (GameSound* sound : {m_wallSound1, m_wallSound2, m_effectSound, m_growlSound, m_creakSound}) {
    if (sound) sound->Stop();
  }
}

void Game5Node::ShowScore() {
  constexpr int32_t kPlaces[5] = {10000, 1000, 100, 10, 1};
  const int32_t score = std::max(m_score, 0) % 100000;
  for (size_t k = 0; k < 5; ++k) {
    Ambient* digit = m_scoreDigits[k];
    gm5::SetShown(digit, k == 4 || m_score >= kPlaces[k]);
    gm5::Animate(digit, static_cast<uint32_t>(score / kPlaces[k] % 10));
  }
}

void Game5Node::ShowLevel() {
  Ambient* tens = m_levelDigits[0];
  Ambient* ones = m_levelDigits[1];
  if (m_level < 10) {
    gm5::SetShown(tens, false);
    if (ones) ones->SetPosition(164, 567);
  } else {
    gm5::SetShown(tens, true);
    gm5::Animate(tens, static_cast<uint32_t>(m_level % 100 / 10));
    if (tens) tens->SetPosition(154, 567);
    if (ones) ones->SetPosition(174, 567);
  }
  gm5::Animate(ones, static_cast<uint32_t>(m_level % 10));
  gm5::SetShown(ones, true);
}

void Game5Node::ShowChances() {
  const int32_t chances = LevelFor(m_level).chances;
  for (int32_t i = 0; i < 3; ++i) {
    Ambient* icon = m_chanceIcons[static_cast<size_t>(i)];
    gm5::SetShown(icon, i < chances);
    if (i < chances) gm5::Animate(icon, i < m_chances ? kChanceThere : kChanceUsed);
  }
}

void Game5Node::ShowGoalsLeft() {
  gm5::Animate(m_goalsIcon, static_cast<uint32_t>(std::max(m_goalsNeeded - m_doors.m_goals, 0)));
}

void Game5Node::ClearJellyfish() {
  for (GM5JellyFish& jelly : m_jellyfish) jelly.Clear(*this);
}
