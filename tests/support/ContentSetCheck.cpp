// The suites that play the generated content set stop before their first case, with one line that
// says how to make it, when the set is not there: each of their cases would otherwise fail on its own
// or run on without its game.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

class ContentSetPresent : public testing::Environment {
public:
  void SetUp() override {
    const std::filesystem::path dir = QEL_CONTENT_DIR;
    std::error_code ignored;
    // Every set the generator writes has its manifest.
    if (std::filesystem::exists(dir / "manifest.json", ignored)) return;
    std::fprintf(stderr, "no generated content set at %s: make it with `%s` (or `%s`)\n", QEL_CONTENT_DIR,
                 QEL_CONTENT_CTEST, QEL_CONTENT_COMMAND);
    std::fflush(stderr);
    std::_Exit(1);
  }
};

[[maybe_unused]] testing::Environment* const kCheck =
    testing::AddGlobalTestEnvironment(new ContentSetPresent);

}  // namespace
