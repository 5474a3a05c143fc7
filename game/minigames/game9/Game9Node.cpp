// The memory card game: set-up, clicks, animation ends, timers, speech and movies.
#include "game9/Game9Node.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "core/DatabaseManager.h"
#include "framework/ActiveGameButton.h"
#include "framework/ActivePlayerData.h"
#include "framework/GameEvents.h"
#include "framework/GameSound.h"
#include "framework/GameTimer.h"
#include "framework/LevelBanner.h"
#include "framework/MainApp.h"
#include "framework/MoviePlayer.h"
#include "framework/MusicManager.h"
#include "framework/NodeId.h"
#include "framework/SpriteObject.h"
#include "framework/ValueTokenizer.h"
#include "game9/Game9Cards.h"
#include "game9/Game9Displays.h"
#include "graphics/SceneObject.h"
#include "platform/win/kernel/AsciiCase.h"
#include "platform/win/kernel/Random.h"
#include "sound/Sound.h"

namespace {

constexpr const char* kDatabase = "Game9";
constexpr const char* kMusic = "Tiki_Sequence_mix22k";
constexpr const char* kEndingMovie = "ConcentrationFMV";
constexpr const char* kPrizeMovies[Game9Node::kPrizeLevels] = {"Prize_Conch", "Prize_Sanddollar", "Prize_Anchor",
                                                                "Prize_Ship", "Prize_Pearl"};
constexpr int32_t kLevelChangeTime = 300;
constexpr uint16_t kSpace = ' ';
constexpr int32_t kButtonCursor = 1;

// Lines after a match (by the draw r = 0 to 12), after a miss (r = 0 to 3), after a won board.
constexpr const char* kMatchLines[] = {"4522", "4521", "4520", "4519", "4518", "4517", "4516",
                                       "4515", "4514", "4511", "4510", "4507", "4506"};
constexpr const char* kMissLines[] = {"4512", "4513", "4508", "4509"};
constexpr const char* kWinLines[] = {"4523", "4524", "4525", "4526"};
constexpr const char* kFirstVisitLines[] = {"4500", "4501", "45012", "4502", "4503", "4504"};

constexpr const char* kKindSprites[Game9Node::kKindCount] = {
    "RockPilo",      "RockTovin",      "RockZelka",      "RockBrago",      "RockOskel",     "RockHumbo",
    "RockOrvel",     "RockPertu",      "RockBlenny",     "RockPiloHard",   "RockTovinHard", "RockZelkaHard",
    "RockBragoHard", "RockOskelHard",  "RockHumboHard",  "RockOrvelHard",  "RockPertuHard", "RockBlennyHard"};

constexpr const char* kPointsDigits[Game9Node::PointsDisplay::kDigitCount] = {
    "PointsOnesNum", "PointsTensNum", "PointsHundredsNum", "PointsThousandsNum", "PointsTenThousandsNum"};

GameProgress& Entry() {
  return ActivePlayerData.games[kNodeGame9];
}

uint32_t LineNumber(const char* line) {
  return static_cast<uint32_t>(std::strtoul(line, nullptr, 10));
}

// Times below 0 are taken as 0, which a timer keeps as its last duration (none yet: it fires at once).
uint32_t Duration(int32_t time) {
  return static_cast<uint32_t>(std::max(time, 0));
}

template <typename Entry>
void ShuffleList(std::vector<Entry>& list) {
  for (size_t i = 1; i < list.size(); ++i) {
    const size_t j = static_cast<size_t>(plat::win::rand()) % (i + 1);
    std::swap(list[i], list[j]);
  }
}

template <size_t Count>
void ReadCoordinates(const char* value, std::array<Qel::Point2, Count>& places, bool x) {
  ValueTokenizer tokens(value);
  for (Qel::Point2& place : places) {
    const int32_t coordinate = tokens.NextInt();
    if (x) {
      place.Set(coordinate, place.Y());
    } else {
      place.Set(place.X(), coordinate);
    }
  }
}

}  // namespace

Game9Node::Game9Node() = default;

Game9Node::~Game9Node() = default;

int32_t Game9Node::ResumeIndex() {
  const auto level = static_cast<int32_t>(Entry().gameValue);
  return std::clamp(level, 1, kLevelCount) - 1;
}

