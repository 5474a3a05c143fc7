// The swim through the hoops: the player steers the fish with the mouse along a seabed that scrolls on
// its own, takes every scallop of the level before the clock runs out and dodges what is in the way,
// while the father fish swims along and comments.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/Point2.h"
#include "framework/FpsCounter.h"
#include "frontend/ProgressNode.h"

class Background;
class FEOverlayDialog;
class GameButton;
class GameSound;
class GenericObject;
class LevelBanner;
class NPC;
class SpriteObject;
struct GameProgress;

// One step of game logic runs at most every 8 ms of the game clock; between steps the node does
// nothing at all. The seabed is 14 panels of 800 pixels of which two are attached to the world at a
// time; the camera loops back by 12 panels when it reaches the last, so panels 1 and 13 show the
// same stretch. The node owns its hoops, items, panels, camera, shield bubble, back button, HUD and
// continue dialog; the fish, the companion and the speakers' bodies come from the object file.
class Game6Node : public ProgressNode {
public:
  enum State : int32_t {
    FIRST_VISIT = 1,
    INTRO_SPEECH = 2,
    RETURNING_VISIT = 3,
    GREETING_SPEECH = 4,
    LEVEL_BANNER = 5,
    SWIM_IN = 7,
    SET_UP = 8,
    FISH_ENTERS = 9,
    PLAYING = 10,
    BOUNCED_BACK = 11,
    BOUNCED_BACK_AWAY = 12,
    BOUNCED_BACK_TURN = 13,
    BOUNCED_BACK_RETURN = 14,
    BOUNCED_FORWARD = 15,
    BOUNCED_FORWARD_AWAY = 16,
    BOUNCED_FORWARD_TURN = 17,
    BOUNCED_FORWARD_RETURN = 18,
    GROUND_SPOUT = 27,
    GROUND_SPOUT_PUSH = 28,
    CEILING_SPOUT = 29,
    CEILING_SPOUT_PUSH = 30,
    TIME_UP = 31,
    LOSE_LINES = 32,
    WAITING_TO_REPLAY = 33,
    LEVEL_WON = 34,
    PRIZE = 35,
    NEXT_LEVEL = 37,
    KELP = 38,
    KELP_HOLD = 39,
    LEAVING = 41,
  };

  static constexpr int32_t kNodeId = 12;
  static constexpr int32_t kHubNodeId = 6;
  static constexpr int32_t kCreditsNodeId = 21;
  static constexpr int32_t kLevelCount = 5;
  static constexpr int32_t kPanelCount = 14;
  static constexpr int32_t kPanelWidth = 800;
  static constexpr int32_t kSegmentCount = 10;
  static constexpr int32_t kMaxHoops = 15;
  static constexpr int32_t kMaxItems = 200;
  static constexpr int32_t kScoreCap = 99999;
  static constexpr int32_t kStepMs = 8;
  static constexpr int32_t kClamSoundCount = 5;
  // The comments the companion makes once per visit: collectible, watch, shield, fin.
  static constexpr int32_t kCommentCount = 4;
  static constexpr const char* kDatabase = "GAME6";
  static constexpr const char* kObjectFile = "Game6Objs";
  static constexpr const char* kRoomData = "GAME6_roomdata";
  static constexpr const char* kCaptions = "DazodOrer";
  static constexpr const char* kPlayMusic = "Dazodorer_music_loop";
  static constexpr const char* kUrgentMusic = "Dazodorer_urgent_noloop";
  static constexpr const char* kLoseMusic = "Turnfish_lose_music";

  class Game6Pilo;
  class Game6Item;
  class Game6Kelp;
  class Game6WaterSpout;
  class Game6Scallop;
  class CHoop;
  class Game6Hud;

  Game6Node();
  // The continue dialog, detached first while it is the modal overlay; what deactivation left.
  ~Game6Node() override;

  void Activate() override;
  void Deactivate() override;
  void Update() override;
  void OnChar(uint16_t code) override;
  void OnKeyDown(uint16_t code) override;
  // After a movie: the credits after "Final", else the next level or the continue dialog.
  void Resume(void* data) override;
  void OnObjectClicked(GenericObject* object) override;
  void OnAnimationEnded(GenericObject* object) override;
  void OnSpeechEvent(int id, void* data) override;
  // The room data's keys are the node's to ignore.
  void SetTxtValue(const char* key, const char* value) override;

