// The settings: defaults, every key through the text-data reader, pass phrase, over-long texts.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>
#include <string>

#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "framework/AppOptions.h"
#include "framework/TxtDataManager.h"

namespace {

AppOptions ReadSettings(const std::string& text) {
  auto block = std::make_shared<Qel::MemoryBlock>();
  EXPECT_TRUE(block->Allocate(static_cast<uint32_t>(text.size())));
  if (!text.empty()) std::memcpy(block->GetData(), text.data(), text.size());
  auto stream = std::make_shared<Qel::MemStream>();
  stream->SetMemoryBlock(block);
  AppOptions options;
  EXPECT_TRUE(TxtDataManager::Instance().ParseStream(stream, options));
  return options;
}

}  // namespace

TEST(AppOptions, StartsWithTheDefaults) {
  const AppOptions options;
  EXPECT_STREQ(options.GetCdPath(), "");
  EXPECT_STREQ(options.GetHdPath(), "resources");
  EXPECT_STREQ(options.GetLanguage(), "eng_usa");
  EXPECT_FALSE(options.IsWindowed());
  EXPECT_FALSE(options.ShowFrameRate());
  EXPECT_FALSE(options.ShowDebugInfo());
  EXPECT_EQ(options.GetGraphicsLevel(), 3);
  EXPECT_FALSE(options.IsCheatMode());
  EXPECT_TRUE(options.StreamMusic());
  EXPECT_FALSE(options.AreCaptionsOn());
  EXPECT_EQ(options.GetCpuMhz(), 0);
  EXPECT_EQ(options.GetMemoryMb(), 0);
}

TEST(AppOptions, ReadsEveryKeyOfASettingsFile) {
  const AppOptions options = ReadSettings(
      "; written by hand\r\n"
      "CDPath = E:\\\r\n"
      "hdpath = D:\\Pilo\\Resources\r\n"
      "language=FRA_FRA\r\n"
      "windowed = TRUE\r\n"
      "showframerate = 1\r\n"
      "showdebuginfo = true\r\n"
      "cheatmode = kElPiSpUrPlE\r\n"
      "ccon = 1\r\n"
      "[Config]\r\n"
      "graphics=0x2\r\n"
      "streammusic=0\r\n"
      "cpu=450\r\n"
      "mem=64");
  EXPECT_STREQ(options.GetCdPath(), "e:\\");
  EXPECT_STREQ(options.GetHdPath(), "d:\\pilo\\resources");
  EXPECT_STREQ(options.GetLanguage(), "fra_fra");
  EXPECT_TRUE(options.IsWindowed());
  EXPECT_TRUE(options.ShowFrameRate());
  EXPECT_TRUE(options.ShowDebugInfo());
  EXPECT_EQ(options.GetGraphicsLevel(), 2);
  EXPECT_TRUE(options.IsCheatMode());
  EXPECT_FALSE(options.StreamMusic());
  EXPECT_TRUE(options.AreCaptionsOn());
  EXPECT_EQ(options.GetCpuMhz(), 450);
  EXPECT_EQ(options.GetMemoryMb(), 64);
}

TEST(AppOptions, AppliesSingleLines) {
  const std::string path259(259, 'p');
  const struct {
    std::string text;
    std::function<bool(const AppOptions&)> holds;
  } cases[] = {
      {"graphics = 2 ; two is enough\n", [](auto& o) { return o.GetGraphicsLevel() == 2; }},
      {"graphics = 0x10", [](auto& o) { return o.GetGraphicsLevel() == 16; }},
      {"graphics = 1\ngraphics = 0\n", [](auto& o) { return o.GetGraphicsLevel() == 0; }},
      {"graphics = low\n", [](auto& o) { return o.GetGraphicsLevel() == 0; }},
      {"graphics\n", [](auto& o) { return o.GetGraphicsLevel() == 3; }},
      {"graphics =\n", [](auto& o) { return o.GetGraphicsLevel() == 3; }},
      {"cpu = 99999999999\n", [](auto& o) { return o.GetCpuMhz() == std::numeric_limits<int32_t>::max(); }},
      {"mem = (128, 64)\n", [](auto& o) { return o.GetMemoryMb() == 128; }},
      {"show frame = 1\n", [](auto& o) { return !o.ShowFrameRate(); }},
      {"streammusic = no\n", [](auto& o) { return !o.StreamMusic(); }},
      {"windowed = false\nwindowed = 1", [](auto& o) { return o.IsWindowed(); }},
      {"unknown = 1\n", [](auto& o) { return o.GetGraphicsLevel() == 3 && !o.IsWindowed(); }},
      {"hdpath = My Games\\Pilo ; where\n",
       [](auto& o) { return std::strcmp(o.GetHdPath(), "my games\\pilo") == 0; }},
      {"cheatmode = KelpIsPurple\n", [](auto& o) { return o.IsCheatMode(); }},
      {"cheatmode = KELPISPURPLE now\n", [](auto& o) { return o.IsCheatMode(); }},
      {"cheatmode = kelpispurpl\n", [](auto& o) { return !o.IsCheatMode(); }},
      {"cheatmode = 1\n", [](auto& o) { return !o.IsCheatMode(); }},
      {"cheatmode =\n", [](auto& o) { return !o.IsCheatMode(); }},
      // a wrong phrase later does not take the cheat mode back
      {"cheatmode = kelpispurple\ncheatmode = off\n", [](auto& o) { return o.IsCheatMode(); }},
      {"hdpath = " + path259, [&](auto& o) { return o.GetHdPath() == path259; }},
      // too long for the field: refused, the default stays
      {"hdpath = " + path259 + "p", [](auto& o) { return std::strcmp(o.GetHdPath(), "resources") == 0; }},
      {"cdpath = " + std::string(900, 'c'), [](auto& o) { return std::strcmp(o.GetCdPath(), "") == 0; }},
      {"language = " + std::string(31, 'l'), [](auto& o) { return std::strlen(o.GetLanguage()) == 31; }},
      {"language = " + std::string(32, 'l'),
       [](auto& o) { return std::strcmp(o.GetLanguage(), "eng_usa") == 0; }},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(c.holds(ReadSettings(c.text))) << c.text.substr(0, 60);
  }
}

TEST(AppOptions, ComparesKeysWithoutRegardToCaseWhenCalledDirectly) {
  AppOptions options;
  options.SetTxtValue("GRAPHICS", "1");
  options.SetTxtValue("Windowed", "TRUE");
  options.SetTxtValue("HdPath", "Data");  // values reach the options as the caller gives them
  EXPECT_EQ(options.GetGraphicsLevel(), 1);
  EXPECT_TRUE(options.IsWindowed());
  EXPECT_STREQ(options.GetHdPath(), "Data");
}
