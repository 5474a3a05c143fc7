// Save slots: the file layout byte by byte, round trips, all eight slots, refused slot numbers,
// short, long and garbage files, and saves that fail part way and must leave the previous file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/Stream.h"
#include "framework/CurrentPlayer.h"
#include "framework/SaveGameManager.h"
#include "framework/SaveOutputStream.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kFileSize = 542;

std::string SlotFile(uint32_t slot) {
  return "SaveGame" + std::to_string(slot) + ".sav";
}

// The names in the working folder, sorted.
std::vector<std::string> FolderContents() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(".")) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Distinct values for every field: field f of a record made from seed s.
uint8_t Byte(uint32_t seed, uint32_t field) {
  return static_cast<uint8_t>(0x20 + seed * 37 + field * 11);
}
uint32_t Word(uint32_t seed, uint32_t field) {
  return 0x01000000u * (field % 200 + 1) + 0x00010000u * seed + 0x0101u * field;
}

// Field numbers: the header's five, then eleven per entry in the order the file has them.
enum : uint32_t { kSignedIn, kHubCounter, kNewResult, kSaveSlot, kGalleryFlag, kEntryFields };
enum : uint32_t { kFirstTime, kLevel, kGameFlag, kHighScore, kGameValue, kGameValue2, kLevelFlag0 };
uint32_t EntryField(uint32_t entry, uint32_t field) {
  return kEntryFields + entry * 11 + field;
}
constexpr uint32_t kCaptionsOn = kEntryFields + 23 * 11;
constexpr uint32_t kFreshProfile = kCaptionsOn + 1;

void Fill(CurrentPlayer& record, uint32_t seed) {
  record.signedIn = Byte(seed, kSignedIn);
  record.hubCounter = Word(seed, kHubCounter);
  record.newResult = Byte(seed, kNewResult);
  record.saveSlot = Word(seed, kSaveSlot);
  record.galleryFlag = Byte(seed, kGalleryFlag);
  for (uint32_t i = 0; i < 23; ++i) {
    GameProgress& game = record.games[i];
    game.firstTime = Byte(seed, EntryField(i, kFirstTime));
    game.level = static_cast<int32_t>(Word(seed, EntryField(i, kLevel)));
    game.gameFlag = Byte(seed, EntryField(i, kGameFlag));
    game.highScore = Word(seed, EntryField(i, kHighScore));
    game.gameValue = Word(seed, EntryField(i, kGameValue));
    game.gameValue2 = Word(seed, EntryField(i, kGameValue2));
    for (uint32_t f = 0; f < 5; ++f) game.levelFlags[f] = Byte(seed, EntryField(i, kLevelFlag0 + f));
  }
  record.captionsOn = Byte(seed, kCaptionsOn);
  record.freshProfile = Byte(seed, kFreshProfile);
}

// The file of a record, laid out by hand from the format's tables: the header at 0, 1, 5, 6 and 10,
// entry i at 11 + 23 × i with gameValue2 (at 14) before the level flags (at 18), the two flags last.
class FileBytes {
public:
  std::string bytes = std::string(kFileSize, '\0');

  void U8(size_t at, uint8_t value) { bytes.at(at) = static_cast<char>(value); }
  void U32(size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<char>((value >> (8 * i)) & 0xFF);
  }

  static FileBytes Of(uint32_t seed) {
    FileBytes file;
    file.U8(0, Byte(seed, kSignedIn));
    file.U32(1, Word(seed, kHubCounter));
    file.U8(5, Byte(seed, kNewResult));
    file.U32(6, Word(seed, kSaveSlot));
    file.U8(10, Byte(seed, kGalleryFlag));
    for (uint32_t i = 0; i < 23; ++i) {
      const size_t entry = 11 + 23 * i;
      file.U8(entry + 0, Byte(seed, EntryField(i, kFirstTime)));
      file.U32(entry + 1, Word(seed, EntryField(i, kLevel)));
      file.U8(entry + 5, Byte(seed, EntryField(i, kGameFlag)));
      file.U32(entry + 6, Word(seed, EntryField(i, kHighScore)));
      file.U32(entry + 10, Word(seed, EntryField(i, kGameValue)));
      file.U32(entry + 14, Word(seed, EntryField(i, kGameValue2)));
      for (uint32_t f = 0; f < 5; ++f) file.U8(entry + 18 + f, Byte(seed, EntryField(i, kLevelFlag0 + f)));
    }
    file.U8(540, Byte(seed, kCaptionsOn));
    file.U8(541, Byte(seed, kFreshProfile));
    return file;
  }

