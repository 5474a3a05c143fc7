// A sequence: one pattern of timing marks that the school shows and the player copies, with the
// bubble rows that follow it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "game4/Game4Node.h"
#include "game4/TimingMarkList.h"

// The working list is the one that plays: a fresh copy of the loaded marks for every try, so its
// cursor (the next mark to press) starts on the first mark. While PollAll walks the marks, the cursor
// is the mark whose timer fired, so the level reads it as the current mark.
class Game4Node::Sequence {
public:
  // The bubble list is the level's; it may be given later through EnsureBubbleList.
  Sequence(const char* name, BubbleList* bubbles);
  virtual ~Sequence();
  Sequence(const Sequence&) = delete;
  Sequence& operator=(const Sequence&) = delete;

  // For n presses: the bubbles reset to fill n, the working list afresh on its first mark.
  virtual void Prepare(int32_t n);
  // The demonstration row's fill: true once it is in place.
  virtual bool IsReady();
  // Makes a bubble list of that step count when the sequence has none; answers it.
  virtual BubbleList* EnsureBubbleList(int32_t stepCount);
  // Reads the timing file named like the sequence; false when it is missing.
  virtual bool Load();
  // The press is scored against the next mark to press: a press that scored blows its copy bubble,
  // one worth nothing pops it and plays the bad sound of the mark then current.
  virtual int32_t Score(int64_t t, int32_t shape);
  virtual TimingMark* CurrentMark();
  virtual TimingMark* NextMark();
  virtual void SetCurrentMarkIndex(uint32_t i);
  virtual uint32_t GetCurrentMarkIndex() const;
  virtual uint32_t GetMarkCount() const;
  // For every mark in order a shape drawn by the school; the cursor back on the first mark.
  virtual void AssignShapes(Moonfish& school);
  virtual void ArmAll();
  virtual void PollAll(uint32_t now);
  // Presses the player owes: demonstration bubbles shown whose copy bubble was not blown.
  virtual int32_t CountMissed();

  // Mark i of the working list without moving the cursor.
  TimingMark* PeekMark(uint32_t i) { return m_working->Peek(i); }
  TimingMarkList& GetLoadedMarks() { return m_loaded; }
  TimingMarkList& GetWorkingMarks() { return *m_working; }
  const std::string& GetName() const { return m_name; }
  int32_t GetExpectedPresses() const { return m_expectedPresses; }
  BubbleList* GetBubbleList() const { return m_bubbles; }
  void SetBubbleList(BubbleList* bubbles) { m_bubbles = bubbles; }

private:
  // Runs the step for every mark with the cursor on it; a step that moves the cursor on skips the
  // mark after it in this walk. The cursor is back where it was afterwards.
  template <typename Step>
  void Walk(Step step);

  std::string m_name;
  int32_t m_expectedPresses = 0;
  BubbleList* m_bubbles;
  std::unique_ptr<BubbleList> m_ownBubbles;
  std::unique_ptr<TimingMarkList> m_working;
  TimingMarkList m_loaded;
};
