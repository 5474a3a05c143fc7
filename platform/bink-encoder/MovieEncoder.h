// Short test movies written through FFmpeg: a solid colour per frame or a moving pattern, with an optional
// 16-bit PCM track, in AVI. Tests, benchmarks and the content generator make their movies here; the game
// never links it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plat::bink_encoder {

enum class VideoCodec {
  kLosslessRgb,     // FFV1 over 8-bit RGB: every colour comes back exactly
  kLosslessYuv420,  // FFV1 over YUV 4:2:0
  kMpeg4,           // MPEG-4 part 2 over YUV 4:2:0, a codec of real movies
};

struct MovieSpec {
  int width = 32;
  int height = 24;
  // Frames per second as rateNum / rateDen.
  int rateNum = 10;
  int rateDen = 1;
  VideoCodec codec = VideoCodec::kLosslessRgb;
  // One entry per frame: the colour of the whole picture as 0xRRGGBB. A moving movie only takes the count.
  std::vector<uint32_t> frames;
  // A pattern that changes every pixel from frame to frame, as real footage does for a decoder.
  bool moving = false;
  // MPEG-4's fixed quantiser, 1 (best) to 31.
  int quality = 4;
  // Sound: interleaved samples, none while audioChannels is 0. Spread over the frames as they come, the
  // rest after the last frame.
  int audioRate = 22050;
  int audioChannels = 0;
  std::vector<int16_t> audio;
};

// The colour of pixel (x, y) in frame number frame (from 0) of a moving movie, as 0xRRGGBB.
uint32_t MovingColour(int x, int y, int frame);

// Writes the movie as an AVI file at the Linux path; false with the reason in error.
bool WriteMovie(const std::string& path, const MovieSpec& spec, std::string& error);

}  // namespace plat::bink_encoder