  // Level changes from the HUD's arrows; each stays within 0 and the overall level.
  virtual void NextLevel();
  virtual void PreviousLevel();
  // Caps the level score so that level and total score stay within 99999, and shows their sum.
  virtual void ShowScore();

  // The level's layout, from the program's tables: hoops, items, speeds, HUD, camera and music.
  virtual void StartLevel(int32_t level);
  virtual void BuildLevelItems(int32_t level);
  // Removes and deletes every hoop and item; the looping sounds stop.
  virtual void ClearLevel();
  virtual void SteerFish();
  virtual void MoveFish(int32_t mask);
  // True when the fish touches a hoop's top while shielded.
  virtual bool CheckCollisions();
  virtual bool Collides(GenericObject* a, GenericObject* b);
  virtual void PlayStep();
  virtual void RestartLevel();
  virtual int32_t DirectionToAnimation(int32_t index);
  virtual void DirectionToMask();
  virtual void ClearMoveInput();

  // Steering, placing and camera.
  void UpdateSteering();
  void ClampFishOffsets();
  void AnchorFishTo(GenericObject* object);
  void AnchorFishToCamera();
  void PlaceFish();
  void PlaceCompanion();
  void SyncFishAndCompanion();
  bool CheckLeftEdge();
  void UpdateCamera();
  void ShowBackgroundPanels(int32_t panel);
  // n scaled from level 1's scroll speed to the current level's, truncated toward zero.
  int32_t ScaleBySpeed(int32_t n) const;
  // The step of the rebound, spout and kelp states (11 to 18, 27 to 30, 38, 39).
  void ReactionStep();

  // The level tables, program data by level index (0 to 4): a record's world point is
  // (800 x panel + x, y). Hoop records beyond a level's count and item records beyond its count are
  // not used; an index outside the tables reads an empty record.
  struct HoopRecord {
    int32_t panel;
    int32_t x;
    int32_t y;
    int32_t small;
  };
  struct ItemRecord {
    int32_t panel;
    int32_t x;
    int32_t y;
    int32_t kind;
  };
  static int32_t HoopCountOf(int32_t level);
  static HoopRecord HoopRecordOf(int32_t level, int32_t index);
  static int32_t ItemCountOf(int32_t level);
  static ItemRecord ItemRecordOf(int32_t level, int32_t index);
  // Pixels per second; level 1's outside the table.
  static float ScrollSpeedOf(int32_t level, bool alphaBlending);

  // Hoops and items.
  void AddHoop(CHoop* hoop);
  void RemoveHoop(CHoop* hoop);
  void RemoveTwinAtEnd(int32_t x, int32_t y, int32_t kind);
  void RemoveTwinAtStart(int32_t x, int32_t y, int32_t kind);

  // What the fish does on touching item i (its record given), at the game-clock time now.
  void TouchItem(int32_t i, const ItemRecord& record, int32_t now);
  // A once-a-visit comment of speaker 0 (collectible 0, watch 1, shield 2, fin 3), unless it was
  // spoken or the speaker talks.
  void SayComment(int32_t comment, const char* line, uint32_t number);
  // Speaker 0 says the line now, cutting off what was said.
  void SayLine(const char* line, uint32_t number);
  // The item of the other loop panel that shares the record's point and kind goes.
  void RemoveTwinOf(const ItemRecord& record);
  void RemoveTwinIn(int32_t panel, int32_t x, int32_t y, int32_t kind);
  // Out of the node (the kelp's front too) and deleted; its slot stays, empty.
  void DeleteItem(int32_t index);

  // The dialog offered after the prize of the last level the player may play.
  void OpenContinueDialog();
  void CloseContinueDialog(bool resumeSounds);

