// The submarine ball game: the player's fish throws a kelp ball through a sunken submarine's room
// into the door where the shark shows itself.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/Point2.h"
#include "framework/Ambient.h"
#include "framework/AngularMotionPath.h"
#include "framework/CircularMotionPath.h"
#include "framework/LimitingAngledMotionPath.h"
#include "framework/TzDeflectingRect.h"
#include "framework/TzDeflectingSphere.h"
#include "framework/TzRect.h"
#include "frontend/ProgressNode.h"

class ActiveGameButton;
class CCSound;
class GameButton;
class GameSound;
class LevelBanner;


class Game5Node : public ProgressNode {
public:
  static constexpr int32_t kLevelCount = 20;

  // The ball's speed in pixels per second at the bottom of the room, and what it gains towards the top.
  struct BallSpeed {
    float base;
    float boost;
  };
  // Of levels 1 to 20; a level outside them reads its nearest.
  static BallSpeed BallSpeedFor(int32_t level);

  // The room is drawn in perspective: the higher the ball, the smaller and faster it is.
  struct DepthZone {
    // Of the boost added to the base speed.
    float boostFactor;
    int32_t halfSize;
  };
  static constexpr int32_t kZoneCount = 5;
  // None (-1) from y 600 on, where the ball keeps its zone.
  static int32_t ZoneOfY(int32_t y);
  static DepthZone Zone(int32_t zone);

  // What the ball is drawn behind and in front of: the doors while it is high enough to fly through
  // the shark's, the fish once below its arc, else the nearest jellyfish below it.
  struct JellyDepth {
    int32_t y;
    int32_t depth;
  };
  static int32_t BallDepth(int32_t ballY, int32_t door, int32_t fishArcY, const JellyDepth* jellyfish,
                           int32_t count);

  // A draw of the C runtime's rand scaled to 0..n-1, as the game's arithmetic takes it; a draw of the
  // generator's top value would give n itself, which callers that index a table draw again.
  static int32_t ScaledDraw(int32_t draw, int32_t n);

  // One bubble that rises from the ball.
  class GM5BallBubbles {
  public:
    virtual ~GM5BallBubbles() = default;

    Ambient* m_sprite = nullptr;
    bool m_inUse = false;
    float m_x = 1000.0f;
    float m_y = 1000.0f;
  };

  // The trail: a bubble now and then while the ball is shown.
  class GM5BallBubblesMgr {
  public:
    static constexpr int32_t kCount = 20;

    virtual ~GM5BallBubblesMgr() = default;

    // Every update: the first call only draws the next spawn time; once it has passed, a new one is
    // drawn and a visible ball leaves a bubble.
    void Update(int32_t x, int32_t y, bool visible);
    // The first free bubble with a sprite rises from the point; none when all are in use.
    void Spawn(int32_t x, int32_t y);
    // Indices outside the trail are ignored.
    void Free(int32_t index);
    // The index of the bubble shown by that sprite, or -1.
    int32_t IndexOf(const void* sprite) const;

    std::array<GM5BallBubbles, kCount> m_bubbles;
    int32_t m_nextSpawnAt = -1;
  };

  // The bubbles that mark a bounce.
  class GM5DeflectBubblesMgr {
  public:
    static constexpr int32_t kCount = 3;

    virtual ~GM5DeflectBubblesMgr() = default;

    void Spawn(int32_t x, int32_t y);
    void Free(int32_t index);
    int32_t IndexOf(const void* sprite) const;

    std::array<GM5BallBubbles, kCount> m_bubbles;
  };

  // The kelp ball: its path, its perspective zone and its bubbles.
  class GM5Ball {
  public:
    virtual ~GM5Ball() = default;

    // s is half the drawn size.
    void SetSize(int32_t s);
    int32_t GetHalfSize() const { return m_halfSize; }
    // The sprite centred on the path's point.
    void SyncSprite();
    void SetSpritePosition(int32_t x, int32_t y);
    int32_t GetX() const { return m_path.GetX(); }
    int32_t GetY() const { return m_path.GetY(); }
    Qel::Point2 GetPoint() const { return {GetX(), GetY()}; }
    // The point before the step is kept for the jellyfish's bounce.
    void Step();
    // A new zone changes speed, size and the flight animation, keeping the frame where the new
    // animation has it.
    void SetSpeedForDepth(float base, float boost);
    // From a flight animation (0 to 4) to its bounce animation (5 to 9).
    void PlayBounceAnimation();
    bool IsOffScreen() const;
    bool IsSpriteVisible() const;

