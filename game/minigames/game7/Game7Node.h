// The ride on the ocean current: the player steers the turtle Brago along the current, collects
// shells, dodges obstacles on five lanes and swims into the vortex that crosses when time is up.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Point2.h"
#include "frontend/ProgressNode.h"

class Ambient;
class Background;
class CCSound;
class GameButton;
class GameSound;
class GenericObject;
class LevelBanner;
class SpriteObject;
struct GameProgress;

// The whole game's state is one number that the turtle holds; gameplay timers, the vortex launch
// and the progress bar run only while it is below GAME_OVER. The node owns its turtle, its obstacle
// pool and its records; the other objects belong to the object file's loaded list.
class Game7Node : public ProgressNode {
public:
  enum State : int32_t {
    IDLE = 0,
    MOVE_UP = 2,
    MOVE_DOWN = 3,
    MOVE_RIGHT = 4,
    MOVE_LEFT = 5,
    HIT = 6,
    KNOCKED_OUT = 7,
    DASH_UP = 11,
    DASH_DOWN = 12,
    IN_VORTEX = 13,
    GAME_OVER = 16,
    PLAYING_MOVIE = 17,
    START_LEVEL = 18,
    INTRO = 19,
  };

  static constexpr int32_t kNodeId = 13;
  static constexpr int32_t kLevelCount = 20;
  static constexpr int32_t kLaneCount = 5;
  static constexpr int32_t kVortexHeightCount = 3;
  // Obstacle kinds 0 to 10; 0 and 7 are never made.
  static constexpr int32_t kKindCount = 11;
  static constexpr int32_t kPrizeCount = 5;
  static constexpr const char* kDatabase = "Game7";
  static constexpr const char* kObjectFile = "GAME7_RuduraZizuru2";
  static constexpr const char* kObjectFileSdl = "GAME7_RuduraZizuru_sdl";
  static constexpr const char* kLevelDataName = "RuduraZizuru2Data";
  static constexpr const char* kPlayMusic = "TS_music-SFX_loop22k";
  static constexpr const char* kFinalMovie = "TurtleFMV";
  // Where objects out of play wait.
  static constexpr float kParked = 1000.0f;

  class LevelSettings;
  class LevelTable;
  class LevelSelector;
  class PointsDisplay;
  class LevelProgress;
  class MainTurtle;
  class Obstacles;

  Game7Node();
  // The records go with the node; the loaded objects went at deactivation.
  ~Game7Node() override;

  void Activate() override;
  void Deactivate() override;
  void Update() override;
  void OnLeftButtonDown(const InputEventInfo& input) override;
  void OnLeftButtonUp(const InputEventInfo& input) override;
  void OnChar(uint16_t code) override;
  void OnKeyUp(uint16_t code) override;
  void OnSoundFinished(GameSound* sound) override;
  void Resume(void* data) override;
  void OnObjectClicked(GenericObject* object) override;
  void OnAnimationEnded(GenericObject* object) override;
  void OnSpeechEvent(int id, void* data) override;
  // The level data's keys, once the records exist; others go to the progress node.
  void SetTxtValue(const char* key, const char* value) override;

  // The level that the selector holds is set up and its banner shown.
  void StartLevel();
  // The banner has flown out: the gameplay timers are armed and play starts.
  void BeginPlay();
  void OnVortexMissed();
  // The vortex has caught the turtle: the level is as good as won.
  void ReachVortex();
  // The turtle's vortex animation ended: prize, next level.
  void WinLevel();

  // The pool of obstacles and shells, built anew for each level; it never shrinks.
  void BuildObstaclePool();
  // One hidden obstacle enters on a lane other than the last one's, of another kind where it can.
  void ReleaseObstacle();
  // One swimming obstacle flourishes or starts a swerve.
  void AnimateObstacle();
  // The turtle dashes to the top (up) or bottom of the play box.
  void Dash(bool up);

