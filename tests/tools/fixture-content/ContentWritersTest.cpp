// The content generator's writers: its command line, the sprites' colours and frame marks, the tones
// and their waves, the output tree's folders and archives (read back through the engine's archive
// reader) and the manifest's order.
#include <gtest/gtest.h>

#include <cstdio>
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

// An outline stands apart from its picture in every channel and, like the pictures, keeps its colour
// in a 5-6-5 back buffer and is never a mark's; the pictures nearest mid-grey too.
TEST(SpriteContent, OutlineColoursStandApartAndPassA16BitBuffer) {
  std::vector<uint32_t> pictures = {0x808080, 0x787C78, 0x000000 + 0x800000, 0xF8FCF8 - 0x800000};
  for (const std::string name : {"Hub_1", "sdl_Hub_bkg3", "SignIn_bkg"}) {
    for (int animation = 0; animation < 41; ++animation)
      pictures.push_back(fixture::AnimationColour(name, animation));
  }
  for (const uint32_t picture : pictures) {
    SCOPED_TRACE(testing::Message() << std::hex << picture);
    const uint32_t outline = fixture::OutlineColour(picture);
    EXPECT_EQ(outline & 0xFF070307, 0u);
    EXPECT_NE(outline, fixture::kMarkOn);
    EXPECT_NE(outline, fixture::kMarkOff);
    for (const int shift : {16, 8, 0}) {
      const int difference =
          static_cast<int>(outline >> shift & 0xFF) - static_cast<int>(picture >> shift & 0xFF);
      EXPECT_GE(difference < 0 ? -difference : difference, 0x40) << "channel at bit " << shift;
    }
  }
}

// Each area a frame of kOutlineWidth pixels inside its rectangle, cut at the picture's edges, in every
// frame; the frame mark stays on top, and a transparent sprite stays clear.
TEST(SpriteContent, ClickAreasAreOutlinedInsideTheirRectanglesInEveryFrame) {
  fixture::SpriteSpec spec;
  spec.m_name = "panel";
  spec.m_width = 60;
  spec.m_height = 30;
  spec.m_animations = {fixture::Loop(1), fixture::Hold(2)};
  spec.m_outlines = {{20, 8, 14, 10}, {-6, 20, 10, 30}, {0, 0, 30, 7}};
  const fixture::SpriteFile file = fixture::MakeSprite(spec);
  ASSERT_EQ(file.m_images.size(), 3u);
  struct Point {
    int x, y;
    bool outline;
  };
  const Point points[] = {
      // Inside the first area: its band, the pixel inside it, and just outside.
      {20, 12, true},
      {22, 12, true},
      {23, 12, false},
      {19, 12, false},
      {33, 17, true},
      {31, 15, true},
      {30, 14, false},
      {34, 17, false},
      {27, 8, true},
      {27, 10, true},
      {27, 11, false},
      {27, 18, false},
      // The second crosses the left and bottom edges: only its right and top bands are in the picture.
      {0, 25, false},
      {1, 25, true},
      {3, 25, true},
      {4, 25, false},
      {0, 20, true},
      {0, 22, true},
      {0, 23, false},
      {0, 29, false},
      // The third reaches the corner, where the mark is drawn over it; its band shows past the mark.
      {19, 0, true},
      {29, 3, true},
      {26, 3, false},
      {10, 6, true},
      {10, 7, false}};
  for (size_t image = 0; image < file.m_images.size(); ++image) {
    const int animation = image == 0 ? 0 : 1;
    const uint32_t picture = fixture::AnimationColour("panel", animation);
    const auto pixel = [&](int x, int y) {
      return file.m_images[image].m_pixels[static_cast<size_t>(y * 60 + x)] & 0xFFFFFF;
    };
    for (const Point& p : points) {
      EXPECT_EQ(pixel(p.x, p.y), p.outline ? fixture::OutlineColour(picture) : picture)
          << "image " << image << " at " << p.x << ", " << p.y;
    }
    EXPECT_EQ(pixel(0, 0), fixture::kMarkOff);
    EXPECT_EQ(pixel(2, 2), image == 2 ? fixture::kMarkOn : fixture::kMarkOff) << "frame 1's mark";
  }

  spec.m_transparent = true;
  for (const fixture::SpriteFileImage& image : fixture::MakeSprite(spec).m_images) {
    for (const uint32_t value : image.m_pixels) ASSERT_EQ(value, 0u);
  }
  EXPECT_TRUE(fixture::ManifestOf(spec).m_outlines.empty());
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

// A picture with click areas lists them and its outlines' colour; one without has neither.
TEST(Manifest, ListsThePicturesOutlines) {
  const DatabaseRef hub{Locale::kUniversal, "HUB"};
  fixture::SpriteSpec spec;
  spec.m_name = "Hub_1";
  spec.m_width = 800;
  spec.m_height = 600;
  spec.m_animations = {fixture::Loop(1)};
  fixture::Manifest manifest;
  manifest.AddSprite(hub, "Plain", fixture::ManifestOf(spec));
  spec.m_outlines = {{0, 0, 527, 169}, {-189, 133, 264, 188}};
  manifest.AddSprite(hub, "Outlined", fixture::ManifestOf(spec));
  const std::string json = manifest.ToJson();
  char colours[64];
  std::snprintf(colours, sizeof colours, "\"colour\": \"#%06X\", \"outline\": \"#%06X\"}]",
                static_cast<unsigned>(fixture::AnimationColour("Hub_1", 0)),
                static_cast<unsigned>(fixture::OutlineColour(fixture::AnimationColour("Hub_1", 0))));
  const size_t outlined = json.find("\"Outlined\": ");
  const size_t plain = json.find("\"Plain\": ");
  ASSERT_NE(outlined, std::string::npos);
  ASSERT_NE(plain, std::string::npos);
  const std::string outlinedEntry = json.substr(outlined, json.find('\n', outlined) - outlined);
  const std::string plainEntry = json.substr(plain, json.find('\n', plain) - plain);
  EXPECT_NE(
      outlinedEntry.find(std::string(colours) +
                         ", \"outlineWidth\": 3, \"outlines\": [[0, 0, 527, 169], [-189, 133, 264, 188]]}"),
      std::string::npos)
      << outlinedEntry;
  EXPECT_EQ(plainEntry.find("outline"), std::string::npos) << plainEntry;
}

}  // namespace
