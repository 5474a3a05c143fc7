// The save slots.
#include "framework/SaveGameManager.h"

#include <exception>
#include <memory>

#include "core/FileUtilities.h"
#include "core/Trace.h"
#include "core/WinFileSpec.h"
#include "framework/CurrentPlayer.h"
#include "framework/SaveInputStream.h"
#include "framework/SaveOutputStream.h"

namespace {

constexpr const char* kSlotFileNames[SaveGameManager::kSlotCount] = {
    "SaveGame0.sav", "SaveGame1.sav", "SaveGame2.sav", "SaveGame3.sav",
    "SaveGame4.sav", "SaveGame5.sav", "SaveGame6.sav", "SaveGame7.sav",
};

// Null, with the refusal on the trace, for a slot that does not exist.
const char* SlotFileName(uint32_t slot, const char* operation) {
  if (slot < SaveGameManager::kSlotCount) return kSlotFileNames[slot];
  Qel::Trace("ERROR: SaveGameManager: %s: there is no save slot %d\n", operation, static_cast<int>(slot));
  return nullptr;
}

void TraceException(const char* operation, const char* name) {
  try {
    throw;
  } catch (const std::exception& e) {
    Qel::Trace("ERROR: SaveGameManager: %s %s failed: %s\n", operation, name, e.what());
  } catch (...) {
    Qel::Trace("ERROR: SaveGameManager: %s %s failed\n", operation, name);
  }
}

}  // namespace

SaveGameManager& SaveGameManager::Instance() {
  static SaveGameManager instance;
  return instance;
}

const char* SaveGameManager::FileName(uint32_t slot) {
  return slot < kSlotCount ? kSlotFileNames[slot] : nullptr;
}

bool SaveGameManager::SaveCurrentSlot() {
  if (m_currentSlot == kNoSlot) {
    Qel::Trace("INFO: SaveGameManager: no player is signed in; nothing is saved\n");
    return false;
  }
  const char* name = SlotFileName(m_currentSlot, "save");
  if (!name) return false;
  try {
    SaveOutputStream out;
    if (!out.Open(name)) return false;
    CurrentPlayer::Instance().Write(out);
    return out.Close();
  } catch (...) {
    TraceException("saving", name);
    return false;
  }
}

bool SaveGameManager::LoadSlot(uint32_t slot) {
  const char* name = SlotFileName(slot, "load");
  if (!name) return false;
  try {
    SaveInputStream in;
    if (!in.Open(name)) {
      Qel::Trace("WARN: SaveGameManager: %s cannot be opened\n", name);
      return false;
    }
    if (!CurrentPlayer::Instance().Read(in)) {
      Qel::Trace("ERROR: SaveGameManager: %s is shorter than a save (%u bytes); it is not loaded\n", name,
                 CurrentPlayer::kFileSize);
      return false;
    }
    return true;
  } catch (...) {
    TraceException("loading", name);
    return false;
  }
}

bool SaveGameManager::SlotExists(uint32_t slot) {
  const char* name = SlotFileName(slot, "probe");
  if (!name) return false;
  try {
    SaveInputStream in;
    return in.Open(name);
  } catch (...) {
    TraceException("probing", name);
    return false;
  }
}

void SaveGameManager::DeleteSlot(uint32_t slot) {
  const char* name = SlotFileName(slot, "delete");
  if (!name) return;
  try {
    std::shared_ptr<Qel::IFileSpec> spec = Qel::WinFileSpec::Create();
    if (!spec) return;
    spec->SetPath(name);
    Qel::DeleteFileSpec(spec);
  } catch (...) {
    TraceException("deleting", name);
  }
}
