// What the engine and the game keep for the whole process, put back between test cases: each layer's
// scaffolding names its resets here, and the test main runs them at the end of every case.
#pragma once

#include <functional>

namespace test {

// The resets run in this order: higher layers first, since shutting down what they hold uses the
// layers below; the tests' own logs last, since every shut-down may still write to them.
enum class CaseLayer { kGame, kEngine, kPlatform, kLogs };

// Adds a reset that runs after every case; returns true so that a file may name its resets in the
// initialiser of a variable.
bool ResetAfterEachCase(CaseLayer layer, std::function<void()> reset);

// Runs the resets in the order of their layers; the test main calls it once the case's fixture is gone.
void ResetCaseState();

}  // namespace test
