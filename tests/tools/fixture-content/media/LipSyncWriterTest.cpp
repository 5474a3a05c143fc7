// Lip-sync tracks from loudness: which windows close and open the mouth, and that the game's track
// reader gives back every shape at its time.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "fixture-content/media/LipSyncWriter.h"
#include "framework/LipSyncTrack.h"

namespace {

constexpr int kRate = 22050;
// Samples of one track entry.
constexpr size_t kWindow = 1103;

// A sine of that amplitude for so many windows.
std::vector<int16_t> Sine(double amplitude, size_t windows) {
  std::vector<int16_t> samples(windows * kWindow);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] =
        static_cast<int16_t>(std::lround(amplitude * std::sin(2 * std::numbers::pi * 440.0 * i / kRate)));
  return samples;
}

// A constant level for so many windows: its loudness is exactly the value.
std::vector<int16_t> Flat(int16_t value, size_t windows) {
  return std::vector<int16_t>(windows * kWindow, value);
}

std::vector<int16_t> Joined(std::vector<std::vector<int16_t>> parts) {
  std::vector<int16_t> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

bool ReadTrack(LipSyncTrack& track, const std::string& bytes) {
  auto block = std::make_shared<Qel::MemoryBlock>();
  block->Allocate(static_cast<uint32_t>(bytes.size()));
  std::memcpy(block->GetData(), bytes.data(), bytes.size());
  Qel::MemStream stream;
  stream.SetMemoryBlock(block);
  return track.Read(stream);
}

}  // namespace

TEST(LipSyncWriter, LoudnessOpensTheMouthAgainstTheLoudestWindowAndSilenceClosesIt) {
  struct Case {
    const char* what;
    std::vector<int16_t> samples;
    std::vector<uint8_t> shapes;
  };
  const std::vector<Case> cases = {
      {"no samples: one closed entry", {}, {0}},
      {"silence", Sine(0, 3), {0, 0, 0}},
      {"a steady line, however quiet", Sine(1000, 3), {15, 15, 15}},
      {"too quiet to be speech", Sine(100, 2), {0, 0}},
      {"half as loud, then silent, then loud",
       Joined({Flat(8000, 1), Flat(0, 1), Flat(-16000, 1)}),
       {8, 0, 15}},
      {"a window far below the loudest closes", Joined({Sine(20000, 1), Sine(600, 1)}), {15, 0}},
      {"a part window at the end counts", Joined({Sine(10000, 2), std::vector<int16_t>(10, 0)}), {15, 15, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(fixture::LipSyncShapes(c.samples, kRate), c.shapes) << c.what;
}

TEST(LipSyncWriter, TheGamesReaderGivesEveryShapeAtItsTime) {
  const std::vector<uint8_t> shapes = fixture::LipSyncShapes(
      Joined({Sine(3000, 2), Sine(0, 1), Sine(12000, 2), Sine(6000, 1), Sine(0, 1)}), kRate);
  ASSERT_EQ(shapes.size(), 7u);
  LipSyncTrack track;
  ASSERT_TRUE(ReadTrack(track, fixture::WriteLipSyncTrack(shapes)));
  EXPECT_EQ(track.GetShapeCount(), shapes.size());
  EXPECT_EQ(track.GetMsPerShape(), fixture::kLipSyncMsPerShape);
  for (size_t i = 0; i < shapes.size(); ++i)
    EXPECT_EQ(track.ShapeAt(static_cast<uint32_t>(i * 50)), shapes[i]) << "entry " << i;
  // Every shape is one of the talking heads' mouths.
  for (const uint8_t shape : shapes) EXPECT_LT(shape, fixture::kMouthShapeCount);
}