    Ambient* m_sprite = nullptr;
    int32_t m_halfSize = 12;
    AngularMotionPath m_path;
    GM5BallBubblesMgr m_trail;
    GM5DeflectBubblesMgr m_bounceBubbles;
    int32_t m_depthZone = 4;
    int32_t m_prevX = -1;
    int32_t m_prevY = -1;
    Qel::Point2 m_center;
    Qel::Point2 m_left;
    Qel::Point2 m_top;
    Qel::Point2 m_bottom;
    Qel::Point2 m_right;
  };

  class GM5RectWall {
  public:
    virtual ~GM5RectWall() = default;

    TzDeflectingRect m_rect;
  };

  // The ceiling, the side walls and the two round bulkheads that hang from the ceiling.
  class Gm5Room {
  public:
    Gm5Room();
    virtual ~Gm5Room() = default;

    // What one pass turned the ball off, for the node's sounds.
    struct Bounces {
      bool wall = false;
      int32_t bulkheads = 0;
      bool jellyfish = false;
    };
    // The ceiling, else a side wall, else whatever jellyfishStep takes (it answers whether one
    // turned the ball), else both bulkheads in turn.
    Bounces BouncePass(GM5Ball& ball, const std::function<bool(Qel::Point2)>& jellyfishStep);

    std::array<TzDeflectingSphere, 2> m_bulkheads;
    GM5RectWall m_ceiling;
    GM5RectWall m_leftWall;
    GM5RectWall m_rightWall;
  };

  // The shark's three doors at the top of the room: a ball into the door where the shark shows is a
  // goal; the shark then goes, another door opens and it comes back there, sooner at higher levels.
  class GM5GarmoDoors {
  public:
    static constexpr int32_t kDoorCount = 3;
    static constexpr int32_t kFloorRect = 3;
    // What TestBall answers, in the node's states.
    static constexpr int32_t kGoal = 9;
    static constexpr int32_t kFloor = 8;
    static constexpr int32_t kNothing = 6;
    // Phases after a goal or a move.
    static constexpr int32_t kShown = 0;
    static constexpr int32_t kOpening = 1;
    static constexpr int32_t kClosing = 2;
    static constexpr int32_t kWaiting = 3;
    // Door sprite animations.
    static constexpr uint32_t kDoorClosing = 0;
    static constexpr uint32_t kDoorOpening = 1;
    static constexpr uint32_t kDoorOpen = 2;

    struct Looks {
      int32_t some;
      int32_t many;
      int32_t returnDelay;
    };
    // Of levels 1 to 20; a level outside them reads its nearest.
    static Looks LooksFor(int32_t level);

    GM5GarmoDoors();
    virtual ~GM5GarmoDoors() = default;

    void ShowDoors();
    void PlaySharkAnimation();
    bool IsSharkShowing() const;
    int32_t FindRect(Qel::Point2 point) const;
    int32_t TestBall(Qel::Point2 point);
    void OnGoal();
    // True when the shark leaves its door for another.
    bool UpdateMoveTimer();
    bool OnSharkLooped(int32_t level);
    void OnDoorAnimationEnded(int32_t index, int32_t level);
    void UpdateReturn(int32_t level);
    void ShowSharkAtDoor(int32_t level);
    void OpenDoor(int32_t index);
    void CloseDoor(int32_t index);
    // A door other than the current one; a draw that scales past the last door is drawn again.
    void DrawNewDoor();
    int32_t NextMoveTime() const;

    Ambient* m_shark = nullptr;
    int32_t m_door = 1;
    int32_t m_prevDoor = 0;
    int32_t m_moveAt = -1;
    std::array<TzRect, 4> m_rects;
    int32_t m_sharkAnim = 0;
    int32_t m_goals = 0;
    std::array<Ambient*, kDoorCount> m_doorSprites{};
    int32_t m_phase = kShown;
    int32_t m_returnAt = -1;
  };

  // The player's fish: it swims along an arc at the bottom of the room under the pointer, bobs, turns
  // the way it moves, and holds, throws, catches and bounces the ball with the upper half of its
  // circle.
  class GM5Actor {
  public:
    static constexpr int32_t kFacingRight = 1;
    static constexpr int32_t kFacingLeft = 2;
    // Steps the fish ignores the ball for after a bounce.
    static constexpr int32_t kBounceCooldown = 14;

    // The mouse position and the bob's start are taken now.
    GM5Actor();
    virtual ~GM5Actor() = default;

    void SetAnimation(int32_t id);
    void StartThrow();
    void PlayCatch();
    void PlayBounce();
    void Hurry();
    // At each loop of the fish's animation; true when it was throwing. The first reads the display's
    // mouse.
    bool UpdateAnimation();
    bool UpdateAnimation(Qel::Point2 mouse);
    void Bob();
    void SyncSprite();
    Qel::Point2 GetHandPoint() const;
    bool TouchesPoint(Qel::Point2 point) const;
    bool TryCatch(Qel::Point2 point);
    // The new heading, or -1; a bounce keeps its contact angle (out of the circle) in m_contactAngle.
    int32_t Bounce(int32_t heading, Qel::Point2 point);

