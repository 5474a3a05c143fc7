// The sound events: what a sound tells the rest of the program about its life.
#pragma once

namespace Qel {

// The kind of every sound event. Its data is the sound's id (a NUL-terminated char text, valid
// only while the event is delivered).
inline constexpr int kEventSound = 4;

namespace EventId {
enum : int {
  SoundLoaded = 0,
  SoundStarted = 1,
  // A looping sound held whole passed its start again (never for the first pass).
  SoundLooped = 2,
  // The sound stopped by itself, or lost its channel to another sound.
  SoundFinished = 3,
};
}  // namespace EventId

class Sound;

// Posts an event of the sound, when the event manager exists.
void PostSoundEvent(int id, const Sound& sound);

}  // namespace Qel
