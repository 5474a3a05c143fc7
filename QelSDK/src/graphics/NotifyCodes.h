// The four-character codes of animation, frame-track and sprite notifications: sender and event.
#pragma once

#include <cstdint>

namespace Qel {

// First character in the most significant byte, as the codes are written in the tables that name them.
constexpr uint32_t MakeNotifyCode(const char (&code)[5]) {
  return (static_cast<uint32_t>(static_cast<uint8_t>(code[0])) << 24) |
         (static_cast<uint32_t>(static_cast<uint8_t>(code[1])) << 16) |
         (static_cast<uint32_t>(static_cast<uint8_t>(code[2])) << 8) |
         static_cast<uint32_t>(static_cast<uint8_t>(code[3]));
}

// Senders.
inline constexpr uint32_t kNotifyAnimation = MakeNotifyCode("anim");
inline constexpr uint32_t kNotifyFrameTrack = MakeNotifyCode("fram");
inline constexpr uint32_t kNotifySprite = MakeNotifyCode("sprt");

// Events.
inline constexpr uint32_t kNotifyPlay = MakeNotifyCode("play");
inline constexpr uint32_t kNotifyStop = MakeNotifyCode("stop");
inline constexpr uint32_t kNotifyPause = MakeNotifyCode("paus");
inline constexpr uint32_t kNotifyUnpause = MakeNotifyCode("upau");
inline constexpr uint32_t kNotifyLoop = MakeNotifyCode("loop");
inline constexpr uint32_t kNotifyStall = MakeNotifyCode("stal");
inline constexpr uint32_t kNotifyEnd = MakeNotifyCode("ende");
inline constexpr uint32_t kNotifyBoundsChanged = MakeNotifyCode("bndc");
inline constexpr uint32_t kNotifyDurationChanged = MakeNotifyCode("durc");
inline constexpr uint32_t kNotifyFrameChanged = MakeNotifyCode("chng");

// The type code of frame tracks.
inline constexpr uint32_t kTrackTypeFrame = MakeNotifyCode("fame");

}  // namespace Qel