  // The level's clock segment in milliseconds, by level index (0 to 4); the first level's outside.
  static int32_t SegmentLength(int32_t level);
  // The two points per whole second left on the clock, never below 0.
  int32_t TimeBonus(uint32_t now) const;
  // The sound's stopped when it plays; nothing without it.
  static void StopIfPlaying(GameSound* sound);
  // Once from the start, at the volume given; nothing without it.
  static void PlayOnce(GameSound* sound, float volume = 1.0f);
  // Stops the music, queues the name with the loop flag and plays it.
  static void ChangeMusic(const char* name, bool loop);
  // The game's entry in the active player's record.
  static GameProgress& Entry();
  static uint32_t Now();
  static int32_t Random();
  // The shield bubble shows animation 0 while the shield is on.
  bool IsShieldOn() const;

  int32_t GetState() const { return m_state; }
  void SetState(int32_t state) { m_state = state; }
  int32_t GetLevel() const { return m_level; }
  void SetLevel(int32_t level) { m_level = level; }
  LevelBanner* GetBanner() const { return m_banner; }
  Game6Pilo* GetFish() const { return m_fish; }
  SpriteObject* GetTovin() const { return m_tovin; }
  SpriteObject* GetTovinMouth() const { return m_tovinMouth; }
  NPC* GetShieldBubble() const { return m_shieldBubble.get(); }
  NPC* GetCamera() const { return m_camera.get(); }
  Game6Hud* GetGameHud() const { return m_hud.get(); }
  GameButton* GetBackButton() const { return m_backButton.get(); }
  GenericObject* GetHelpButton() const { return m_helpButton; }
  bool IsContinueDialogOpen() const { return m_continueDialogOpen; }
  FEOverlayDialog* GetContinueDialog() const { return m_continueDialog.get(); }
  int32_t GetTicksLeft() const { return m_ticksLeft; }
  int32_t GetTickDeadline() const { return m_tickDeadline; }
  int32_t GetLevelScore() const { return m_levelScore; }
  int32_t GetTotalScore() const { return m_totalScore; }
  float GetScrollSpeed() const { return m_scrollSpeed; }
  int32_t GetCameraPanel() const { return m_cameraPanel; }
  bool IsFinalMoviePlayed() const { return m_finalMoviePlayed; }
  int32_t GetSpeedFactor() const { return m_speedFactor; }
  int32_t GetDashFactor() const { return m_dashFactor; }
  void SetDashFactor(int32_t factor) { m_dashFactor = factor; }
  int32_t GetHoopCount() const { return m_hoopCount; }
  int32_t GetItemCount() const { return m_itemCount; }
  int32_t GetScallopTotal() const { return m_scallopTotal; }
  int32_t GetScallopsTaken() const { return m_scallopsTaken; }
  Background* GetBackground(int32_t panel) const;
  bool IsPanelAttached(int32_t panel) const;
  GameSound* GetTimerSound() const { return m_timerSound; }
  GameSound* GetBubbleWallSound() const { return m_bubbleWallSound; }
  const FpsCounter& GetFpsCounter() const { return m_fps; }

private:
  // Every step of the states that the nested classes do not own.
  void StepState(uint32_t now);
  void FollowScroll();
  void QueueIntro();
  void QueueGreeting();
  void SwimIn();
  void SetUpLevel(uint32_t now);
  void EnterFish(uint32_t now);
  void WinLevel();
  void StepPrize();
  void GoToNextLevel();
  void LoseLevel(uint32_t now);
  void StepReplay(uint32_t now);
  // The companion to (-400, its y) and the fish after it, at y 300.
  void PlaceForSwimIn();
  void RemoveIntroObjects();
  void ChooseLevel();
  void FindObjects();
  void CreateSounds();
  void CreatePanels();
  void DeletePanels();
  // A total above the saved high score becomes it, and the record notes a new result.
  void RecordHighScore();
  bool IsSetUp() const { return m_hud != nullptr; }

public:
  // What the fish, the hoops and the items read and write (they are the node's nested classes and
  // the node's own methods in their files).
  int32_t m_state = 0;
  int32_t m_level = 0;
  LevelBanner* m_banner = nullptr;
  Game6Pilo* m_fish = nullptr;
  SpriteObject* m_tovin = nullptr;
  bool m_continueDialogOpen = false;
  std::unique_ptr<FEOverlayDialog> m_continueDialog;
  int32_t m_lastStepTime = -1;

