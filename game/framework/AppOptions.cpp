// The program's settings, filled from "Pilo.ini" at start-up and read by the shell and the game.
#include "framework/AppOptions.h"

#include <cstring>
#include <string_view>

#include "core/Trace.h"
#include "framework/ValueTokenizer.h"
#include "platform/win/kernel/AsciiCase.h"

namespace {

constexpr std::string_view kCheatPassPhrase = "KelpIsPurple";

template <size_t N>
void CopyText(const char* key, const char* value, char (&field)[N]) {
  const size_t length = std::strlen(value);
  if (length >= N) {
    Qel::Trace("WARN: AppOptions: the %s value of %zu characters is longer than %zu and was ignored\n", key,
               length, N - 1);
    return;
  }
  std::memcpy(field, value, length + 1);
}

}  // namespace

void AppOptions::SetTxtValue(const char* key, const char* value) {
  if (!key || !value) return;
  const auto is = [key](std::string_view name) { return plat::EqualsIgnoringCase(key, name); };
  ValueTokenizer tokens(value);

  if (is("cdpath")) {
    CopyText(key, value, m_cdPath);
  } else if (is("hdpath")) {
    CopyText(key, value, m_hdPath);
  } else if (is("language")) {
    CopyText(key, value, m_language);
  } else if (is("windowed")) {
    m_windowed = tokens.NextBool();
  } else if (is("showframerate")) {
    m_showFrameRate = tokens.NextBool();
  } else if (is("showdebuginfo")) {
    m_showDebugInfo = tokens.NextBool();
  } else if (is("graphics")) {
    m_graphicsLevel = tokens.NextInt();
  } else if (is("cheatmode")) {
    const char* phrase = tokens.NextToken();
    if (phrase && plat::EqualsIgnoringCase(phrase, kCheatPassPhrase)) m_cheatMode = true;
  } else if (is("streammusic")) {
    m_streamMusic = tokens.NextBool();
  } else if (is("ccon")) {
    m_captionsOn = tokens.NextBool();
  } else if (is("cpu")) {
    m_cpuMhz = tokens.NextInt();
  } else if (is("mem")) {
    m_memoryMb = tokens.NextInt();
  }
}
