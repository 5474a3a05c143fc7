// The program's settings, filled from "Pilo.ini" at start-up and read by the shell and the game.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/IHasLoadableTxtData.h"

// Every field holds its default from construction; a setting that is missing, unknown or unusable
// leaves its field as it was.
class AppOptions : public IHasLoadableTxtData {
public:
  static constexpr size_t kPathCapacity = 260;
  static constexpr size_t kLanguageCapacity = 32;

  // Keys without regard to case: cdpath, hdpath, language (raw text), windowed, showframerate,
  // showdebuginfo, streammusic, ccon (booleans), graphics, cpu, mem (integers) and cheatmode (on
  // only with the pass phrase). A text longer than its field holds is refused, not cut: a cut path
  // would name some other folder.
  void SetTxtValue(const char* key, const char* value) override;

  const char* GetCdPath() const { return m_cdPath; }
  const char* GetHdPath() const { return m_hdPath; }
  const char* GetLanguage() const { return m_language; }
  bool IsWindowed() const { return m_windowed; }
  bool ShowFrameRate() const { return m_showFrameRate; }
  bool ShowDebugInfo() const { return m_showDebugInfo; }
  int32_t GetGraphicsLevel() const { return m_graphicsLevel; }
  bool IsCheatMode() const { return m_cheatMode; }
  bool StreamMusic() const { return m_streamMusic; }
  bool AreCaptionsOn() const { return m_captionsOn; }
  // 0 when unknown.
  int32_t GetCpuMhz() const { return m_cpuMhz; }
  // 0 when unknown.
  int32_t GetMemoryMb() const { return m_memoryMb; }

private:
  char m_cdPath[kPathCapacity] = "";
  char m_hdPath[kPathCapacity] = "resources";
  char m_language[kLanguageCapacity] = "eng_usa";
  bool m_windowed = false;
  bool m_showFrameRate = false;
  bool m_showDebugInfo = false;
  int32_t m_graphicsLevel = 3;
  bool m_cheatMode = false;
  bool m_streamMusic = true;
  bool m_captionsOn = false;
  int32_t m_cpuMhz = 0;
  int32_t m_memoryMb = 0;
};
