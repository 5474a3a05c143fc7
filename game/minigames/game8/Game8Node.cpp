// The shell game: set-up, the turn's states, guesses, level buttons, prizes and movies, speech.
#include "game8/Game8Node.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string_view>

#include "core/DatabaseManager.h"
#include "core/Point2.h"
#include "core/Trace.h"
#include "framework/ActivePlayerData.h"
#include "framework/Clickable.h"
#include "framework/GameButton.h"
#include "framework/GameEvents.h"
#include "framework/GameSound.h"
#include "framework/GameTimer.h"
#include "framework/LevelBanner.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/MoviePlayer.h"
#include "framework/MusicManager.h"
#include "framework/NodeId.h"
#include "framework/NumericDisplay.h"
#include "framework/SpriteObject.h"
#include "framework/TxtDataManager.h"
#include "framework/ValueTokenizer.h"
#include "framework/VariantSound.h"
#include "frontend/Conversations.h"
#include "frontend/DialogueList.h"
#include "frontend/SpeechQueue.h"
#include "game8/GameShell.h"
#include "game8/LeftGameShell.h"
#include "game8/MiddleGameShell.h"
#include "game8/RightGameShell.h"
#include "graphics/SceneObject.h"
#include "graphics/Sprite.h"
#include "platform/win/kernel/AsciiCase.h"
#include "platform/win/kernel/Random.h"

namespace {

constexpr const char* kDatabase = "GAME8";
constexpr const char* kMusic = "JFB_music_22k";
constexpr const char* kEndingMovie = "ShellFMV";
constexpr const char* kPrizeMovies[Game8Node::kPrizeLevels] = {"Prize_Conch", "Prize_Sanddollar", "Prize_Anchor",
                                                               "Prize_Ship", "Prize_Pearl"};
constexpr const char* kShellNames[Game8Node::kShellCount] = {"shell0", "shell1", "shell2"};
constexpr const char* kYayNames[3] = {"yay_sound1", "yay_sound2", "yay_sound3"};
constexpr const char* kBooNames[3] = {"boo_sound1", "boo_sound2", "boo_sound3"};
constexpr float kShellSoundVariation = 15.0f;
constexpr uint16_t kSpace = ' ';
// The blenny is drawn above the shells only while it plays this animation.
constexpr uint32_t kBlennyAboveShells = 4;

GameProgress& Entry() {
  return ActivePlayerData.games[kNodeGame8];
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && plat::EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

bool SoundFileIs(const GameSound* sound, const char* file) {
  const Qel::Sound* engine = sound ? sound->GetEngineSound() : nullptr;
  return engine && plat::EqualsIgnoringCase(engine->GetName(), file);
}

// Values beyond a float's range are held at its end rather than converted out of range.
float ToFloat(double value) {
  constexpr double kMax = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(value, -kMax, kMax));
}

int32_t ClampToInt(int64_t value) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Shows the last frame of the sprite's animation.
void PlayFromLastFrame(SpriteObject& sprite, uint32_t animation) {
  sprite.SetAnimation(animation, 0);
  const int frames = sprite.GetFrameCount();
  if (frames > 1) sprite.SetAnimation(animation, frames - 1);
}

int AnimationCount(const SpriteObject& sprite) {
  return sprite.GetSprite() ? sprite.GetSprite()->GetAnimationCount() : 0;
}

std::unique_ptr<Conversations> LoadConversation(const char* name) {
  auto conversation = std::make_unique<Conversations>();
  if (!TxtDataManager::Instance().LoadTxtData(name, *conversation))
    Qel::Trace("WARN: Conversation '%s' could not be read.\n", name);
  return conversation;
}

}  // namespace

Game8Node::Game8Node() = default;

Game8Node::~Game8Node() = default;

// ---- Set-up and tear-down ----

