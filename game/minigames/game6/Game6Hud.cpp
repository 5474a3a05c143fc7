// The swim game's navigation bar.
#include "game6/Game6Hud.h"

#include <cstdio>

#include "framework/ActiveGameButton.h"
#include "framework/ActivePlayerData.h"
#include "framework/Ambient.h"
#include "framework/LevelBanner.h"
#include "framework/MainApp.h"
#include "framework/NodeId.h"
#include "framework/SpriteObject.h"
#include "game6/Game6Pilo.h"
#include "graphics/DisplayDevice.h"
#include "graphics/SceneObject.h"

namespace {

constexpr int32_t kDigitsSpriteFrames = 10;
// Leading score digits not needed move this far right, off the screen.
constexpr int32_t kScoreOffScreen = 600;

std::unique_ptr<Ambient> MakeAmbient(const char* name, const char* sprite, int32_t x, int32_t y, int32_t depth) {
  auto object = std::make_unique<Ambient>(name, sprite, SpriteObject::kClockGame);
  object->SetPosition(static_cast<float>(x), static_cast<float>(y));
  object->SetZ(depth);
  return object;
}

void ShowDigit(Ambient* digit, int32_t value) {
  if (digit) digit->SetAnimation(static_cast<uint32_t>(value % kDigitsSpriteFrames), 0);
}

}  // namespace

Game6Node::Game6Hud::Game6Hud(Game6Node& node) : Hud("Game6Hud"), m_node(node) {
  const bool alpha = GetApp().IsAlphaCapable();
  m_navBar = MakeAmbient("NavBar", alpha ? "ActNavBackground" : "ActNavBackground_sdl", 0, 530, 40);
  m_timer = MakeAmbient("Timer", "SwimNavTimer", 319, 547, 41);
  m_timer->SetAnimation(0, 0);
  m_scallopArt = MakeAmbient("Scallop Art", alpha ? "SwimNavScallop" : "SwimNavScallop_sdl", 434, 539, 41);
  char name[48];
  for (int32_t i = 0; i < kScoreDigits; ++i) {
    std::snprintf(name, sizeof name, "Score Indicator Number %d", i);
    m_scoreDigits[static_cast<size_t>(i)] = MakeAmbient(name, "LevelNumbers", 588 + 20 * i, 560, 42);
  }
  for (int32_t i = 0; i < kLevelDigits; ++i) {
    std::snprintf(name, sizeof name, "Level Indicator Number %d", i);
    m_levelDigits[static_cast<size_t>(i)] = MakeAmbient(name, "LevelNumbers", 155 + 20 * i, 564, 205);
  }
  for (int32_t i = 0; i < kScallopDigits; ++i) {
    std::snprintf(name, sizeof name, "Scallop Indicator Number %d", i);
    m_scallopDigits[static_cast<size_t>(i)] = MakeAmbient(name, "LevelNumbers", 445 + 20 * i, 558, 42);
  }
  struct ArrowRow {
    const char* sprite;
    int32_t x;
    int32_t y;
  };
  static constexpr ArrowRow kArrows[2] = {{"LevelArrowBack", 98, 555}, {"LevelArrowForward", 207, 550}};
  for (int32_t i = 0; i < 2; ++i) {
    std::snprintf(name, sizeof name, "Gm6Level_Slider%i", i);
    const ArrowRow& row = kArrows[i];
    auto arrow = std::make_unique<ActiveGameButton>(name, row.sprite, SpriteObject::kClockGame);
    arrow->SetPosition(static_cast<float>(row.x), static_cast<float>(row.y));
    arrow->SetZ(203);
    arrow->SetRolloverCursor(1);
    m_arrows[static_cast<size_t>(i)] = std::move(arrow);
  }
  AddObject(m_navBar.get());
  AddObject(m_timer.get());
  AddObject(m_scallopArt.get());
  for (auto& digit : m_scoreDigits) AddObject(digit.get());
  for (auto& digit : m_levelDigits) AddObject(digit.get());
  for (auto& digit : m_scallopDigits) AddObject(digit.get());
  for (auto& arrow : m_arrows) AddObject(arrow.get());
}

Game6Node::Game6Hud::~Game6Hud() {
  for (auto& arrow : m_arrows) RemoveObject(arrow.get());
  for (auto& digit : m_scallopDigits) RemoveObject(digit.get());
  for (auto& digit : m_levelDigits) RemoveObject(digit.get());
  for (auto& digit : m_scoreDigits) RemoveObject(digit.get());
  RemoveObject(m_scallopArt.get());
  RemoveObject(m_timer.get());
  RemoveObject(m_navBar.get());
}

