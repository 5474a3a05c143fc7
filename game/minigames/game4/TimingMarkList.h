// A sequence's list of timing marks, read from its timing file: "strong" or "weak" = the mark's time
// in milliseconds, one mark per line in file order.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/IHasLoadableTxtData.h"
#include "framework/StepList.h"
#include "game4/Game4Node.h"
#include "game4/TimingMark.h"

class Game4Node::TimingMarkList : public StepList<std::shared_ptr<Game4Node::TimingMark>, 1>,
                                  public IHasLoadableTxtData {
public:
  TimingMarkList() = default;
  TimingMarkList(const TimingMarkList&) = delete;
  TimingMarkList& operator=(const TimingMarkList&) = delete;

  void SetTxtValue(const char* key, const char* value) override;

  // The marks of the other list, shared; the cursor on the first. The other list's cursor stays.
  void CopyFrom(TimingMarkList& other);
  // The current mark's score, then the cursor moves to the next mark.
  int32_t ScorePress(int64_t t, int32_t shape);

  // Read without moving the cursor; null outside the list.
  TimingMark* Peek(uint32_t i);
};
