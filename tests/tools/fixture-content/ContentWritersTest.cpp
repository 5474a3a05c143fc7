// The content generator's writers: its command line, the sprites' colours and frame marks, the tones
// and their waves, the output tree's folders and archives (read back through the engine's archive
// reader) and the manifest's order.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/IMemoryBlock.h"
#include "core/ResourceAddress.h"
#include "core/ResourceZipfile.h"
#include "core/WinFileSpec.h"
#include "fixture-content/ContentOptions.h"
#include "fixture-content/Manifest.h"
#include "fixture-content/OutputTree.h"
#include "fixture-content/SpriteContent.h"
#include "fixture-content/TextContent.h"
#include "fixture-content/WaveWriter.h"
#include "support/TempDir.h"
#include "support/WindowsPath.h"

namespace {

namespace fs = std::filesystem;
using fixture::ContentForm;
using fixture::DatabaseRef;
using fixture::Locale;
using fixture::Storage;
using fixture::VoiceKind;

TEST(ContentOptions, ParsesTheCommandLineAndRefusesTheRest) {
  struct Case {
    std::vector<std::string> arguments;
    bool ok;
    ContentForm form;
    VoiceKind voice;
  };
  const std::vector<Case> cases = {
      {{"--out", "x"}, true, ContentForm::kDirectory, VoiceKind::kSpeech},
      {{"--out", "x", "--form", "qel", "--voice", "tone"}, true, ContentForm::kArchive, VoiceKind::kTone},
      {{"--form", "both", "--out", "x"}, true, ContentForm::kBoth, VoiceKind::kSpeech},
      {{}, false, {}, {}},
      {{"--form", "dir"}, false, {}, {}},
      {{"--out"}, false, {}, {}},
      {{"--out", ""}, false, {}, {}},
      {{"--out", "x", "--form", "zip"}, false, {}, {}},
      {{"--out", "x", "--voice", "loud"}, false, {}, {}},
      {{"--out", "x", "extra"}, false, {}, {}},
  };
  for (const Case& c : cases) {
    std::string error;
    const auto options = fixture::ParseContentOptions(c.arguments, error);
    ASSERT_EQ(options.has_value(), c.ok) << testing::PrintToString(c.arguments);
    if (!c.ok) {
      EXPECT_FALSE(error.empty());
      continue;
    }
    EXPECT_EQ(options->m_out, fs::path("x"));
    EXPECT_EQ(options->m_form, c.form);
    EXPECT_EQ(options->m_voice, c.voice);
  }
}

// Colours that a 5-6-5 back buffer keeps, distinct for neighbouring animations, never the marks'.
TEST(SpriteContent, ColoursPassA16BitBufferUnchanged) {
  for (const std::string name : {"Cursor", "Hub_1", "Pilo_Hub_R", "blank", "", "prog_numbers"}) {
    for (int animation = 0; animation < 41; ++animation) {
      const uint32_t colour = fixture::AnimationColour(name, animation);
      EXPECT_EQ(colour & 0xFF070307, 0u) << name << " " << animation;
      EXPECT_NE(colour, fixture::kMarkOn);
      EXPECT_NE(colour, fixture::kMarkOff);
      EXPECT_EQ(colour, fixture::AnimationColour(name, animation));
      if (animation > 0) {
        EXPECT_NE(colour, fixture::AnimationColour(name, animation - 1)) << name << " " << animation;
      }
    }
  }
}

TEST(SpriteContent, EachFrameCarriesItsNumberInTheCorner) {
  fixture::SpriteSpec spec;
  spec.m_name = "marks";
  spec.m_width = 30;
  spec.m_height = 10;
  spec.m_animations = {fixture::Loop(1), fixture::Hold(6)};
  spec.m_animations[1].m_offsetX = 7;
  const fixture::SpriteFile file = fixture::MakeSprite(spec);
  ASSERT_EQ(file.m_images.size(), 7u);
  ASSERT_EQ(file.m_animations.size(), 2u);
  EXPECT_EQ(file.m_animations[1].m_playMode, 1);
  EXPECT_EQ(file.m_animations[1].m_frames[5].m_image, 7);
  const fixture::SpriteFileImage& frame5 = file.m_images[6];  // frame 5 of animation 1: cells 1, 0, 1, 0
  EXPECT_EQ(frame5.m_x, 7);
  const auto pixel = [&](int x, int y) {
    return frame5.m_pixels[static_cast<size_t>(y * 30 + x)] & 0xFFFFFF;
  };
  for (int cell = 0; cell < fixture::kMarkCells; ++cell) {
    const uint32_t expected = (5 >> cell) & 1 ? fixture::kMarkOn : fixture::kMarkOff;
    EXPECT_EQ(pixel(1 + cell * fixture::kMarkCell + 1, 2), expected) << cell;
  }
  EXPECT_EQ(pixel(0, 0), fixture::kMarkOff);
  EXPECT_EQ(pixel(29, 9), fixture::AnimationColour("marks", 1));
  EXPECT_EQ(frame5.m_pixels[0] >> 24, 0xFFu);

  spec.m_transparent = true;
  for (const fixture::SpriteFileImage& image : fixture::MakeSprite(spec).m_images) {
    for (const uint32_t value : image.m_pixels) ASSERT_EQ(value, 0u);
  }
}

TEST(WaveWriter, TonesHaveTheirLengthAndLoopsJoinWithoutAStep) {
  const std::vector<int16_t> loop = fixture::Tone(4000, fixture::ToneFrequency("HUB_music_tempMSB"), true);
  ASSERT_EQ(loop.size(), 88200u);
  // The sample after the last is the first again: a whole number of periods.
  EXPECT_EQ(loop.front(), 0);
  EXPECT_LT(std::abs(loop.back() - (-loop[1])), 40) << loop.back() << " " << loop[1];
  const std::vector<int16_t> effect = fixture::Tone(250, 440.0);
  ASSERT_EQ(effect.size(), 5512u);
  EXPECT_EQ(effect.front(), 0);
  EXPECT_EQ(effect.back(), 0);

  const std::string wave = fixture::WriteWave({1, -2, 3});
  ASSERT_EQ(wave.size(), 44u + 6u);
  EXPECT_EQ(wave.compare(0, 4, "RIFF"), 0);
  EXPECT_EQ(wave.compare(8, 8, "WAVEfmt "), 0);
  EXPECT_EQ(wave.compare(36, 4, "data"), 0);
  uint32_t riffSize = 0, rate = 0, dataSize = 0;
  std::memcpy(&riffSize, wave.data() + 4, 4);
  std::memcpy(&rate, wave.data() + 24, 4);
  std::memcpy(&dataSize, wave.data() + 40, 4);
  EXPECT_EQ(riffSize, wave.size() - 8);
  EXPECT_EQ(rate, 22050u);
  EXPECT_EQ(dataSize, 6u);
}

TEST(TextContent, ObjectFilesCaptionsAndTheStringTable) {
  fixture::ObjectFileSpec file{"objs",
                               {{"gamebutton", "Playbut", "PlayArt", 5, -6, {{"clicksound", "ButtonDown"}}},
                                {"ambient", "noSprite", "", 0, 0, {}}}};
  EXPECT_EQ(fixture::ObjectFileText(file),
            "[gamebutton Playbut PlayArt]\r\nx = 5\r\ny = -6\r\nclicksound = ButtonDown\r\n\r\n"
            "[ambient noSprite]\r\nx = 0\r\ny = 0\r\n\r\n");
  fixture::SpokenLineSpec line;
  line.m_name = "02001";
  line.m_speaker = "Tovin";
  line.m_caption = "Hello there.";
  EXPECT_EQ(fixture::CaptionFileText({line}), "2001 Tovin Hello there.\r\n");
  EXPECT_EQ(fixture::StringTableText(), std::string("\xFF\xFEP\0i\0l\0o\0\r\0\n\0", 14));
}

TEST(OutputTree, RefusesAMemberTwiceWhateverItsCase) {
  fixture::OutputTree tree;
  const DatabaseRef global{Locale::kUniversal, "Global"};
  tree.Add(global, "Cursor.qela", "a", Storage::kArchived);
  EXPECT_THROW(tree.Add(global, "cursor.QELA", "b", Storage::kArchived), std::runtime_error);
  EXPECT_THROW(tree.Add(global, "sub/x.txt", "b", Storage::kArchived), std::runtime_error);
  // Another database, or the other locale, may hold the same name.
  tree.Add({Locale::kEngUsa, "Global"}, "Cursor.qela", "c", Storage::kArchived);
  tree.Add({Locale::kUniversal, "HUB"}, "Cursor.qela", "d", Storage::kArchived);
  EXPECT_TRUE(tree.Has(global, "CURSOR.qela"));
  tree.AddTopLevel("PiloStr.txt", "e");
  EXPECT_THROW(tree.AddTopLevel("PiloStr.txt", "f"), std::runtime_error);
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// What the engine's archive reader finds in the archive under that name and type.
std::optional<std::string> FromArchive(const fs::path& archive, const char* name, uint32_t type) {
  std::shared_ptr<Qel::IFileSpec> spec = Qel::WinFileSpec::Create();
  spec->SetPath(test::WindowsPathOf(archive));
  Qel::ResourceZipfile zip;
  if (!zip.Open(spec, 0)) throw std::runtime_error("the archive does not open");
  std::shared_ptr<Qel::IMemoryBlock> block;
  zip.Load(Qel::NameHash(name), type, block);
  if (!block) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(block->GetData()), block->GetSize());
}

TEST(OutputTree, WritesFoldersOrArchivesWithSoundsBesideThem) {
  fixture::OutputTree tree;
  const DatabaseRef hub{Locale::kUniversal, "HUB"};
  const std::string big(5000, 'x');
  tree.Add(hub, "HubObjs.txt", big, Storage::kArchived);
  tree.Add(hub, "noise.qela", "\x01\x7F\x33", Storage::kArchived);  // does not deflate: stored
  tree.Add(hub, "amb.wav", "RIFF", Storage::kPlain);
  tree.AddTopLevel("saves/SaveGame0.sav", "s");

  for (const ContentForm form : {ContentForm::kDirectory, ContentForm::kArchive, ContentForm::kBoth}) {
    test::TempDir out;
    test::WriteFile(out.Path() / "universal" / "HUB" / "stale.txt", "old");
    // Not written by the generator: left alone.
    EXPECT_THROW(fixture::WriteTree(tree, out.Path(), form), std::runtime_error);
    EXPECT_TRUE(fs::exists(out.Path() / "universal" / "HUB" / "stale.txt"));
    // A run cut short leaves the mark, and the next one goes ahead.
    test::WriteFile(out.Path() / fixture::kContentMark, "");
    fixture::WriteTree(tree, out.Path(), form);
    const fs::path folder = out.Path() / "universal" / "HUB";
    const fs::path archive = out.Path() / "universal" / "HUB.qel";
    EXPECT_FALSE(fs::exists(folder / "stale.txt"));
    EXPECT_EQ(ReadAll(folder / "amb.wav"), "RIFF");
    EXPECT_EQ(ReadAll(out.Path() / "saves" / "SaveGame0.sav"), "s");
    EXPECT_EQ(fs::exists(folder / "HubObjs.txt"), form != ContentForm::kArchive);
    ASSERT_EQ(fs::exists(archive), form != ContentForm::kDirectory);
    if (form == ContentForm::kDirectory) continue;
    EXPECT_EQ(FromArchive(archive, "hubobjs", Qel::kTypeText), big);
    EXPECT_EQ(FromArchive(archive, "noise", Qel::kTypeSprite), "\x01\x7F\x33");
    EXPECT_EQ(FromArchive(archive, "amb", Qel::kTypeWave), std::nullopt);
    EXPECT_LT(fs::file_size(archive), 1000u);
  }
}

TEST(Manifest, SameTextWhateverTheOrderOfAdding) {
  const DatabaseRef global{Locale::kUniversal, "Global"};
  const DatabaseRef hub{Locale::kUniversal, "HUB"};
  fixture::ManifestSprite sprite;
  sprite.m_width = 4;
  sprite.m_animations = {{2, fixture::EndMode::kChain, 0, 0x102030, 0, 0}};
  fixture::Manifest first;
  first.AddSprite(global, "Cursor", sprite);
  first.AddSound(hub, "amb", {4000, 22050, 88200, true, false, false});
  fixture::Manifest second;
  second.AddSound(hub, "amb", {4000, 22050, 88200, true, false, false});
  second.AddSprite(global, "Cursor", sprite);
  EXPECT_EQ(first.ToJson(), second.ToJson());
  EXPECT_NE(first.ToJson().find("\"end\": \"chain\", \"next\": 0, \"colour\": \"#102030\""),
            std::string::npos);
  EXPECT_THROW(first.AddSprite(global, "Cursor", sprite), std::runtime_error);
}

}  // namespace