bool Game6Node::Game6Hud::OnLeftButtonDown(const InputEventInfo& input) {
  Qel::Point2 mouse = input.position;
  if (Qel::DisplayDevice* display = GetApp().GetDisplay()) mouse = display->GetMousePosition();
  if (mouse.Y() < kBarTop) m_node.m_dashFactor = 2;
  return Hud::OnLeftButtonDown(input);
}

bool Game6Node::Game6Hud::OnLeftButtonUp(const InputEventInfo& input) {
  if (m_node.m_dashFactor == 2) m_node.m_dashFactor = 1;
  return Hud::OnLeftButtonUp(input);
}

bool Game6Node::Game6Hud::OnObjectClicked(GenericObject* object) {
  if (!object) return false;
  if (object == m_arrows[0].get()) {
    m_node.PreviousLevel();
    AfterLevelChange();
  } else if (object == m_arrows[1].get()) {
    m_node.NextLevel();
    AfterLevelChange();
  }
  return false;
}

void Game6Node::Game6Hud::AfterLevelChange() {
  m_node.SetScroll(0, 0);
  if (m_node.m_tovin) {
    m_node.m_tovin->SetPosition(-400.0f, m_node.m_tovin->GetY());
    if (m_node.m_fish) m_node.m_fish->SetPosition(m_node.m_tovin->GetX(), 300.0f);
  }
  if (m_node.m_banner) m_node.m_banner->Show(m_node.m_level + 1);
  m_node.m_state = LEVEL_BANNER;
}

void Game6Node::Game6Hud::SetLevel(int32_t level) {
  const int32_t shown = level + 1;
  ActiveGameButton* back = m_arrows[0].get();
  ActiveGameButton* forward = m_arrows[1].get();
  if (level > 0) {
    SetShown(back, true);
    back->Enable();
  } else {
    SetShown(back, false);
  }
  if (level >= ActivePlayerData.GetOverallLevel()) {
    if (level < kLevelCount - 1) {
      SetShown(forward, true);
      forward->Disable();
    } else {
      SetShown(forward, false);
    }
  } else {
    SetShown(forward, true);
    if (ActivePlayerData.games[kNodeGame6].level > shown) {
      forward->Enable();
    } else {
      forward->Disable();
    }
  }
  Ambient* tens = m_levelDigits[0].get();
  Ambient* units = m_levelDigits[1].get();
  if (shown < 10) {
    tens->SetPosition(-645.0f, 564.0f);
    units->SetPosition(165.0f, 564.0f);
  } else {
    tens->SetPosition(155.0f, 564.0f);
    units->SetPosition(175.0f, 564.0f);
  }
  ShowDigit(tens, shown / 10);
  ShowDigit(units, shown % 10);
}

void Game6Node::Game6Hud::SetScore(int32_t score) {
  const int32_t value = score < 0 ? 0 : score;
  static constexpr int32_t kModulus[kScoreDigits] = {1000000, 100000, 10000, 1000, 100, 10};
  static constexpr int32_t kDivisor[kScoreDigits] = {100000, 10000, 1000, 100, 10, 1};
  for (int32_t i = 0; i < kScoreDigits; ++i) {
    Ambient* digit = m_scoreDigits[static_cast<size_t>(i)].get();
    ShowDigit(digit, (value % kModulus[i]) / kDivisor[i]);
    const int32_t x = 588 + 20 * i;
    // The units digit always shows; a leading digit only once the value reaches it.
    const bool needed = i == kScoreDigits - 1 || value >= kDivisor[i];
    digit->SetPosition(static_cast<float>(needed ? x : x + kScoreOffScreen), 560.0f);
  }
}

void Game6Node::Game6Hud::SetScallops(int32_t count) {
  const int32_t value = count < 0 ? 0 : count;
  Ambient* tens = m_scallopDigits[0].get();
  Ambient* units = m_scallopDigits[1].get();
  tens->SetPosition(value >= 10 ? 445.0f : 845.0f, 558.0f);
  units->SetPosition(465.0f, 558.0f);
  ShowDigit(tens, value / 10);
  ShowDigit(units, value % 10);
}

void Game6Node::Game6Hud::SetClock(int32_t segment) {
  m_timer->SetAnimation(static_cast<uint32_t>(segment < 0 ? 0 : segment), 0);
}