void Game8Node::Activate() {
  ProgressNode::Activate();
  SetName("Doziz Oved Arar Ozazu");
  Qel::DatabaseManager::GetInstance()->AddDatabase(kDatabase);
  m_databaseAdded = true;
  LoadRoomData("G8_roomdata", "Shell");

  const char* objectFile = kObjectFile;
  if (GetApp().IsLowSpec()) {
    objectFile = kLowSpecObjectFile;
    LoadObjects(objectFile);
    SetShown(FindObject("bubbles"), false);
  } else {
    LoadObjects(objectFile);
  }
  TakeRequiredObjects(objectFile);

  SetQuitAllowed(false);
  m_state = kSpeech;
  m_swapFinished = false;
  m_swapsToDo = 3;
  m_swapsDone = 0;
  m_revealPending = 0;

  MakeShells();
  MakeDisplays();

  m_yaySounds.fill(nullptr);
  m_booSounds.fill(nullptr);
  m_yayIndex = m_booIndex = 0;
  m_numLevels = 0;
  m_scoreFirst = m_scoreLast = 0;
  m_swapsFirst = m_swapsLast = 0;
  m_maxSpeed = 1.0f;
  m_pointsPerWin = 0;
  m_speed = 1.0f;
  LoadTxtData("SG_progression");
  CheckSettings();

  EnableShells(false);
  m_closedMask = 0;
  m_delayTimer = AddTimer("delay_me_baby", 500);
  m_delayTimer->Stop(false);

  auto shellSound = [this](const char* name, const char* file) {
    return std::make_unique<VariantSound>(GetSound(name, file, false), kShellSoundVariation);
  };
  m_openSound1 = shellSound("open_1", "monty_cup_openclose_01");
  m_openSound2 = shellSound("open_2", "monty_cup_openclose_02");
  m_slideLongSound = shellSound("slide_long", "monty_cup_slide_long");
  m_slideShortSound = shellSound("slide_short", "monty_cup_slide_short");
  m_winAnimation = 0;

  LoadConversations();

  SetSpeakersRaised(false);
  m_anchorExpression = FindObject("anchor_expression");
  m_levelDisplay->SetValue(static_cast<uint32_t>(ResumeLevel()));
  m_endingMovieSeen = Entry().level > kPrizeLevels;

  MusicManager::Instance().QueueMusic(kMusic, true);
  MusicManager::Instance().PlayNext(false);

  m_levelComplete = false;
  m_levelWins = 0;
  SetSpeaker(1, "blank_head", "blank_head", nullptr, 0, 0);
  m_introShellClosed = false;
  m_revealAfterBanner = false;
}

void Game8Node::TakeRequiredObjects(const char* objectFile) {
  for (int i = 0; i < kShellCount; ++i)
    m_shellObjects[static_cast<size_t>(i)] = RequireObject<Clickable>(kShellNames[i], objectFile);
  m_blenny = RequireObject<SpriteObject>("blenny", objectFile);
  m_banner = RequireObject<LevelBanner>("banner", objectFile);
  m_levelDownButton = RequireObject<GameButton>("LevelButton_0", objectFile);
  m_levelUpButton = RequireObject<GameButton>("LevelButton_1", objectFile);
}

void Game8Node::MakeShells() {
  m_shells[GameShell::kLeft] = std::make_unique<LeftGameShell>(m_shellObjects[0], this);
  m_shells[GameShell::kMiddle] = std::make_unique<MiddleGameShell>(m_shellObjects[1], this);
  m_shells[GameShell::kRight] = std::make_unique<RightGameShell>(m_shellObjects[2], this);
  GameShell* left = m_shells[GameShell::kLeft].get();
  GameShell* middle = m_shells[GameShell::kMiddle].get();
  GameShell* right = m_shells[GameShell::kRight].get();
  left->SetNeighbours(middle, right);
  middle->SetNeighbours(left, right);
  right->SetNeighbours(middle, left);

  const int hiding = plat::win::rand() % kShellCount;
  // The left shell always passes the blenny, which the shells keep in common.
  left->SetBlenny(hiding == GameShell::kLeft, m_blenny);
  middle->SetBlenny(hiding == GameShell::kMiddle, nullptr);
  right->SetBlenny(hiding == GameShell::kRight, nullptr);
}

