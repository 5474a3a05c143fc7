// RIFF reading: chunk descent and ascent within parents, buffered reads and seeks, direct buffer access.
#include <gtest/gtest.h>

#include <string>

#include "platform/mmio/Mmio.h"
#include "support/TempDir.h"
#include "support/WaveBytes.h"
#include "support/WindowsPath.h"

using namespace plat::mmio;

namespace {

constexpr FOURCC kWave = mmioFOURCC('W', 'A', 'V', 'E');
constexpr FOURCC kFmt = mmioFOURCC('f', 'm', 't', ' ');
constexpr FOURCC kData = mmioFOURCC('d', 'a', 't', 'a');

class MmioTest : public testing::Test {
protected:
  void TearDown() override {
    if (m_file) {
      EXPECT_EQ(mmioClose(m_file, 0), MMSYSERR_NOERROR);
    }
  }

  HMMIO OpenBytes(const std::string& bytes, LONG bufferSize = 0) {
    test::WriteFile("file.wav", bytes);
    MMIOINFO info;
    info.cchBuffer = bufferSize;
    m_file = mmioOpenA("file.wav", &info, MMIO_READ | MMIO_ALLOCBUF);
    EXPECT_NE(m_file, nullptr);
    return m_file;
  }

  std::string ReadString(LONG count) {
    std::string text(static_cast<size_t>(count), '\0');
    const LONG got = mmioRead(m_file, text.data(), count);
    text.resize(got < 0 ? 0 : static_cast<size_t>(got));
    return text;
  }

  HMMIO m_file = nullptr;
};

}  // namespace

TEST(MmioFourcc, PutsTheFirstCharacterInTheLowestByte) {
  EXPECT_EQ(mmioFOURCC('R', 'I', 'F', 'F'), 0x46464952u);
  EXPECT_EQ(FOURCC_LIST, 0x5453494Cu);
}

