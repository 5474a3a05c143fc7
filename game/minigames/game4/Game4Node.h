// The shape-and-rhythm game: a school of moonfish shows shapes in time with a metronome and the
// player copies them on five shape buttons.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/NodeId.h"
#include "frontend/ProgressNode.h"

class Clickable;
class GameSound;
class LevelBanner;
class MultiTimer;
class NumericDisplay;
class SpriteObject;

// A level is up to five sequences; a guide in three places (beside the school, beside the player's
// shapes, over the shapes) reacts to every step. The pieces the level drives are nested classes
// with files of their own beside this one. Progress lives in entry 10 of the player's record: the
// game value is the level last played, the level flags the prizes of levels 1 to 5.
class Game4Node : public ProgressNode {
public:
  class Shape;
  class ShapeList;
  class Moonfish;
  class Bubble;
  class BubbleList;
  class TimingMark;
  class TimingMarkList;
  class Sequence;
  class SequenceList;
  class Level;

  // What the level tells the node, and asks of it.
  class LevelListener {
  public:
    virtual ~LevelListener() = default;
    // The demonstration of the current sequence is over.
    virtual void OnPlayersTurn() = 0;
    // A sequence ended without completing the level.
    virtual void OnSequenceResult(bool correct, bool timedOut) = 0;
    // The last sequence of the level was copied.
    virtual void OnLevelComplete() = 0;
    // Game-clock time of the press that began the copy.
    virtual uint32_t GetPressTime() const = 0;
  };

  static constexpr int32_t kNodeId = kNodeGame4;
  static constexpr int32_t kHubNodeId = 6;
  static constexpr int32_t kLastLevel = 20;
  // The level after the last one that has a prize.
  static constexpr int32_t kMovieLevel = 6;

  Game4Node();
  ~Game4Node() override;

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
  void OnAnimationLooped(GenericObject* object) override;
  void OnAnimationEnded(GenericObject* object) override;
  void OnSpeechEvent(int id, void* data) override;

  int32_t GetState() const { return m_state; }
  int32_t GetGuidePose() const { return m_guidePose; }
  Level* GetLevel() const { return m_level.get(); }
  NumericDisplay* GetScoreDisplay() const { return m_scoreDisplay.get(); }
  NumericDisplay* GetLevelDisplay() const { return m_levelDisplay.get(); }
  MultiTimer* GetMetronome() const { return m_metronome.get(); }
  bool IsSpeechDone() const { return m_speechDone; }
  bool IsSequenceSoundDone() const { return m_sequenceSoundDone; }

private:
  class Callbacks;

  void SetState(int32_t state);
  bool IsLeaving() const { return m_state >= 3 && m_state <= 5; }
  void SetGuidePose(int32_t pose);
  void ShowGuideBody(SpriteObject* body);
  int32_t DisplayedLevel() const;
  int32_t HighestLevel() const;
  void StartMetronome(int32_t level);
  void StopMetronome();
  void WriteProgress();
  void ShowBanner();
  void EnableShapes(bool enabled);
  void SetCheckBoxesEmpty();
  // The index of the enabled shape under the point, or -1.
  int32_t ShapeAt(int32_t x, int32_t y) const;
  void Queue(uint32_t speaker, const char* line);
  // The step that follows the level's last spoken line; run once per completed level.
  void FinishLevel();
  void OnSpeechStopped();
  void OnCharacterMoveEnded(SpriteObject* body);
  void OnExitClicked();
  void OnLevelButtonClicked(Clickable* button);
  // A random line index below count * 10 / 10 that differs from the last one of its group.
  static int32_t DrawLine(int32_t range, int32_t& last);

  // The level's side of the node.
  void OnPlayersTurn();
  void OnSequenceResult(bool correct, bool timedOut);
  void OnLevelComplete();

  GameSound* m_metronomeSound = nullptr;
  std::unique_ptr<MultiTimer> m_metronome;
  uint32_t m_pressTime = 0;
  std::unique_ptr<Callbacks> m_callbacks;
  std::unique_ptr<Level> m_level;
  bool m_movieShown = false;
  std::unique_ptr<NumericDisplay> m_scoreDisplay;
  std::unique_ptr<NumericDisplay> m_levelDisplay;
  Clickable* m_levelDownButton = nullptr;
  Clickable* m_levelUpButton = nullptr;
  SpriteObject* m_guideMoonfishBody = nullptr;
  SpriteObject* m_guideUserBody = nullptr;
  SpriteObject* m_guideShapesBody = nullptr;
  int32_t m_guidePose = 0;
  int32_t m_lastGoodLine = 0;
  int32_t m_lastWrongLine = 0;
  int32_t m_lastSlowLine = 0;
  int32_t m_state = 0;
  LevelBanner* m_banner = nullptr;
  bool m_speechDone = false;
  bool m_sequenceSoundDone = false;
  bool m_shapePressed = false;
  int32_t m_pressX = 0;
  int32_t m_pressY = 0;
  // A movie this node started is playing: its end resumes the level.
  bool m_ownMoviePlaying = false;
  // The completed level's step has run (it may run early when the player leaves).
  bool m_levelFinished = false;
  const char* m_objectFile = "Game4";
};
