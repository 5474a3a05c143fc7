// The shell game: the blenny hides under one of three shells, the shells swap, the player guesses;
// levels, points and swaps from the game's text data, prizes and the speakers' conversations.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "frontend/ConversationNode.h"
#include "frontend/ProgressNode.h"
#include "game8/IGameShellEvents.h"

class Clickable;
class Conversations;
class GameButton;
class GameShell;
class GameSound;
class GameTimer;
class GenericObject;
class LevelBanner;
class NumericDisplay;
class SpriteObject;
class VariantSound;

// A turn runs reveal (only at the start of a level) → reveal running → closing → turn start →
// swapping → hand over → waiting → a guess → speech → closing … The opening conversation runs
// speech → waiting → banner end → reveal.
class Game8Node : public ProgressNode, public ConversationNode, public IGameShellEvents {
public:
  enum State : int32_t {
    kWaiting = 0,
    kReveal = 1,
    kClosing = 2,
    kTurnStart = 3,
    kSwapping = 4,
    kHandOver = 5,
    kSpeech = 6,
    kLastLines = 7,
    kRevealRunning = 8,
  };
  static constexpr int kShellCount = 3;
  static constexpr int kWinsPerLevel = 5;
  static constexpr int kPrizeLevels = 5;
  static constexpr int kCheckBoxCount = 5;
  static constexpr const char* kObjectFile = "ShellGame";
  static constexpr const char* kLowSpecObjectFile = "ShellGame_SDL";
  // Cursor kinds while the shells slide and while they may be clicked.
  static constexpr int32_t kBusyCursor = 13;
  static constexpr int32_t kPlayCursor = 0;
  // How long each answer to a guess lasts at least.
  static constexpr uint32_t kAnswerDelay = 2500;

  Game8Node();
  ~Game8Node() override;

  void Activate() override;
  void Deactivate() override;
  void Update() override;
  void OnChar(uint16_t code) override;
  void OnSoundFinished(GameSound* sound) override;
  void Resume(void* data) override;
  void OnTimer(GameTimer* timer) override;
  void OnObjectClicked(GenericObject* object) override;
  void OnAnimationEnded(GenericObject* object) override;
  void OnSpeechEvent(int id, void* data) override;
  void SetTxtValue(const char* key, const char* value) override;

  // The conversations' speakers and lines go to the room's.
  using RoomNode::SetSpeaker;
  void SetSpeaker(uint32_t speaker, const char* bodyName, const char* headName, const char* dataName,
                  uint8_t flag) override;
  void QueueLine(uint32_t speaker, const char* soundFile, uint32_t lineNumber) override;
  GameSound* FindSound(const char* name) override;

  void OnShellClose(GameShell* shell, bool started) override;
  void OnShellOpen(GameShell* shell, bool started) override;
  void OnSwapFinished() override;

  // The turn parameters of the current level and wins, as the end of the closing computes them.
  void ComputeTurnParameters();

  int32_t GetState() const { return m_state; }
  int32_t GetNextState() const { return m_nextState; }
  int32_t GetLevel() const;
  uint32_t GetScore() const;
  int32_t GetSwapsToDo() const { return m_swapsToDo; }
  int32_t GetSwapsDone() const { return m_swapsDone; }
  bool IsSwapFinished() const { return m_swapFinished; }
  int32_t GetRevealPending() const { return m_revealPending; }
  GameShell* GetShell(int index) const { return m_shells[static_cast<size_t>(index)].get(); }
  SpriteObject* GetBlenny() const { return m_blenny; }
  int32_t GetYayIndex() const { return m_yayIndex; }
  int32_t GetBooIndex() const { return m_booIndex; }
  GameSound* GetYaySound(int index) const { return m_yaySounds[static_cast<size_t>(index)]; }
  GameSound* GetBooSound(int index) const { return m_booSounds[static_cast<size_t>(index)]; }
  NumericDisplay* GetScoreDisplay() const { return m_scoreDisplay.get(); }
  NumericDisplay* GetLevelDisplay() const { return m_levelDisplay.get(); }
  LevelBanner* GetBanner() const { return m_banner; }
  int32_t GetLevelWins() const { return m_levelWins; }
  GameButton* GetLevelDownButton() const { return m_levelDownButton; }
  GameButton* GetLevelUpButton() const { return m_levelUpButton; }
  int32_t GetPointsPerWin() const { return m_pointsPerWin; }
  float GetSpeed() const { return m_speed; }
  int32_t GetWinAnimation() const { return m_winAnimation; }
  int32_t GetNumLevels() const { return m_numLevels; }
  int32_t GetScoreFirst() const { return m_scoreFirst; }
  int32_t GetScoreLast() const { return m_scoreLast; }
  float GetMaxSpeed() const { return m_maxSpeed; }
  int32_t GetSwapsFirst() const { return m_swapsFirst; }
  int32_t GetSwapsLast() const { return m_swapsLast; }
  int32_t GetClosedMask() const { return m_closedMask; }
  GameTimer* GetDelayTimer() const { return m_delayTimer; }
  VariantSound* GetOpenSound1() const { return m_openSound1.get(); }
  VariantSound* GetOpenSound2() const { return m_openSound2.get(); }
  VariantSound* GetSlideLongSound() const { return m_slideLongSound.get(); }
  VariantSound* GetSlideShortSound() const { return m_slideShortSound.get(); }
  Conversations* GetIntroConversation() const { return m_introConversation.get(); }
  Conversations* GetWinConversation() const { return m_winConversation.get(); }
  Conversations* GetLoseConversation() const { return m_loseConversation.get(); }
  bool IsSpeechPending() const { return m_speechPending; }
  bool IsSpeechDone() const { return m_speechDone; }
  bool IsDelayDone() const { return m_delayDone; }
  bool IsIntro() const { return m_intro; }
  bool IsIntroShellClosed() const { return m_introShellClosed; }
  bool IsLevelComplete() const { return m_levelComplete; }
  bool IsEndingMovieSeen() const { return m_endingMovieSeen; }

private:
  void TakeRequiredObjects(const char* objectFile);
  void MakeShells();
  void MakeDisplays();
  void LoadConversations();
  // After the text data: the values the turn parameters divide by or slide with.
  void CheckSettings();
  // The level to resume at, taken to the nearest level that exists.
  int32_t ResumeLevel() const;