    SpriteObject* m_sprite = nullptr;
    Qel::Point2 m_spriteOffset;
    CircularMotionPath m_arc;
    TzDeflectingSphere m_circle;
    bool m_ballHeld = false;
    bool m_buttonHeld = false;
    int32_t m_bounceCooldown = 0;
    Qel::Point2 m_lastMouse;
    int32_t m_movement = 0;
    int32_t m_facing = kFacingLeft;
    int32_t m_pose = 0;
    float m_bob = 0.0f;
    float m_bobStep = 1.0f;
    int32_t m_nextBobAt = 0;
    float m_bobApplied = 0.0f;
    int32_t m_contactAngle = 0;
  };

  // A jellyfish drifting left and right along its row between limits of its own; the ball bounces
  // off it for points.
  class GM5JellyFish {
  public:
    static constexpr int32_t kSlotCount = 6;
    static constexpr int32_t kPoints = 10;

    struct Row {
      int32_t y;
      int32_t depth;
      int32_t leftBase;
      int32_t rightBase;
      const char* sprite;
      float radius;
    };
    static const Row& RowOf(int32_t slot);
    // Pixels per game step: the base and up to the spread more.
    struct Speed {
      float base;
      float spread;
    };
    static Speed SpeedFor(int32_t level);

    // Heads left or right at even chance.
    GM5JellyFish();
    virtual ~GM5JellyFish();

    // Takes a row not yet taken this level (marking it), makes the sprite "gm5JellyfishTYR<index>" and
    // adds it to the node. Throws as Ambient does when the row's sprite is missing.
    void SetUp(GameNode& node, int32_t index, int32_t level, std::array<bool, kSlotCount>& taken);
    // Takes the sprite out of the node and deletes it.
    void Clear(GameNode& node);
    void Update(int32_t level);
    // True once each time the point comes into the circle.
    bool TestHit(Qel::Point2 point);
    // The ball, coming from the point before its step, turns off the circle; the sprite shows the hit.
    int32_t Deflect(int32_t heading, int32_t fromX, int32_t fromY);

    std::unique_ptr<Ambient> m_sprite;
    int32_t m_points = kPoints;
    bool m_armed = false;
    TzDeflectingSphere m_circle;
    LimitingAngledMotionPath m_path;
    int32_t m_slot = -1;
  };

  // One row of the level table.
  struct LevelRow {
    int32_t chances;
    int32_t goals;
    int32_t aimTime;
    int32_t jellyfish;
  };
  static LevelRow LevelFor(int32_t level);
  // The game's states.
  enum State : int32_t {
    kIntro = 0,
    kLevelStart = 2,
    kBallLoaded = 3,
    kFishAtBall = 4,
    kAiming = 5,
    kInFlight = 6,
    kCaught = 7,
    kMissed = 8,
    kGoal = 9,
    kBonus = 10,
    kLevelWon = 11,
  };
  // The spoken line or sound a draw of rand() picks.
  static int32_t EncourageLineFor(int32_t draw);
  static int32_t ChanceLostLineFor(int32_t draw);
  static int32_t LastChanceLineFor(int32_t draw);
  static const char* GrowlFor(int32_t draw);
  static const char* CreakFor(int32_t draw);

  Game5Node();
  ~Game5Node() override;

  void Activate() override;
  void Deactivate() override;
  void Update() override;
  void OnLeftButtonDown(const InputEventInfo& input) override;
  void OnLeftButtonUp(const InputEventInfo& input) override;
  void OnChar(uint16_t code) override;
  void OnSoundFinished(GameSound* sound) override;
  void Resume(void* data) override;
  void OnObjectClicked(GenericObject* object) override;
  void OnAnimationLooped(GenericObject* object) override;
  void OnAnimationEnded(GenericObject* object) override;
  void OnSpeechEvent(int id, void* data) override;

  void SetLevel(int32_t level);
  void ResetBall(int32_t state);
  void LoseChance();
  void StartGame();
  void Throw();
  bool StepIsDue();
  void PlayEffect(const char* name);
  void PlayGrowl();
  void PlayCreak();
  void PlayEncourageLine();
  void PlayChanceLostLine();
  void PlayLastChanceLine();
  void StopSounds();
  void ShowScore();
  void ShowLevel();
  void ShowChances();
  void ShowGoalsLeft();
  void UpdateLevelArrows();
  void ClearJellyfish();
  void UpdateBallDepth();

