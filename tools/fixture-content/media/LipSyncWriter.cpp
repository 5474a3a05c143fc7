// Lip-sync tracks from loudness.
#include "fixture-content/media/LipSyncWriter.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "framework/LipSyncTrack.h"

namespace fixture {

namespace {

// Windows quieter than this (root mean square, of full scale 32768) count as silence however quiet the
// loudest one is.
constexpr double kSilenceLevel = 200.0;

void PutU32(std::string& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFFu));
}

}  // namespace

std::vector<uint8_t> LipSyncShapes(const std::vector<int16_t>& samples, int sampleRate) {
  const size_t window =
      std::max<size_t>(1, static_cast<size_t>(std::lround(sampleRate * kLipSyncMsPerShape / 1000.0)));
  std::vector<double> levels;
  for (size_t start = 0; start < samples.size(); start += window) {
    const size_t end = std::min(samples.size(), start + window);
    double sum = 0;
    for (size_t i = start; i < end; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    levels.push_back(std::sqrt(sum / static_cast<double>(end - start)));
  }
  if (levels.empty()) return {0};
  const double loudest = *std::max_element(levels.begin(), levels.end());
  std::vector<uint8_t> shapes;
  shapes.reserve(levels.size());
  for (const double level : levels) {
    if (level < kSilenceLevel || level < loudest / 16) {
      shapes.push_back(0);
      continue;
    }
    const long open = std::lround(level / loudest * (kMouthShapeCount - 1));
    shapes.push_back(static_cast<uint8_t>(std::clamp<long>(open, 1, kMouthShapeCount - 1)));
  }
  return shapes;
}

std::string WriteLipSyncTrack(const std::vector<uint8_t>& shapes, float msPerShape) {
  std::string out;
  PutU32(out, LipSyncTrack::kMagic);
  PutU32(out, static_cast<uint32_t>(shapes.size()));
  PutU32(out, std::bit_cast<uint32_t>(msPerShape));
  out.append(shapes.begin(), shapes.end());
  return out;
}

}  // namespace fixture
