// The event kinds the game framework posts and listens to.
#pragma once

inline constexpr int kEventInput = -1;
inline constexpr int kEventSound = 4;
inline constexpr int kEventAppState = 100;
inline constexpr int kEventGameObject = 101;
inline constexpr int kEventCharacter = 102;

// Ids of the application-state events (kind kEventAppState); their data is the movie's name, a
// NUL-terminated text valid only while the event is delivered.
namespace EventId {
enum : int {
  // A movie starts: the game pauses.
  Pause = 10200,
  // The movie is over: the game goes on.
  Resume = 10201,
};
}  // namespace EventId

// Ids of the game-object and timer events (kind kEventGameObject).
namespace EventId {
enum : int {
  TimerExpired = 10104,
};
}  // namespace EventId
