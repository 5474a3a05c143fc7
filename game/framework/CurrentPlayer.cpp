// The record that is saved to and loaded from a save slot.
#include "framework/CurrentPlayer.h"

#include "framework/SaveInputStream.h"
#include "framework/SaveOutputStream.h"

CurrentPlayer& CurrentPlayer::Instance() {
  static CurrentPlayer instance;
  return instance;
}

void CurrentPlayer::Reset() {
  // Every field of the progress record goes back to its fresh value, the high scores included:
  // a new profile inherits nothing from the player signed in before it.
  AssignByValue(PlayerData());
  captionsOn = 1;
  freshProfile = 1;
}

void CurrentPlayer::Write(SaveOutputStream& out) const {
  out.WriteU8(signedIn);
  out.WriteU32(hubCounter);
  out.WriteU8(newResult);
  out.WriteU32(saveSlot);
  out.WriteU8(galleryFlag);
  for (const GameProgress& game : games) {
    out.WriteU8(game.firstTime);
    out.WriteU32(static_cast<uint32_t>(game.level));
    out.WriteU8(game.gameFlag);
    out.WriteU32(game.highScore);
    out.WriteU32(game.gameValue);
    // The file keeps the second value before the level flags, the other way round from memory.
    out.WriteU32(game.gameValue2);
    for (const uint8_t flag : game.levelFlags) out.WriteU8(flag);
  }
  out.WriteU8(captionsOn);
  out.WriteU8(freshProfile);
}

bool CurrentPlayer::Read(SaveInputStream& in) {
  CurrentPlayer record;
  record.signedIn = in.ReadU8();
  record.hubCounter = in.ReadU32();
  record.newResult = in.ReadU8();
  record.saveSlot = in.ReadU32();
  record.galleryFlag = in.ReadU8();
  for (GameProgress& game : record.games) {
    game.firstTime = in.ReadU8();
    game.level = static_cast<int32_t>(in.ReadU32());
    game.gameFlag = in.ReadU8();
    game.highScore = in.ReadU32();
    game.gameValue = in.ReadU32();
    game.gameValue2 = in.ReadU32();
    for (uint8_t& flag : game.levelFlags) flag = in.ReadU8();
  }
  record.captionsOn = in.ReadU8();
  record.freshProfile = in.ReadU8();
  if (!in.HasReadAll()) return false;
  AssignByValue(record);
  captionsOn = record.captionsOn;
  freshProfile = record.freshProfile;
  return true;
}
