// The movie library's calls our code makes: open, frame timing, decoding, copies into six pixel layouts,
// and the sound system the movies play their sound through.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plat::bink {

using U32 = uint32_t;
using S32 = int32_t;

// What an open movie tells its user; the library keeps everything else behind it.
struct BINK {
  U32 Width = 0;
  U32 Height = 0;
  // The frame count the file announces (its stream's frame count, else its duration in frames).
  U32 Frames = 0;
  // The frames shown so far: 0 after opening, and BinkNextFrame counts each decoded frame, up to Frames.
  U32 FrameNum = 0;
  // Frames per second as the fraction FrameRate / FrameRateDiv.
  U32 FrameRate = 0;
  U32 FrameRateDiv = 0;

protected:
  BINK() = default;
  ~BINK() = default;
};
using HBINK = BINK*;

// Pixel layouts of BinkCopyToBuffer, named by their channel masks (red, green, blue, alpha).
inline constexpr U32 BINKSURFACE24 = 1;    // 24 bits: 0xFF0000, 0x00FF00, 0x0000FF
inline constexpr U32 BINKSURFACE32 = 3;    // 32 bits: 0xFF0000, 0x00FF00, 0x0000FF, none
inline constexpr U32 BINKSURFACE32A = 5;   // 32 bits: 0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000
inline constexpr U32 BINKSURFACE4444 = 7;  // 16 bits: 0x0F00, 0x00F0, 0x000F, 0xF000
inline constexpr U32 BINKSURFACE555 = 9;   // 16 bits: 0x7C00, 0x03E0, 0x001F, none
inline constexpr U32 BINKSURFACE565 = 10;  // 16 bits: 0xF800, 0x07E0, 0x001F, none

// Opens a movie file (a path in the Windows form the file layer maps, trailing blanks included) in any
// format FFmpeg reads, Bink 1 among them. Null on failure, with the reason in BinkGetError. flags is
// unused. Nothing the file names besides itself is ever opened.
HBINK BinkOpen(const char* name, U32 flags);
// The same over bytes in memory, which the caller keeps until BinkClose.
HBINK BinkOpenMemory(const void* data, size_t size, U32 flags);
// Stops the movie's sound and frees everything; null is ignored.
void BinkClose(HBINK bink);

// 0 once the next frame is due, 1 while the one on show still has time left. A movie's clock starts at
// its first BinkWait or BinkDoFrame; frame n + 1 is due when n frame times have passed since, and after
// the last frame, 0 means that it has had its time. The clock is plat::win::timeGetTime, which tests
// replace. Each call also feeds the movie's sound.
S32 BinkWait(HBINK bink);
// Decodes the next frame (number FrameNum + 1); the movie's sound starts with the first. 0 on success;
// -1 when there is none: the announced count was reached, or the stream ended or stopped decoding before
// (then with the reason in BinkGetError).
// A decoded frame not yet passed by BinkNextFrame is not decoded again.
S32 BinkDoFrame(HBINK bink);
// Counts the decoded frame as shown (FrameNum + 1); decodes it first when BinkDoFrame was not called.
// Nothing changes once no frame is left.
void BinkNextFrame(HBINK bink);
// Copies the last decoded frame into a buffer of destHeight rows of destPitch bytes, its top left corner
// at pixel (destX, destY), in one of the six layouts above; only what falls inside the buffer (rows of
// destPitch bytes) is written. 0 on success (also when nothing falls inside), -1 for another layout, a
// buffer that is not one, or before the first frame.
S32 BinkCopyToBuffer(HBINK bink, void* dest, S32 destPitch, U32 destHeight, U32 destX, U32 destY, U32 flags);
// The reason of the last failure, in words; empty when nothing failed yet.
const char* BinkGetError();

// The sound system movies play their sound through.
class BinkSoundSystem;
using BINKSNDOPEN = BinkSoundSystem*;
using BINKSNDSYSOPEN = BINKSNDOPEN (*)(uintptr_t param);
// param is the game's DirectSound device (plat::dsound::IDirectSound8*) as an integer: each movie's
// sound becomes a buffer of that device's mixer. Null for 0.
BINKSNDOPEN BinkOpenDirectSound(uintptr_t param);
// Movies opened from now on play their sound through what open(param) gives; it keeps a reference to
// the device until the sound system is set again (a param of 0 hands the device back, and movies play
// silent). 1 when a sound system was set, 0 otherwise.
S32 BinkSetSoundSystem(BINKSNDSYSOPEN open, uintptr_t param);

}  // namespace plat::bink