void Game9Node::Activate() {
  ProgressNode::Activate();
  SetQuitAllowed(false);
  m_sandIndex = -1;
  ForgetTurnedCards();
  m_cardsSettling = 0;
  m_matchTimer = nullptr;
  m_winTimer = nullptr;
  m_currentSand = nullptr;
  m_cardsLeft = 12;
  m_endingMoviePending = m_endingLinesPending = m_endingLinesPlaying = m_exiting = false;

  SetName("Concentration");
  m_levelSelector = std::make_unique<LevelSelector>(ResumeIndex());
  m_pointsDisplay = std::make_unique<PointsDisplay>();

  Qel::DatabaseManager::GetInstance()->AddDatabase(kDatabase);
  m_databaseAdded = true;
  LoadObjects(kObjectFile);
  LoadRoomData("GAME9_roomdata", "Concentration");
  TakeRequiredObjects();

  MakeArrows();
  MakeExitButton();

  m_guide->SetPosition(0.0f, 0.0f);
  SetSpeaker(0, "Zelka", "Zelka_head", "GAME9_posdata", 1, 0);
  SetSpeaker(1, "blank_head", "blank_head", nullptr, 0, 0);
  PlayGuide(kGuideEntrance);
  m_guideWatching = 0;

  LoadTxtData("ConcentrationData");
  BuildKindLists();
  BuildSandBackgrounds();
  m_startTimer = AddTimer("timeFlipped", Duration(m_settings.beginDelayTime));
  NewBoard();
  m_matchTimer = AddTimer("timeDelay", Duration(m_settings.stayFlippedTime));
  m_winTimer = AddTimer("timeWin", Duration(m_settings.showPictureTime));

  MusicManager::Instance().QueueMusic(kMusic, false);
  m_clickSound = GetSound("clickcard", "rock_over", false);
  m_youWinSound = GetSound("youwin", "pick_up_02", false);
  m_poofSound = GetSound("poof", "rock_poof", false);
  GetSound("6002", "6002", false);
  m_firstVisit = Entry().firstTime != 0;
  Entry().firstTime = 0;
  MusicManager::Instance().PlayNext(false);
}

void Game9Node::TakeRequiredObjects() {
  m_helpButton = RequireObject<GenericObject>("helpButton", kObjectFile);
  m_banner = RequireObject<LevelBanner>("banner", kObjectFile);
  m_guide = RequireObject<SpriteObject>("Zelka", kObjectFile);
  m_guideHead = RequireObject<SpriteObject>("Zelka_head", kObjectFile);
  auto* ones = RequireObject<SpriteObject>("SliderOnesNum", kObjectFile);
  auto* tens = RequireObject<SpriteObject>("SliderTensNum", kObjectFile);
  std::array<SpriteObject*, PointsDisplay::kDigitCount> points{};
  for (size_t place = 0; place < points.size(); ++place)
    points[place] = RequireObject<SpriteObject>(kPointsDigits[place], kObjectFile);
  m_levelSelector->SetObjects(nullptr, nullptr, ones, tens);
  m_pointsDisplay->SetDigits(points);
  m_pointsDisplay->SetScore(0);
}

void Game9Node::MakeArrows() {
  struct Arrow {
    const char* name;
    const char* sprite;
    int32_t depth;
    float x, y;
  };
  constexpr Arrow kArrows[] = {{"Sliderleft", "LevelArrowBack", 605, 102.0f, 558.0f},
                               {"Sliderright", "LevelArrowForward", 606, 206.0f, 554.0f}};
  for (const Arrow& arrow : kArrows) {
    auto button = std::make_unique<ActiveGameButton>(arrow.name, arrow.sprite, SpriteObject::kClockGame);
    button->SetPositionAndZ(arrow.x, arrow.y, arrow.depth);
    button->SetRolloverCursor(kButtonCursor);
    button->SetClickSound("ButtonDown");
    std::unique_ptr<GameButton>& slot = arrow.depth == 605 ? m_leftArrow : m_rightArrow;
    slot = std::move(button);
    AddObject(slot.get());
  }
  m_levelSelector->SetObjects(m_leftArrow.get(), m_rightArrow.get(), m_levelSelector->GetOnes(),
                              m_levelSelector->GetTens());
}

