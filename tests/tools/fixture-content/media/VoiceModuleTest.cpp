// Spoken lines: every line of the tables becomes a wave the game's reader plays and a lip-sync track its
// reader takes, espeak-ng speaks captions the same way every time, and without it the lines are tones.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/FileUtilities.h"
#include "core/IFile.h"
#include "core/Stream.h"
#include "core/WinFileSpec.h"
#include "fixture-content/ContentDatabases.h"
#include "fixture-content/ContentModule.h"
#include "fixture-content/WaveWriter.h"
#include "fixture-content/media/LipSyncWriter.h"
#include "fixture-content/media/SpeechVoice.h"
#include "framework/LipSyncTrack.h"
#include "sound/CWaveStream.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// The wave's samples through the game's wave reader; empty when it is not 16-bit mono at 22050 Hz.
std::vector<int16_t> ReadWave(const fs::path& path) {
  Qel::CWaveStream wave;
  if (plat::win::FAILED(wave.Open(path.c_str(), nullptr, Qel::CWaveStream::kRead))) return {};
  const Qel::WAVEFORMATEX* format = wave.GetFormat();
  if (!format || format->nChannels != 1 || format->wBitsPerSample != 16 || format->nSamplesPerSec != 22050)
    return {};
  std::vector<int16_t> samples(wave.GetSize() / 2);
  Qel::DWORD got = 0;
  wave.Read(reinterpret_cast<Qel::BYTE*>(samples.data()), wave.GetSize(), &got);
  samples.resize(got / 2);
  return samples;
}

bool ReadTrack(const fs::path& path, LipSyncTrack& track) {
  std::shared_ptr<Qel::IFileSpec> spec = Qel::WinFileSpec::Create();
  spec->SetPath(path.string());
  std::shared_ptr<Qel::Stream> stream;
  Qel::OpenFileStream(spec, Qel::kFileRead | Qel::kFileExisting, stream);
  return stream && track.Read(*stream);
}

// One database with two lines, as a table would give them.
std::vector<fixture::DatabaseSpec> TwoLines() {
  fixture::DatabaseSpec database;
  database.m_name = "Test";
  database.m_spokenLines.push_back({"0100", "TestCaptions", "Pilo", "Hello there.", true});
  database.m_spokenLines.push_back(
      {"02001", "TestCaptions", "Tovin", "Welcome to the reef, my friend.", false});
  return {database};
}

void WriteVoice(const std::vector<fixture::DatabaseSpec>& databases, fixture::VoiceKind voice,
                const fs::path& out, fixture::Manifest& manifest) {
  fixture::ContentOptions options;
  options.m_out = out;
  options.m_voice = voice;
  fixture::OutputTree tree;
  fixture::MakeVoiceModule()->Write(databases, options, tree, manifest);
  fixture::WriteTree(tree, out, fixture::ContentForm::kDirectory);
}

}  // namespace

TEST(VoiceModule, EveryLineOfTheTablesIsAWaveAndATrackTheGamesReadersTake) {
  test::TempDir out;
  fixture::Manifest manifest;
  const std::vector<fixture::DatabaseSpec> databases = fixture::AllDatabases();
  WriteVoice(databases, fixture::VoiceKind::kTone, out.Path(), manifest);
  size_t lines = 0;
  for (const fixture::DatabaseSpec& database : databases) {
    const fixture::DatabaseRef ref{fixture::Locale::kEngUsa, database.m_name};
    const fs::path folder = out.Path() / ref.Folder();
    for (const fixture::SpokenLineSpec& line : database.m_spokenLines) {
      SCOPED_TRACE(ref.Folder() + "/" + line.m_name);
      ++lines;
      const std::vector<int16_t> samples = ReadWave(folder / (line.m_name + ".wav"));
      // A tone of 0.4 s.
      EXPECT_EQ(samples.size(), 8820u);
      LipSyncTrack track;
      ASSERT_TRUE(ReadTrack(folder / (line.m_name + ".snc"), track));
      EXPECT_EQ(track.GetShapeCount(), 8u);
      EXPECT_EQ(track.GetMsPerShape(), fixture::kLipSyncMsPerShape);
      const auto& sounds = manifest.Databases().at(ref).m_sounds;
      ASSERT_TRUE(sounds.count(line.m_name));
      const fixture::ManifestSound& sound = sounds.at(line.m_name);
      EXPECT_EQ(sound.m_sampleFrames, static_cast<int32_t>(samples.size()));
      EXPECT_EQ(sound.m_milliseconds, 400);
      EXPECT_TRUE(sound.m_spoken);
      EXPECT_TRUE(sound.m_lipSync);
    }
  }
  EXPECT_GT(lines, 0u) << "the tables hold no spoken line";
}

