// The WAV reader: formats, chunk layouts, pad bytes, and files that are cut short or lie about themselves.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "sound/CWaveStream.h"
#include "support/TempDir.h"
#include "support/WaveBytes.h"
#include "support/WindowsPath.h"

using Qel::CWaveStream;
using test::Chunk;
using test::Riff;
using test::WaveFormat;

namespace {

using plat::dsound::WAVEFORMATEX;
using plat::win::BYTE;
using plat::win::DWORD;
using plat::win::E_FAIL;
using plat::win::HRESULT;
using plat::win::S_OK;
using plat::win::WORD;

// Everything the reader gives from the data on, read in pieces of the given size.
std::string ReadAll(CWaveStream& wave, DWORD piece = 1000) {
  std::string out;
  std::string buffer(piece, '\0');
  for (;;) {
    DWORD got = 0;
    EXPECT_EQ(wave.Read(reinterpret_cast<BYTE*>(buffer.data()), piece, &got), S_OK);
    if (got == 0) return out;
    out.append(buffer, 0, got);
  }
}

HRESULT OpenBytes(CWaveStream& wave, const std::string& bytes) {
  test::WriteFile("sound.wav", bytes);
  return wave.Open("sound.wav", nullptr, CWaveStream::kRead);
}

}  // namespace

