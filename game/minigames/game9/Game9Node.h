// The memory card game: rock cards face down on a sand picture, turned two at a time; pairs vanish
// and score, a cleared board reveals its picture, and a click on it leads to the next level.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/Point2.h"
#include "frontend/ProgressNode.h"

class GameButton;
class GameSound;
class GameTimer;
class GenericObject;
class LevelBanner;
class SpriteObject;

// The node's progress entry is the one of its own id. The guide ("Zelka") comments on the tries as
// speaker 0; speaker 1 ("blank_head") speaks the lines after the ending movie. A try ends when both of
// its cards have finished turning down or vanishing, whatever the lengths of their animations.
class Game9Node : public ProgressNode {
public:
  class Cards;
  class SandBackgrounds;
  class LevelSelector;
  class PointsDisplay;

  static constexpr int32_t kLevelCount = 20;
  static constexpr int32_t kSandCount = 16;
  static constexpr int32_t kEasyPlaceCount = 12;
  static constexpr int32_t kHardPlaceCount = 18;
  static constexpr int32_t kKindCount = 18;
  // Levels 1 to 5 have a prize.
  static constexpr int32_t kPrizeLevels = 5;
  static constexpr const char* kObjectFile = "GAME9_Concentration";

  // Card animations.
  static constexpr uint32_t kCardDown = 0;
  static constexpr uint32_t kCardTurningUp = 1;
  static constexpr uint32_t kCardTurningDown = 2;
  static constexpr uint32_t kCardUp = 3;
  static constexpr uint32_t kCardVanishing = 4;

  // The guide's animations that the node gives or waits on.
  static constexpr uint32_t kGuideRest = 0;
  static constexpr uint32_t kGuideIdle1 = 1;
  static constexpr uint32_t kGuideCheer = 2;
  static constexpr uint32_t kGuideBigCheer = 3;
  static constexpr uint32_t kGuideTalk = 4;
  static constexpr uint32_t kGuideTalk2 = 5;
  static constexpr uint32_t kGuideIdle6 = 6;
  static constexpr uint32_t kGuideSigh = 7;
  static constexpr uint32_t kGuideStartWatching = 8;
  static constexpr uint32_t kGuideWatching = 9;
  static constexpr uint32_t kGuideWatching10 = 10;
  static constexpr uint32_t kGuideWatching11 = 11;
  static constexpr uint32_t kGuideStopWatching = 12;
  static constexpr uint32_t kGuideEntrance = 13;
  static constexpr uint32_t kGuideLeaving = 14;

  // The sixteen sand pictures lie here in turn.
  static constexpr float kSandX = 103.0f;
  static constexpr float kSandY = 198.0f;
  static constexpr float kParked = 1000.0f;

  // The values of the text data "ConcentrationData": times in the game clock's milliseconds and
  // the card places of the two board sizes; places the data does not give stay at (0, 0).
  struct Settings {
    int32_t stayFlippedTime = 0;
    int32_t showPictureTime = 0;
    int32_t beginDelayTime = 0;
    std::array<Qel::Point2, kEasyPlaceCount> easyPlacements{};
    std::array<Qel::Point2, kHardPlaceCount> hardPlacements{};
  };

  Game9Node();
  ~Game9Node() override;

  void Activate() override;
  void Deactivate() override;
  void OnChar(uint16_t code) override;
  void OnObjectClicked(GenericObject* object) override;
  void OnAnimationEnded(GenericObject* object) override;
  void OnTimer(GameTimer* timer) override;
  void OnSpeechEvent(int id, void* data) override;
  // After a movie: the lines after the ending movie, the ending movie after the last prize, or the
  // music and banner again.
  void Resume(void* data) override;
  // The settings' keys (without regard to case), then the room's.
  void SetTxtValue(const char* key, const char* value) override;
  // One key and value of the settings into them; keys of others change nothing.
  static void ReadSetting(Settings& settings, const char* key, const char* value);

  // Lays the board of the selector's level: timers stopped, selector and score shown, the level to
  // resume at written, the next sand picture, fresh cards shuffled into their places.
  void NewBoard();
  // The old cards go; two new ones for each kind the level uses.
  void BuildBoard();
  // Shuffles the cards into the places of their board size, face down and not yet clickable.
  void LayOutCards();
  void BuildKindLists();
  void BuildSandBackgrounds();
  // Whether the right arrow may raise the level: below the level reached and below the last level.
  bool CanRaiseLevel() const;
  // Reorders the list in place with one draw per entry after the first.
  static void Shuffle(std::vector<int32_t>& list);

