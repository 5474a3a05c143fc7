// Type codes of extensions and the case-blind name hash.
#include <gtest/gtest.h>

#include "core/ResourceAddress.h"

TEST(ResourceAddress, TypeCodesOfShortAndLongExtensions) {
  struct Case {
    const char* ext;
    uint32_t code;
  };
  const Case cases[] = {
      {"wav", 0x77617620u},   {"bik", 0x62696B20u},  {"txt", 0x74787420u},  {"snc", 0x736E6320u},
      {"WAV", 0x77617620u},   {".wav", 0x77617620u}, {"", 0x20202020u},     {nullptr, 0x20202020u},
      {"jpeg2", 0x6A706567u}, {"q", 0x71202020u},    {"QelA", 0x71656C61u}, {"..x", 0x2E782020u},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ext ? c.ext : "(null)");
    EXPECT_EQ(Qel::TypeCodeFromExtension(c.ext), c.code);
  }
  EXPECT_EQ(Qel::kTypeSprite, 0x71656C61u);
}

TEST(ResourceAddress, NameHashIsCaseBlindOverTheBaseName) {
  struct Case {
    const char* name;
    uint32_t hash;
  };
  const Case cases[] = {
      {"abc", 99321u}, {"ABC", 99321u}, {"a", 65u}, {"title", 148168810u}, {"", 0u}, {nullptr, 0u},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name ? c.name : "(null)");
    EXPECT_EQ(Qel::NameHash(c.name), c.hash);
  }
  EXPECT_NE(Qel::NameHash("a_b"), Qel::NameHash("a-b"));
  EXPECT_EQ(Qel::NameHash("Title_Screen"), Qel::NameHash("tITLE_sCREEN"));
}

TEST(ResourceAddress, HighBytesEnterAsNegativeAndLongNamesWrap) {
  // 0xE9 enters as -23: "\xE9" alone hashes to 2^32 - 23.
  EXPECT_EQ(Qel::NameHash("\xE9"), 0xFFFFFFE9u);
  // "a\xE9": 'A' + 38 * (-23) = 65 - 874, modulo 2^32.
  EXPECT_EQ(Qel::NameHash("a\xE9"), static_cast<uint32_t>(65 - 874));
  // The sum wraps modulo 2^32; compute the same sum independently in 64 bits.
  const char* longName = "abcdefghijklmnopqrstuvwxyz0123456789";
  uint64_t expected = 0, power = 1;
  for (const char* p = longName; *p; ++p) {
    int c = *p;
    if (c >= 'a' && c <= 'z') c -= 32;
    expected += static_cast<uint64_t>(c) * power;
    power *= 38;
  }
  EXPECT_EQ(Qel::NameHash(longName), static_cast<uint32_t>(expected));
}
