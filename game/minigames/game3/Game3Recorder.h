// The music game's recorder: the player's input for up to two minutes, with snapshots of the state
// that input alone does not bring back, replayed by posting the same events at the same times; and
// the bar of segments that shows how far a recording or a replay has come.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "core/IEventListener.h"
#include "core/Periodical.h"
#include "framework/IMultiTimer.h"
#include "framework/MultiTimer.h"
#include "framework/StepList.h"
#include "game3/Game3Node.h"

class GenericObject;

// The list's elements are its own: it deletes them when a recording starts and when it goes.
// Times are the game clock's, which stands while a screen is open over the game, so neither the help
// screen nor a movie counts in a recording or on its bar.
class Game3Node::InputTraceList : public StepList<Game3Node::_InputTrace*, 1>,
                                  public Qel::IEventListener,
                                  public Qel::Periodical,
                                  public IMultiTimer {
public:
  enum State : int32_t { kRecording = 1, kReplaying = 2, kIdle = 3 };
  static constexpr uint32_t kLongestRecording = 120000;

  // Listens to input from here on.
  explicit InputTraceList(Game3Node& node);
  // Ends a recording or a replay, and leaves the input listeners and the per-frame list.
  ~InputTraceList() override;
  InputTraceList(const InputTraceList&) = delete;
  InputTraceList& operator=(const InputTraceList&) = delete;

  virtual void StartRecording(const TraceState& state);
  virtual void RecordState(const TraceState& state);
  virtual bool IsRecording() const { return m_state == kRecording; }
  virtual void Stop();
  virtual bool IsIdle() const { return m_state == kIdle; }
  // Only with something recorded.
  virtual void StartReplay();
  virtual bool IsReplaying() const { return m_state == kReplaying; }

  // The help screen's pause: set once, and on its end the start moves on by the time it lasted.
  void PauseClock(uint32_t now);
  void ResumeClock(uint32_t now);

  void HandleEvent(int kind, int id, void* data) override;
  int Update() override;
  void OnMark(MultiTimer* timer) override;
  using Qel::Periodical::OnStart;
  using Qel::Periodical::OnStop;
  void OnStart(MultiTimer*) override {}
  void OnStop(MultiTimer*) override {}

  int32_t GetState() const { return m_state; }
  uint32_t GetStartTime() const { return m_startTime; }
  MultiTimer& GetMainTimer() const { return *m_main; }
  MultiTimer& GetStatesTimer() const { return *m_states; }
  const std::vector<TraceState>& GetStates() const { return m_stateList; }

private:
  void MakeTimers();
  void DeleteEvents();
  // A mark for a time since the start: never at 0 and never on the one before, since a timer of 0
  // keeps its previous duration.
  static void AddMark(MultiTimer& timer, uint32_t elapsed);

  Game3Node& m_node;
  int32_t m_state = kIdle;
  uint32_t m_reserved = 0;
  uint32_t m_startTime = 0;
  std::optional<uint32_t> m_pauseStart;
  bool m_oneMoreEvent = false;
  std::unique_ptr<MultiTimer> m_main;
  std::unique_ptr<MultiTimer> m_states;
  std::vector<TraceState> m_stateList;
  char m_mainName[32] = {};
  char m_statesName[32] = {};
};

class Game3Node::RecordMeter {
public:
  enum Form : int32_t { kRecordBar = 0, kReplayBar = 1 };
  static constexpr uint32_t kSegmentMs = 2000;

  // Finds the segments of both bars ("rec_fill_00" ... and "rec_fill2_00" ... up to the first
  // missing) and hides them.
  explicit RecordMeter(Game3Node& node);

  // Active: the first (now - start) / 2000 segments of the form's bar shown, the rest hidden;
  // inactive: every segment hidden.
  void Update(uint32_t now);
  void Start(Form form, uint32_t now);
  void SetForm(Form form) { m_form = form; }
  void SetActive(bool active) { m_active = active; }
  void PauseClock(uint32_t now);
  void ResumeClock(uint32_t now);

  int32_t GetForm() const { return m_form; }
  bool IsActive() const { return m_active; }
  uint32_t GetStartTime() const { return m_startTime; }
  const std::vector<GenericObject*>& GetSegments(Form form) const {
    return form == kRecordBar ? m_recordSegments : m_replaySegments;
  }

private:
  int32_t m_form = kRecordBar;
  std::vector<GenericObject*> m_recordSegments;
  std::vector<GenericObject*> m_replaySegments;
  uint32_t m_startTime = 0;
  std::optional<uint32_t> m_pauseStart;
  bool m_active = false;
};
