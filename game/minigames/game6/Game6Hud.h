// The swim game's navigation bar: the level with its arrows, the clock, the scallops still to take
// and the score; a held left button over the playfield is the fish's dash.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "framework/Hud.h"
#include "game6/Game6Node.h"

class ActiveGameButton;
class Ambient;

// Drawn in the node's scene, not scrolled. Owns its objects; the node owns the HUD.
class Game6Node::Game6Hud : public Hud {
public:
  static constexpr int32_t kScoreDigits = 6;
  static constexpr int32_t kLevelDigits = 2;
  static constexpr int32_t kScallopDigits = 2;
  // Pointer rows at or below this are the bar: no dash starts there.
  static constexpr int32_t kBarTop = 560;

  explicit Game6Hud(Game6Node& node);
  ~Game6Hud() override;

  bool OnLeftButtonDown(const InputEventInfo& input) override;
  bool OnLeftButtonUp(const InputEventInfo& input) override;
  // The arrows change level; the click still goes on to the node.
  bool OnObjectClicked(GenericObject* object) override;

  virtual void SetLevel(int32_t level);
  virtual void SetScore(int32_t score);
  virtual void SetScallops(int32_t count);
  // The clock's picture for the segment number 0 to 10.
  virtual void SetClock(int32_t segment);

  Ambient* GetNavBar() const { return m_navBar.get(); }
  Ambient* GetTimer() const { return m_timer.get(); }
  Ambient* GetScallopArt() const { return m_scallopArt.get(); }
  Ambient* GetScoreDigit(int32_t i) const { return m_scoreDigits.at(static_cast<size_t>(i)).get(); }
  Ambient* GetLevelDigit(int32_t i) const { return m_levelDigits.at(static_cast<size_t>(i)).get(); }
  Ambient* GetScallopDigit(int32_t i) const { return m_scallopDigits.at(static_cast<size_t>(i)).get(); }
  ActiveGameButton* GetBackArrow() const { return m_arrows[0].get(); }
  ActiveGameButton* GetForwardArrow() const { return m_arrows[1].get(); }

private:
  // After a level change by an arrow: the banner, and the fish and companion back for the swim-in.
  void AfterLevelChange();

  Game6Node& m_node;
  std::unique_ptr<Ambient> m_navBar;
  std::unique_ptr<Ambient> m_timer;
  std::unique_ptr<Ambient> m_scallopArt;
  std::array<std::unique_ptr<Ambient>, kScoreDigits> m_scoreDigits;
  std::array<std::unique_ptr<Ambient>, kLevelDigits> m_levelDigits;
  std::array<std::unique_ptr<Ambient>, kScallopDigits> m_scallopDigits;
  std::array<std::unique_ptr<ActiveGameButton>, 2> m_arrows;
};