void Game9Node::MakeExitButton() {
  const char* sprite = GetApp().IsAlphaCapable() ? "ActBackArrow" : "ActBackArrow_sdl";
  m_exitButton = std::make_unique<GameButton>("exit1", sprite, SpriteObject::kClockGame);
  m_exitButton->SetPositionAndZ(5.0f, 531.0f, 603);
  m_exitButton->SetClickSound("ButtonDown");
  m_exitButton->SetRolloverCursor(kButtonCursor);
  AddObject(m_exitButton.get());
}

void Game9Node::Deactivate() {
  MusicManager::Instance().StopMusic();
  m_levelSelector.reset();
  m_pointsDisplay.reset();
  m_easyKinds.clear();
  m_allKinds.clear();
  m_hardKinds.clear();
  ForgetTurnedCards();
  m_currentSand = nullptr;
  RemoveOwned(m_leftArrow.get());
  RemoveOwned(m_rightArrow.get());
  m_leftArrow.reset();
  m_rightArrow.reset();
  for (auto& card : m_cards) RemoveOwned(card.get());
  m_cards.clear();
  for (auto& sand : m_sandBackgrounds) RemoveOwned(sand.get());
  m_sandBackgrounds.clear();
  RemoveOwned(m_exitButton.get());
  m_exitButton.reset();
  if (m_databaseAdded) Qel::DatabaseManager::GetInstance()->RemoveDatabase(kDatabase);
  m_databaseAdded = false;
  // The loaded objects go with the room's deactivation.
  m_banner = nullptr;
  m_guide = m_guideHead = nullptr;
  m_helpButton = nullptr;
  ProgressNode::Deactivate();
}

void Game9Node::RemoveOwned(GenericObject* object) {
  if (object) RemoveObject(object);
}

void Game9Node::OnChar(uint16_t code) {
  if (code == kEscape) {
    if (!IsFirstFrames()) OpenExitDialog();
    ProgressNode::OnChar(code);
  } else if (code == kSpace) {
    StopSpeech();
  } else {
    ProgressNode::OnChar(code);
  }
}

// ---- Clicks ----

void Game9Node::OnObjectClicked(GenericObject* object) {
  if (!m_exiting && object) {
    if (auto* card = dynamic_cast<Cards*>(object)) {
      ClickCard(card);
    } else if (object == m_leftArrow.get()) {
      if (!m_levelChangeLock && m_levelSelector->GetIndex() > 0) StepLevel(-1, "levelChange1");
    } else if (object == m_rightArrow.get()) {
      if (!m_levelChangeLock && CanRaiseLevel()) StepLevel(1, "levelChange2");
    } else if (object == m_currentSand && m_cardsLeft == -1) {
      ClickWonPicture();
    } else if (object == m_exitButton.get()) {
      ClickExit();
    } else if (object == m_helpButton) {
      ClickHelp();
    }
  }
  ProgressNode::OnObjectClicked(object);
}

void Game9Node::ClickCard(Cards* card) {
  if (m_introPending || m_bannerShowing || m_exiting) return;
  if (card->GetAnimationId() != kCardDown || !card->IsHit() || m_turnedCount >= 2) return;
  card->SetAnimation(kCardTurningUp, 0);
  const auto frequency = static_cast<uint32_t>(10000 + plat::win::rand() % 10000);
  if (m_clickSound) {
    if (Qel::Sound* sound = m_clickSound->GetEngineSound()) sound->SetFrequency(frequency);
    m_clickSound->Play(false, true);
  }
  if (m_turnedCount == 0) {
    m_firstCard = card;
    m_firstCardDepth = card->GetZ();
    card->SetZ(500);
  } else {
    m_secondCard = card;
    m_secondCardDepth = card->GetZ();
    card->SetZ(501);
  }
  ++m_turnedCount;
}

void Game9Node::StepLevel(int32_t step, const char* timerName) {
  m_levelSelector->SetIndex(m_levelSelector->GetIndex() + step);
  (step < 0 ? m_leftArrow : m_rightArrow)->Disable();
  GameTimer*& timer = m_levelChangeTimers[step < 0 ? 0 : 1];
  if (!timer) timer = AddTimer(timerName, kLevelChangeTime);
  timer->Start(kLevelChangeTime);
  m_levelChangeTimer = timer;
  m_levelChangeLock = true;
  m_pointsDisplay->SetScore(0);
  NewBoard();
  ShowBanner();
}

