// Fuzz target: the movie library on arbitrary bytes in memory: open, a few frames decoded with their sound
// fed to a mixer that runs on demand, and each frame copied into every layout, clipped and in place.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/bink/Bink.h"
#include "platform/dsound/DSound.h"
#include "platform/dsound/Mixer.h"

namespace {

using namespace plat::bink;

// Decoding work per input: a few frames, of pictures no larger than this.
constexpr int kFrames = 4;
constexpr uint64_t kMaxPixels = 640 * 480;
constexpr U32 kLayouts[] = {
    BINKSURFACE24, BINKSURFACE32, BINKSURFACE32A, BINKSURFACE4444, BINKSURFACE555, BINKSURFACE565, 0, 2, 11,
    0xFFFFFFFF};
constexpr uint8_t kUntouched = 0x5A;
constexpr size_t kGuard = 64;

bool IsLayout(U32 type) {
  return type == BINKSURFACE24 || type == BINKSURFACE32 || type == BINKSURFACE32A ||
         type == BINKSURFACE4444 || type == BINKSURFACE555 || type == BINKSURFACE565;
}

int BytesOf(U32 type) {
  return type == BINKSURFACE24 ? 3 : (type == BINKSURFACE32 || type == BINKSURFACE32A) ? 4 : 2;
}

// A pull-mode device whose mixer the sound of every movie feeds.
plat::dsound::Mixer* SoundSystem() {
  static plat::dsound::Mixer* mixer = [] {
    plat::dsound::SetPullModeForTesting(true);
    plat::dsound::IDirectSound8* device = nullptr;
    if (plat::dsound::DirectSoundCreate8(nullptr, &device, nullptr) != plat::dsound::DS_OK) __builtin_trap();
    if (BinkSetSoundSystem(BinkOpenDirectSound, reinterpret_cast<uintptr_t>(device)) != 1) __builtin_trap();
    plat::dsound::Mixer* made = plat::dsound::MixerOf(device);
    device->Release();  // the sound system keeps it
    return made;
  }();
  return mixer;
}

// Copies into a buffer of width x height pixels at (x, y); nothing may land after its last row.
void CopyInto(HBINK bink, U32 type, int width, int height, U32 x, U32 y) {
  const int bytes = IsLayout(type) ? BytesOf(type) : 4;
  const auto pitch = static_cast<size_t>(width) * static_cast<size_t>(bytes);
  static std::vector<uint8_t> buffer;
  buffer.assign(pitch * static_cast<size_t>(height) + kGuard, kUntouched);
  const S32 copied =
      BinkCopyToBuffer(bink, buffer.data(), static_cast<S32>(pitch), static_cast<U32>(height), x, y, type);
  if (copied != (IsLayout(type) ? 0 : -1)) __builtin_trap();
  for (size_t i = buffer.size() - kGuard; i < buffer.size(); ++i) {
    if (buffer[i] != kUntouched) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  plat::dsound::Mixer* mixer = SoundSystem();
  HBINK bink = BinkOpenMemory(data, size, 0);
  if (!bink) {
    if (*BinkGetError() == '\0') __builtin_trap();
    return 0;
  }
  // Whatever opens is a movie: a picture, a rate and a count, and nothing shown yet.
  if (bink->Width == 0 || bink->Height == 0 || bink->Frames == 0 || bink->FrameRate == 0 ||
      bink->FrameRateDiv == 0 || bink->FrameNum != 0)
    __builtin_trap();
  if (uint64_t{bink->Width} * bink->Height <= kMaxPixels) {
    std::vector<int16_t> out(2 * 256);
    for (U32 frame = 1; frame <= kFrames; ++frame) {
      BinkWait(bink);
      if (BinkDoFrame(bink) != 0) break;
      BinkNextFrame(bink);
      if (bink->FrameNum != frame || bink->FrameNum > bink->Frames) __builtin_trap();
      mixer->Render(out.data(), 256);
      for (const U32 type : kLayouts) {
        CopyInto(bink, type, 37, 23, 5, 3);
        CopyInto(bink, type, static_cast<int>(bink->Width), static_cast<int>(bink->Height), 0, 0);
      }
    }
  }
  BinkClose(bink);
  return 0;
}
