// Fuzzes the sprite reader: the bytes are read by the stream loader (images decompressed at once) and by
// the sprite loader (images kept compressed, tiled beyond 128 x 128); every image is drawn onto the back
// buffer of a dummy SDL screen, and every animation is played and ticked.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "core/IResourceFile.h"
#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "core/Periodical.h"
#include "core/PixelFormat.h"
#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "graphics/Animation.h"
#include "graphics/CompressedSurface.h"
#include "graphics/DrawingSurface.h"
#include "graphics/LoadSpriteFromStream.h"
#include "graphics/MaxSurfaceSize.h"
#include "graphics/MultiSurface.h"
#include "graphics/SDLDisplayDevice.h"
#include "graphics/SDLSurface.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteData.h"
#include "graphics/SpriteLoader.h"

namespace {

constexpr uint32_t kName = 0x5157;

std::shared_ptr<Qel::MemStream> StreamOver(const uint8_t* data, size_t size) {
  auto block = std::make_shared<Qel::MemoryBlock>();
  if (!block->Allocate(static_cast<uint32_t>(size))) return nullptr;
  if (size) std::memcpy(block->GetData(), data, size);
  auto stream = std::make_shared<Qel::MemStream>();
  stream->SetMemoryBlock(block);
  return stream;
}

// The one sprite resource: whatever bytes the current input holds.
class InputDatabase : public Qel::IResourceFile {
public:
  void Load(uint32_t, uint32_t, std::shared_ptr<Qel::IMemoryBlock>&) override {}
  void OpenStream(uint32_t nameHash, uint32_t type, std::shared_ptr<Qel::Stream>& out) override {
    if (nameHash == kName && type == Qel::kTypeSprite) out = StreamOver(m_data, m_size);
  }
  const uint8_t* m_data = nullptr;
  size_t m_size = 0;
};

struct Stage {
  Stage() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    Qel::SDLSurface::RegisterSurfaceOps();
    Qel::MultiSurface::RegisterSurfaceOps();
    Qel::CompressedSurface::RegisterSurfaceOps();
    const int mode = Qel::SDLDisplayDevice::kSurfaceModeSoftware;
    ready = device.Open(800, 600, Qel::kPixelFormatR5G6B5, false, &mode) == 0;
    Qel::ResourceManager::GetInstance()->AddResourceFile(database, 0);
  }

  Qel::SDLDisplayDevice device;
  std::shared_ptr<InputDatabase> database = std::make_shared<InputDatabase>();
  Qel::SpriteLoader loader;
  bool ready = false;
};

void Exercise(Stage& stage, Qel::Sprite* sprite, const Qel::SpriteData& data) {
  Qel::DrawingSurface* back = stage.device.GetBackBuffer();
  for (const auto& image : data.m_images) {
    if (image.m_surface) image.m_surface->BlitTo(back, image.m_offset + Qel::Point2(300, 200));
  }
  if (sprite == nullptr) return;
  const int count = sprite->GetAnimationCount();
  for (uint32_t id = 0; id < static_cast<uint32_t>(count) && id < 64; ++id) {
    sprite->PlayAnimation(id, static_cast<int>(id % 3));
    for (int tick = 0; tick < 3; ++tick) Qel::Periodical::UpdateAll();
    sprite->Render(*back, Qel::Box3(-400, -300, 0, 400, 300, 0), Qel::Point2(400, 300));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x100000) return 0;
  static Stage stage;
  if (!stage.ready) return 0;

  Qel::SetMaxSurfaceSize(0, 0);
  if (auto stream = StreamOver(data, size)) {
    Qel::SpriteData read;
    auto sprite = Qel::LoadSpriteFromStream(*stream, &stage.device, 0, nullptr, false, &read);
    Exercise(stage, sprite.get(), read);
  }

  Qel::SetMaxSurfaceSize(128, 128);
  stage.database->m_data = data;
  stage.database->m_size = size;
  {
    Qel::SpriteData read;
    auto sprite = stage.loader.LoadSprite(kName, &stage.device, 0, nullptr, false, true, nullptr, &read);
    Exercise(stage, sprite.get(), read);
  }
  // Nothing of this input is left in use: the cache must let it go.
  stage.loader.Update();
  Qel::Periodical::UpdateAll();
  return stage.loader.GetCacheSize() == 0 ? 0 : (std::abort(), 0);
}
