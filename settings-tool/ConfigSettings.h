// The four settings the tool writes to "Pilo.ini" for the game's next start.
#pragma once

#include <cstdint>

// Section "Config" of ".\Pilo.ini": graphics (2 high, 1 medium, 0 low), streammusic, cpu (MHz)
// and mem (MB). Every written value begins with one blank, as the game's reader strips it.
class ConfigSettings {
public:
  // graphics as a number (default 2) and streammusic as the game reads it (default on); cpu and
  // mem are measured, not read. A missing file leaves the defaults.
  void Read();
  // Writes graphics, streammusic, cpu and mem in that order; false when a key could not be written
  // (the file keeps what the writes before it left, each a whole file).
  bool Write() const;

  // The game's rule for a boolean setting: the text up to ";" and its first word (split at blanks,
  // tabs, commas and parentheses); "true" and "false" without regard to case, else a decimal number
  // that is not 0. No word at all leaves the game's default, on.
  static bool ReadsAsOn(const char* value);

  uint8_t m_streamMusic = 1;
  int32_t m_graphics = 2;
  int32_t m_cpuMhz = 0;
  int32_t m_memoryMb = 0;
};

extern ConfigSettings gConfigSettings;
