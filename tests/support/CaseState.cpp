// What the engine and the game keep for the whole process, put back between test cases.
#include "support/CaseState.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace test {

namespace {

struct Reset {
  CaseLayer layer;
  std::function<void()> run;
};

std::vector<Reset>& Resets() {
  static std::vector<Reset> resets;
  return resets;
}

}  // namespace

bool ResetAfterEachCase(CaseLayer layer, std::function<void()> reset) {
  Resets().push_back({layer, std::move(reset)});
  // Files register in the order the linker met them; the order of the layers is what matters.
  std::stable_sort(Resets().begin(), Resets().end(),
                   [](const Reset& a, const Reset& b) { return a.layer < b.layer; });
  return true;
}

void ResetCaseState() {
  for (const Reset& reset : Resets()) reset.run();
}

}  // namespace test
