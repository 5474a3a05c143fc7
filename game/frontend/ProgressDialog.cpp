// The progress screen: titles, success pictures, scores, trophies and one spoken line.
#include "frontend/ProgressDialog.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/ActivePlayerData.h"
#include "framework/Ambient.h"
#include "framework/CCSound.h"
#include "framework/Clickable.h"
#include "framework/PlayerData.h"
#include "framework/UnClickableGameButton.h"
#include "graphics/SceneObject.h"
#include "platform/win/kernel/Random.h"
#include "sound/Sound.h"

namespace {

// The background, the trophies and the exit arrow animate on the application clock, as the game
// stands still under the dialog; the other pictures show one still frame each.
constexpr int kStillClock = SpriteObject::kClockGame;
constexpr int kRunningClock = SpriteObject::kClockApplication;

constexpr int32_t D = ProgressDialog::kDepth;
constexpr int32_t kBackgroundDepth = D - 100;
constexpr int32_t kTitleDepth = D - 98;
constexpr int32_t kSuccessDepth = D - 89;
constexpr int32_t kScoreDepth = D - 54;
constexpr int32_t kSwimTitleDepth = D - 72;
constexpr int32_t kSwimScoreDepth = D - 30;
constexpr int32_t kFirstTrophyDepth = D - 20;
constexpr int32_t kSecondTrophyDepth = D - 19;
constexpr int32_t kExitDepth = D - 10;
constexpr int32_t kLevelIconDepth = D - 8;

constexpr int32_t kExitX = 5;
constexpr int32_t kExitY = 531;
constexpr int32_t kPointingHand = 1;
// The animation of the second trophy, which stands for the last prize of the swim game.
constexpr uint32_t kSecondTrophyAnimation = 5;
// The overall levels that have a picture.
constexpr int32_t kTopOverallLevel = 4;
// The first digit's name number of row 0: the names of the rows' digits follow on from it.
constexpr int kFirstScoreName = 6;

constexpr const char* kSuccessSprites[ProgressDialog::kRowCount] = {"prog_turtle", "prog_moon", "prog_shark",
                                                                    "prog_monty", "prog_conc"};
// The place of each digit, most significant first.
constexpr uint32_t kPlaces[ProgressDialog::kDigitCount] = {100000, 10000, 1000, 100, 10, 1};

int R(int modulus) {
  return plat::win::rand() % modulus;
}

// The choice among lines that differ only by count: count 2, 3 or 4 picks the first, second or third.
const char* ByCount(int32_t count, const char* two, const char* three, const char* four) {
  return count == 2 ? two : count == 3 ? three : four;
}

}  // namespace

ProgressDialog::ProgressDialog(const char* name, int32_t option) : Overlay(name), m_option(option) {
  m_background =
      std::make_unique<Clickable>((std::string(GetName()) + "DialogBG").c_str(), "prog_main", kRunningClock);
  m_background->SetZ(kBackgroundDepth);
  AddObject(m_background.get());
  LoadCaptions("Hub");

  for (int row = 0; row < kRowCount; ++row) {
    auto& title = m_titleIcons[static_cast<size_t>(row)];
    title = std::make_unique<Ambient>(("PSNameIcon" + std::to_string(row)).c_str(), "prog_gametitle",
                                      kStillClock);
    title->SetZ(kTitleDepth + row);
    title->SetAnimation(static_cast<uint32_t>(row), 0);
    AddObject(title.get());
  }
  for (int row = 0; row < kRowCount; ++row) {
    auto& success = m_successIcons[static_cast<size_t>(row)];
    success = std::make_unique<Ambient>(("PSGameSuccess" + std::to_string(row)).c_str(), kSuccessSprites[row],
                                        kStillClock);
    success->SetZ(kSuccessDepth + row);
    success->SetAnimation(0, 0);
    AddObject(success.get());
  }
  for (int row = 0; row < kRowCount; ++row) {
    for (int digit = 0; digit < kDigitCount; ++digit) {
      const int index = row * kDigitCount + digit;
      auto& object = m_scoreDigits[static_cast<size_t>(index)];
      object = std::make_unique<Ambient>(("PSGameScore" + std::to_string(kFirstScoreName + index)).c_str(),
                                         "prog_numbers", kStillClock);
      object->SetPositionAndZ(static_cast<float>(kScoreX + kRowSpacing * row + kDigitSpacing * digit),
                              static_cast<float>(kScoreY), kScoreDepth + index);
      AddObject(object.get());
    }
  }
  m_swimTitle = std::make_unique<Ambient>("DazodOrerIcon", "prog_supertitle", kStillClock);
  m_swimTitle->SetZ(kSwimTitleDepth);
  AddObject(m_swimTitle.get());
  for (int digit = 0; digit < kDigitCount; ++digit) {
    auto& object = m_swimDigits[static_cast<size_t>(digit)];
    object = std::make_unique<Ambient>(("PSSwimScore" + std::to_string(digit)).c_str(), "prog_numbers",
                                       kStillClock);
    object->SetPositionAndZ(static_cast<float>(kSwimScoreX + kDigitSpacing * digit),
                            static_cast<float>(kSwimScoreY), kSwimScoreDepth + digit);
    AddObject(object.get());
  }
  m_firstTrophy = std::make_unique<Ambient>("TrophymX7b1", "prog_trophys", kRunningClock);
  m_firstTrophy->SetZ(kFirstTrophyDepth);
  AddObject(m_firstTrophy.get());
  m_secondTrophy = std::make_unique<Ambient>("SSTrophyjK", "prog_trophys", kRunningClock);
  m_secondTrophy->SetZ(kSecondTrophyDepth);
  m_secondTrophy->SetAnimation(kSecondTrophyAnimation, 0);
  SetShown(m_secondTrophy.get(), false);
  AddObject(m_secondTrophy.get());
  m_exitButton = std::make_unique<UnClickableGameButton>("ProgressExit", "ActBackArrow", kRunningClock);
  m_exitButton->SetPositionAndZ(kExitX, kExitY, kExitDepth);
  m_exitButton->SetRolloverCursor(kPointingHand);
  m_exitButton->SetClickSound("ButtonDown");
  AddObject(m_exitButton.get());
  m_overallLevelIcon = std::make_unique<Ambient>("SSLevelIcon", "prog_superopen", kStillClock);
  m_overallLevelIcon->SetZ(kLevelIconDepth);
  SetShown(m_overallLevelIcon.get(), false);
  AddObject(m_overallLevelIcon.get());

  const PlayerData& data = ActivePlayerData;
  ShowPictures(data);
  ShowScores(data);
  CountSuccess();
  PlayNarration(data);
}