TEST_F(MmioTest, FindsChunksInsideTheRiffFormPastOthersAndPadBytes) {
  const std::string data = "0123456789";
  OpenBytes(test::Riff("WAVE", test::Chunk("JUNK", "abc") + test::Chunk("fmt ", "FORMAT-16-BYTES!") +
                                   test::Chunk("LIST", "INFOxyz") + test::Chunk("data", data)));
  MMCKINFO riff;
  riff.fccType = kWave;
  ASSERT_EQ(mmioDescend(m_file, &riff, nullptr, MMIO_FINDRIFF), MMSYSERR_NOERROR);
  EXPECT_EQ(riff.ckid, FOURCC_RIFF);
  EXPECT_EQ(riff.dwDataOffset, 8u);  // the form type is the first byte of its data
  EXPECT_EQ(mmioSeek(m_file, 0, SEEK_CUR), 12);

  MMCKINFO chunk;
  chunk.ckid = kFmt;
  ASSERT_EQ(mmioDescend(m_file, &chunk, &riff, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
  EXPECT_EQ(chunk.cksize, 16u);
  EXPECT_EQ(chunk.dwDataOffset, 12u + 12u + 8u);  // past "JUNK", its 3 bytes and the pad byte
  EXPECT_EQ(ReadString(4), "FORM");
  ASSERT_EQ(mmioAscend(m_file, &chunk, 0), MMSYSERR_NOERROR);

  // A LIST chunk met on the way is skipped whole, form type and all.
  chunk.ckid = kData;
  ASSERT_EQ(mmioDescend(m_file, &chunk, &riff, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
  EXPECT_EQ(chunk.cksize, data.size());
  EXPECT_EQ(ReadString(100), data);  // the file ends there
}

TEST_F(MmioTest, ADescentWithoutFlagsTakesTheChunkWhereItStands) {
  OpenBytes(test::Riff("WAVE", test::Chunk("fmt ", "x")));
  MMCKINFO chunk;
  ASSERT_EQ(mmioDescend(m_file, &chunk, nullptr, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(chunk.ckid, FOURCC_RIFF);
  EXPECT_EQ(chunk.fccType, kWave);
  MMCKINFO inner;
  ASSERT_EQ(mmioDescend(m_file, &inner, &chunk, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(inner.ckid, kFmt);
  EXPECT_EQ(inner.cksize, 1u);
  ASSERT_EQ(mmioAscend(m_file, &inner, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(mmioSeek(m_file, 0, SEEK_CUR), 12 + 8 + 2);  // the pad byte is skipped
}

TEST_F(MmioTest, ASearchStopsAtTheEndOfTheParentAndOfTheFile) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      // "data" follows the RIFF chunk, outside it.
      {"after the parent", test::Riff("WAVE", test::Chunk("fmt ", "abcd")) + test::Chunk("data", "x")},
      // The parent says it is shorter than the chunks it holds.
      {"parent cut short", test::Riff("WAVE", test::Chunk("fmt ", "abcd") + test::Chunk("data", "x"), 16)},
      // A chunk states a size far beyond the file; skipping it leaves the file.
      {"huge chunk", test::Riff("WAVE", test::Chunk("fmt ", "abcd", 0xFFFFFFF0) + test::Chunk("data", "x"))},
      // The RIFF has room for "data", but the file ends inside its header.
      {"cut header", "RIFF" + test::U32(100) + "WAVE" + test::Chunk("fmt ", "abcd") + "data\x01"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OpenBytes(c.bytes);
    MMCKINFO riff;
    ASSERT_EQ(mmioDescend(m_file, &riff, nullptr, 0), MMSYSERR_NOERROR);
    MMCKINFO chunk;
    chunk.ckid = kData;
    EXPECT_EQ(mmioDescend(m_file, &chunk, &riff, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);
    EXPECT_EQ(mmioClose(m_file, 0), MMSYSERR_NOERROR);
    m_file = nullptr;
  }
}

TEST_F(MmioTest, ANonWaveFormIsNotFoundAsOne) {
  OpenBytes(test::Riff("AVI ", test::Chunk("data", "x")));
  MMCKINFO riff;
  riff.fccType = kWave;
  EXPECT_EQ(mmioDescend(m_file, &riff, nullptr, MMIO_FINDRIFF), MMIOERR_CHUNKNOTFOUND);
}

TEST_F(MmioTest, ReadsAndSeeksAcrossBufferRefills) {
  const std::string bytes = test::Pattern(1000);
  OpenBytes(bytes, 64);
  EXPECT_EQ(ReadString(100), bytes.substr(0, 100));
  EXPECT_EQ(mmioSeek(m_file, 10, SEEK_CUR), 110);
  EXPECT_EQ(ReadString(5), bytes.substr(110, 5));
  EXPECT_EQ(mmioSeek(m_file, 3, SEEK_SET), 3);  // back inside what was read before
  EXPECT_EQ(ReadString(200), bytes.substr(3, 200));
  EXPECT_EQ(mmioSeek(m_file, -4, SEEK_END), 996);
  EXPECT_EQ(ReadString(10), bytes.substr(996));
  EXPECT_EQ(ReadString(10), "");
  EXPECT_EQ(mmioSeek(m_file, -1, SEEK_SET), -1);
  EXPECT_EQ(mmioSeek(m_file, 0, 7), -1);
  EXPECT_EQ(mmioSeek(m_file, 2000, SEEK_SET), 2000);  // beyond the end reads nothing
  EXPECT_EQ(ReadString(10), "");
}

TEST_F(MmioTest, TheBufferReadDirectlyGivesTheFileInOrder) {
  const std::string bytes = test::Pattern(300, 7);
  OpenBytes(bytes, 32);
  ASSERT_EQ(mmioSeek(m_file, 5, SEEK_SET), 5);
  MMIOINFO info;
  ASSERT_EQ(mmioGetInfo(m_file, &info, 0), MMSYSERR_NOERROR);
  std::string seen;
  while (seen.size() < 200) {
    if (info.pchNext == info.pchEndRead) {
      ASSERT_EQ(mmioAdvance(m_file, &info, MMIO_READ), MMSYSERR_NOERROR);
      ASSERT_NE(info.pchNext, info.pchEndRead);
    }
    seen += *info.pchNext++;
  }
  ASSERT_EQ(mmioSetInfo(m_file, &info, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(seen, bytes.substr(5, 200));
  // Plain reads go on from where the direct reader stopped.
  EXPECT_EQ(ReadString(10), bytes.substr(205, 10));

  ASSERT_EQ(mmioGetInfo(m_file, &info, 0), MMSYSERR_NOERROR);
  info.pchNext = info.pchEndRead + 1;
  EXPECT_EQ(mmioSetInfo(m_file, &info, 0), MMSYSERR_INVALPARAM);

  // At the end an advance reads nothing.
  ASSERT_EQ(mmioSeek(m_file, 0, SEEK_END), 300);
  ASSERT_EQ(mmioGetInfo(m_file, &info, 0), MMSYSERR_NOERROR);
  ASSERT_EQ(mmioAdvance(m_file, &info, MMIO_READ), MMSYSERR_NOERROR);
  EXPECT_EQ(info.pchNext, info.pchEndRead);
}

TEST_F(MmioTest, OpensWindowsPathsWithoutRegardToCase) {
  test::WriteFile("Sounds/Tone.WAV", "RIFF");
  const std::string path = test::WindowsPathOf("sounds") + "\\tone.wav";
  m_file = mmioOpenA(path.c_str(), nullptr, MMIO_READ | MMIO_ALLOCBUF);
  ASSERT_NE(m_file, nullptr);
  EXPECT_EQ(ReadString(10), "RIFF");
}

TEST(Mmio, MissingFilesAndWriteModesAreRefused) {
  MMIOINFO info;
  EXPECT_EQ(mmioOpenA("missing.wav", &info, MMIO_READ), nullptr);
  EXPECT_EQ(info.wErrorRet, MMIOERR_FILENOTFOUND);
  test::WriteFile("there.wav", "RIFF");
  for (DWORD mode : {MMIO_WRITE, MMIO_READWRITE, MMIO_CREATE | MMIO_WRITE}) {
    SCOPED_TRACE(mode);
    EXPECT_EQ(mmioOpenA("there.wav", &info, mode), nullptr);
    EXPECT_EQ(info.wErrorRet, MMSYSERR_INVALPARAM);
  }
  EXPECT_EQ(mmioClose(nullptr, 0), MMSYSERR_INVALPARAM);
  EXPECT_EQ(mmioRead(nullptr, nullptr, 0), -1);
}