  int32_t GetState() const { return m_state; }
  int32_t GetLevel() const { return m_level; }
  int32_t GetScore() const { return m_score; }
  int32_t GetChances() const { return m_chances; }
  int32_t GetGoalsNeeded() const { return m_goalsNeeded; }
  int32_t GetJellyCount() const { return m_jellyCount; }
  int32_t GetAimDeadline() const { return m_aimDeadline; }
  int32_t GetAimWarning() const { return m_aimWarning; }
  bool IsLevelWon() const { return m_levelWon; }
  bool AreArrowsEnabled() const { return m_arrowsEnabled; }
  bool IsFmvPending() const { return m_fmvPending; }
  int32_t GetIntroPhase() const { return m_introPhase; }
  GameSound* GetEffectSound() const { return m_effectSound; }
  CCSound* GetEncourageLine() const { return m_encourageLine; }
  CCSound* GetChanceLine() const { return m_chanceLine; }
  GM5Actor& GetPlayer() { return m_player; }
  GM5Ball& GetBall() { return m_ball; }
  Gm5Room& GetRoom() { return m_room; }
  GM5GarmoDoors& GetDoors() { return m_doors; }
  GM5JellyFish& GetJellyfish(int32_t i) { return m_jellyfish[static_cast<size_t>(i)]; }
  // The objects the node made, by their names' meaning.
  Ambient* GetPipe() const { return m_pipe; }
  Ambient* GetChanceIcon(int32_t i) const { return m_chanceIcons[static_cast<size_t>(i)]; }
  Ambient* GetScoreDigit(int32_t i) const { return m_scoreDigits[static_cast<size_t>(i)]; }
  Ambient* GetLevelDigit(int32_t i) const { return m_levelDigits[static_cast<size_t>(i)]; }
  Ambient* GetGoalsIcon() const { return m_goalsIcon; }
  ActiveGameButton* GetBackArrow() const { return m_arrowBack; }
  ActiveGameButton* GetForwardArrow() const { return m_arrowForward; }
  GameButton* GetExitArrow() const { return m_exitArrow; }
  GameButton* GetHelpButton() const { return m_helpButton; }
  SpriteObject* GetZelka() const { return m_zelka; }

private:
  // Makes an object of the node, placed and added.
  template <typename T, typename... Args>
  T* Create(float x, float y, int32_t z, Args&&... args);
  void RemoveCreated();
  void RestartMusic();
  // The shark shows at the middle door as the introduction ends.
  void ShowSharkForStart();
  void LevelArrowClicked(int32_t level);
  void RaiseHighScore();
  void BounceOffFish();
  bool BounceOffJellyfish(Qel::Point2 point);

  GameSound* m_effectSound = nullptr;
  GameSound* m_growlSound = nullptr;
  GameSound* m_creakSound = nullptr;
  GameSound* m_wallSound1 = nullptr;
  GameSound* m_wallSound2 = nullptr;
  CCSound* m_encourageLine = nullptr;
  CCSound* m_chanceLine = nullptr;
  int32_t m_state = kLevelStart;
  int32_t m_aimDeadline = -1;
  int32_t m_aimWarning = -1;
  GM5Actor m_player;
  GM5Ball m_ball;
  Gm5Room m_room;
  GM5GarmoDoors m_doors;
  std::array<GM5JellyFish, GM5JellyFish::kSlotCount> m_jellyfish;
  int32_t m_jellyCount = 0;
  int32_t m_chances = 0;
  int32_t m_goalsNeeded = 0;
  int32_t m_level = 1;
  bool m_levelWon = false;
  int32_t m_score = 0;
  int32_t m_bonusTicks = 0;
  bool m_arrowsEnabled = true;
  int32_t m_arrowsReenableAt = -1;
  bool m_fmvPending = false;
  int32_t m_introPhase = 1;
  int32_t m_lastStepTime = -1;
  Qel::Point2 m_pipeMouth;

  std::vector<std::unique_ptr<GenericObject>> m_created;
  Ambient* m_pipe = nullptr;
  SpriteObject* m_fishSprite = nullptr;
  std::array<Ambient*, 3> m_chanceIcons{};
  std::array<Ambient*, 5> m_scoreDigits{};
  std::array<Ambient*, 2> m_levelDigits{};
  Ambient* m_goalsIcon = nullptr;
  ActiveGameButton* m_arrowBack = nullptr;
  ActiveGameButton* m_arrowForward = nullptr;
  GameButton* m_exitArrow = nullptr;
  GameButton* m_helpButton = nullptr;
  LevelBanner* m_banner = nullptr;
  SpriteObject* m_zelka = nullptr;
};
