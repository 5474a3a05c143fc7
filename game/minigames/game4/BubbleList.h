// The two rows of progress bubbles: the demonstration row (0 to 9) fills before the school shows a
// sequence, and the copy row (10 to 19, each under its partner) records the player's presses.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/StepList.h"
#include "game4/Bubble.h"
#include "game4/Game4Node.h"

// Owns its bubbles.
class Game4Node::BubbleList {
public:
  static constexpr int32_t kRowLength = 10;
  static constexpr uint32_t kMaxBubbles = 2 * kRowLength;
  static constexpr int32_t kFilling = 2;
  static constexpr int32_t kReady = 3;

  // A step count of 0 fills the demonstration row at once; s fills one bubble every s-th ready step.
  explicit BubbleList(int32_t stepCount);
  virtual ~BubbleList();
  BubbleList(const BubbleList&) = delete;
  BubbleList& operator=(const BubbleList&) = delete;

  // Both rows back to idle; the demonstration row will fill up to target bubbles.
  virtual void Reset(int32_t target);
  // Asked every frame of the demonstration: true once the row has filled (and from then on).
  virtual bool ReadyStep();
  // The copy bubble under the cursor is blown for a press that scored, popped for one worth nothing;
  // the cursor moves on.
  virtual void MarkPress(bool scored);

  // Null outside the list.
  Bubble* At(int32_t i);
  Bubble* Current() { return m_bubbles.Current(); }
  void SetCurrentIndex(uint32_t i) { m_bubbles.SetCurrentIndex(i); }
  // Up to kMaxBubbles; more are refused (and deleted).
  void Add(std::unique_ptr<Bubble> bubble);
  uint32_t Count() const { return m_bubbles.Count(); }
  // Deletes every bubble.
  void RemoveAll();
  void SetStepCount(int32_t stepCount) { m_stepCount = stepCount; }

  int32_t GetMode() const { return m_mode; }
  int32_t GetCursor() const { return m_cursor; }
  int32_t GetTarget() const { return m_target; }
  int32_t GetStepCount() const { return m_stepCount; }

private:
  void FinishFilling();

  StepList<Bubble*, 1> m_bubbles;
  std::vector<std::unique_ptr<Bubble>> m_owned;
  int32_t m_mode = kFilling;
  int32_t m_cursor = 0;
  int32_t m_target = 0;
  int32_t m_stepCount;
  int32_t m_stepCounter = 0;
};
