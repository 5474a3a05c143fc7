// The progress screen: the signed-in player's titles, success pictures, high scores and the swim
// game's trophies, with one spoken line chosen from that progress.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "framework/Overlay.h"

class Ambient;
class CCSound;
class Clickable;
class GenericObject;
class PlayerData;
class UnClickableGameButton;

// Built complete from ActivePlayerData when it is made and never refreshed: the node that shows it
// closes (deletes) it when a click reaches its background (IsBackground), which silences the line.
class ProgressDialog : public Overlay {
public:
  static constexpr int kRowCount = 5;
  static constexpr int kDigitCount = 6;
  // The highest success picture, and the number of its counters.
  static constexpr int32_t kTopSuccess = 5;
  // The overlay's own depth; every object stands a fixed distance below it.
  static constexpr int32_t kDepth = 9999;
  // The progress entries of the rows, top to bottom, and of the swim section.
  static constexpr uint32_t kRowGames[kRowCount] = {13, 10, 11, 14, 15};
  static constexpr uint32_t kSwimGame = 12;
  // Where the first digit of each row's score, and of the swim score, stands; digits are 16 apart.
  static constexpr int32_t kScoreX = 86;
  static constexpr int32_t kScoreY = 565;
  static constexpr int32_t kRowSpacing = 133;
  static constexpr int32_t kSwimScoreX = 357;
  static constexpr int32_t kSwimScoreY = 227;
  static constexpr int32_t kDigitSpacing = 16;

  // The option is kept as given; nothing here reads it. Throws as SpriteObject does when a sprite is
  // missing.
  ProgressDialog(const char* name, int32_t option);
  // Stops and deletes the line, removes and deletes every object.
  ~ProgressDialog() override;

  // The dialog is shown while it exists.
  void Show() override {}
  void Hide() override {}

  bool IsBackground(const GenericObject* object) const;

  // The line chosen for that progress and those counters (the rows whose success picture is at
  // least 1, 2, 3, 4 and 5), drawing one number from the process's generator when the rule asks for
  // one; null when the rule gives no line.
  static const char* ChooseLine(const PlayerData& data, const std::array<int32_t, kTopSuccess>& counts);

  int32_t GetOption() const { return m_option; }
  Clickable* GetBackground() const { return m_background.get(); }
  UnClickableGameButton* GetExitButton() const { return m_exitButton.get(); }
  Ambient* GetTitleIcon(int row) const { return m_titleIcons.at(static_cast<size_t>(row)).get(); }
  Ambient* GetSuccessIcon(int row) const { return m_successIcons.at(static_cast<size_t>(row)).get(); }
  // Digit 0 is the most significant.
  Ambient* GetScoreDigit(int row, int digit) const {
    return m_scoreDigits.at(static_cast<size_t>(row * kDigitCount + digit)).get();
  }
  Ambient* GetSwimTitle() const { return m_swimTitle.get(); }
  Ambient* GetOverallLevelIcon() const { return m_overallLevelIcon.get(); }
  Ambient* GetSwimDigit(int digit) const { return m_swimDigits.at(static_cast<size_t>(digit)).get(); }
  Ambient* GetFirstTrophy() const { return m_firstTrophy.get(); }
  Ambient* GetSecondTrophy() const { return m_secondTrophy.get(); }
  // counts[n - 1]: the rows whose success picture is at least n.
  const std::array<int32_t, kTopSuccess>& GetCounts() const { return m_counts; }
  // Null when the rule gave no line.
  CCSound* GetNarration() const { return m_narration.get(); }

private:
  void ShowPictures(const PlayerData& data);
  void ShowScores(const PlayerData& data);
  void CountSuccess();
  void PlayNarration(const PlayerData& data);

  int32_t m_option = 0;
  std::unique_ptr<Clickable> m_background;
  std::unique_ptr<UnClickableGameButton> m_exitButton;
  std::array<std::unique_ptr<Ambient>, kRowCount> m_titleIcons;
  std::array<std::unique_ptr<Ambient>, kRowCount> m_successIcons;
  std::array<std::unique_ptr<Ambient>, kRowCount * kDigitCount> m_scoreDigits;
  std::unique_ptr<Ambient> m_swimTitle;
  std::unique_ptr<Ambient> m_overallLevelIcon;
  std::array<std::unique_ptr<Ambient>, kDigitCount> m_swimDigits;
  std::unique_ptr<Ambient> m_firstTrophy;
  std::unique_ptr<Ambient> m_secondTrophy;
  // The success picture each row shows.
  std::array<int32_t, kRowCount> m_success{};
  std::array<int32_t, kTopSuccess> m_counts{};
  std::unique_ptr<CCSound> m_narration;
};
