// The process-wide adapter profile and counters.
#include "platform/d3d8/AdapterProfile.h"

namespace plat::d3d8 {

namespace {
AdapterProfile gProfile;
AdapterCounters gCounters;
}  // namespace

AdapterProfile& GetAdapterProfile() {
  return gProfile;
}

void ResetAdapterProfile() {
  gProfile = AdapterProfile{};
}

const AdapterCounters& GetAdapterCounters() {
  return gCounters;
}

AdapterCounters& MutableAdapterCounters() {
  return gCounters;
}

}  // namespace plat::d3d8
