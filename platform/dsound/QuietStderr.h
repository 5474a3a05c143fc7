// Keeps the process's standard error quiet for a moment: what is written to it meanwhile is dropped.
#pragma once

namespace plat::dsound {

// Points file descriptor 2 at /dev/null for the object's lifetime and then back where it pointed.
// Audio libraries that SDL loads print their own complaints there (libasound's "ALSA lib ..." lines
// while it looks for a card that is not there), which no handler of ours can reach for every driver.
// Standard error is the whole process's: text that another thread writes meanwhile is dropped too, so
// the scope is kept to the probe. When descriptor 2 cannot be saved or /dev/null cannot be opened,
// nothing is changed.
class QuietStderr {
public:
  QuietStderr();
  ~QuietStderr();
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

private:
  int m_saved = -1;
};

}  // namespace plat::dsound