  static FileBytes Fresh() {
    FileBytes file;
    file.U32(6, 0xFFFFFFFF);
    for (uint32_t i = 0; i < 23; ++i) {
      const size_t entry = 11 + 23 * i;
      file.U8(entry + 0, 1);
      file.U32(entry + 1, 1);
      file.U32(entry + 10, 1);
    }
    file.U8(540, 1);
    file.U8(541, 1);
    return file;
  }
};

// The record as its file: compares whole records through the independent layout above.
std::string Saved(uint32_t slot) {
  return test::ReadFile(SlotFile(slot));
}

// Stands over a real file stream and, from its limit on, writes no more and fails; or fails its
// flush, or throws.
class FailingStream : public Qel::Stream {
public:
  enum class Fault { kWrite, kFlush, kThrow };
  FailingStream(std::shared_ptr<Qel::Stream> inner, Fault fault, uint32_t limit)
      : m_inner(std::move(inner)), m_fault(fault), m_limit(limit) {}

  bool Read(void* buffer, uint32_t& size) override { return m_inner->Read(buffer, size); }
  bool Write(const void* buffer, uint32_t size) override {
    if (m_fault == Fault::kThrow) throw std::runtime_error("the disk went away");
    if (m_fault == Fault::kFlush || m_written + size <= m_limit) {
      m_written += size;
      return m_inner->Write(buffer, size);
    }
    const uint32_t part = m_limit - m_written;
    if (part > 0) m_inner->Write(buffer, part);
    m_written = m_limit;
    return false;
  }
  bool Seek(int32_t offset, int origin) override { return m_inner->Seek(offset, origin); }
  uint32_t Tell() override { return m_inner->Tell(); }
  bool Flush() override { return m_fault != Fault::kFlush && m_inner->Flush(); }
  bool SetError(int code) override { return m_inner->SetError(code); }
  int TakeError() override { return m_inner->TakeError(); }
  uint32_t GetSize() override { return m_inner->GetSize(); }
  void Clone(std::shared_ptr<Qel::Stream>& out) override { out.reset(); }

private:
  std::shared_ptr<Qel::Stream> m_inner;
  Fault m_fault;
  uint32_t m_limit;
  uint32_t m_written = 0;
};

class SaveSlots : public testing::Test {
protected:
  ~SaveSlots() override { SaveOutputStream::SetStreamHookForTesting(nullptr); }

  // Saves the record made from seed to the slot; the slot stays current.
  bool SaveSeed(uint32_t slot, uint32_t seed) {
    Fill(m_player, seed);
    m_saves.SetCurrentSlot(slot);
    return m_saves.SaveCurrentSlot();
  }

  // The record in memory, written out through the hand-made layout's field order, by saving it
  // under a name of its own.
  std::string InMemory() {
    const uint32_t slot = m_saves.GetCurrentSlot();
    m_saves.SetCurrentSlot(7);
    EXPECT_TRUE(m_saves.SaveCurrentSlot());
    std::string bytes = Saved(7);
    fs::remove(SlotFile(7));
    m_saves.SetCurrentSlot(slot);
    return bytes;
  }

  CurrentPlayer& m_player = CurrentPlayer::Instance();
  SaveGameManager& m_saves = SaveGameManager::Instance();
};

}  // namespace

TEST_F(SaveSlots, AFreshRecordGivesTheFreshFile) {
  EXPECT_EQ(m_saves.GetCurrentSlot(), SaveGameManager::kNoSlot);
  m_saves.SetCurrentSlot(0);
  ASSERT_TRUE(m_saves.SaveCurrentSlot());
  const std::string file = Saved(0);
  ASSERT_EQ(file.size(), kFileSize);
  EXPECT_EQ(file, FileBytes::Fresh().bytes);
  EXPECT_EQ(file.substr(6, 4), "\xFF\xFF\xFF\xFF");
  EXPECT_EQ(file.substr(11, 6), std::string("\x01\x01\x00\x00\x00\x00", 6));
  EXPECT_EQ(file.substr(540), "\x01\x01");
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"SaveGame0.sav"});
}

