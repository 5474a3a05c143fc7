// The record that is saved to and loaded from a save slot: the progress record and two per-player
// flags.
#pragma once

#include <cstdint>

#include "framework/PlayerData.h"

class SaveInputStream;
class SaveOutputStream;

// The save paths copy ActivePlayerData in first (AssignByValue); after a load the sign-in screen
// copies it back.
//
// The save file is exactly kFileSize bytes, little-endian, with no header: signedIn, hubCounter
// (4), newResult, saveSlot (4), galleryFlag, then for each of the games firstTime, level (4),
// gameFlag, highScore (4), gameValue (4), gameValue2 (4), the levelFlags, and last captionsOn and
// freshProfile.
class CurrentPlayer : public PlayerData {
public:
  static constexpr uint32_t kEntrySize = 23;
  static constexpr uint32_t kEntriesOffset = 11;
  static constexpr uint32_t kFileSize = kEntriesOffset + kEntrySize * kGameCount + 2;

  // Built on first use as a fresh record; destroyed at exit.
  static CurrentPlayer& Instance();

  CurrentPlayer(const CurrentPlayer&) = delete;
  CurrentPlayer& operator=(const CurrentPlayer&) = delete;

  // A fresh record that no player has taken yet.
  void Reset();
  void Write(SaveOutputStream& out) const;
  // Reads a whole record; when the stream ends before the last byte, false and this record is left
  // as it was. Bytes after the record are not read.
  bool Read(SaveInputStream& in);

  // The player's closed-caption switch.
  uint8_t captionsOn = 1;
  // 1 in a record that no player has taken yet; the sign-in screen clears it.
  uint8_t freshProfile = 1;

private:
  CurrentPlayer() = default;
};
