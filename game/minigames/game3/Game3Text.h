// The music game's names and tokens: which track a name stands for, and the note tokens of its
// scripts. Kept apart from the node so that the readers can be driven with any text.
#pragma once

#include <cstdint>
#include <optional>

#include "game3/Game3Node.h"

namespace game3 {

// The characters in track order, as the song files spell them.
inline constexpr const char* kCharacterNames[Game3Node::kTrackCount] = {"Oskel", "Orvel", "Tesh", "Fizwin",
                                                                        "Pertu", "Lirra", "Humbo"};

// Without regard to case; a text shorter than the prefix does not start with it.
bool StartsWith(const char* text, const char* prefix);
// The track of a character object's name: "char" and one digit 0 to 6, nothing after; else -1.
int TrackOfObjectName(const char* name);
// The track of a character's sound: "char", a digit 0 to 6 and "_"; else -1.
int TrackOfSoundName(const char* name);
// The track whose name the text is, whole, without regard to case; else -1.
int TrackOfCharacterName(const char* text);
// One note token: a letter of either case, a digit, a colon and a length of 0 to 32767 from the
// fourth character on. Nothing for anything else. A note of length 0 takes its one tick like any
// other: dropping it would move the rest of its track a tick earlier.
std::optional<Game3Node::Note> ParseNoteToken(const char* token);

}  // namespace game3
