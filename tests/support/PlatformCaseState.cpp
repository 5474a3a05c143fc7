// The platform's process-wide state put back after each case: the time source, the random
// generator, the thread's message queue, the screen saver's switch, the cursor's display count and SDL
// itself.
#include "platform/win/kernel/Random.h"
#include "platform/win/kernel/Timer.h"
#include "platform/win/user/Cursor.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/SystemParameters.h"
#include "platform/win/user/Window.h"
#include "support/CaseState.h"

namespace {

[[maybe_unused]] const bool kRegistered = test::ResetAfterEachCase(test::CaseLayer::kPlatform, [] {
  plat::win::SetTimeSourceForTesting(nullptr);
  plat::win::srand(1);
  plat::win::ResetMessageQueueForTesting();
  plat::win::SystemParametersInfoA(plat::win::SPI_SETSCREENSAVEACTIVE, plat::win::TRUE, nullptr, 0);
  // Shown once, as a program starts with it.
  int shown = plat::win::ShowCursor(plat::win::TRUE);
  while (shown > 0) shown = plat::win::ShowCursor(plat::win::FALSE);
  while (shown < 0) shown = plat::win::ShowCursor(plat::win::TRUE);
  // Video and sound start on demand, under the environment of the case that starts them.
  plat::win::QuitSDLForTesting();
});

}  // namespace
