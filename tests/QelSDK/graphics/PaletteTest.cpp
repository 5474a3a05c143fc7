// Palettes of stored images: the registry that shares them by colour sum, palette blocks in a set,
// and entry counts that the file cannot hold.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "ImageTestSupport.h"
#include "graphics/Palette.h"
#include "graphics/PaletteRegistry.h"
#include "graphics/SquishImageHeader.h"
#include "graphics/SquishImageSet.h"
#include "graphics/SquishStream.h"
#include "support/ImageRecords.h"

namespace memtest {
namespace {

constexpr uint32_t kRawWithPalette = 0x200 | 0x2000;

test::StoredImage PalettedImage(uint32_t id, std::vector<uint32_t> colors, uint8_t value) {
  test::StoredImage image;
  image.width = 1;
  image.height = 1;
  image.bitsPerPixel = 8;
  image.pitch = 1;
  image.flags = kRawWithPalette | 1;
  image.paletteId = id;
  image.palette = std::move(colors);
  image.data = {value};
  return image;
}

std::unique_ptr<SquishImageSet> ReadSet(const std::vector<test::StoredImage>& images, bool* ok = nullptr) {
  test::StoredImageSetRecord record;
  record.bitsPerPixel = 8;
  record.images = images;
  auto stream = StreamOf(test::WriteStoredImageSet(record));
  SquishStream file(stream.get());
  auto set = std::make_unique<SquishImageSet>();
  const bool read = set->Read(file);
  if (ok) *ok = read;
  return set;
}

uint8_t DecodedValue(const SquishImageSet& set, size_t image) {
  uint8_t value = 0xEE;
  set.GetImage(image).Decode(&value, SquishImageLayout{1, 1, 8, 1});
  return value;
}

TEST(PaletteTest, ThePaletteIdIsTheWrappingSumOfItsColours) {
  const uint32_t colors[] = {0xFFFFFFFF, 2, 0x10};
  EXPECT_EQ(Qel::Palette::ComputeId(3, colors), 0x11u);
  EXPECT_EQ(Qel::Palette::ComputeId(0, colors), 0u);
  EXPECT_EQ(Qel::Palette::ComputeId(3, nullptr), 0u);

  Qel::Palette palette;
  EXPECT_EQ(palette.IndexOf(2), -1);
  ASSERT_TRUE(palette.Allocate(0));
  EXPECT_EQ(palette.GetCount(), 0u);
  ASSERT_TRUE(palette.Allocate(3));
  EXPECT_EQ(palette.GetColors()[2], 0xFFFFFFFFu);
  std::copy(colors, colors + 3, palette.GetColors());
  EXPECT_EQ(palette.IndexOf(0x10), 2);
  EXPECT_EQ(palette.IndexOf(0x11), 0);
}

TEST(PaletteTest, ImagesShareAPaletteByIdAndSkipTheEntriesOfOneAlreadyKnown) {
  // Writers store the colour sum as the id; the registry knows a palette only by that sum.
  const std::vector<uint32_t> colors = {0xFF000000, 0xFFFF00FF, 0xFF00FF00};
  const uint32_t id = Qel::Palette::ComputeId(3, colors.data());
  test::StoredImage first = PalettedImage(id, colors, 5);
  first.flags |= 0x1000;
  first.key[0] = 0xFF;  // magenta, entry 1
  first.key[2] = 0xFF;
  first.key[3] = 0xFF;
  // The second block repeats the stored id with entries that would register another palette if read.
  test::StoredImage second = PalettedImage(id, {1, 2, 3, 4}, 6);
  second.x = 1;
  const auto set = ReadSet({first, second});
  ASSERT_EQ(set->GetImageCount(), 2u);
  Qel::Palette* palette = set->GetImage(0).GetHeader().GetPalette();
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(set->GetImage(1).GetHeader().GetPalette(), palette);
  EXPECT_EQ(palette->GetCount(), 3u);
  EXPECT_EQ(palette->GetId(), Qel::Palette::ComputeId(3, colors.data()));
  EXPECT_EQ(palette->GetReferenceCount(), 2);
  EXPECT_EQ(set->GetImage(0).GetHeader().GetPackedKey(), 1u);
  // Each image's data follows its block, so a skip that went wrong would show in the pixels.
  EXPECT_EQ(DecodedValue(*set, 0), 5);
  EXPECT_EQ(DecodedValue(*set, 1), 6);
}

// A palette of the same colours found by a later block is not held once more by the block itself: once
// no header holds it, the next registration purges it.
TEST(PaletteTest, APaletteNoHeaderHoldsIsPurgedAtTheNextRegistration) {
  const std::vector<uint32_t> colors = {10, 20, 30};
  const uint32_t id = Qel::Palette::ComputeId(3, colors.data());
  {
    const auto set = ReadSet({PalettedImage(id, colors, 1), PalettedImage(id, colors, 2)});
    ASSERT_EQ(set->GetImageCount(), 2u);
    EXPECT_EQ(set->GetImage(0).GetHeader().GetPalette()->GetReferenceCount(), 2);
  }
  Qel::Palette* kept = Qel::FindPalette(id);
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(kept->GetReferenceCount(), 1);  // the look-up's own
  kept->ReleaseReference();
  const uint32_t other[] = {1};
  ASSERT_NE(Qel::RegisterPalette(1, other), nullptr);
  EXPECT_EQ(Qel::FindPalette(id), nullptr);
}

TEST(PaletteTest, RegisteringTheSameColoursTwiceGivesOnePalette) {
  const uint32_t colors[] = {5, 6};
  Qel::Palette* first = Qel::RegisterPalette(2, colors);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetReferenceCount(), 0);
  first->AddReference();
  const uint32_t sameSum[] = {4, 7};
  EXPECT_EQ(Qel::RegisterPalette(2, sameSum), first);
  EXPECT_EQ(first->GetReferenceCount(), 2);
  EXPECT_EQ(first->GetColors()[0], 5u);
}

// Four times a 32-bit entry count wraps (0x40000001 entries are 4 bytes): counts are checked in 64 bits
// against what the file holds, and a block that cannot hold its count fails the header as a missing
// palette does.
TEST(PaletteTest, AnEntryCountTheFileCannotHoldFailsTheHeader) {
  const uint32_t counts[] = {0x40000001, 0xFFFFFFFF, 0};
  for (const uint32_t count : counts) {
    SCOPED_TRACE(count);
    test::StoredImage image = PalettedImage(1234, {0x11, 0x22, 0x33}, 9);
    image.paletteCount = count;
    bool read = true;
    const auto set = ReadSet({image}, &read);
    EXPECT_FALSE(read);
    EXPECT_EQ(set->GetImageCount(), 0u);
  }
  // One entry more than written still lies within the file: the block takes the position and the
  // data, and the image that the file then ends inside holds none.
  {
    test::StoredImage image = PalettedImage(1234, {0x11, 0x22, 0x33}, 9);
    image.paletteCount = 4;
    bool read = false;
    const auto set = ReadSet({image}, &read);
    EXPECT_TRUE(read);
    ASSERT_EQ(set->GetImageCount(), 1u);
    EXPECT_EQ(set->GetImage(0).GetDataSize(), 0u);
  }
  // For a known id the count is skipped, not read, and must still lie within the file.
  const std::vector<uint32_t> colors = {0x99};
  const auto known = ReadSet({PalettedImage(0x99, colors, 3)});
  ASSERT_EQ(known->GetImageCount(), 1u);
  test::StoredImage lying = PalettedImage(0x99, colors, 3);
  lying.paletteCount = 0x40000001;
  bool read = true;
  const auto set = ReadSet({lying}, &read);
  EXPECT_FALSE(read);
  Qel::Palette* palette = known->GetImage(0).GetHeader().GetPalette();
  EXPECT_EQ(palette->GetReferenceCount(), 1);
}

}  // namespace
}  // namespace memtest
