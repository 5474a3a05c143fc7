// The record of an input event: the key or character code, or the mouse position and button.
#pragma once

#include <cstdint>
#include <string>

#include "core/Point2.h"

// Ids of the input events (kind kEventInput).
namespace EventId {
enum : int {
  KeyDown = 2,
  KeyUp = 3,
  Char = 4,
  MouseDown = 6,
  MouseUp = 7,
  MouseDoubleClick = 8,
};
}  // namespace EventId

// Built on the poster's stack: valid only while the event is being delivered.
struct InputEventInfo {
  // Keys and characters.
  uint16_t code = 0;
  std::u16string text;  // always empty
  uint8_t flags[2] = {0, 0};
  // Mouse buttons: client pixels, and 1 left or 2 right.
  Qel::Point2 position;
  uint16_t button = 0;
};