void Game9Node::ClickWonPicture() {
  const int32_t wonIndex = m_levelSelector->GetIndex();
  const bool prizeLevel = wonIndex < kPrizeLevels;
  bool playPrize = false;
  if (prizeLevel) {
    MusicManager::Instance().StopMusic();
    if (m_poofSound && m_poofSound->GetEngineSound() && m_poofSound->GetEngineSound()->IsPlaying())
      m_poofSound->Stop();
    StopSpeech();
    uint8_t& prize = Entry().levelFlags[wonIndex];
    playPrize = prize == 0;
    prize = 1;
  }
  // The next board is laid and recorded before any movie, since a movie that cannot play resumes
  // the game inside the movie player's Play.
  m_levelSelector->SetIndex(wonIndex + 1);
  m_currentSand->SetAnimation(SandBackgrounds::kCovered, 0);
  Entry().level = std::max(Entry().level, m_levelSelector->GetLevel());
  NewBoard();
  if (!prizeLevel) {
    ShowBanner();
  } else if (playPrize) {
    if (wonIndex == kPrizeLevels - 1) m_endingMoviePending = true;
    MoviePlayer::Instance().Play(kPrizeMovies[wonIndex]);
  } else {
    CarryOn();
  }
}

void Game9Node::ClickExit() {
  m_exitButton->Disable();
  m_exiting = true;
  StopSpeech();
  PlayGuide(kGuideTalk);
  QueueLine(0, "5027", 5027);
  StartSpeech(0, false, true);
}

void Game9Node::ClickHelp() {
  QueueHelpLine("4503", 4503, 1, true);
  QueueHelpLine("4504", 4504, 0, false);
  OpenHelpScreen(kMusic, static_cast<uint32_t>(kNodeGame9));
}

// ---- Animation ends ----

void Game9Node::OnAnimationEnded(GenericObject* object) {
  if (auto* card = dynamic_cast<Cards*>(object)) {
    switch (card->GetAnimationId()) {
      case kCardTurningUp:
        CardTurnedUp(card);
        break;
      case kCardTurningDown:
        CardTurnedDown(card);
        break;
      case kCardVanishing:
        CardVanished(card);
        break;
      default:
        break;
    }
  } else if (object && object == m_guide) {
    GuideEnded(m_guide->GetAnimationId());
  }
  ProgressNode::OnAnimationEnded(object);
}

void Game9Node::CardTurnedUp(Cards* card) {
  card->SetAnimation(kCardUp, 0);
  if (m_turnedCount == 2 && m_matchTimer) m_matchTimer->Start(0);
}

void Game9Node::CardTurnedDown(Cards* card) {
  card->SetAnimation(kCardDown, 0);
  if (m_cardsSettling == 0 || (card != m_firstCard && card != m_secondCard)) return;
  if (--m_cardsSettling > 0) return;
  m_turnedCount = 0;
  RestoreTurnedDepths();
  if (IsGuideSilent() && plat::win::rand() % 5 == 0) PlayGuide(kGuideSigh);
}

void Game9Node::CardVanished(Cards* card) {
  if (m_cardsSettling == 0 || (card != m_firstCard && card != m_secondCard)) return;
  card->SetPositionAndZ(kParked, kParked, card == m_firstCard ? m_firstCardDepth : m_secondCardDepth);
  --m_cardsLeft;
  if (--m_cardsSettling > 0) return;
  m_turnedCount = 0;
  if (m_cardsLeft <= 0) {
    m_cardsLeft = 0;
    if (m_currentSand) {
      m_currentSand->SetAnimation(SandBackgrounds::kRevealed, 0);
      m_currentSand->Enable();
    }
    if (m_youWinSound) m_youWinSound->Play(false, true);
    if (m_winTimer) m_winTimer->Start(0);
  } else if (IsGuideSilent()) {
    PlayGuide(plat::win::rand() % 4 == 0 ? kGuideBigCheer : kGuideCheer);
  }
  m_guideWatching = 0;
}