void Game8Node::MakeDisplays() {
  auto make = [this](uint32_t mode, const char* format) {
    auto display = std::make_unique<NumericDisplay>(mode, false);
    for (int i = 0;; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, format, i);
      auto* digit = dynamic_cast<SpriteObject*>(FindObject(name));
      if (!digit) break;
      display->AddDigit(digit);
    }
    return display;
  };
  m_scoreDisplay = make(NumericDisplay::kBlankPadded, "ScoreBoard_%d");
  m_levelDisplay = make(NumericDisplay::kCentred, "LevelDigits_%d");
  m_scoreDisplay->SetValue(0);
  m_levelDisplay->SetValue(1);
}

void Game8Node::LoadConversations() {
  const bool firstVisit = Entry().firstTime != 0;
  if (firstVisit) ActivePlayerData.SetPlayersFirstTime(kNodeGame8, 0);
  m_introConversation = LoadConversation(firstVisit ? "G8_conv_first_time" : "G8_conv_next_time");
  m_state = kSpeech;
  // A conversation that is missing or empty has nothing to queue; the speech state then finds the
  // queue stopped at once.
  if (DialogueList* opening = m_introConversation->Current()) {
    opening->SetUpSpeakers(*this);
    opening->QueueLines(*this);
  }
  m_intro = true;
  m_speechPending = true;
  m_nextState = kReveal;
  m_winConversation = LoadConversation("G8_conv_win");
  m_loseConversation = LoadConversation("G8_conv_lose");
}

void Game8Node::CheckSettings() {
  if (m_numLevels < 1) {
    Qel::Trace("ERROR: 'SG_progression' gives 'num_levels' = %d; one level is played.\n", m_numLevels);
    m_numLevels = 1;
  }
}

int32_t Game8Node::ResumeLevel() const {
  const int64_t level = Entry().gameValue;
  return static_cast<int32_t>(std::clamp<int64_t>(level, 1, m_numLevels));
}

void Game8Node::Deactivate() {
  for (auto& shell : m_shells) shell.reset();
  m_scoreDisplay.reset();
  if (m_levelDisplay) Entry().gameValue = m_levelDisplay->GetValue();
  m_levelDisplay.reset();
  // The node's timer list owns the delay timer.
  if (m_delayTimer) m_delayTimer->Stop(false);
  m_delayTimer = nullptr;
  for (GameSound*& sound : m_yaySounds) {
    if (sound) ReleaseSound(sound);
    sound = nullptr;
  }
  for (GameSound*& sound : m_booSounds) {
    if (sound) ReleaseSound(sound);
    sound = nullptr;
  }
  m_introConversation.reset();
  m_winConversation.reset();
  m_loseConversation.reset();
  MusicManager::Instance().StopMusic();
  m_openSound1.reset();
  m_openSound2.reset();
  m_slideLongSound.reset();
  m_slideShortSound.reset();
  if (m_databaseAdded) Qel::DatabaseManager::GetInstance()->RemoveDatabase(kDatabase);
  m_databaseAdded = false;
  // The loaded objects go with the room's deactivation.
  m_shellObjects.fill(nullptr);
  m_blenny = nullptr;
  m_banner = nullptr;
  m_levelDownButton = m_levelUpButton = nullptr;
  m_anchorExpression = nullptr;
  ProgressNode::Deactivate();
}

// ---- Text data ----

