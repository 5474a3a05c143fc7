// What the mixer knows of one buffer: its data, format, cursor and settings. Guarded by the mixer's lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/dsound/DSoundTypes.h"

namespace plat::dsound {

struct Voice {
  struct Notification {
    DWORD frame;  // the sample frame that holds the offset
    HANDLE event;
  };

  static constexpr size_t kIdle = static_cast<size_t>(-1);

  // Shared with duplicates.
  std::shared_ptr<std::vector<uint8_t>> data;
  WAVEFORMATEX format{};
  DWORD frames = 0;  // whole sample frames in the buffer
  bool playing = false;
  bool looping = false;
  // Cursor in sample frames, 32.32 fixed point, always below frames << 32.
  uint64_t position = 0;
  DWORD frequency = 0;
  LONG volume = 0;
  LONG pan = 0;
  std::vector<Notification> notifications;  // by frame
  size_t playingIndex = kIdle;              // the mixer's place for it while it plays
};

}  // namespace plat::dsound