void Game9Node::GuideEnded(uint32_t animation) {
  if (animation == kGuideEntrance) {
    PlayGuide(kGuideTalk);
    if (m_guideHead) m_guideHead->SetPosition(0.0f, 0.0f);
    if (m_firstVisit) {
      for (const char* line : kFirstVisitLines) QueueLine(0, line, LineNumber(line));
    } else {
      QueueLine(0, "4505", 4505);
    }
    StartSpeech(0, false, true);
  } else if (animation == kGuideLeaving) {
    ChangeNodeWithLoadingScreen(kNodeHub, "loading_gen1");
  } else if (animation == kGuideRest && m_guideWatching == 0) {
    if (m_turnedCount == 1) {
      PlayGuide(kGuideStartWatching);
      m_guideWatching = 1;
      return;
    }
    const int r = plat::win::rand() % 50;
    PlayGuide(r <= 9 ? kGuideIdle1 : r <= 13 ? kGuideIdle6 : kGuideRest);
  } else if (animation == kGuideWatching && m_guideWatching == 1) {
    if (m_turnedCount == 0 || m_turnedCount == 2) {
      PlayGuide(kGuideStopWatching);
      m_guideWatching = 0;
      return;
    }
    const int r = plat::win::rand() % 7;
    PlayGuide(r <= 1 ? kGuideWatching10 : r == 2 ? kGuideWatching11 : kGuideWatching);
  }
}

// ---- Timers ----

void Game9Node::OnTimer(GameTimer* timer) {
  if (!timer) return;
  if (timer == m_matchTimer) {
    CheckPair();
  } else if (timer == m_winTimer) {
    if (!m_exiting) BoardWon();
  } else if (timer == m_startTimer) {
    for (auto& card : m_cards) card->Enable();
  } else if (timer == m_levelChangeTimers[0] || timer == m_levelChangeTimers[1]) {
    m_levelChangeLock = false;
  }
  ProgressNode::OnTimer(timer);
}

void Game9Node::CheckPair() {
  if (!m_firstCard || !m_secondCard) return;
  m_cardsSettling = 2;
  if (m_firstCard->GetKind() == m_secondCard->GetKind()) {
    m_firstCard->SetAnimation(kCardVanishing, 0);
    m_secondCard->SetAnimation(kCardVanishing, 0);
    m_pointsDisplay->Add(10);
    m_pointsDisplay->Refresh();
    if (m_poofSound) m_poofSound->Play(false, true);
    const uint32_t pose = m_guide ? m_guide->GetAnimationId() : kGuideRest;
    if (IsGuideSilent() && pose != kGuideBigCheer && pose != kGuideTalk2 && m_cardsLeft > 2) {
      const int r = plat::win::rand() % 14;
      if (r <= 12) PlayGuideLine(kMatchLines[r]);
    }
  } else {
    m_firstCard->SetAnimation(kCardTurningDown, 0);
    m_secondCard->SetAnimation(kCardTurningDown, 0);
    if (IsGuideSilent()) {
      const int r = plat::win::rand() % 12;
      if (r <= 3) PlayGuideLine(kMissLines[r]);
    }
  }
}

void Game9Node::BoardWon() {
  m_cardsLeft = -1;
  m_pointsDisplay->Add(25);
  m_pointsDisplay->Refresh();
  const int32_t score = m_pointsDisplay->GetScore();
  if (static_cast<int64_t>(Entry().highScore) < score) {
    Entry().highScore = static_cast<uint32_t>(score);
    ActivePlayerData.newResult = 1;
  }
  if (m_currentSand) m_currentSand->SetRolloverCursor(kButtonCursor);
  PlayGuideLine(kWinLines[plat::win::rand() % 4]);
}

// ---- Speech and movies ----

void Game9Node::OnSpeechEvent(int id, void* data) {
  if (id == EventId::SpeechStopped) {
    if (m_exiting) {
      // Also when the exit came during the entrance: the leaving animation's end leads to the hub.
      m_introPending = false;
      PlayGuide(kGuideLeaving);
      ParkGuideHead();
    } else if (m_introPending) {
      PlayGuide(kGuideRest);
      ParkGuideHead();
      ShowBanner();
      m_introPending = false;
    } else if (m_endingLinesPlaying) {
      m_endingLinesPlaying = false;
      CarryOn();
    } else {
      PlayGuide(kGuideRest);
      ParkGuideHead();
    }
  } else if (id == EventId::BannerDone) {
    m_bannerShowing = false;
  }
  ProgressNode::OnSpeechEvent(id, data);
}