TEST_F(SaveSlots, EveryFieldGoesToItsOffsetAndComesBack) {
  ASSERT_TRUE(SaveSeed(2, 1));
  EXPECT_EQ(Saved(2), FileBytes::Of(1).bytes);

  m_player.Reset();
  ASSERT_TRUE(m_saves.LoadSlot(2));
  EXPECT_EQ(InMemory(), FileBytes::Of(1).bytes);
  EXPECT_EQ(m_player.games[22].gameValue2, Word(1, EntryField(22, kGameValue2)));
  EXPECT_EQ(m_player.games[22].levelFlags[4], Byte(1, EntryField(22, kLevelFlag0 + 4)));
  EXPECT_EQ(m_player.freshProfile, Byte(1, kFreshProfile));

  // A file made by hand loads into the same fields.
  test::WriteFile(SlotFile(4), FileBytes::Of(9).bytes);
  ASSERT_TRUE(m_saves.LoadSlot(4));
  EXPECT_EQ(m_player.hubCounter, Word(9, kHubCounter));
  EXPECT_EQ(m_player.games[10].level, static_cast<int32_t>(Word(9, EntryField(10, kLevel))));
  EXPECT_EQ(InMemory(), FileBytes::Of(9).bytes);
  EXPECT_EQ(m_saves.GetCurrentSlot(), 2u);  // loading does not change the current slot
}

TEST_F(SaveSlots, EachOfTheEightSlotsIsAFileOfItsOwn) {
  for (uint32_t slot = 0; slot < SaveGameManager::kSlotCount; ++slot) {
    EXPECT_FALSE(m_saves.SlotExists(slot));
    ASSERT_TRUE(SaveSeed(slot, slot + 10));
  }
  EXPECT_EQ(FolderContents(),
            (std::vector<std::string>{"SaveGame0.sav", "SaveGame1.sav", "SaveGame2.sav", "SaveGame3.sav",
                                      "SaveGame4.sav", "SaveGame5.sav", "SaveGame6.sav", "SaveGame7.sav"}));
  for (uint32_t slot = 0; slot < SaveGameManager::kSlotCount; ++slot) {
    SCOPED_TRACE(slot);
    EXPECT_TRUE(m_saves.SlotExists(slot));
    EXPECT_EQ(Saved(slot), FileBytes::Of(slot + 10).bytes);
    ASSERT_TRUE(m_saves.LoadSlot(slot));
    EXPECT_EQ(m_player.hubCounter, Word(slot + 10, kHubCounter));
  }
  m_saves.DeleteSlot(3);
  EXPECT_FALSE(m_saves.SlotExists(3));
  EXPECT_FALSE(m_saves.LoadSlot(3));
  m_saves.DeleteSlot(3);  // already gone: nothing happens
  EXPECT_EQ(FolderContents().size(), 7u);
}

TEST_F(SaveSlots, NoCurrentSlotAndMissingFilesCreateNothing) {
  EXPECT_FALSE(m_saves.SaveCurrentSlot());
  EXPECT_FALSE(m_saves.SlotExists(0));
  EXPECT_FALSE(m_saves.SlotExists(5));
  Fill(m_player, 3);
  EXPECT_FALSE(m_saves.LoadSlot(1));
  m_saves.DeleteSlot(1);
  EXPECT_TRUE(FolderContents().empty());
  m_saves.SetCurrentSlot(6);
  EXPECT_EQ(InMemory(), FileBytes::Of(3).bytes);
}

TEST_F(SaveSlots, SlotNumbersOutsideTheEightAreRefused) {
  for (uint32_t slot = 0; slot < SaveGameManager::kSlotCount; ++slot) ASSERT_TRUE(SaveSeed(slot, slot));
  const std::vector<std::string> before = FolderContents();
  Fill(m_player, 50);
  for (const uint32_t slot : {0xFFFFFFFFu, 8u, 1000u, 0x80000000u}) {
    SCOPED_TRACE(slot);
    m_saves.SetCurrentSlot(slot);
    EXPECT_FALSE(m_saves.SaveCurrentSlot());
    EXPECT_FALSE(m_saves.LoadSlot(slot));
    EXPECT_FALSE(m_saves.SlotExists(slot));
    m_saves.DeleteSlot(slot);
  }
  EXPECT_EQ(FolderContents(), before);
  for (uint32_t slot = 0; slot < SaveGameManager::kSlotCount; ++slot)
    EXPECT_EQ(Saved(slot), FileBytes::Of(slot).bytes);
  m_saves.SetCurrentSlot(SaveGameManager::kNoSlot);
  EXPECT_EQ(InMemory(), FileBytes::Of(50).bytes);
}

