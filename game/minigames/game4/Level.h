// The shape game's rules: the global and level text data, the sequences of a level with their
// difficulty, the demonstration and the copy against the clock, the score of every press and the
// judgement of each sequence.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "core/IEventListener.h"
#include "framework/GameTimer.h"
#include "framework/IHasLoadableTxtData.h"
#include "framework/IMultiTimer.h"
#include "game4/Game4Node.h"

class GameNode;
class GameSound;
class VariantSound;

// Text data ("G4_globals" and "level%02d_"), keys without regard to case; a key read again replaces
// what it made before:
//   settings = count, bubble steps          easy_settings / hard_settings = window, sweet, shape
//   sequences = name …                      points, note points, bonus
//   metronome = sound file, marks           timing_mark_sound = four (file, variation) pairs
//   sequence_sound = file                   moonfish = (object, fish, good, bad) …, repeat limit, school
//   bubbles = prefix, unused, file, variation, count
//
// A level that cannot be played is refused with a thrown text naming the resource at fault (see
// LoadLevel), rather than left to hang or divide by zero.
class Game4Node::Level : public IHasLoadableTxtData, public Qel::IEventListener, public IMultiTimer {
public:
  static constexpr int kShapeCount = 5;
  static constexpr int kCheckBoxCount = 5;
  static constexpr int kMinMarks = 3;
  // Ten presses fill a row of bubbles.
  static constexpr int kMaxMarks = 12;
  static constexpr uint32_t kTimeout = 20000;
  static constexpr int kLevelCount = 20;

  enum Phase : int32_t { kWaiting = 0, kReady = 1, kDemonstrating = 2, kCopying = 3 };
  // The node states the level reacts to.
  static constexpr int32_t kStateDemonstration = 9;
  static constexpr int32_t kStateCopying = 12;

  // The indices of the easy and hard settings.
  enum Setting { kWindow = 0, kSweet, kShapePoints, kNotePoints, kBonus, kSettingCount };

  // Objects and sounds come from the node; the listener hears of the sequences' ends.
  Level(GameNode& node, LevelListener& listener);
  ~Level() override;
  Level(const Level&) = delete;
  Level& operator=(const Level&) = delete;

  void SetTxtValue(const char* key, const char* value) override;
  // Timer expiries (101/10104).
  void HandleEvent(int kind, int id, void* data) override;
  // Once per metronome beat: a ready demonstration begins.
  void OnMark(MultiTimer* timer) override;
  void OnStart(MultiTimer*) override {}
  void OnStop(MultiTimer*) override {}

  void LoadGlobals();
  // Reads "level%02d_" and its timing files and prepares the first sequence with new shapes. Throws
  // a text naming the resource when the level file or its sequences are missing, the sequence count
  // is below 1, there is no school of five shapes, a timing file is missing, holds fewer than 3 or
  // more than 12 marks or a strong mark second to last, or the metronome's cycle ends before its
  // last mark.
  void LoadLevel(int32_t n);
  // The next sequence after one copied completely, else the same one again.
  void StartSequence();
  void Update(int32_t nodeState);
  void OnShapePressed(int32_t i);
  // Scores a press of shape i; the node adds the points to its score.
  int32_t GetShapePoints(int32_t i);
  void OnShapeReleased(int32_t i);
  void OnSoundFinished(GameSound* sound);
  void Unload();

  // The setting for sequence k of the level's count, between its easy and its hard value.
  int32_t Interpolated(Setting setting, int32_t k) const;

  const char* GetMetronomeSoundFile() const { return m_metronomeFile.c_str(); }
  const char* GetMetronomeMarks() const { return m_metronomeMarks.c_str(); }
  int32_t GetPhase() const { return m_phase; }
  int32_t GetLevelIndex() const { return m_levelIndex; }
  int32_t GetSequenceIndex() const { return m_sequenceIndex; }
  int32_t GetSequenceCount() const { return m_sequenceCount; }
  int32_t GetPoints() const { return m_points; }
  int32_t GetPresses() const { return m_presses; }
  bool IsSuccessful() const { return m_success; }
  // Whether "sequenceSound" is there and playing.
  bool IsSequenceSoundPlaying() const;
  // Null before the level's data made them.
  SequenceList* GetSequences() const { return m_sequences.get(); }
  Sequence* GetCurrentSequence() const;
  Moonfish* GetSchool() const { return m_school.get(); }
  BubbleList* GetBubbles() const { return m_bubbles.get(); }
  GameTimer& GetTimeoutTimer() { return m_timeout; }

private:
  void ReadFile(const char* name);
  void ReadSettings(const char* value);
  void ReadDifficulty(const char* value, int side);
  void ReadSequences(const char* value);
  void ReadPointSounds(const char* value);
  void ReadSchool(const char* value);
  void ReadBubbles(const char* value);
  // Sequences named before the rows were made get them.
  void AttachBubbles();
  [[noreturn]] void RefuseValue(const char* key) const;
  void CheckPlayable(const char* levelName);
  void CheckMetronome();

  // Steps 3 to 6 of starting a sequence: from its first mark, prepared, new shapes when asked.
  void PrepareCurrent(bool newShapes);
  void OnTimerExpired(GameTimer* timer);
  int32_t MarkCount() const;
  void SetSchoolAnimation(uint32_t animation);
  void ShapesToNormal();
  void DisableShapes();
  void SetCheckBoxes(int32_t tickedUpTo);

  int32_t m_phase = kWaiting;
  std::string m_metronomeFile;
  std::string m_metronomeMarks;
  std::unique_ptr<SequenceList> m_sequences;
  int32_t m_levelIndex = 0;
  int32_t m_sequenceIndex = 0;
  int32_t m_sequenceCount = 0;
  // [setting][0 easy, 1 hard]
  std::array<std::array<int32_t, 2>, kSettingCount> m_settings{};
  std::array<std::unique_ptr<VariantSound>, 4> m_pointSounds;
  GameSound* m_sequenceSound = nullptr;
  int32_t m_bubbleSteps = 0;
  std::unique_ptr<BubbleList> m_bubbles;
  GameNode& m_node;
  LevelListener& m_listener;
  std::unique_ptr<Moonfish> m_school;
  int32_t m_points = 0;
  int32_t m_presses = 0;
  bool m_success = true;
  std::unique_ptr<VariantSound> m_popSound;
  std::unique_ptr<VariantSound> m_blowSound;
  GameTimer m_timeout{"timeoutTimer", kTimeout};
  // The resource being read, for the texts of refusals.
  std::string m_reading;
};
