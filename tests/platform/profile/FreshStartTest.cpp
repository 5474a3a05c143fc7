// Every test of the profile suite starts as it would in a process of its own.
#include "support/FreshStart.h"

namespace {
const bool gRegistered = test::FreshStart::Register();
}