  // The spoken intro: its cast on the intro backdrop, the play screen's own objects hidden.
  void SetUpIntro();
  // The intro's cast goes, the play screen comes back and the level starts.
  void EndIntro();
  // The line families: each call speaks the family's next line, back to its first after the last.
  void PlayChatterLine();
  void PlayHitLine();
  void PlayKnockoutLine();
  void PlayVortexLine();
  void PlayVortexMissedLine();
  void PlayLevelStartLine();
  // The good-bye line; its end takes the player to the hub.
  void PlayExitLine();
  // The help screen, narrating the next of its lines on each press.
  void OpenHelp();

  int32_t GetState() const;
  void SetState(int32_t state);
  int32_t GetLevelIndex() const;
  int32_t GetScore() const;
  const LevelTable* GetLevelTable() const { return m_levelTable.get(); }
  const LevelSettings& CurrentLevel() const;
  MainTurtle* GetTurtle() const { return m_turtle.get(); }
  LevelSelector* GetLevelSelector() const { return m_levelSelector.get(); }
  PointsDisplay* GetPointsDisplay() const { return m_pointsDisplay.get(); }
  LevelProgress* GetLevelProgress() const { return m_levelProgress.get(); }
  SpriteObject* GetLivesMeter() const { return m_livesMeter; }
  SpriteObject* GetVortex() const { return m_vortex; }
  GameButton* GetExitButton() const { return m_exitButton; }
  LevelBanner* GetBanner() const { return m_banner; }
  Qel::Point2 GetPointer() const { return m_pointer; }
  int32_t GetVortexMisses() const { return m_vortexMisses; }
  bool IsLeaving() const { return m_leaving; }
  bool IsFinalMoviePending() const { return m_finalMoviePending; }
  bool IsAfterFinalMovie() const { return m_afterFinalMovie; }
  uint32_t GetLevelStartTime() const { return m_levelStartTime; }
  uint32_t GetReleaseDelay() const { return m_releaseDelay; }
  uint32_t GetAnimateDelay() const { return m_animateDelay; }
  uint32_t GetChatterDelay() const { return m_chatterDelay; }
  GameSound* GetEffect(const char* name) const;
  CCSound* GetCommentLine() const { return m_commentLine; }
  CCSound* GetChatterLine() const { return m_chatterLine; }
  CCSound* GetExitLine() const { return m_exitLine; }
  bool IsIntroVortexShown() const { return m_introVortexShown; }
  Ambient* GetIntroVortex() const { return m_introVortex.get(); }
  Ambient* GetIntroKid() const { return m_introKid.get(); }
  Background* GetIntroBackground() const { return m_introBackground.get(); }
  SpriteObject* GetIntroHead(int32_t speaker) const { return m_introHeads.at(static_cast<size_t>(speaker)); }
  const std::vector<std::unique_ptr<Obstacles>>& GetObstacles() const { return m_obstacles; }
  Obstacles* GetLastReleased() const { return m_lastReleased; }

private:
  struct Effect {
    const char* name;
    const char* file;
    GameSound* sound;
  };