// A save is 542 bytes: fewer is no save and changes nothing in memory; what follows them is not
// read. Without a check sum, any 542 bytes are a save and load as they stand.
TEST_F(SaveSlots, FilesShorterThanASaveAreRefusedAndLongerOnesReadTo542Bytes) {
  const std::string good = FileBytes::Of(4).bytes;
  const struct {
    const char* what;
    std::string bytes;
    bool loads;
  } cases[] = {
      {"empty", "", false},
      {"one byte", good.substr(0, 1), false},
      {"the header only", good.substr(0, 11), false},
      {"one byte short", good.substr(0, kFileSize - 1), false},
      {"exact", good, true},
      {"one byte more", good + "X", true},
      {"a long tail", good + std::string(100000, '\xEE'), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Fill(m_player, 77);
    test::WriteFile(SlotFile(1), c.bytes);
    EXPECT_EQ(m_saves.LoadSlot(1), c.loads);
    EXPECT_EQ(InMemory(), c.loads ? good : FileBytes::Of(77).bytes);
  }

  std::string garbage(kFileSize, '\0');
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 7919 + 13) & 0xFF);
  test::WriteFile(SlotFile(1), garbage);
  ASSERT_TRUE(m_saves.LoadSlot(1));
  EXPECT_EQ(InMemory(), garbage);

  fs::remove(SlotFile(1));
  fs::create_directory(SlotFile(1));
  Fill(m_player, 78);
  EXPECT_FALSE(m_saves.LoadSlot(1));
  EXPECT_FALSE(m_saves.SlotExists(1));
  EXPECT_EQ(InMemory(), FileBytes::Of(78).bytes);
}

// The save and a temporary file left by a crash are each found in whatever letter case they have, so
// the save replaces that very file and no sibling differing only in case is left beside it.
TEST_F(SaveSlots, ASaveReplacesTheSlotFileInWhateverLetterCaseItHas) {
  const struct {
    const char* what;
    std::vector<std::string> before;  // each holds the bytes of seed 1
    bool slotExists;                  // whether the slot is found before the save
    std::string saved;                // the one file afterwards, holding the new save
  } cases[] = {
      {"the save in another case", {"savegame3.SAV"}, true, "savegame3.SAV"},
      {"a temporary file in another case beside it",
       {"SAVEGAME3.SAV.TMP", "savegame3.SAV"},
       true,
       "savegame3.SAV"},
      {"a temporary file in another case alone", {"SAVEGAME3.SAV.TMP"}, false, "SaveGame3.sav"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (const std::string& name : c.before) test::WriteFile(name, FileBytes::Of(1).bytes);
    ASSERT_EQ(m_saves.SlotExists(3), c.slotExists);
    ASSERT_TRUE(SaveSeed(3, 2));
    EXPECT_EQ(FolderContents(), std::vector<std::string>{c.saved});
    EXPECT_EQ(test::ReadFile(c.saved), FileBytes::Of(2).bytes);
    fs::remove(c.saved);
  }
}

// However the save fails (its stream at any byte, the flush, an exception, the rename), the result
// is false, the previous file is left byte for byte and no temporary file stays behind.
TEST_F(SaveSlots, AFailedSaveLeavesThePreviousFile) {
  using Fault = FailingStream::Fault;
  const struct {
    const char* what;
    Fault fault;
    uint32_t limit;
  } cases[] = {
      {"no byte written", Fault::kWrite, 0},    {"one byte", Fault::kWrite, 1},
      {"the header", Fault::kWrite, 11},        {"half", Fault::kWrite, 271},
      {"all but one byte", Fault::kWrite, 541}, {"the flush", Fault::kFlush, 0},
      {"an exception", Fault::kThrow, 0},
  };
  for (const bool previous : {true, false}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (previous ? " over a save" : " of a first save"));
      fs::remove(SlotFile(5));
      if (previous) {
        ASSERT_TRUE(SaveSeed(5, 1));
      }
      SaveOutputStream::SetStreamHookForTesting([&c](std::shared_ptr<Qel::Stream> inner) {
        return std::make_shared<FailingStream>(std::move(inner), c.fault, c.limit);
      });
      EXPECT_FALSE(SaveSeed(5, 2));
      SaveOutputStream::SetStreamHookForTesting(nullptr);
      if (previous) {
        EXPECT_EQ(Saved(5), FileBytes::Of(1).bytes);
        EXPECT_EQ(FolderContents(), std::vector<std::string>{"SaveGame5.sav"});
      } else {
        EXPECT_TRUE(FolderContents().empty());
      }
    }
  }

  // A folder in the slot's place cannot be replaced: the rename fails.
  fs::remove(SlotFile(5));
  fs::create_directories(SlotFile(5) + "/inside");
  EXPECT_FALSE(SaveSeed(5, 3));
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"SaveGame5.sav"});
  EXPECT_TRUE(fs::is_directory(SlotFile(5) + "/inside"));
}

