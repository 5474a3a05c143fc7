// The event kinds the game framework posts and listens to.
#pragma once

inline constexpr int kEventInput = -1;
inline constexpr int kEventSound = 4;
inline constexpr int kEventAppState = 100;
inline constexpr int kEventGameObject = 101;
inline constexpr int kEventCharacter = 102;

// Ids of the application-state events (kind kEventAppState), whose data is the movie's name, a
// NUL-terminated text valid only while the event is delivered, and of the character events.
namespace EventId {
enum : int {
  // A movie starts: the game pauses.
  Pause = 10200,
  // The movie is over: the game goes on.
  Resume = 10201,
  // Kind kEventCharacter, with the body object as data: a character's move animation ended or
  // looped.
  CharacterMoveEnded = 1001,
  CharacterMoveLooped = 1002,
  // Kind kEventCharacter, no data: a room's speech queue stopped, its lines done or cut short.
  SpeechStopped = 1003,
};
}  // namespace EventId

// Ids of the game-object and timer events (kind kEventGameObject); the data is the object or timer.
inline constexpr int kEventObjectClicked = 10100;
inline constexpr int kEventObjectArrived = 10101;
inline constexpr int kEventAnimationEnded = 10102;
inline constexpr int kEventAnimationLooped = 10103;
inline constexpr int kEventTimerExpired = 10104;