void Game9Node::Resume(void* data) {
  ProgressNode::Resume(data);
  if (m_endingLinesPending) {
    QueueLine(1, "6000", 6000);
    QueueLine(1, "6001", 6001);
    m_endingLinesPending = false;
    m_endingLinesPlaying = true;
    StartSpeech(0, false, true);
  } else if (!m_endingMoviePending) {
    StopSpeech();
    CarryOn();
  } else {
    // Both flags change first: an ending movie that cannot play resumes the game inside Play.
    m_endingMoviePending = false;
    m_endingLinesPending = true;
    MoviePlayer::Instance().Play(kEndingMovie);
  }
}

void Game9Node::CarryOn() {
  RestartMusic();
  ShowBanner();
}

void Game9Node::RestartMusic() {
  MusicManager::Instance().QueueMusic(kMusic, false);
  MusicManager::Instance().PlayNext(false);
}

void Game9Node::ShowBanner() {
  if (m_banner) m_banner->Show(m_levelSelector->GetLevel());
  m_bannerShowing = true;
}

void Game9Node::PlayGuideLine(const char* line) {
  StopSpeech();
  QueueLine(0, line, LineNumber(line));
  StartSpeech(0, false, true);
}

bool Game9Node::IsGuideSilent() const {
  return !IsSpeakerTalking(0);
}

void Game9Node::PlayGuide(uint32_t animation) {
  if (m_guide) m_guide->SetAnimation(animation, 0);
}

void Game9Node::ParkGuideHead() {
  if (m_guideHead) m_guideHead->SetPosition(kParked, kParked);
}

// ---- Text data ----

void Game9Node::SetTxtValue(const char* key, const char* value) {
  ReadSetting(m_settings, key, value);
  ProgressNode::SetTxtValue(key, value);
}

void Game9Node::ReadSetting(Settings& settings, const char* key, const char* value) {
  if (!key || !value) return;
  if (plat::EqualsIgnoringCase(key, "StayFlippedTime")) settings.stayFlippedTime = ValueTokenizer(value).NextInt();
  if (plat::EqualsIgnoringCase(key, "ShowPictureTime")) settings.showPictureTime = ValueTokenizer(value).NextInt();
  if (plat::EqualsIgnoringCase(key, "BeginDelayTime")) settings.beginDelayTime = ValueTokenizer(value).NextInt();
  if (plat::EqualsIgnoringCase(key, "EasycardPlacementX")) ReadCoordinates(value, settings.easyPlacements, true);
  if (plat::EqualsIgnoringCase(key, "EasycardPlacementY")) ReadCoordinates(value, settings.easyPlacements, false);
  if (plat::EqualsIgnoringCase(key, "HardcardPlacementX")) ReadCoordinates(value, settings.hardPlacements, true);
  if (plat::EqualsIgnoringCase(key, "HardcardPlacementY")) ReadCoordinates(value, settings.hardPlacements, false);
}

// ---- The board ----

bool Game9Node::CanRaiseLevel() const {
  const int32_t index = m_levelSelector ? m_levelSelector->GetIndex() : 0;
  return index < Entry().level - 1 && index < LevelSelector::kLastIndex;
}

void Game9Node::Shuffle(std::vector<int32_t>& list) {
  ShuffleList(list);
}

void Game9Node::BuildKindLists() {
  m_easyKinds.clear();
  m_allKinds.clear();
  m_hardKinds.clear();
  for (int32_t kind = 0; kind < kKindCount; ++kind) {
    m_allKinds.push_back(kind);
    (kind < kKindCount / 2 ? m_easyKinds : m_hardKinds).push_back(kind);
  }
}

void Game9Node::BuildSandBackgrounds() {
  for (int32_t i = 0; i < kSandCount; ++i) {
    char name[32];
    char sprite[32];
    std::snprintf(name, sizeof name, "SandBackground%d", static_cast<int>(i));
    std::snprintf(sprite, sizeof sprite, "CardBackground%d", static_cast<int>(i + 1));
    m_sandBackgrounds.push_back(std::make_unique<SandBackgrounds>(name, sprite, SpriteObject::kClockGame));
    SandBackgrounds* sand = m_sandBackgrounds.back().get();
    SetShown(sand, false);
    sand->SetPosition(kParked, kParked);
    sand->SetDepth(100 + i);
    AddObject(sand);
  }
}

