// The save slots: eight files "SaveGame0.sav" to "SaveGame7.sav" in the working folder, and the
// number of the current one.
#pragma once

#include <cstdint>

// Every operation takes the slot number 0..7 and refuses any other (the sign-in screen passes
// numbers read from save files). None lets an exception out: a failure is false, and named on the
// trace.
class SaveGameManager {
public:
  static constexpr uint32_t kSlotCount = 8;
  static constexpr uint32_t kNoSlot = 0xFFFFFFFFu;

  // Built on first use; destroyed at exit.
  static SaveGameManager& Instance();
  // The slot's file name ("SaveGame<slot>.sav"), for messages; null for a slot that does not exist.
  static const char* FileName(uint32_t slot);

  SaveGameManager(const SaveGameManager&) = delete;
  SaveGameManager& operator=(const SaveGameManager&) = delete;

  // kNoSlot while no player is chosen.
  uint32_t GetCurrentSlot() const { return m_currentSlot; }
  void SetCurrentSlot(uint32_t slot) { m_currentSlot = slot; }

  // Writes CurrentPlayer to the current slot's file, replacing the old file only once the new one
  // is complete on the disk. False when no slot is current or the file cannot be written; the
  // previous file is then as it was.
  bool SaveCurrentSlot();
  // Reads the slot's file into CurrentPlayer; false on any failure, a file shorter than a record
  // included, and CurrentPlayer is then unchanged. The current slot is not changed.
  bool LoadSlot(uint32_t slot);
  // Whether the slot's file opens for reading; creates nothing.
  bool SlotExists(uint32_t slot);
  // Deletes the slot's file when there is one.
  void DeleteSlot(uint32_t slot);

private:
  SaveGameManager() = default;

  uint32_t m_currentSlot = kNoSlot;
};
