// The content tables' small helpers.
#include "fixture-content/ContentSpec.h"

namespace fixture {

const char* LocaleFolder(Locale locale) {
  return locale == Locale::kEngUsa ? "eng_usa" : "universal";
}

const char* EndModeName(EndMode mode) {
  switch (mode) {
    case EndMode::kStop:
      return "stop";
    case EndMode::kHold:
      return "hold";
    case EndMode::kChain:
      return "chain";
    case EndMode::kLoop:
      break;
  }
  return "loop";
}

AnimationSpec Loop(int16_t frames) {
  return {frames, EndMode::kLoop, 0};
}
AnimationSpec Hold(int16_t frames) {
  return {frames, EndMode::kHold, 0};
}
AnimationSpec Stop(int16_t frames) {
  return {frames, EndMode::kStop, 0};
}
AnimationSpec Chain(int16_t next, int16_t frames) {
  return {frames, EndMode::kChain, next};
}

std::vector<AnimationSpec> Repeat(int count, AnimationSpec animation) {
  return std::vector<AnimationSpec>(static_cast<size_t>(count), animation);
}

}  // namespace fixture