void Game8Node::SetTxtValue(const char* key, const char* value) {
  if (!key || !value) return;
  const std::string_view name = key;
  ValueTokenizer tokens(value);
  if (name == "shell_layers") {
    const int32_t follow = tokens.NextInt();
    const int32_t rest = tokens.NextInt();
    const int32_t lead = tokens.NextInt();
    if (m_shells[0]) m_shells[0]->SetLayers(lead, rest, follow);
  } else if (name == "score") {
    m_scoreFirst = tokens.NextInt();
    m_scoreLast = tokens.NextInt();
  } else if (name == "num_levels") {
    m_numLevels = tokens.NextInt();
  } else if (name == "max_speed") {
    m_maxSpeed = ToFloat(tokens.NextFloat());
  } else if (name == "swaps") {
    m_swapsFirst = tokens.NextInt();
    m_swapsLast = tokens.NextInt();
  } else if (name == "sounds") {
    for (int i = 0; i < 6; ++i) {
      const char* file = tokens.NextToken();
      if (!file) break;
      GameSound*& slot = i < 3 ? m_yaySounds[static_cast<size_t>(i)] : m_booSounds[static_cast<size_t>(i - 3)];
      slot = GetSound(i < 3 ? kYayNames[i] : kBooNames[i - 3], file, false);
    }
  }
}

// ---- The conversations' speakers ----

void Game8Node::SetSpeaker(uint32_t speaker, const char* bodyName, const char* headName, const char* dataName,
                           uint8_t flag) {
  RoomNode::SetSpeaker(static_cast<int32_t>(std::min<uint32_t>(speaker, kSpeakerCount)), bodyName, headName,
                       dataName, flag, 0);
}

void Game8Node::QueueLine(uint32_t speaker, const char* soundFile, uint32_t lineNumber) {
  RoomNode::QueueLine(speaker, soundFile, lineNumber);
}

GameSound* Game8Node::FindSound(const char* name) {
  return GetSounds().Find(name);
}

// ---- The frame ----

void Game8Node::Update() {
  UpdateLevelButtons();
  UpdateCheckBoxes();
  UpdateCursor();
  StepState();
  PlaceBlennyDepth();
  ProgressNode::Update();
}

void Game8Node::UpdateLevelButtons() {
  const int32_t level = GetLevel();
  const int32_t reached = Entry().level;
  if (level == 1 && reached == 1) {
    m_levelDownButton->Disable();
    SetShown(m_levelDownButton, false);
    m_levelUpButton->Disable();
    return;
  }
  m_levelDownButton->Enable();
  m_levelUpButton->Enable();
  SetShown(m_levelDownButton, true);
  SetShown(m_levelUpButton, true);
  if (level == 1) {
    SetShown(m_levelDownButton, false);
  } else if (level == m_numLevels) {
    SetShown(m_levelUpButton, false);
  }
  if (level == 1) m_levelDownButton->Disable();
  // At or above the level reached, so that the player never steps past it.
  if (level >= m_numLevels || level >= reached) m_levelUpButton->Disable();
}

void Game8Node::UpdateCheckBoxes() {
  for (int i = 0; i < kCheckBoxCount; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "CheckBox_%d", i);
    auto* box = dynamic_cast<SpriteObject*>(FindObject(name));
    if (!box) continue;
    const uint32_t look = m_levelWins > i ? 1 : 0;
    // Started only on a change, so that a look with several frames plays through.
    if (box->GetAnimationId() != look) box->SetAnimation(look, 0);
  }
}

void Game8Node::UpdateCursor() {
  GenericObject* navbar = FindObject("navbar");
  if (!navbar || (m_state != kTurnStart && m_state != kSwapping && m_state != kHandOver)) return;
  Qel::Point2 position;
  MouseCursor::Instance().GetPosition(position);
  SetNodeCursorKind(navbar->HitTest(position.X(), position.Y()) ? kPlayCursor : kBusyCursor);
}

void Game8Node::StepState() {
  switch (m_state) {
    case kReveal:
      Reveal();
      break;
    case kClosing:
      StepClosing();
      break;
    case kTurnStart:
      StartTurn();
      break;
    case kSwapping:
      StepSwap();
      break;
    case kHandOver:
      EnableShells(true);
      SetNodeCursorKind(kPlayCursor);
      m_state = kWaiting;
      break;
    case kSpeech:
      StepSpeech();
      break;
    default:
      break;
  }
}