  // Every member pointer none, every counter and flag 0.
  void ClearMembers();
  void CreateTurtle();
  void ResetTurtle();
  // The required objects of the object file; a missing one, or one of another class, is fatal.
  void FindObjects(const char* objectFile);
  // Each level breaking a limit is named on the trace once, as it is read.
  void LoadLevelData();
  // The game entry of this node in the progress record.
  static GameProgress& Entry();
  void RunTimers();
  // The turtle's step for its state.
  void StepTurtle();
  // The pass over the pool in pool order: stopped obstacles move on or leave, the turtle's contacts
  // score (answers whether a harmful one was touched), the turtle reaches the vortex, the vortex
  // catches obstacles and obstacles knock into each other.
  bool PassObstacles();
  // The turtle touched O: points, sounds, and O knocked away.
  void TouchObstacle(Obstacles& obstacle, float speed);
  void OnObstacleAnimationEnded(Obstacles* ended);
  // Every element i from 1 on swaps with one at or before it: the pool keeps the new order.
  void ShufflePool();
  void ResolveHit();
  bool InPlayingState() const;
  void StopEffectSounds();
  void StopVoiceLines();
  // The intro's steps: Brago's opening ended, the speech stopped, the kid and the vortex arrived.
  void OnIntroAnimationEnded(GenericObject* object);
  void OnIntroSpeechStopped();
  void DeleteIntroObjects();
  // The objects of the play screen that the intro hides.
  std::array<GenericObject*, 7> PlayScreenObjects() const;
  // Stops and releases the chatter line and the comment line, those that are there.
  void DropSpokenLines();
  // The next entry of a family becomes the comment line and plays.
  void PlayCommentLine(const char* line);
  CCSound* MakeLine(const char* soundName, const char* file);
  // The good-bye step: off to the hub behind the loading picture.
  void LeaveForHub();
  // The lines the flow waits for ("endLevelDialog", "6000", "6001"): their end takes the next step,
  // at once for a line that does not start.
  void PlayFlowLine(const char* name, uint32_t lineNumber);
  void FinishFlowLine(const char* name);
  // Activation got as far as finding every object.
  bool IsSetUp() const { return m_pointsDisplay != nullptr; }
  static void PlayMusic(const char* name);

  std::unique_ptr<LevelSelector> m_levelSelector;
  std::unique_ptr<PointsDisplay> m_pointsDisplay;
  SpriteObject* m_livesMeter = nullptr;
  std::unique_ptr<LevelProgress> m_levelProgress;
  GameButton* m_exitButton = nullptr;
  LevelBanner* m_banner = nullptr;
  GenericObject* m_helpButton = nullptr;
  GenericObject* m_navBar = nullptr;
  std::unique_ptr<Ambient> m_backgroundTop;
  std::unique_ptr<Ambient> m_backgroundMiddle;
  std::unique_ptr<MainTurtle> m_turtle;
  std::vector<std::unique_ptr<Obstacles>> m_obstacles;
  Obstacles* m_lastReleased = nullptr;
  SpriteObject* m_vortex = nullptr;
  Qel::Point2 m_pointer;
  std::unique_ptr<LevelTable> m_levelTable;
  bool m_finalMoviePending = false;
  int32_t m_vortexMisses = 0;
  uint32_t m_levelStartTime = 0;
  uint32_t m_releaseStart = 0;
  uint32_t m_releaseDelay = 0;
  uint32_t m_animateStart = 0;
  uint32_t m_animateDelay = 0;
  uint32_t m_chatterStart = 0;
  uint32_t m_chatterDelay = 0;
  std::vector<Effect> m_effects;
  bool m_leaving = false;
  bool m_afterFinalMovie = false;

  // The intro.
  bool m_introVortexShown = false;
  std::unique_ptr<Background> m_introBackground;
  std::unique_ptr<Ambient> m_introBody;
  std::unique_ptr<Ambient> m_introFinRight;
  std::unique_ptr<Ambient> m_introFinLeft;
  std::unique_ptr<Ambient> m_introKid;
  std::unique_ptr<Ambient> m_introVortex;
  // Brago's, Zelka's and Tovin's heads and talkies, in speaker order.
  std::array<SpriteObject*, 3> m_introHeads{};
  std::array<SpriteObject*, 3> m_introTalkies{};

  // The spoken lines: hit, knock-out, vortex, missed, level-start and the intro's own ones share the
  // comment line; the node's sounds, released when replaced.
  CCSound* m_commentLine = nullptr;
  CCSound* m_chatterLine = nullptr;
  CCSound* m_exitLine = nullptr;
  int32_t m_chatterNext = 0;
  int32_t m_hitNext = 0;
  int32_t m_knockoutNext = 0;
  int32_t m_vortexLineNext = 0;
  int32_t m_missedNext = 0;
  int32_t m_levelStartNext = 0;
  int32_t m_helpNext = 0;
  // The vortex's flowing sound was cut short by the node, so its end is no cue for a vortex line.
  bool m_vortexSoundCut = false;
};