  LevelSelector* GetLevelSelector() const { return m_levelSelector.get(); }
  PointsDisplay* GetPointsDisplay() const { return m_pointsDisplay.get(); }
  GameButton* GetExitButton() const { return m_exitButton.get(); }
  GameButton* GetLeftArrow() const { return m_leftArrow.get(); }
  GameButton* GetRightArrow() const { return m_rightArrow.get(); }
  LevelBanner* GetBanner() const { return m_banner; }
  const std::vector<std::unique_ptr<Cards>>& GetCards() const { return m_cards; }
  const std::vector<std::unique_ptr<SandBackgrounds>>& GetSandBackgrounds() const { return m_sandBackgrounds; }
  SandBackgrounds* GetCurrentSand() const { return m_currentSand; }
  int32_t GetSandIndex() const { return m_sandIndex; }
  const std::vector<int32_t>& GetEasyKinds() const { return m_easyKinds; }
  const std::vector<int32_t>& GetAllKinds() const { return m_allKinds; }
  const std::vector<int32_t>& GetHardKinds() const { return m_hardKinds; }
  const std::array<Qel::Point2, kEasyPlaceCount>& GetEasyPlacements() const { return m_settings.easyPlacements; }
  const std::array<Qel::Point2, kHardPlaceCount>& GetHardPlacements() const { return m_settings.hardPlacements; }
  Cards* GetFirstCard() const { return m_firstCard; }
  Cards* GetSecondCard() const { return m_secondCard; }
  int32_t GetTurnedCount() const { return m_turnedCount; }
  int32_t GetCardsLeft() const { return m_cardsLeft; }
  bool IsEndingMoviePending() const { return m_endingMoviePending; }
  bool AreEndingLinesPending() const { return m_endingLinesPending; }
  bool AreEndingLinesPlaying() const { return m_endingLinesPlaying; }
  bool IsExiting() const { return m_exiting; }
  bool IsIntroPending() const { return m_introPending; }
  bool IsBannerShowing() const { return m_bannerShowing; }
  bool IsLevelChangeLocked() const { return m_levelChangeLock; }
  bool WasFirstVisit() const { return m_firstVisit; }
  int32_t GetGuideWatching() const { return m_guideWatching; }
  GameTimer* GetMatchTimer() const { return m_matchTimer; }
  GameTimer* GetWinTimer() const { return m_winTimer; }
  GameTimer* GetStartTimer() const { return m_startTimer; }
  GameTimer* GetLevelChangeTimer() const { return m_levelChangeTimer; }
  int32_t GetStayFlippedTime() const { return m_settings.stayFlippedTime; }
  int32_t GetShowPictureTime() const { return m_settings.showPictureTime; }
  int32_t GetBeginDelayTime() const { return m_settings.beginDelayTime; }
  SpriteObject* GetGuide() const { return m_guide; }
  SpriteObject* GetGuideHead() const { return m_guideHead; }
  GenericObject* GetHelpButton() const { return m_helpButton; }
  GameSound* GetCardClickSound() const { return m_clickSound; }
  GameSound* GetPoofSound() const { return m_poofSound; }
  GameSound* GetYouWinSound() const { return m_youWinSound; }

private:
  // A missing required object, or one of another class, ends the program through a thrown text
  // naming it and the object file.
  void TakeRequiredObjects();
  void MakeArrows();
  void MakeExitButton();
  // The level index kept by the progress entry, within the levels that exist.
  static int32_t ResumeIndex();

  void ClickCard(Cards* card);
  void StepLevel(int32_t step, const char* timerName);
  void ClickWonPicture();
  void ClickExit();
  void ClickHelp();

  void CardTurnedUp(Cards* card);
  void CardTurnedDown(Cards* card);
  void CardVanished(Cards* card);
  void TryOver();
  void GuideEnded(uint32_t animation);

  void CheckPair();
  void BoardWon();

  void ShowBanner();
  void RestartMusic();
  // The music and the banner, as after a movie.
  void CarryOn();
  void PlayGuideLine(const char* line);
  bool IsGuideSilent() const;
  void PlayGuide(uint32_t animation);
  void ParkGuideHead();
  // The two cards of the try back to where they lay before they were raised.
  void RestoreTurnedDepths();
  void ForgetTurnedCards();
  void RemoveOwned(GenericObject* object);

  std::unique_ptr<LevelSelector> m_levelSelector;
  std::unique_ptr<PointsDisplay> m_pointsDisplay;
  std::unique_ptr<GameButton> m_exitButton;
  std::unique_ptr<GameButton> m_leftArrow;
  std::unique_ptr<GameButton> m_rightArrow;
  LevelBanner* m_banner = nullptr;
  std::vector<std::unique_ptr<Cards>> m_cards;
  Cards* m_firstCard = nullptr;
  Cards* m_secondCard = nullptr;
  std::vector<std::unique_ptr<SandBackgrounds>> m_sandBackgrounds;
  std::vector<int32_t> m_easyKinds;
  std::vector<int32_t> m_allKinds;
  std::vector<int32_t> m_hardKinds;
  Settings m_settings;
  int32_t m_turnedCount = 0;
  // Cards of the try that have not yet finished turning down or vanishing.
  int32_t m_cardsSettling = 0;
  int32_t m_cardsLeft = 12;
  SandBackgrounds* m_currentSand = nullptr;
  int32_t m_sandIndex = -1;
  int32_t m_firstCardDepth = 0;
  int32_t m_secondCardDepth = 0;
  bool m_endingMoviePending = false;
  bool m_endingLinesPending = false;
  bool m_endingLinesPlaying = false;
  bool m_exiting = false;
  bool m_introPending = true;
  bool m_bannerShowing = false;
  GameTimer* m_matchTimer = nullptr;
  GameTimer* m_winTimer = nullptr;
  GameTimer* m_startTimer = nullptr;
  // The one the last arrow started.
  GameTimer* m_levelChangeTimer = nullptr;
  // "levelChange1" (left) and "levelChange2" (right), made at their first use.
  std::array<GameTimer*, 2> m_levelChangeTimers{};
  SpriteObject* m_guide = nullptr;
  SpriteObject* m_guideHead = nullptr;
  int32_t m_guideWatching = 0;
  GameSound* m_clickSound = nullptr;
  GameSound* m_poofSound = nullptr;
  GameSound* m_youWinSound = nullptr;
  GenericObject* m_helpButton = nullptr;
  bool m_firstVisit = false;
  bool m_levelChangeLock = false;
  bool m_databaseAdded = false;
};