void Game8Node::Reveal() {
  if (GameShell* shell = BlennyShell()) shell->Open();
  m_blenny->SetAnimation(0, 0);
  m_blenny->SetZ(m_shells[0]->GetRestLayer() - 1);
  PlayOpenSound(false);
  m_closedMask = 0;
  m_revealPending = 1;
  m_nextState = kRevealRunning;
  if (auto* expression = dynamic_cast<SpriteObject*>(m_anchorExpression)) expression->SetAnimation(3, 0);
  m_state = kRevealRunning;
}

void Game8Node::StepClosing() {
  if (m_closedMask == 0) {
    for (auto& shell : m_shells) {
      const uint32_t animation = shell->GetObject()->GetAnimationId();
      if (animation != GameShell::kRest && animation != GameShell::kClosing) shell->Close();
    }
    m_closedMask = 1;
    return;
  }
  for (int i = 0; i < kShellCount; ++i) {
    const SpriteObject* object = m_shells[static_cast<size_t>(i)]->GetObject();
    const uint32_t animation = object->GetAnimationId();
    if (animation == GameShell::kRest ||
        (animation == GameShell::kClosing && object->GetCurrentFrame() == object->GetFrameCount()))
      m_closedMask |= 2 << i;
  }
  if (m_closedMask == 15) {
    ComputeTurnParameters();
    m_closedMask = 0;
    m_state = kTurnStart;
  }
}

void Game8Node::ComputeTurnParameters() {
  const int64_t level = GetLevel();
  const int64_t levels = std::max(m_numLevels, 1);
  const int64_t wins = m_levelWins;
  m_pointsPerWin = ClampToInt((int64_t{m_scoreFirst} * levels + (level - 1) * (int64_t{m_scoreLast} - m_scoreFirst)) /
                              levels);
  m_swapsToDo =
      ClampToInt((int64_t{m_swapsFirst} * levels + level * (int64_t{m_swapsLast} - m_swapsFirst) - 1) / levels);
  const double steps = static_cast<double>((level - 1) * 5 + wins);
  const double speed = (steps * (static_cast<double>(m_maxSpeed) - 1.0) + 5.0 * static_cast<double>(levels)) /
                       (5.0 * static_cast<double>(levels));
  // A factor the slides cannot play at (from a speed of 0 or below, or out of range) plays at 1.
  m_speed = std::isfinite(speed) && speed > 0.0 && speed <= std::numeric_limits<float>::max()
                ? static_cast<float>(speed)
                : 1.0f;
  if (m_speed <= 0.0f) m_speed = 1.0f;
  m_shells[0]->SetSpeed(m_speed);
}

void Game8Node::StartTurn() {
  if (m_levelComplete) {
    CompleteLevel();
    return;
  }
  SetNodeCursorKind(kBusyCursor);
  EnableShells(false);
  m_swapFinished = true;
  m_swapsDone = 0;
  m_state = kSwapping;
}

void Game8Node::StepSwap() {
  if (!m_swapFinished) return;
  m_swapFinished = false;
  // A count below the swaps done (none to do) ends the swapping as reaching it does.
  if (m_swapsDone >= m_swapsToDo) {
    m_state = kHandOver;
    return;
  }
  ++m_swapsDone;
  const int leader = plat::win::rand() % kShellCount;
  const int direction = plat::win::rand() % 2;
  struct Swap {
    int partner;
    bool longSlide;
  };
  // By leader and direction: the partner and whether the slide is the long one (left with right).
  constexpr Swap kSwaps[kShellCount][2] = {
      {{GameShell::kMiddle, false}, {GameShell::kRight, true}},
      {{GameShell::kLeft, false}, {GameShell::kRight, false}},
      {{GameShell::kLeft, true}, {GameShell::kMiddle, false}},
  };
  const Swap& swap = kSwaps[leader][direction];
  m_shells[static_cast<size_t>(leader)]->StartSwap(swap.partner);
  VariantSound* sound = swap.longSlide ? m_slideLongSound.get() : m_slideShortSound.get();
  if (sound) sound->Play(false, false);
}

