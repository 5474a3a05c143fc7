// Test movies: written in-process through the movie encoder, and a Bink 1 file header built byte by byte.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/bink-encoder/MovieEncoder.h"
#include "support/WaveBytes.h"

namespace test {

using plat::bink_encoder::MovieSpec;
using plat::bink_encoder::VideoCodec;

// Colours whose channels (0x00, 0x40, 0x80, 0xC0, 0xF0) survive every copy layout, 4-bit ones included,
// whether the copy rounds, truncates or dithers.
inline const std::vector<uint32_t> kMovieColours = {0xF04000, 0x00C040, 0x4080F0, 0xC0C0C0,
                                                    0x800040, 0x40F080, 0xF0F0F0, 0x000000};

// A lossless RGB movie of one solid colour per frame, from the colours above in turn.
inline MovieSpec SolidMovie(int frames, int width = 32, int height = 24, int rate = 10) {
  MovieSpec spec;
  spec.width = width;
  spec.height = height;
  spec.rateNum = rate;
  for (int i = 0; i < frames; ++i)
    spec.frames.push_back(kMovieColours[static_cast<size_t>(i) % kMovieColours.size()]);
  return spec;
}

// Mono 16-bit samples in which no sample follows from its neighbours, so a shifted or repeated stretch
// shows; never silent.
inline std::vector<int16_t> SoundPattern(size_t samples, uint32_t seed = 7) {
  std::vector<int16_t> out(samples);
  uint32_t state = seed;
  for (int16_t& sample : out) {
    state = state * 1103515245u + 12345u;
    sample = static_cast<int16_t>(static_cast<int32_t>((state >> 16) % 20000) - 10000);
    if (sample == 0) sample = 1;
  }
  return out;
}

inline void WriteMovieFile(const std::filesystem::path& path, const MovieSpec& spec) {
  std::string error;
  if (!plat::bink_encoder::WriteMovie(path.string(), spec, error))
    throw std::runtime_error("test movie " + path.string() + " not written: " + error);
}

// A Bink 1 file ("BIKi") with no sound track: the header, the frame index, then frameBytes bytes of
// data for each frame (what they hold is the caller's; zeros by default).
inline std::string BinkFile(uint32_t width, uint32_t height, uint32_t frames, uint32_t rateNum,
                            uint32_t rateDen, const std::string& frameBytes = std::string(16, '\0')) {
  const uint32_t headerBytes = 44 + 4 * frames;
  const uint32_t fileBytes = headerBytes + frames * static_cast<uint32_t>(frameBytes.size());
  std::string file = "BIKi";
  file += U32(fileBytes - 8);
  file += U32(frames);
  file += U32(static_cast<uint32_t>(frameBytes.size()));  // the largest frame
  file += U32(frames);
  file += U32(width) + U32(height) + U32(rateNum) + U32(rateDen);
  file += U32(0);  // video flags
  file += U32(0);  // sound tracks
  // Frame offsets; the first is a key frame (bit 0).
  for (uint32_t i = 0; i < frames; ++i)
    file += U32((headerBytes + i * static_cast<uint32_t>(frameBytes.size())) | (i == 0 ? 1u : 0u));
  for (uint32_t i = 0; i < frames; ++i) file += frameBytes;
  return file;
}

}  // namespace test