  void UpdateLevelButtons();
  void UpdateCheckBoxes();
  void UpdateCursor();
  void StepState();
  void Reveal();
  void StepClosing();
  void StartTurn();
  void StepSwap();
  void StepSpeech();
  void OpeningOver();

  void Guess(GameShell* shell);
  void RightGuess(GameShell* shell);
  void WrongGuess();
  // The blenny's depth: above the shells only while it plays animation 4.
  void PlaceBlennyDepth();
  // The next dialogue list of the conversation queues its lines; nothing for an empty one.
  void QueueNextDialogue(Conversations* conversation);
  void StepLevel(int32_t step);
  // The level rises by one unless it is the top level; the banner, the record.
  void LevelUp();
  // The prize for the completed level, or the level-up.
  void CompleteLevel();
  void PlayOpenSound(bool second);
  GameShell* BlennyShell() const;
  GameShell* ShellOf(const GenericObject* object) const;
  void EnableShells(bool enabled);

  int32_t m_swapsToDo = 3;
  int32_t m_swapsDone = 0;
  bool m_swapFinished = false;
  int32_t m_state = kSpeech;
  int32_t m_revealPending = 0;
  int32_t m_nextState = kReveal;
  std::array<std::unique_ptr<GameShell>, kShellCount> m_shells;
  SpriteObject* m_blenny = nullptr;
  int32_t m_yayIndex = 0;
  std::array<GameSound*, 3> m_yaySounds{};
  int32_t m_booIndex = 0;
  std::array<GameSound*, 3> m_booSounds{};
  std::unique_ptr<NumericDisplay> m_scoreDisplay;
  std::unique_ptr<NumericDisplay> m_levelDisplay;
  LevelBanner* m_banner = nullptr;
  int32_t m_levelWins = 0;
  GameButton* m_levelDownButton = nullptr;
  GameButton* m_levelUpButton = nullptr;
  int32_t m_pointsPerWin = 0;
  float m_speed = 1.0f;
  int32_t m_winAnimation = 0;
  int32_t m_numLevels = 0;
  int32_t m_scoreFirst = 0;
  int32_t m_scoreLast = 0;
  float m_maxSpeed = 1.0f;
  int32_t m_swapsFirst = 0;
  int32_t m_swapsLast = 0;
  int32_t m_closedMask = 0;
  // The node's own timer list holds it.
  GameTimer* m_delayTimer = nullptr;
  std::unique_ptr<VariantSound> m_openSound1;
  std::unique_ptr<VariantSound> m_openSound2;
  std::unique_ptr<VariantSound> m_slideLongSound;
  std::unique_ptr<VariantSound> m_slideShortSound;
  GenericObject* m_anchorExpression = nullptr;
  std::unique_ptr<Conversations> m_introConversation;
  std::unique_ptr<Conversations> m_winConversation;
  std::unique_ptr<Conversations> m_loseConversation;
  bool m_speechPending = false;
  bool m_speechDone = false;
  bool m_delayDone = false;
  bool m_intro = false;
  bool m_introShellClosed = false;
  bool m_levelComplete = false;
  bool m_endingMovieSeen = false;
  bool m_databaseAdded = false;
  // The banner's end starts the level's reveal, unless a level button has started it already.
  bool m_revealAfterBanner = false;
  std::array<Clickable*, kShellCount> m_shellObjects{};
};
