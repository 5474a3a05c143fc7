// Stopping every sound of the game but the music.
#pragma once

// Stops channels 0 to 62 (the music keeps channel 63), then runs one sound-manager update so that the
// stopped sounds post their "finished" events at once.
void StopAllSounds();
