// Writes sprite files: the header, the animation and frame records, the placements and the images, as
// zlib-compressed records from version 7 on and as run-length or raw image sets below it.
#include "fixture-content/SpriteFileWriter.h"

#include <zlib.h>

#include <cstdint>
#include <stdexcept>

#include "core/LittleEndian.h"

namespace fixture {
namespace {

constexpr uint32_t kAnimationAddedDuration = 0x2;
constexpr uint32_t kAnimationOldSkip = 0x8;
constexpr uint32_t kAnimationSkip1 = 0x10;
constexpr uint32_t kAnimationSkip2 = 0x20;
constexpr uint32_t kFrameAddedDuration = 0x4;
constexpr uint32_t kFrameOldValue = 0x8;
constexpr uint32_t kFrameSound = 0x10;
constexpr uint32_t kFramePause = 0x400;
constexpr uint32_t kFrameOldBlocks[] = {0x20, 0x40, 0x80, 0x100};
constexpr uint32_t kStoredRaw = 0x200;
constexpr uint32_t kStoredRunLength = 0x400;

void Put8(std::string& out, uint8_t value) {
  out.push_back(static_cast<char>(value));
}

void Put16(std::string& out, uint16_t value) {
  uint8_t bytes[2];
  Qel::WriteLE16(bytes, value);
  out.append(reinterpret_cast<const char*>(bytes), 2);
}

void Put32(std::string& out, uint32_t value) {
  uint8_t bytes[4];
  Qel::WriteLE32(bytes, value);
  out.append(reinterpret_cast<const char*>(bytes), 4);
}

void PutZeros(std::string& out, size_t count) {
  out.append(count, '\0');
}

// A length byte and the characters.
void PutName(std::string& out, const std::string& name) {
  if (name.size() > 255) throw std::invalid_argument("sprite file names are at most 255 bytes");
  Put8(out, static_cast<uint8_t>(name.size()));
  out += name;
}

// One pixel of bytesPerPixel bytes, low byte first.
void PutPixel(std::string& out, uint32_t value, int bytesPerPixel) {
  for (int i = 0; i < bytesPerPixel; ++i) Put8(out, static_cast<uint8_t>(value >> (8 * i)));
}

// Notes where a record ends, when the caller asked for the boundaries.
void Mark(const std::string& out, std::vector<size_t>* ends) {
  if (ends) ends->push_back(out.size());
}

int BytesPerPixel(const SpriteFileImage& image) {
  return static_cast<int>(image.m_bitsPerPixel / 8);
}

std::string Rows(const SpriteFileImage& image) {
  if (image.m_pixels.size() != static_cast<size_t>(image.m_width) * static_cast<size_t>(image.m_height)) {
    throw std::invalid_argument("an image needs width x height pixels");
  }
  std::string rows;
  for (uint32_t pixel : image.m_pixels) PutPixel(rows, pixel, BytesPerPixel(image));
  return rows;
}

// Units of one pixel's size: a count below the top bit repeats the next pixel count + 1 times; with the
// top bit, count + 1 literal pixels follow. Each row is encoded on its own.
std::string RunLength(const SpriteFileImage& image) {
  const int bytes = BytesPerPixel(image);
  const uint64_t topBit = uint64_t{1} << (8 * bytes - 1);
  std::string out;
  for (int32_t y = 0; y < image.m_height; ++y) {
    const uint32_t* row = image.m_pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.m_width);
    int32_t x = 0;
    while (x < image.m_width) {
      int32_t run = 1;
      while (x + run < image.m_width && row[x + run] == row[x] && static_cast<uint64_t>(run) < topBit) ++run;
      if (run > 1) {
        PutPixel(out, static_cast<uint32_t>(run - 1), bytes);
        PutPixel(out, row[x], bytes);
        x += run;
        continue;
      }
      int32_t literal = 1;
      while (x + literal < image.m_width && static_cast<uint64_t>(literal) < topBit &&
             !(x + literal + 1 < image.m_width && row[x + literal] == row[x + literal + 1])) {
        ++literal;
      }
      PutPixel(out, static_cast<uint32_t>(topBit | static_cast<uint64_t>(literal - 1)), bytes);
      for (int32_t i = 0; i < literal; ++i) PutPixel(out, row[x + i], bytes);
      x += literal;
    }
  }
  return out;
}

void PutFrameImage(std::string& out, const SpriteFileImage& image) {
  const std::string rows = Rows(image);
  uLongf length = compressBound(static_cast<uLong>(rows.size()));
  std::string packed(length, '\0');
  if (compress(reinterpret_cast<Bytef*>(packed.data()), &length, reinterpret_cast<const Bytef*>(rows.data()),
               static_cast<uLong>(rows.size())) != Z_OK) {
    throw std::runtime_error("zlib could not compress an image");
  }
  packed.resize(length);
  if (image.m_corruptStream) packed[0] = '\x0F';
  Put32(out, image.m_bitsPerPixel);
  Put32(out, image.m_redMask);
  Put32(out, image.m_greenMask);
  Put32(out, image.m_blueMask);
  Put32(out, image.m_alphaMask);
  Put32(out, static_cast<uint32_t>(image.m_width));
  Put32(out, static_cast<uint32_t>(image.m_height));
  Put32(out, static_cast<uint32_t>(image.m_width * BytesPerPixel(image)));
  Put32(out, 1);
  Put32(out, image.m_storedLength.value_or(static_cast<uint32_t>(packed.size())));
  out += packed;
}

// A set holding the one image, at its top-left corner.
void PutImageSet(std::string& out, const SpriteFileImage& image) {
  if (image.m_bitsPerPixel != 32 && image.m_bitsPerPixel != 16) {
    throw std::invalid_argument("old sprite files store 16 or 32 bits per pixel");
  }
  const bool raw = image.m_encoding == SpriteFileImage::Encoding::kRaw;
  const std::string data = raw ? Rows(image) : RunLength(image);
  const auto width = static_cast<uint16_t>(image.m_width);
  const auto height = static_cast<uint16_t>(image.m_height);
  const auto bits = static_cast<uint16_t>(image.m_bitsPerPixel);
  Put16(out, width);
  Put16(out, height);
  Put16(out, bits);
  Put16(out, 1);
  Put16(out, width);
  Put16(out, height);
  Put16(out, bits);
  Put16(out, static_cast<uint16_t>(image.m_width * BytesPerPixel(image)));
  Put32(out, image.m_storedLength.value_or(static_cast<uint32_t>(data.size())));
  PutZeros(out, 4);
  Put32(out, raw ? kStoredRaw : kStoredRunLength);
  Put16(out, 0);
  Put16(out, 0);
  out += data;
}

void PutFrame(std::string& out, int32_t version, const SpriteFileFrame& frame) {
  uint32_t flags = frame.m_extraFlags;
  if (frame.m_addedDuration) flags |= kFrameAddedDuration;
  if (frame.m_sound) flags |= kFrameSound;
  if (frame.m_pause) flags |= kFramePause;
  if (frame.m_oldValue) flags |= kFrameOldValue;
  Put16(out, static_cast<uint16_t>(frame.m_image));
  Put32(out, flags);
  if (version < 5 && (flags & kFrameOldValue))
    Put16(out, static_cast<uint16_t>(frame.m_oldValue.value_or(0)));
  if (flags & kFrameAddedDuration) Put16(out, static_cast<uint16_t>(frame.m_addedDuration.value_or(0)));
  if (flags & kFrameSound) PutName(out, frame.m_sound.value_or(""));
  if (version < 7) {
    for (uint32_t block : kFrameOldBlocks) {
      if (!(flags & block)) continue;
      PutName(out, "old");
      if (block == 0x20) PutZeros(out, 2);
    }
  }
  if (flags & kFramePause) {
    const auto pause = frame.m_pause.value_or(std::pair<int16_t, int16_t>(0, 0));
    Put16(out, static_cast<uint16_t>(pause.first));
    Put16(out, static_cast<uint16_t>(pause.second));
  }
}

void PutAnimation(std::string& out, int32_t version, const SpriteFileAnimation& animation,
                  std::vector<size_t>* ends) {
  uint32_t flags = animation.m_extraFlags;
  if (animation.m_addedDuration) flags |= kAnimationAddedDuration;
  Put16(out, static_cast<uint16_t>(
                 animation.m_frameCountField.value_or(static_cast<int16_t>(animation.m_frames.size()))));
  Put32(out, flags);
  if (version < 7 && (flags & kAnimationOldSkip)) PutZeros(out, 2);
  if (flags & kAnimationAddedDuration)
    Put16(out, static_cast<uint16_t>(animation.m_addedDuration.value_or(0)));
  if (version >= 5) {
    const bool old = version < 7;
    if (old && (flags & kAnimationSkip1)) PutZeros(out, 2);
    if (old && (flags & kAnimationSkip2)) PutZeros(out, 2);
    Put16(out, static_cast<uint16_t>(animation.m_playMode));
    if (animation.m_playMode == 3) {
      Put16(out, static_cast<uint16_t>(animation.m_nextAnimation));
    } else if (old && animation.m_playMode == 4) {
      PutZeros(out, 4);
    }
  }
  PutName(out, animation.m_name);
  Mark(out, ends);
  for (const SpriteFileFrame& frame : animation.m_frames) {
    PutFrame(out, version, frame);
    Mark(out, ends);
  }
}

void PutHeader(std::string& out, const SpriteFile& file) {
  out += "QSPR";
  Put32(out, static_cast<uint32_t>(file.m_version));
  if (file.m_version < 7) {
    PutZeros(out, 8);
    Put16(out, static_cast<uint16_t>(file.m_defaultDuration));
    PutZeros(out, 2);
  } else {
    Put16(out, static_cast<uint16_t>(file.m_defaultDuration));
  }
  Put16(out, static_cast<uint16_t>(
                 file.m_animationCountField.value_or(static_cast<int16_t>(file.m_animations.size()))));
}

void PutImageTable(std::string& out, const SpriteFile& file, std::vector<size_t>* ends) {
  const int32_t version = file.m_version;
  Put16(out,
        static_cast<uint16_t>(file.m_imageCountField.value_or(static_cast<int16_t>(file.m_images.size()))));
  Mark(out, ends);
  for (const SpriteFileImage& image : file.m_images) {
    if (version < 5) {
      Put16(out, static_cast<uint16_t>(image.m_x));
      Put16(out, static_cast<uint16_t>(image.m_y));
    } else {
      Put32(out, static_cast<uint32_t>(image.m_x));
      Put32(out, static_cast<uint32_t>(image.m_y));
      if (version < 7) {
        Put32(out, image.m_placementFlags);
        if (image.m_placementFlags & 1) PutZeros(out, 8);
      }
    }
    Mark(out, ends);
  }
  if (version < 7) {
    PutZeros(out, 10);
    Put16(out,
          static_cast<uint16_t>(file.m_setCountField.value_or(static_cast<int16_t>(file.m_images.size()))));
    Mark(out, ends);
  }
  for (const SpriteFileImage& image : file.m_images) {
    if (version >= 7) {
      PutFrameImage(out, image);
    } else {
      PutImageSet(out, image);
    }
    Mark(out, ends);
  }
}

}  // namespace

std::string WriteSpriteFile(const SpriteFile& file, std::vector<size_t>* recordEnds) {
  std::string out;
  PutHeader(out, file);
  Mark(out, recordEnds);
  for (const SpriteFileAnimation& animation : file.m_animations) {
    PutAnimation(out, file.m_version, animation, recordEnds);
  }
  PutImageTable(out, file, recordEnds);
  return out;
}

}  // namespace fixture
