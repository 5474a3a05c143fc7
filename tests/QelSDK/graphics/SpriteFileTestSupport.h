// Helpers of the sprite-file tests: an open SDL device for the images, streams and a resource database
// over bytes in memory, and a sample file that uses every field a version stores.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "core/IResourceFile.h"
#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "core/PixelFormat.h"
#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "fixture-content/SpriteFile.h"
#include "fixture-content/SpriteFileWriter.h"
#include "graphics/CompressedSurface.h"
#include "graphics/MultiSurface.h"
#include "graphics/SDLDisplayDevice.h"
#include "graphics/SDLSurface.h"

namespace spritetest {

inline std::shared_ptr<Qel::MemStream> StreamOver(const std::string& bytes) {
  auto block = std::make_shared<Qel::MemoryBlock>();
  block->Allocate(static_cast<uint32_t>(bytes.size()));
  if (!bytes.empty()) std::memcpy(block->GetData(), bytes.data(), bytes.size());
  auto stream = std::make_shared<Qel::MemStream>();
  stream->SetMemoryBlock(block);
  return stream;
}

// Sprite resources by name, counting how often each is opened.
class MemoryDatabase : public Qel::IResourceFile {
public:
  void Put(const std::string& name, const std::string& bytes) {
    m_files[Qel::NameHash(name.c_str())] = bytes;
  }

  void Load(uint32_t, uint32_t, std::shared_ptr<Qel::IMemoryBlock>&) override {}
  void OpenStream(uint32_t nameHash, uint32_t type, std::shared_ptr<Qel::Stream>& out) override {
    const auto found = m_files.find(nameHash);
    if (type != Qel::kTypeSprite || found == m_files.end()) return;
    ++m_opens[nameHash];
    out = StreamOver(found->second);
  }

  int Opens(const std::string& name) { return m_opens[Qel::NameHash(name.c_str())]; }

private:
  std::map<uint32_t, std::string> m_files;
  std::map<uint32_t, int> m_opens;
};

// An 800 x 600 software screen of 32 bits under the dummy driver, with every sprite surface kind's
// operations registered, and a memory database in the resource manager.
class SpriteFileFixture : public testing::Test {
protected:
  void SetUp() override {
    Qel::SDLSurface::RegisterSurfaceOps();
    Qel::MultiSurface::RegisterSurfaceOps();
    Qel::CompressedSurface::RegisterSurfaceOps();
    const int mode = Qel::SDLDisplayDevice::kSurfaceModeSoftware;
    ASSERT_EQ(device.Open(800, 600, Qel::kPixelFormatX8R8G8B8, false, &mode), 0);
    Qel::ResourceManager::GetInstance()->AddResourceFile(database, 0);
  }

  void TearDown() override {
    Qel::ResourceManager::DestroyInstance();
    Qel::CompressedSurface::UnregisterSurfaceOps();
    Qel::MultiSurface::UnregisterSurfaceOps();
    Qel::SDLSurface::UnregisterSurfaceOps();
  }

  Qel::SDLDisplayDevice device;
  std::shared_ptr<MemoryDatabase> database = std::make_shared<MemoryDatabase>();
};

// Colours that a 32-bit screen shows unchanged.
inline constexpr uint32_t kRed = 0xFFFF0000;
inline constexpr uint32_t kGreen = 0xFF00FF00;
inline constexpr uint32_t kBlue = 0xFF0000FF;

// Three images and five animations that use every field the version stores:
//   0: stop; frame image 1 with sound "step", frame image 2 lasting 50 less with a pause of 200..300;
//   1: hold, 20 more for each frame; one frame of image 2 with the trigger "[bump]";
//   2: chain to animation 0; one frame of image 3 with the sound "[]";
//   3: loop (mode 2), with the flags that make versions 5 and 6 skip 4 bytes before the mode;
//   4: mode 7 (loops) in version 7, mode 4 (loops, with 4 more bytes) in versions 5 and 6.
// Versions below 5 store no mode: every animation stops at its end.
inline fixture::SpriteFile SampleFile(int32_t version, fixture::SpriteFileImage::Encoding encoding =
                                                           fixture::SpriteFileImage::Encoding::kRunLength) {
  using fixture::SpriteFileAnimation;
  using fixture::SpriteFileFrame;
  using fixture::SpriteFileImage;
  fixture::SpriteFile file;
  file.m_version = version;
  file.m_defaultDuration = 100;
  file.m_images = {SpriteFileImage::Solid(8, 6, kRed, 2, 3), SpriteFileImage::Solid(4, 4, kGreen, -3, 0),
                   SpriteFileImage::Solid(5, 2, kBlue, 0, -1)};
  file.m_images[1].m_pixels[5] = kBlue;
  file.m_images[1].m_placementFlags = 1;
  for (auto& image : file.m_images) image.m_encoding = encoding;

  SpriteFileFrame step;
  step.m_sound = "step";
  step.m_oldValue = 9;
  step.m_extraFlags = 0x20 | 0x40 | 0x80 | 0x100;
  SpriteFileFrame pausing;
  pausing.m_image = 2;
  pausing.m_addedDuration = -50;
  pausing.m_pause = std::make_pair(int16_t{200}, int16_t{300});
  SpriteFileAnimation stop;
  stop.m_name = "stop";
  stop.m_frames = {step, pausing};

  SpriteFileFrame bump;
  bump.m_image = 2;
  bump.m_sound = "[bump]";
  SpriteFileAnimation hold;
  hold.m_playMode = 1;
  hold.m_addedDuration = 20;
  hold.m_extraFlags = 0x8;
  hold.m_frames = {bump};

  SpriteFileFrame brackets;
  brackets.m_image = 3;
  brackets.m_sound = "[]";
  SpriteFileAnimation chain;
  chain.m_playMode = 3;
  chain.m_nextAnimation = 0;
  chain.m_name = "chain to the first";
  chain.m_frames = {brackets};

  SpriteFileAnimation loop;
  loop.m_playMode = 2;
  loop.m_extraFlags = 0x10 | 0x20;
  loop.m_frames = {SpriteFileFrame(), bump};

  SpriteFileAnimation other;
  other.m_playMode = version >= 5 && version < 7 ? 4 : 7;
  other.m_frames = {SpriteFileFrame()};
  file.m_animations = {stop, hold, chain, loop, other};
  return file;
}

}  // namespace spritetest
