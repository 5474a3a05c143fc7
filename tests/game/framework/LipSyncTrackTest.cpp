// The lip-sync track reader: shapes by play position, and the files that are no track.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "framework/LipSyncTrack.h"

namespace {

void PutU32(std::string& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}

std::string Track(uint32_t count, float msPerShape, const std::vector<uint8_t>& shapes,
                  uint32_t magic = LipSyncTrack::kMagic) {
  std::string bytes;
  PutU32(bytes, magic);
  PutU32(bytes, count);
  uint32_t bits = 0;
  std::memcpy(&bits, &msPerShape, sizeof bits);
  PutU32(bytes, bits);
  bytes.append(shapes.begin(), shapes.end());
  return bytes;
}

bool ReadTrack(LipSyncTrack& track, const std::string& bytes) {
  auto block = std::make_shared<Qel::MemoryBlock>();
  if (!bytes.empty()) {
    block->Allocate(static_cast<uint32_t>(bytes.size()));
    std::memcpy(block->GetData(), bytes.data(), bytes.size());
  }
  Qel::MemStream stream;
  stream.SetMemoryBlock(block);
  return track.Read(stream);
}

}  // namespace

TEST(LipSyncTrack, ShapesFollowThePlayPositionToTheNearestEntry) {
  LipSyncTrack track;
  ASSERT_TRUE(ReadTrack(track, Track(10, 50.0f, {10, 11, 12, 13, 14, 15, 16, 17, 18, 19})));
  EXPECT_EQ(track.GetShapeCount(), 10u);
  EXPECT_EQ(track.GetMsPerShape(), 50.0f);
  const struct {
    uint32_t positionMs;
    int shape;
  } cases[] = {{0, 10},   {24, 10},  {25, 11},  {74, 11},     {75, 12},         {424, 18},
               {425, 19}, {475, 19}, {500, 19}, {100000, 19}, {0xFFFFFFFFu, 19}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.positionMs);
    EXPECT_EQ(track.ShapeAt(c.positionMs), c.shape);
  }
}

TEST(LipSyncTrack, EntriesOfThirtyOneAndAboveMeanShapeZero) {
  LipSyncTrack track;
  ASSERT_TRUE(ReadTrack(track, Track(4, 10.0f, {30, 31, 200, 255})));
  EXPECT_EQ(track.ShapeAt(0), 30);
  EXPECT_EQ(track.ShapeAt(10), 0);
  EXPECT_EQ(track.ShapeAt(20), 0);
  EXPECT_EQ(track.ShapeAt(30), 0);
}

// A time per entry so small that the quotient lies far beyond any integer.
TEST(LipSyncTrack, ATinyTimePerEntryGivesTheLastEntryWithoutOverflow) {
  LipSyncTrack track;
  ASSERT_TRUE(ReadTrack(track, Track(3, 1e-30f, {1, 2, 3})));
  EXPECT_EQ(track.ShapeAt(0), 1);
  EXPECT_EQ(track.ShapeAt(1), 3);
  EXPECT_EQ(track.ShapeAt(0xFFFFFFFFu), 3);
}

TEST(LipSyncTrack, FilesThatHoldNoWholeTrackAreNoTrack) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const std::string tooShort = "it is too short to be a track";
  const std::string cutHeader = "it is cut short inside its header";
  const std::string badTime = "its time per entry is not a positive number";
  const struct {
    const char* what;
    std::string bytes;
    std::string failure;
  } cases[] = {
      {"empty", "", tooShort},
      {"cut in the magic", Track(1, 50.0f, {1}).substr(0, 3), tooShort},
      {"cut in the header", Track(1, 50.0f, {1}).substr(0, 10), cutHeader},
      {"another magic", Track(2, 50.0f, {1, 2}, 0xF0000001u),
       "it does not begin with the track mark (0xF0000001 instead of 0xF0000002)"},
      {"a wave file", std::string("RIFF\x24\0\0\0WAVEfmt ", 16),
       "it does not begin with the track mark (0x46464952 instead of 0xF0000002)"},
      {"no entries", Track(0, 50.0f, {}), "it holds no entries"},
      {"zero time per entry", Track(2, 0.0f, {1, 2}), badTime},
      {"negative time per entry", Track(2, -50.0f, {1, 2}), badTime},
      {"time per entry not a number", Track(2, nan, {1, 2}), badTime},
      {"infinite time per entry", Track(2, inf, {1, 2}), badTime},
      {"fewer entries than counted", Track(5, 50.0f, {1, 2, 3, 4}),
       "it is cut short: it holds fewer than the 5 entries it announces"},
      {"a count beyond any file", Track(0xFFFFFFFFu, 50.0f, {1, 2, 3}),
       "it is cut short: it holds fewer than the 4294967295 entries it announces"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LipSyncTrack track;
    EXPECT_FALSE(ReadTrack(track, c.bytes));
    EXPECT_EQ(track.GetFailure(), c.failure);
    EXPECT_TRUE(track.IsEmpty());
    EXPECT_EQ(track.GetShapeCount(), 0u);
    EXPECT_EQ(track.ShapeAt(0), 0);
    EXPECT_EQ(track.ShapeAt(1000), 0);
  }
}

TEST(LipSyncTrack, BytesAfterTheEntriesAreIgnoredAndARefusedReadEmptiesTheTrack) {
  LipSyncTrack track;
  ASSERT_TRUE(ReadTrack(track, Track(2, 50.0f, {4, 5}) + "trailing"));
  EXPECT_EQ(track.GetShapeCount(), 2u);
  EXPECT_EQ(track.ShapeAt(50), 5);
  EXPECT_EQ(track.GetFailure(), "");
  EXPECT_FALSE(ReadTrack(track, Track(0, 50.0f, {})));
  EXPECT_TRUE(track.IsEmpty());
  EXPECT_EQ(track.GetMsPerShape(), 1.0f);
}