TEST(WaveStream, ReadsEveryPlayableFormat) {
  struct Case {
    const char* name;
    WaveFormat format;
  };
  const Case cases[] = {
      {"8-bit mono", {1, 1, 11025, 8}},   {"8-bit stereo", {1, 2, 22050, 8}},
      {"16-bit mono", {1, 1, 22050, 16}}, {"16-bit stereo", {1, 2, 44100, 16}},
      {"lowest rate", {1, 1, 100, 8}},    {"highest rate", {1, 2, 100000, 16}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string data = test::Pattern(c.format.Block() * 5000, c.format.rate);
    CWaveStream wave;
    ASSERT_EQ(OpenBytes(wave, test::Wave(c.format, data)), S_OK);
    const WAVEFORMATEX* format = wave.GetFormat();
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(format->wFormatTag, 1);
    EXPECT_EQ(format->nChannels, c.format.channels);
    EXPECT_EQ(format->nSamplesPerSec, c.format.rate);
    EXPECT_EQ(format->wBitsPerSample, c.format.bits);
    EXPECT_EQ(format->nBlockAlign, c.format.Block());
    EXPECT_EQ(format->nAvgBytesPerSec, c.format.rate * c.format.Block());
    EXPECT_EQ(format->cbSize, 0);
    EXPECT_EQ(wave.GetSize(), data.size());
    // Pieces that cross the file's 8 KB read-ahead at odd places.
    EXPECT_EQ(ReadAll(wave, 777), data);
  }
}

TEST(WaveStream, FindsItsChunksPastOthersAndPadBytes) {
  const WaveFormat format{1, 1, 22050, 8};
  const std::string data = test::Pattern(301);  // odd: the data chunk has a pad byte too
  struct Case {
    const char* name;
    std::string chunks;
  };
  const Case cases[] = {
      {"list and odd junk before the data", test::FmtChunk(format) +
                                                Chunk("LIST", "INFOISFT" + test::U32(3) + "abc") +
                                                Chunk("junk", "xyz") + Chunk("data", data)},
      {"junk before the format", Chunk("JUNK", "12345") + test::FmtChunk(format) + Chunk("data", data)},
      {"data before the format", Chunk("data", data) + test::FmtChunk(format) + Chunk("cue ", "abcd")},
      {"a longer format chunk", Chunk("fmt ", test::FmtRecord(format) + test::U16(0)) + Chunk("data", data)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CWaveStream wave;
    ASSERT_EQ(OpenBytes(wave, Riff("WAVE", c.chunks)), S_OK);
    EXPECT_EQ(wave.GetSize(), 301u);
    EXPECT_EQ(ReadAll(wave), data);
  }
}

TEST(WaveStream, ResetFileGoesBackToTheStartOfTheData) {
  const std::string data = test::Pattern(20000);
  CWaveStream wave;
  ASSERT_EQ(OpenBytes(wave, test::Wave({1, 2, 22050, 16}, data)), S_OK);
  std::string start(12345, '\0');
  DWORD got = 0;
  ASSERT_EQ(wave.Read(reinterpret_cast<BYTE*>(start.data()), 12345, &got), S_OK);
  EXPECT_EQ(got, 12345u);
  ASSERT_EQ(wave.ResetFile(), S_OK);
  EXPECT_EQ(ReadAll(wave), data);
  ASSERT_EQ(wave.ResetFile(), S_OK);
  EXPECT_EQ(ReadAll(wave, 20000), data);
}

TEST(WaveStream, FilesThatStateMoreThanTheyHoldGiveWhatTheyHoldInWholeFrames) {
  const WaveFormat stereo16{1, 2, 22050, 16};
  const std::string data = test::Pattern(4000, 5);
  const std::string fmt = test::FmtChunk(stereo16);
  struct Case {
    const char* name;
    std::string bytes;
    size_t expected;  // bytes of data read
  };
  const Case cases[] = {
      // The file was cut inside the data: 2001 bytes remain, 500 frames of 4.
      {"cut data", Riff("WAVE", fmt + Chunk("data", data)).substr(0, 12 + fmt.size() + 8 + 2001), 2000},
      // A data size of almost 4 GB in a small file asks for no huge buffer.
      {"huge data size", Riff("WAVE", fmt + Chunk("data", data, 0xFFFFFFF0)), 4000},
      // The RIFF chunk ends before the data does: the data is held to its parent.
      {"short riff", Riff("WAVE", fmt + Chunk("data", data), 4 + fmt.size() + 8 + 1003), 1000},
      // A RIFF size beyond the file is held to the file.
      {"long riff", Riff("WAVE", fmt + Chunk("data", data), 0xFFFFFFFF), 4000},
      // A data chunk that is not a whole number of frames.
      {"odd data", Riff("WAVE", fmt + Chunk("data", data.substr(0, 3999))), 3996},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CWaveStream wave;
    ASSERT_EQ(OpenBytes(wave, c.bytes), S_OK);
    EXPECT_EQ(wave.GetSize(), c.expected);
    EXPECT_EQ(ReadAll(wave), data.substr(0, c.expected));
  }
}

TEST(WaveStream, WavesThatCannotBePlayedAreRefused) {
  const std::string data = test::Pattern(400);
  const auto wave = [&data](WaveFormat format) { return test::Wave(format, data); };
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"ADPCM", wave({2, 1, 22050, 4, 256})},
      {"extensible", wave({0xFFFE, 2, 22050, 16})},
      // A 16-byte record of another format: its extra-byte count would be read from the next chunk.
      {"16-byte float",
       Riff("WAVE", Chunk("fmt ", test::FmtRecord({3, 1, 22050, 32})) + Chunk("data", data))},
      {"no channels", wave({1, 0, 22050, 16, 2})},
      {"three channels", wave({1, 3, 22050, 16})},
      {"no bits", wave({1, 1, 22050, 0, 1})},
      {"24 bits", wave({1, 1, 22050, 24})},
      {"rate 0", wave({1, 1, 0, 16})},
      {"rate 99", wave({1, 1, 99, 16})},
      {"rate 100001", wave({1, 1, 100001, 16})},
      {"no block alignment", wave({1, 2, 22050, 16, 0xFFFF}).replace(12 + 8 + 12, 2, test::U16(0))},
      {"wrong block alignment", wave({1, 2, 22050, 16, 2})},
      {"short format",
       Riff("WAVE", Chunk("fmt ", test::FmtRecord({1, 1, 22050, 16}).substr(0, 14)) + Chunk("data", data))},
      {"format cut by the file",
       "RIFF" + test::U32(100) + "WAVE" + "fmt " + test::U32(16) + std::string("\x01\0\x01\0", 4)},
      {"no format", Riff("WAVE", Chunk("data", data))},
      {"no data", Riff("WAVE", test::FmtChunk({}))},
      {"not a wave", Riff("AVI ", test::FmtChunk({}) + Chunk("data", data))},
      {"not riff", "RIFX" + wave({}).substr(4)},
      {"empty file", ""},
      {"header only", "RIFF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CWaveStream stream;
    EXPECT_EQ(OpenBytes(stream, c.bytes), E_FAIL);
    DWORD got = 1;
    BYTE byte = 0;
    EXPECT_EQ(stream.Read(&byte, 1, &got), plat::win::CO_E_NOTINITIALIZED);
    EXPECT_EQ(got, 0u);
  }
}

TEST(WaveStream, ARefusedFormatLeavesAnErrorLineInTheTrace) {
  setenv("PILO_TRACE", "1", 1);  // for this case only
  testing::internal::CaptureStderr();
  CWaveStream wave;
  EXPECT_EQ(OpenBytes(wave, test::Wave({1, 3, 22050, 16}, "abcdef")), E_FAIL);
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_NE(trace.find("ERROR: unsupported wave format (tag 1, 3 channels, 16 bits, 22050 Hz"),
            std::string::npos)
      << trace;
}

TEST(WaveStream, OpenTakesWindowsPathsAndRefusesOtherModesAndMissingFiles) {
  const std::string data = test::Pattern(64);
  test::WriteFile("Sounds/Bell.wav", test::Wave({}, data));
  CWaveStream wave;
  ASSERT_EQ(wave.Open((test::WindowsPathOf("sounds") + "\\BELL.WAV").c_str(), nullptr, CWaveStream::kRead),
            S_OK);
  EXPECT_EQ(ReadAll(wave), data);
  EXPECT_EQ(wave.Open("Sounds/Bell.wav", nullptr, 2), plat::win::E_INVALIDARG);
  EXPECT_EQ(wave.Open(nullptr, nullptr, CWaveStream::kRead), plat::win::E_INVALIDARG);
  EXPECT_EQ(wave.Open("missing.wav", nullptr, CWaveStream::kRead), E_FAIL);
}

TEST(WaveStream, ReadsWhatPythonsWaveModuleWrites) {
  // An oracle that is not our own writer.
  if (std::system("python3 -c 'import wave' 2>/dev/null") != 0) GTEST_SKIP() << "no python3";
  const char* script =
      "import wave\n"
      "for name, channels, width, rate, frames in [('a.wav', 1, 1, 11025, 999), ('b.wav', 2, 2, 22050, "
      "1001)]:\n"
      "    w = wave.open(name, 'wb')\n"
      "    w.setnchannels(channels); w.setsampwidth(width); w.setframerate(rate)\n"
      "    w.writeframes(bytes((i * 7 + 3) % 256 for i in range(frames * channels * width)))\n"
      "    w.close()\n";
  test::WriteFile("make.py", script);
  ASSERT_EQ(std::system("python3 make.py"), 0);
  struct Case {
    const char* file;
    WORD channels;
    WORD bits;
    DWORD rate;
    size_t bytes;
  };
  for (const Case& c : {Case{"a.wav", 1, 8, 11025, 999}, Case{"b.wav", 2, 16, 22050, 1001 * 4}}) {
    SCOPED_TRACE(c.file);
    CWaveStream wave;
    ASSERT_EQ(wave.Open(c.file, nullptr, CWaveStream::kRead), S_OK);
    EXPECT_EQ(wave.GetFormat()->nChannels, c.channels);
    EXPECT_EQ(wave.GetFormat()->wBitsPerSample, c.bits);
    EXPECT_EQ(wave.GetFormat()->nSamplesPerSec, c.rate);
    const std::string data = ReadAll(wave);
    ASSERT_EQ(data.size(), c.bytes);
    for (size_t i = 0; i < data.size(); ++i) ASSERT_EQ(static_cast<uint8_t>(data[i]), (i * 7 + 3) % 256) << i;
  }
}
