// The movie events: what a movie tells the rest of the program about its life.
#pragma once

#include <cstdint>
#include <string>

namespace Qel {

// The kind of every movie event; its data is a MovieEventInfo.
inline constexpr int kEventMovie = 5;

namespace EventId {
enum : int {
  MovieOpened = 0,
  MovieStarted = 1,
  // Stopped, or ended by itself after its last frame had its time.
  MovieStopped = 2,
  // A new frame was decoded; the info's frame number is that frame's.
  MovieNewFrame = 3,
};
}  // namespace EventId

// Built on the poster's stack: valid only while the event is delivered.
struct MovieEventInfo {
  std::string name;
  uint32_t frame = 0;
};

}  // namespace Qel
