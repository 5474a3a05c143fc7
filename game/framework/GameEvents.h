// The event kinds the game framework posts and listens to.
#pragma once

inline constexpr int kEventInput = -1;
inline constexpr int kEventSound = 4;
inline constexpr int kEventAppState = 100;
inline constexpr int kEventGameObject = 101;
inline constexpr int kEventCharacter = 102;

// Ids of the game-object and timer events (kind kEventGameObject); the data is the object or timer.
inline constexpr int kEventObjectClicked = 10100;
inline constexpr int kEventObjectArrived = 10101;
inline constexpr int kEventAnimationEnded = 10102;
inline constexpr int kEventAnimationLooped = 10103;
inline constexpr int kEventTimerExpired = 10104;
