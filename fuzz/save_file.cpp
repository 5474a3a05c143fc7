// Fuzz target: arbitrary bytes as a save slot's file, loaded into the saved record. A file of a
// whole record loads into exactly the fields its bytes hold; any shorter file is refused and leaves
// the record as it was. It writes "SaveGame0.sav" into its working folder: run it in a folder of its
// own (test.sh does).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "framework/CurrentPlayer.h"
#include "framework/SaveGameManager.h"

namespace {

constexpr const char* kSlotFile = "SaveGame0.sav";
constexpr size_t kRecordSize = 542;

void Require(bool condition) {
  if (!condition) std::abort();
}

uint32_t Word(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// Every field in file order, read from the record.
std::vector<uint32_t> Fields(const CurrentPlayer& record) {
  std::vector<uint32_t> fields{record.signedIn, record.hubCounter, record.newResult, record.saveSlot,
                               record.galleryFlag};
  for (const GameProgress& game : record.games) {
    fields.insert(fields.end(), {game.firstTime, static_cast<uint32_t>(game.level), game.gameFlag,
                                 game.highScore, game.gameValue, game.gameValue2});
    fields.insert(fields.end(), std::begin(game.levelFlags), std::end(game.levelFlags));
  }
  fields.insert(fields.end(), {record.captionsOn, record.freshProfile});
  return fields;
}

// The same fields decoded from the file's bytes by its layout.
std::vector<uint32_t> FieldsOf(const uint8_t* data) {
  std::vector<uint32_t> fields{data[0], Word(data + 1), data[5], Word(data + 6), data[10]};
  for (size_t i = 0; i < PlayerData::kGameCount; ++i) {
    const uint8_t* entry = data + 11 + 23 * i;
    fields.insert(fields.end(),
                  {entry[0], Word(entry + 1), entry[5], Word(entry + 6), Word(entry + 10), Word(entry + 14)});
    fields.insert(fields.end(), entry + 18, entry + 23);
  }
  fields.insert(fields.end(), {data[540], data[541]});
  return fields;
}

bool WriteSlotFile(const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(kSlotFile, "wb");
  if (!file) return false;
  const bool written = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}

void RemoveSlotFile() {
  std::remove(kSlotFile);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::atexit(RemoveSlotFile);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Require(WriteSlotFile(data, size));
  SaveGameManager& saves = SaveGameManager::Instance();
  CurrentPlayer& record = CurrentPlayer::Instance();
  Require(saves.SlotExists(0));
  const std::vector<uint32_t> before = Fields(record);
  const bool loaded = saves.LoadSlot(0);
  Require(loaded == (size >= kRecordSize));
  Require(Fields(record) == (loaded ? FieldsOf(data) : before));
  // Refused slots stay refused whatever was loaded.
  Require(!saves.LoadSlot(record.saveSlot < SaveGameManager::kSlotCount ? 8 : record.saveSlot));
  Require(Fields(record) == (loaded ? FieldsOf(data) : before));
  return 0;
}
