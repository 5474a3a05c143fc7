// Lip-sync tracks made from a spoken line's loudness, written in the file form the game reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fixture {

// One mouth shape per entry of this many milliseconds.
inline constexpr float kLipSyncMsPerShape = 50.0f;
// The talking heads draw mouths 0 (closed) to 15 (widest).
inline constexpr int kMouthShapeCount = 16;

// One shape per kLipSyncMsPerShape of sound: near-silence closes the mouth (0), the rest open it from 1
// to 15 by the window's loudness against the loudest window of the line, so a quiet recording moves the
// mouth as far as a loud one. A line without samples gets one closed entry: a track never has none.
std::vector<uint8_t> LipSyncShapes(const std::vector<int16_t>& samples, int sampleRate);

// The track file's bytes: magic, entry count, milliseconds per entry, the shapes.
std::string WriteLipSyncTrack(const std::vector<uint8_t>& shapes, float msPerShape = kLipSyncMsPerShape);

}  // namespace fixture
