// Keeps the process's standard error quiet for a moment: what is written to it meanwhile is dropped.
#include "platform/dsound/QuietStderr.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace plat::dsound {

QuietStderr::QuietStderr() {
  // What is already written goes out first, where it was meant to.
  std::fflush(stderr);
  const int saved = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
  if (saved < 0) return;
  const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (null < 0 || dup2(null, STDERR_FILENO) < 0) {
    if (null >= 0) close(null);
    close(saved);
    return;
  }
  close(null);
  m_saved = saved;
}

QuietStderr::~QuietStderr() {
  if (m_saved < 0) return;
  std::fflush(stderr);
  dup2(m_saved, STDERR_FILENO);
  close(m_saved);
}

}  // namespace plat::dsound