void Game8Node::StepSpeech() {
  if (m_speechPending) {
    m_speechPending = false;
    // Cleared before the start: a queue with nothing to say stops inside it.
    m_speechDone = false;
    StartSpeech(0, true, true);
    if (!GetSpeechQueue() || !GetSpeechQueue()->IsPlaying()) m_speechDone = true;
    if (!m_intro) {
      m_delayDone = false;
      if (!m_delayTimer->IsActive()) m_delayTimer->Start(kAnswerDelay);
    } else {
      if (GameShell* shell = BlennyShell()) shell->Open();
      PlayOpenSound(false);
      m_delayDone = true;
    }
    return;
  }
  if (!m_speechDone || !m_delayDone) return;
  if (m_intro) OpeningOver();
  m_state = m_nextState;
}

void Game8Node::OpeningOver() {
  m_intro = false;
  m_nextState = kWaiting;
  // The line that closes the shell may never have played (cut short, or played from its
  // placeholder): a shell still open would keep the reveal from ever ending.
  if (!m_introShellClosed) {
    m_introShellClosed = true;
    for (auto& shell : m_shells) {
      const uint32_t animation = shell->GetObject()->GetAnimationId();
      if (animation == GameShell::kOpening) shell->Close();
    }
  }
  m_banner->Show(GetLevel());
  m_revealAfterBanner = true;
}

void Game8Node::PlaceBlennyDepth() {
  if (!m_blenny || !m_shells[0]) return;
  const int32_t rest = m_shells[0]->GetRestLayer();
  m_blenny->SetZ(m_blenny->GetAnimationId() == kBlennyAboveShells ? rest + 1 : rest - 1);
}

// ---- Events ----

void Game8Node::OnChar(uint16_t code) {
  if (!IsFirstFrames()) {
    if (code == kSpace) {
      StopSpeech();
    } else if (code == kEscape) {
      OpenExitDialog();
    }
  }
  ProgressNode::OnChar(code);
}

void Game8Node::OnSoundFinished(GameSound* sound) {
  if (!m_introShellClosed && (SoundFileIs(sound, "1940") || SoundFileIs(sound, "1960"))) {
    m_introShellClosed = true;
    if (GameShell* shell = BlennyShell()) shell->Close();
  }
  ProgressNode::OnSoundFinished(sound);
}

void Game8Node::OnTimer(GameTimer* timer) {
  if (!timer || timer != m_delayTimer) return;
  m_delayTimer->Stop(false);
  m_delayDone = true;
}

void Game8Node::OnObjectClicked(GenericObject* object) {
  const std::string_view name = object ? object->GetName() : "";
  if (plat::EqualsIgnoringCase(name, "helpButton")) {
    QueueHelpLine("2115", 2115, 1, true);
    OpenHelpScreen(kMusic, static_cast<uint32_t>(kNodeGame8));
  } else if (StartsWithIgnoringCase(name, "shell")) {
    // Guesses count only while the shells wait for one.
    GameShell* shell = ShellOf(object);
    if (shell && m_state == kWaiting) Guess(shell);
  } else if (plat::EqualsIgnoringCase(name, "LevelButton_0")) {
    StepLevel(-1);
  } else if (plat::EqualsIgnoringCase(name, "LevelButton_1")) {
    StepLevel(1);
  } else if (plat::EqualsIgnoringCase(name, "exitButton")) {
    ChangeNodeWithLoadingScreen(kNodeHub, "loading_gen1");
  }
  ProgressNode::OnObjectClicked(object);
}

void Game8Node::Guess(GameShell* shell) {
  if (shell->HasBlenny()) {
    RightGuess(shell);
  } else {
    WrongGuess();
  }
  m_nextState = kClosing;
  PlayOpenSound(plat::win::rand() % 100 > 49);
  EnableShells(false);
  m_state = kSpeech;
  m_speechPending = true;
}

