// Fuzzes the sprite image readers: version-7 frame image records read eagerly and kept compressed, and
// stored-image sets, each image drawn onto the headless SDL display with and without tiling.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "core/Rect.h"
#include "graphics/CompressedSurface.h"
#include "graphics/DrawingSurface.h"
#include "graphics/FrameImage.h"
#include "graphics/MaxSurfaceSize.h"
#include "graphics/MultiSurface.h"
#include "graphics/SDLDisplayDevice.h"
#include "graphics/SDLSurface.h"
#include "graphics/StoredImageSet.h"

namespace {

// Sprite files hold no more images than this, and it keeps one input's run short.
constexpr int kMaxImages = 64;

Qel::SDLDisplayDevice* gDisplay = nullptr;

std::shared_ptr<Qel::MemStream> StreamOf(const uint8_t* data, size_t size) {
  auto block = std::make_shared<Qel::MemoryBlock>();
  if (!block->Allocate(static_cast<uint32_t>(size))) return nullptr;
  if (size) std::memcpy(block->GetData(), data, size);
  auto stream = std::make_shared<Qel::MemStream>();
  stream->SetMemoryBlock(block);
  return stream;
}

// Every way a frame draws: whole, a part, a part reaching past the image, locked for its pixels.
void Draw(Qel::DrawingSurface& image) {
  Qel::DrawingSurface* screen = gDisplay->GetBackBuffer();
  image.BlitTo(screen, Qel::Point2(3, 2));
  const Qel::Rect part(1, 1, image.GetWidth() / 2 + 1, image.GetHeight() + 5);
  image.CopyTo(screen, &part, Qel::Point2(0, 0));
  const Qel::Rect scaled(0, 0, 7, 3);
  image.BlitRectTo(screen, &part, &scaled);
  int pitch = 0;
  if (image.Lock(pitch, Qel::DrawingSurface::kLockRead)) image.Unlock();
}

void ReadFrameImages(const uint8_t* data, size_t size, bool keepCompressed) {
  const std::shared_ptr<Qel::MemStream> stream = StreamOf(data, size);
  if (!stream) return;
  for (int i = 0; i < kMaxImages && stream->Tell() < size; ++i) {
    const uint32_t before = stream->Tell();
    std::shared_ptr<Qel::DrawingSurface> image;
    if (Qel::ReadFrameImage(7, image, gDisplay, *stream, keepCompressed) && image) Draw(*image);
    if (stream->Tell() == before) break;
  }
}

void ReadStoredSets(const uint8_t* data, size_t size) {
  const std::shared_ptr<Qel::MemStream> stream = StreamOf(data, size);
  if (!stream) return;
  for (int i = 0; i < kMaxImages && stream->Tell() < size; ++i) {
    const uint32_t before = stream->Tell();
    std::shared_ptr<Qel::DrawingSurface> image;
    if (Qel::ReadStoredImageSet(image, gDisplay, *stream) && image) Draw(*image);
    if (stream->Tell() == before) break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  gDisplay = new Qel::SDLDisplayDevice();
  int mode = Qel::SDLDisplayDevice::kSurfaceModeSoftware;
  if (gDisplay->Open(64, 48, Qel::PixelFormat(16), false, &mode) != 0) std::abort();
  Qel::SDLSurface::RegisterSurfaceOps();
  Qel::MultiSurface::RegisterSurfaceOps();
  Qel::CompressedSurface::RegisterSurfaceOps();
  return 0;
}

// The first byte chooses the largest device surface: unlimited, or Direct3D's 128 x 128.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 0x100000) return 0;
  if (data[0] & 1) {
    Qel::SetMaxSurfaceSize(128, 128);
  } else {
    Qel::SetMaxSurfaceSize(0, 0);
  }
  ReadFrameImages(data + 1, size - 1, false);
  ReadFrameImages(data + 1, size - 1, true);
  ReadStoredSets(data + 1, size - 1);
  return 0;
}