ProgressDialog::~ProgressDialog() {
  if (m_narration) {
    const Qel::Sound* engine = m_narration->GetEngineSound();
    if (engine && engine->IsPlaying()) m_narration->Stop();
    m_narration.reset();
  }
  auto drop = [this](auto& object) {
    RemoveObject(object.get());
    object.reset();
  };
  drop(m_background);
  for (auto& object : m_titleIcons) drop(object);
  for (auto& object : m_successIcons) drop(object);
  for (auto& object : m_scoreDigits) drop(object);
  drop(m_swimTitle);
  for (auto& object : m_swimDigits) drop(object);
  drop(m_firstTrophy);
  drop(m_secondTrophy);
  drop(m_exitButton);
  drop(m_overallLevelIcon);
}

bool ProgressDialog::IsBackground(const GenericObject* object) const {
  return object && object == m_background.get();
}

void ProgressDialog::ShowPictures(const PlayerData& data) {
  const GameProgress& swim = data.games[kSwimGame];
  if (swim.firstTime == 1) SetShown(m_swimTitle.get(), false);

  // The highest of the first four prizes wins.
  for (uint32_t prize = 1; prize < static_cast<uint32_t>(GameProgress::kLevelFlagCount); ++prize) {
    if (swim.levelFlags[prize - 1]) m_firstTrophy->SetAnimation(prize, 0);
  }
  if (swim.levelFlags[GameProgress::kLevelFlagCount - 1]) {
    SetShown(m_secondTrophy.get(), true);
    m_secondTrophy->SetAnimation(kSecondTrophyAnimation, 0);
  } else {
    const int32_t overall = data.GetOverallLevel();
    if (overall >= 0 && overall <= kTopOverallLevel) {
      SetShown(m_overallLevelIcon.get(), true);
      m_overallLevelIcon->SetAnimation(static_cast<uint32_t>(overall), 0);
    }
  }

  for (int row = 0; row < kRowCount; ++row) {
    const GameProgress& game = data.games[kRowGames[row]];
    // A level of 1 or less leaves the first picture; levels past the last picture keep it.
    const int32_t success =
        static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(game.level) - 1, 0, kTopSuccess));
    m_success[static_cast<size_t>(row)] = success;
    m_successIcons[static_cast<size_t>(row)]->SetAnimation(static_cast<uint32_t>(success), 0);
    if (game.firstTime == 1) SetShown(m_titleIcons[static_cast<size_t>(row)].get(), false);
  }
}

namespace {

// Leading places below the score are hidden; the units always show, 0 for a score of 0.
template <typename Digits>
void ShowNumber(const Digits& digits, uint32_t score) {
  for (int digit = 0; digit < ProgressDialog::kDigitCount - 1; ++digit) {
    const uint32_t place = kPlaces[digit];
    if (score < place) {
      SetShown(digits[digit], false);
    } else {
      digits[digit]->SetAnimation((score / place) % 10, 0);
    }
  }
  digits[ProgressDialog::kDigitCount - 1]->SetAnimation(score > 0 ? score % 10 : 0, 0);
}

}  // namespace

