// The reader of sprite files. Fields are little-endian; 16-bit counts, indices and durations are signed.
#include "graphics/SpriteFileReader.h"

#include <utility>

#include "core/LittleEndian.h"
#include "core/Stream.h"
#include "core/Trace.h"
#include "graphics/FrameImage.h"
#include "graphics/StoredImageSet.h"

namespace Qel {
namespace {

constexpr uint32_t kAnimationOldSkip = 0x8;
constexpr uint32_t kAnimationAddedDuration = 0x2;
constexpr uint32_t kAnimationSkip1 = 0x10;
constexpr uint32_t kAnimationSkip2 = 0x20;
constexpr int16_t kModeOldSkip = 4;

constexpr uint32_t kFrameOldValue = 0x8;
constexpr uint32_t kFrameAddedDuration = 0x4;
constexpr uint32_t kFrameSound = 0x10;
constexpr uint32_t kFrameOldBlockWithTail = 0x20;
constexpr uint32_t kFrameOldBlocks[] = {0x40, 0x80, 0x100};
constexpr uint32_t kFramePause = 0x400;

constexpr uint32_t kPlacementSkip = 0x1;

}  // namespace

bool SpriteFileReader::Fail(std::string failure) {
  m_failure = std::move(failure);
  return false;
}

bool SpriteFileReader::Read8(uint8_t& out) {
  uint32_t size = 1;
  if (!m_stream.Read(&out, size) || size != 1) return Fail("the file ends inside a record");
  return true;
}

bool SpriteFileReader::Read16(int16_t& out) {
  uint8_t bytes[2];
  uint32_t size = 2;
  if (!m_stream.Read(bytes, size) || size != 2) return Fail("the file ends inside a record");
  out = static_cast<int16_t>(ReadLE16(bytes));
  return true;
}

bool SpriteFileReader::Read32(uint32_t& out) {
  uint8_t bytes[4];
  uint32_t size = 4;
  if (!m_stream.Read(bytes, size) || size != 4) return Fail("the file ends inside a record");
  out = ReadLE32(bytes);
  return true;
}

bool SpriteFileReader::ReadCount(int16_t& out, const char* what) {
  if (!Read16(out)) return false;
  if (out < 0) return Fail(std::string("negative ") + what + " count " + std::to_string(out));
  return true;
}

bool SpriteFileReader::ReadName(std::string& out) {
  uint8_t length = 0;
  if (!Read8(length)) return false;
  out.resize(length);
  uint32_t size = length;
  if (length != 0 && (!m_stream.Read(out.data(), size) || size != length)) {
    return Fail("the file ends inside a name");
  }
  return true;
}

bool SpriteFileReader::Skip(uint32_t count) {
  // A skip past the end is found by the read that always follows one, or by the seek itself.
  if (count != 0 && !m_stream.Seek(static_cast<int32_t>(count), kSeekCurrent)) {
    return Fail("the file ends inside a record");
  }
  return true;
}

bool SpriteFileReader::Read(SpriteData& out) {
  out = SpriteData();
  m_failure.clear();
  if (!ReadHeader(out)) return false;
  for (auto& animation : out.m_animations) {
    if (!ReadAnimation(animation)) return false;
  }
  return ReadImageTable(out);
}

bool SpriteFileReader::ReadHeader(SpriteData& out) {
  uint32_t version = 0;
  if (!Skip(4) || !Read32(version)) return false;
  m_version = static_cast<int32_t>(version);
  if (m_version < 7) {
    Trace("loading version %d sprite: you should convert it to 7 or higher\n", m_version);
    if (!Skip(8) || !Read16(out.m_defaultDuration) || !Skip(2)) return false;
  } else if (!Read16(out.m_defaultDuration)) {
    return false;
  }
  int16_t count = 0;
  if (!ReadCount(count, "animation")) return false;
  out.m_animations.resize(static_cast<size_t>(count));
  return true;
}

bool SpriteFileReader::ReadAnimation(SpriteAnimationRecord& out) {
  int16_t frames = 0;
  if (!ReadCount(frames, "frame") || !Read32(out.m_flags)) return false;
  const bool old = m_version < 7;
  if (old && (out.m_flags & kAnimationOldSkip) && !Skip(2)) return false;
  if ((out.m_flags & kAnimationAddedDuration) && !Read16(out.m_addedDuration)) return false;
  if (m_version >= 5) {
    if (old && (out.m_flags & kAnimationSkip1) && !Skip(2)) return false;
    if (old && (out.m_flags & kAnimationSkip2) && !Skip(2)) return false;
    if (!Read16(out.m_playMode)) return false;
    if (out.m_playMode == SpriteAnimationRecord::kModeChain) {
      if (!Read16(out.m_nextAnimation)) return false;
    } else if (old && out.m_playMode == kModeOldSkip && !Skip(4)) {
      return false;
    }
  }
  // Animations are known by their position: the name is read past and not kept.
  std::string name;
  if (!ReadName(name)) return false;
  out.m_frames.resize(static_cast<size_t>(frames));
  for (auto& frame : out.m_frames) {
    if (!ReadFrame(frame)) return false;
  }
  return true;
}

bool SpriteFileReader::ReadFrame(SpriteFrameRecord& out) {
  if (!Read16(out.m_imageNumber) || !Read32(out.m_flags)) return false;
  if (m_version < 5 && (out.m_flags & kFrameOldValue) && !Read16(out.m_oldValue)) return false;
  if ((out.m_flags & kFrameAddedDuration) && !Read16(out.m_addedDuration)) return false;
  if ((out.m_flags & kFrameSound) && !ReadName(out.m_soundName)) return false;
  if (m_version < 7) {
    std::string skipped;
    if ((out.m_flags & kFrameOldBlockWithTail) && (!ReadName(skipped) || !Skip(2))) return false;
    for (uint32_t block : kFrameOldBlocks) {
      if ((out.m_flags & block) && !ReadName(skipped)) return false;
    }
  }
  if (out.m_flags & kFramePause) return Read16(out.m_pauseMinimum) && Read16(out.m_pauseMaximum);
  return true;
}

bool SpriteFileReader::ReadImageTable(SpriteData& out) {
  int16_t count = 0;
  if (!ReadCount(count, "image")) return false;
  out.m_images.resize(static_cast<size_t>(count));
  if (!CheckImageNumbers(out)) return false;
  for (auto& image : out.m_images) {
    if (m_version < 5) {
      int16_t x = 0;
      int16_t y = 0;
      if (!Read16(x) || !Read16(y)) return false;
      image.m_offset.Set(x, y);
      continue;
    }
    uint32_t x = 0;
    uint32_t y = 0;
    if (!Read32(x) || !Read32(y)) return false;
    image.m_offset.Set(static_cast<int32_t>(x), static_cast<int32_t>(y));
    if (m_version < 7) {
      uint32_t flags = 0;
      if (!Read32(flags)) return false;
      if ((flags & kPlacementSkip) && !Skip(8)) return false;
    }
  }
  return ReadImages(out);
}

bool SpriteFileReader::ReadImages(SpriteData& out) {
  const size_t count = out.m_images.size();
  if (m_version >= 7) {
    for (size_t i = 0; i < count; ++i) {
      if (!ReadFrameImage(m_version, out.m_images[i].m_surface, m_device, m_stream, m_keepCompressed)) {
        Trace("WARN: sprite image %zu could not be read: frames showing it draw nothing\n", i + 1);
      }
    }
    return true;
  }
  int16_t sets = 0;
  if (!Skip(4) || !Skip(2) || !Skip(2) || !Skip(2) || !Read16(sets)) return false;
  // A negative set count stores no images.
  if (sets < 0) return true;
  if (static_cast<size_t>(sets) > count) {
    return Fail(std::to_string(sets) + " image sets for " + std::to_string(count) + " images");
  }
  for (size_t i = 0; i < static_cast<size_t>(sets); ++i) {
    if (!ReadStoredImageSet(out.m_images[i].m_surface, m_device, m_stream)) {
      Trace("WARN: sprite image set %zu gave no image: frames showing it draw nothing\n", i + 1);
    }
  }
  return true;
}

bool SpriteFileReader::CheckImageNumbers(const SpriteData& data) {
  const auto count = static_cast<int32_t>(data.m_images.size());
  for (size_t a = 0; a < data.m_animations.size(); ++a) {
    for (const auto& frame : data.m_animations[a].m_frames) {
      if (frame.m_imageNumber < 1 || frame.m_imageNumber > count) {
        return Fail("animation " + std::to_string(a) + " shows image " + std::to_string(frame.m_imageNumber) +
                    " of " + std::to_string(count));
      }
    }
  }
  return true;
}

}  // namespace Qel