  // The fish's movement, level-scaled at each level start.
  int32_t m_fishOffsetX = 0;
  int32_t m_fishOffsetY = 0;
  int32_t m_stepVertical = 3;
  int32_t m_stepHorizontal = 3;
  int32_t m_stepBackInSpout = 3;
  int32_t m_wallDriftForward = 2;
  int32_t m_wallDriftBack = 1;
  int32_t m_entryStep = 2;
  int32_t m_bounceBackSpeed = -10;
  int32_t m_bounceForwardSpeed = 10;
  float m_entrySpeedUp = 0.0f;
  float m_reboundOffset = 0.0f;
  float m_reboundVelocity = 0.0f;
  int32_t m_reboundUntil = 0;
  int32_t m_kelpUntil = 0;
  int32_t m_spoutUntil = 0;
  int32_t m_spoutStepAt = 0;
  int32_t m_spoutMask = 0;
  int32_t m_verticalDeadBand = 10;
  Qel::Point2 m_mousePos;
  int32_t m_steerIndex = 8;
  int32_t m_steerMask = 0;
  int32_t m_moveMask = 0;
  int32_t m_lastMoveMask = 0;
  // The pointer's last position, for showing the cursor when it moves 11 pixels or more.
  Qel::Point2 m_previousMousePos{400, 300};

  // Layout and collisions: the arrays hold what the level made (null where an item was deleted); the
  // indices are -1 for none.
  int32_t m_hoopCount = 0;
  int32_t m_itemCount = 0;
  int32_t m_scallopTotal = 0;
  int32_t m_scallopsTaken = 0;
  std::array<bool, kCommentCount> m_commentSpoken{};
  int32_t m_lastHoop = -1;
  int32_t m_currentBubbleWall = -1;
  int32_t m_heldKelp = -1;
  std::vector<CHoop*> m_hoops;
  std::vector<Game6Item*> m_items;
  // The level whose item records m_items follows, index by index.
  int32_t m_itemLevel = 0;
  int32_t m_shieldUntil = 0;
  int32_t m_finUntil = 0;

  int32_t m_panelCount = kPanelCount;
  std::array<std::unique_ptr<Background>, kPanelCount> m_backgrounds;
  std::array<bool, kPanelCount> m_panelAttached{};
  float m_scrollSpeed = 0.0f;

  SpriteObject* m_tovinMouth = nullptr;
  SpriteObject* m_introTovin = nullptr;
  SpriteObject* m_introTovinMouth = nullptr;
  SpriteObject* m_introPilo = nullptr;
  SpriteObject* m_introPiloMouth = nullptr;
  std::unique_ptr<NPC> m_shieldBubble;
  std::unique_ptr<NPC> m_camera;
  std::unique_ptr<Game6Hud> m_hud;

  // In the node's sound list; null when a sound could not be made.
  GameSound* m_timerSound = nullptr;
  GameSound* m_bubbleWallSound = nullptr;
  GameSound* m_bellSound = nullptr;
  GameSound* m_hoopHitSound = nullptr;
  GameSound* m_kelpHitSound = nullptr;
  GameSound* m_shieldPickedUpSound = nullptr;
  GameSound* m_shieldEndsSound = nullptr;
  GameSound* m_itemPickedUpSound = nullptr;
  std::array<GameSound*, kClamSoundCount> m_clamSounds{};
  GameSound* m_congratulationsSound = nullptr;

  int32_t m_ticksLeft = kSegmentCount;
  int32_t m_tickDeadline = 0;
  int32_t m_levelScore = 0;
  int32_t m_totalScore = 0;
  int32_t m_speedFactor = 1;
  int32_t m_dashFactor = 1;
  FpsCounter m_fps;
  int32_t m_cameraPanel = 0;
  bool m_finalMoviePlayed = false;
  std::unique_ptr<GameButton> m_backButton;
  GenericObject* m_helpButton = nullptr;

private:
  // The lose lines' end, game-clock milliseconds.
  uint32_t m_loseUntil = 0;
  // A prize movie was started and its end has not come back yet.
  bool m_prizeMoviePlaying = false;
};