class SaveSlotsTraced : public SaveSlots {
protected:
  static void SetUpTestSuite() { setenv("PILO_TRACE", "1", 1); }
};

// A failed save says once which file failed and how, in the Linux path of the working folder.
TEST_F(SaveSlotsTraced, AFailedSaveNamesItsFileAsALinuxPath) {
  const std::string folder = fs::current_path().string();
  const std::string temporary = folder + "/SaveGame5.sav.tmp";
  const struct {
    const char* what;
    const char* inTheWay;  // a folder made where a file must go
    bool failWrite;
    std::string line;
  } cases[] = {
      {"a folder where the temporary file goes", "SaveGame5.sav.tmp", false,
       "ERROR: SaveOutputStream: " + temporary + " cannot be created\n"},
      {"a failing write", nullptr, true,
       "ERROR: SaveOutputStream: " + temporary + " could not be written; the previous save is kept\n"},
      {"a folder in the slot's place", "SaveGame5.sav", false,
       "ERROR: SaveOutputStream: " + temporary + " could not replace " + folder +
           "/SaveGame5.sav; the previous save is kept\n"},
      {"a folder in the slot's place in another letter case", "savegame5.SAV", false,
       "ERROR: SaveOutputStream: " + temporary + " could not replace " + folder +
           "/savegame5.SAV; the previous save is kept\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.inTheWay) fs::create_directories(std::string(c.inTheWay) + "/inside");
    if (c.failWrite) {
      SaveOutputStream::SetStreamHookForTesting([](std::shared_ptr<Qel::Stream> inner) {
        return std::make_shared<FailingStream>(std::move(inner), FailingStream::Fault::kWrite, 0);
      });
    }
    testing::internal::CaptureStderr();
    EXPECT_FALSE(SaveSeed(5, 1));
    const std::string trace = testing::internal::GetCapturedStderr();
    SaveOutputStream::SetStreamHookForTesting(nullptr);
    EXPECT_EQ(trace, c.line);
    if (c.inTheWay) fs::remove_all(c.inTheWay);
  }
}

// A full disk, as the file-size limit makes one: the write of the temporary file fails part way.
TEST_F(SaveSlots, AFileSizeLimitDuringTheSaveLeavesThePreviousFile) {
  ASSERT_TRUE(SaveSeed(0, 1));
  ASSERT_NE(signal(SIGXFSZ, SIG_IGN), SIG_ERR);
  rlimit original{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &original), 0);
  for (const rlim_t limit : {rlim_t{0}, rlim_t{100}, rlim_t{kFileSize - 1}}) {
    SCOPED_TRACE(limit);
    rlimit lowered = original;
    lowered.rlim_cur = limit;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &lowered), 0);
    const bool saved = SaveSeed(0, 2);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &original), 0);
    EXPECT_FALSE(saved);
    EXPECT_EQ(Saved(0), FileBytes::Of(1).bytes);
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"SaveGame0.sav"});
  }
  ASSERT_TRUE(SaveSeed(0, 2));
  EXPECT_EQ(Saved(0), FileBytes::Of(2).bytes);
}