void ProgressDialog::ShowScores(const PlayerData& data) {
  for (int row = 0; row < kRowCount; ++row) {
    std::array<Ambient*, kDigitCount> digits{};
    for (int digit = 0; digit < kDigitCount; ++digit)
      digits[static_cast<size_t>(digit)] = GetScoreDigit(row, digit);
    ShowNumber(digits, data.games[kRowGames[row]].highScore);
  }
  std::array<Ambient*, kDigitCount> swim{};
  for (int digit = 0; digit < kDigitCount; ++digit) swim[static_cast<size_t>(digit)] = GetSwimDigit(digit);
  ShowNumber(swim, data.games[kSwimGame].highScore);
}

void ProgressDialog::CountSuccess() {
  m_counts.fill(0);
  for (const int32_t shown : m_success) {
    for (int32_t at = 1; at <= kTopSuccess; ++at) {
      if (shown >= at) ++m_counts[static_cast<size_t>(at - 1)];
    }
  }
}

const char* ProgressDialog::ChooseLine(const PlayerData& data,
                                       const std::array<int32_t, kTopSuccess>& counts) {
  const GameProgress& swim = data.games[kSwimGame];
  const int32_t S = swim.level;
  const int32_t c1 = counts[0], c2 = counts[1], c3 = counts[2], c4 = counts[3], c5 = counts[4];

  if (swim.gameFlag == 1) return "1930";
  if (c5 == kRowCount) {
    if (S != 5) return R(2) == 0 ? "1610" : "1630";
    switch (R(3)) {
      case 0:
        return "1590";
      case 1:
        return "1600";
      default:
        return "1920";
    }
  }
  if (c1 < kRowCount) {
    if (c2 >= 1) return "1431";
    if (c1 == 0) {
      static constexpr const char* kLines[] = {"1430", "1865", "1870", "1421"};
      return kLines[R(4)];
    }
    if (c1 == 1) return R(3) == 1 ? "1530" : "1440";
    const int r = R(4);
    if (r == 1) return "1530";
    if (r == 2) return "1500";
    return ByCount(c1, "1450", "1460", "1470");
  }
  if (c2 < kRowCount) {
    if (c3 >= 1) return "1431";
    if (c2 == 0) {
      if (S < 2) {
        static constexpr const char* kLines[] = {"1480", "1490", "1850", "1880"};
        return kLines[R(4)];
      }
      return R(2) == 0 ? "1850" : "1510";
    }
    if (c2 == 1) return "1851";
    const int r = R(3);
    if (r == 0) return "1859";
    if (r == 1) return "1860";
    return ByCount(c2, "1852", "1853", "1854");
  }
  if (c3 < kRowCount) {
    if (c4 >= 1) return "1431";
    if (c3 == 0) {
      if (S == 2) {
        static constexpr const char* kLines[] = {"1855", "1857", "1858", "1890"};
        return kLines[R(4)];
      }
      return R(2) == 0 ? "1750" : "1855";
    }
    if (c3 == 1) return "1760";
    const int r = R(4);
    if (r == 0) return "1830";
    if (r == 1) return "1840";
    if (r == 2) return "1841";
    return ByCount(c3, "1770", "1780", "1790");
  }
  if (c4 < kRowCount) {
    if (c5 >= 1) return "1431";
    if (c4 == 0) {
      if (S == 3) {
        static constexpr const char* kLines[] = {"1640", "1800", "1820", "1900"};
        return kLines[R(4)];
      }
      static constexpr const char* kLines[] = {"1830", "1800", nullptr, nullptr};
      return kLines[R(4)];
    }
    if (c4 == 1) return R(2) == 0 ? "1720" : "1650";
    const int r = R(3);
    if (r == 0) return "1720";
    if (r == 1) return "1730";
    return ByCount(c4, "1660", "1670", "1680");
  }
  // Every row has reached the fourth picture.
  if (c5 == 0) {
    if (S == 4) {
      static constexpr const char* kLines[] = {"1690", "1710", "1540", "1740", "1910"};
      return kLines[R(5)];
    }
    return R(2) == 0 ? "1690" : "1740";
  }
  if (c5 == 1) return R(2) == 0 ? "1620" : "1550";
  const int r = R(4);
  if (r == 0) return "1610";
  if (r == 1) return "1620";
  if (r == 2) return "1630";
  return ByCount(c5, "1560", "1570", "1580");
}

void ProgressDialog::PlayNarration(const PlayerData& data) {
  const char* line = ChooseLine(data, m_counts);
  if (!line) return;
  m_narration = CreateSound(line, line, static_cast<uint32_t>(std::strtoul(line, nullptr, 10)));
  m_narration->Play(false, true);
}