TEST(VoiceModule, SpeechSpeaksEachCaptionAloneAndTheSameEveryTime) {
  if (!fixture::SpeechAvailable()) GTEST_SKIP() << "espeak-ng is not installed";
  const std::vector<std::string> texts = {"Hello there.", "Welcome to the reef, my friend.", "Hello there."};
  std::vector<std::vector<int16_t>> first, second;
  std::vector<std::string> errors;
  ASSERT_TRUE(fixture::SpeakLines(texts, 3, first, errors)) << errors[0] << errors[1];
  ASSERT_TRUE(fixture::SpeakLines(texts, 1, second, errors));
  EXPECT_EQ(first, second) << "a run in parallel speaks what a run one by one does";
  EXPECT_EQ(first[0], first[2]);
  // A few words are a fraction of a second to a second or two; the longer text is longer.
  EXPECT_GT(first[0].size(), 22050u / 5);
  EXPECT_LT(first[0].size(), 22050u * 3);
  EXPECT_GT(first[1].size(), first[0].size());
  // Speech has pauses and loud parts: the mouth closes and opens.
  const std::vector<uint8_t> shapes = fixture::LipSyncShapes(first[1], 22050);
  EXPECT_NE(std::count(shapes.begin(), shapes.end(), 0), 0);
  EXPECT_NE(std::count(shapes.begin(), shapes.end(), 15), 0);
  EXPECT_GT(std::count_if(shapes.begin(), shapes.end(), [](uint8_t s) { return s > 0 && s < 15; }), 0);

  test::TempDir out;
  fixture::Manifest manifest;
  WriteVoice(TwoLines(), fixture::VoiceKind::kSpeech, out.Path(), manifest);
  EXPECT_EQ(ReadWave(out.Path() / "eng_usa/Test/0100.wav"), first[0]);
  EXPECT_EQ(ReadWave(out.Path() / "eng_usa/Test/02001.wav"), first[1]);
  const fixture::ManifestSound& sound =
      manifest.Databases().at({fixture::Locale::kEngUsa, "Test"}).m_sounds.at("02001");
  EXPECT_EQ(sound.m_sampleFrames, static_cast<int32_t>(first[1].size()));
  EXPECT_EQ(sound.m_milliseconds, static_cast<int32_t>((first[1].size() * 1000 + 22049) / 22050));
}

TEST(VoiceModule, WithoutEspeakTheLinesAreTonesAndAWarningSaysSo) {
  test::TempDir emptyPath;
  const std::string oldPath = getenv("PATH") ? getenv("PATH") : "";
  setenv("PATH", emptyPath.Path().c_str(), 1);
  EXPECT_FALSE(fixture::SpeechAvailable());
  test::TempDir out;
  fixture::Manifest manifest;
  testing::internal::CaptureStderr();
  WriteVoice(TwoLines(), fixture::VoiceKind::kSpeech, out.Path(), manifest);
  const std::string warnings = testing::internal::GetCapturedStderr();
  setenv("PATH", oldPath.c_str(), 1);
  EXPECT_NE(warnings.find("WARN:"), std::string::npos) << warnings;
  EXPECT_NE(warnings.find("espeak-ng"), std::string::npos) << warnings;
  for (const char* name : {"0100", "02001"}) {
    EXPECT_EQ(ReadWave(out.Path() / "eng_usa/Test" / (std::string(name) + ".wav")),
              fixture::Tone(400, fixture::ToneFrequency(name)))
        << name;
    LipSyncTrack track;
    EXPECT_TRUE(ReadTrack(out.Path() / "eng_usa/Test" / (std::string(name) + ".snc"), track)) << name;
  }
}