namespace {

// The sound at the index, or the next one that exists; the index moves past the one that played. A
// slot without a sound is passed over, so that it never stops the others.
void PlayRotating(std::array<GameSound*, 3>& sounds, int32_t& index) {
  for (int step = 0; step < 3; ++step) {
    const auto slot = static_cast<size_t>((index + step) % 3);
    if (!sounds[slot]) continue;
    sounds[slot]->Play(false, true);
    index = static_cast<int32_t>((slot + 1) % 3);
    return;
  }
}

}  // namespace

void Game8Node::RightGuess(GameShell* shell) {
  shell->Open();
  const int64_t score = int64_t{m_scoreDisplay->GetValue()} + m_pointsPerWin;
  m_scoreDisplay->SetValue(
      static_cast<uint32_t>(std::clamp<int64_t>(score, 0, std::numeric_limits<uint32_t>::max())));
  PlayRotating(m_yaySounds, m_yayIndex);
  if (++m_levelWins >= kWinsPerLevel) m_levelComplete = true;
  m_blenny->SetAnimation(static_cast<uint32_t>(m_winAnimation), 0);
  PlaceBlennyDepth();
  ++m_winAnimation;
  if (m_winAnimation >= AnimationCount(*m_blenny)) m_winAnimation = 0;
  if (auto* expression = dynamic_cast<SpriteObject*>(m_anchorExpression)) {
    expression->SetAnimation(1, 0);
    SetShown(expression, true);
  }
  QueueNextDialogue(m_winConversation.get());
}

void Game8Node::WrongGuess() {
  for (auto& shell : m_shells) shell->Open();
  PlayRotating(m_booSounds, m_booIndex);
  const int count = AnimationCount(*m_blenny);
  const double share = static_cast<double>(plat::win::rand()) / plat::win::RAND_MAX_15;
  const int animation = count > 1 ? static_cast<int>(std::floor(share * (count - 1))) : 0;
  m_blenny->SetAnimation(static_cast<uint32_t>(animation), 0);
  PlaceBlennyDepth();
  if (auto* expression = dynamic_cast<SpriteObject*>(m_anchorExpression)) {
    expression->SetAnimation(2, 0);
    SetShown(expression, true);
  }
  QueueNextDialogue(m_loseConversation.get());
}

void Game8Node::QueueNextDialogue(Conversations* conversation) {
  if (!conversation) return;
  if (DialogueList* lines = conversation->Next()) lines->QueueLines(*this);
}

void Game8Node::StepLevel(int32_t step) {
  const int32_t level = GetLevel();
  if ((step < 0 && level > 1) || (step > 0 && level < m_numLevels)) {
    m_levelComplete = false;
    m_levelWins = 0;
    m_levelDisplay->SetValue(static_cast<uint32_t>(level + step));
    m_state = kReveal;
    m_revealAfterBanner = false;
  }
  const int32_t rest = m_shells[0]->GetRestLayer();
  for (auto& shell : m_shells) {
    shell->GetObject()->SetAnimation(GameShell::kRest, 0);
    shell->GetObject()->SetZ(rest);
  }
  PlayFromLastFrame(*m_blenny, 0);
  m_blenny->SetZ(rest - 1);
  m_scoreDisplay->SetValue(0);
}

void Game8Node::LevelUp() {
  m_levelComplete = false;
  m_levelWins = 0;
  // Never past the last level: there the level is played again.
  if (GetLevel() < m_numLevels) m_levelDisplay->Increment();
  const int32_t level = GetLevel();
  m_banner->Show(level);
  m_revealAfterBanner = true;
  m_state = kWaiting;
  const uint32_t score = m_scoreDisplay->GetValue();
  if (score > Entry().highScore) {
    ActivePlayerData.SetPlayersHighScore(kNodeGame8, score);
    ActivePlayerData.newResult = 1;
  }
  if (level > Entry().level) ActivePlayerData.SetPlayersLevel(kNodeGame8, level);
}

void Game8Node::CompleteLevel() {
  const int32_t level = GetLevel();
  if (level <= kPrizeLevels && Entry().level <= level && Entry().levelFlags[level - 1] == 0) {
    Entry().levelFlags[level - 1] = 1;
    MusicManager::Instance().StopMusic();
    // Set before the movie: one that cannot start resumes the game inside Play.
    m_state = kReveal;
    PlayFromLastFrame(*m_blenny, 0);
    MoviePlayer::Instance().Play(kPrizeMovies[level - 1]);
  } else {
    LevelUp();
  }
}