void Game9Node::NewBoard() {
  const int32_t index = m_levelSelector->GetIndex();
  m_cardsLeft = index >= 9 ? kHardPlaceCount : kEasyPlaceCount;
  if (m_matchTimer) m_matchTimer->Stop(false);
  if (m_winTimer) m_winTimer->Stop(false);
  if (m_firstCard) m_firstCard->SetAnimation(kCardDown, 0);
  if (m_secondCard) m_secondCard->SetAnimation(kCardDown, 0);
  ForgetTurnedCards();
  m_cardsSettling = 0;

  m_levelSelector->Refresh(CanRaiseLevel());
  Entry().gameValue = static_cast<uint32_t>(index + 1);

  if (m_currentSand) {
    SetShown(m_currentSand, false);
    m_currentSand->SetPosition(kParked, kParked);
    m_currentSand->SetRolloverCursor(0);
    m_currentSand->SetAnimation(SandBackgrounds::kCovered, 0);
  }
  if (!m_sandBackgrounds.empty()) {
    m_sandIndex = (m_sandIndex + 1) % static_cast<int32_t>(m_sandBackgrounds.size());
    m_currentSand = m_sandBackgrounds[static_cast<size_t>(m_sandIndex)].get();
    SetShown(m_currentSand, true);
    m_currentSand->SetPositionAndZ(kSandX, kSandY, m_currentSand->GetDepth());
    m_currentSand->ClearEnabled();
  }
  m_pointsDisplay->Refresh();
  BuildBoard();
  LayOutCards();
  if (m_startTimer) m_startTimer->Start(0);
}

void Game9Node::BuildBoard() {
  for (auto& card : m_cards) RemoveObject(card.get());
  m_cards.clear();
  const int32_t index = m_levelSelector->GetIndex();
  std::vector<int32_t> kinds;
  if (index <= 5) {
    Shuffle(m_easyKinds);
    kinds.assign(m_easyKinds.begin(), m_easyKinds.begin() + std::min<size_t>(6, m_easyKinds.size()));
  } else if (index <= 11) {
    Shuffle(m_allKinds);
    const size_t used = index <= 8 ? 6 : 9;
    kinds.assign(m_allKinds.begin(), m_allKinds.begin() + std::min(used, m_allKinds.size()));
  } else {
    kinds = m_hardKinds;
  }
  for (const int32_t kind : kinds) {
    for (int copy = 0; copy < 2; ++copy) {
      char name[32];
      std::snprintf(name, sizeof name, "Card%d", static_cast<int>(m_cards.size()));
      m_cards.push_back(std::make_unique<Cards>(name, kKindSprites[kind], SpriteObject::kClockGame));
      Cards* card = m_cards.back().get();
      AddObject(card);
      SetShown(card, false);
      card->SetRolloverCursor(kButtonCursor);
      card->SetKind(kind);
    }
  }
}

void Game9Node::LayOutCards() {
  ShuffleList(m_cards);
  const bool hard = m_levelSelector->GetIndex() >= 9;
  for (size_t k = 0; k < m_cards.size(); ++k) {
    Qel::Point2 place;
    if (hard && k < m_settings.hardPlacements.size()) place = m_settings.hardPlacements[k];
    if (!hard && k < m_settings.easyPlacements.size()) place = m_settings.easyPlacements[k];
    Cards* card = m_cards[k].get();
    card->SetPositionAndZ(static_cast<float>(place.X()), static_cast<float>(place.Y()),
                          400 + static_cast<int32_t>(k));
    SetShown(card, true);
    card->ClearEnabled();
    card->SetAnimation(kCardDown, 0);
  }
  m_turnedCount = 0;
}

void Game9Node::RestoreTurnedDepths() {
  if (m_firstCard) m_firstCard->SetZ(m_firstCardDepth);
  if (m_secondCard) m_secondCard->SetZ(m_secondCardDepth);
}

void Game9Node::ForgetTurnedCards() {
  m_firstCard = nullptr;
  m_secondCard = nullptr;
}