void Game8Node::Resume(void* data) {
  ProgressNode::Resume(data);
  const int32_t level = GetLevel();
  if (level == kPrizeLevels && Entry().level == kPrizeLevels && !m_endingMovieSeen) {
    m_endingMovieSeen = true;
    MoviePlayer::Instance().Play(kEndingMovie);
    return;
  }
  MusicManager::Instance().QueueMusic(kMusic, true);
  MusicManager::Instance().PlayNext(true);
  if (!m_levelComplete) return;
  if (level == kPrizeLevels) {
    QueueLine(1, "6000", 6000);
    QueueLine(1, "6001", 6001);
    // Set before the start: a queue that stops at once reports it inside StartSpeech.
    m_state = kLastLines;
    StartSpeech(0, false, true);
  } else {
    LevelUp();
  }
}

void Game8Node::OnAnimationEnded(GenericObject* object) {
  if (m_state == kRevealRunning && m_revealPending == 1 && ShellOf(object)) m_state = kClosing;
  const std::string_view name = object ? object->GetName() : "";
  if (plat::EqualsIgnoringCase(name, "anchor_eye_left")) {
    auto* left = dynamic_cast<SpriteObject*>(object);
    const int r = plat::win::rand() % 100;
    const uint32_t look = r <= 79 ? 0 : (r <= 91 ? 1 : 2);
    if (left) left->SetAnimation(look, 0);
    if (auto* right = dynamic_cast<SpriteObject*>(FindObject("anchor_eye_right")))
      right->SetAnimation(left ? left->GetAnimationId() : look, 0);
  } else if (object && object == m_anchorExpression) {
    if (auto* expression = dynamic_cast<SpriteObject*>(object)) expression->SetAnimation(0, 0);
  }
  ProgressNode::OnAnimationEnded(object);
}

void Game8Node::OnSpeechEvent(int id, void* data) {
  if (id == EventId::SpeechStopped) {
    if (m_state == kLastLines) {
      LevelUp();
    } else {
      m_speechDone = true;
    }
  } else if (id == EventId::BannerDone) {
    // Only a turn not yet begun: a reveal over an open shell would wait for ever for its end.
    if (m_revealAfterBanner && m_state == kWaiting) m_state = kReveal;
    m_revealAfterBanner = false;
  }
  ProgressNode::OnSpeechEvent(id, data);
}

void Game8Node::OnShellClose(GameShell*, bool) {}

void Game8Node::OnShellOpen(GameShell*, bool) {}

void Game8Node::OnSwapFinished() {
  m_swapFinished = true;
}

// ---- Helpers ----

int32_t Game8Node::GetLevel() const {
  return m_levelDisplay ? static_cast<int32_t>(m_levelDisplay->GetValue()) : 0;
}

uint32_t Game8Node::GetScore() const {
  return m_scoreDisplay ? m_scoreDisplay->GetValue() : 0;
}

void Game8Node::PlayOpenSound(bool second) {
  VariantSound* sound = second ? m_openSound2.get() : m_openSound1.get();
  if (sound) sound->Play(false, false);
}

GameShell* Game8Node::BlennyShell() const {
  for (const auto& shell : m_shells) {
    if (shell && shell->HasBlenny()) return shell.get();
  }
  return nullptr;
}

GameShell* Game8Node::ShellOf(const GenericObject* object) const {
  if (!object) return nullptr;
  for (const auto& shell : m_shells) {
    if (shell && shell->GetObject() == object) return shell.get();
  }
  return nullptr;
}

void Game8Node::EnableShells(bool enabled) {
  for (Clickable* object : m_shellObjects) {
    if (!object) continue;
    if (enabled) {
      object->Enable();
    } else {
      object->ClearEnabled();
    }
  }
}
