// The four settings the tool writes to "Pilo.ini" for the game's next start.
#include "settings-tool/ConfigSettings.h"

#include <cstdio>
#include <string_view>

#include "platform/profile/Profile.h"
#include "platform/win/kernel/AsciiCase.h"

ConfigSettings gConfigSettings;

namespace {

constexpr const char* kFile = ".\\Pilo.ini";
constexpr const char* kSection = "Config";
constexpr size_t kStreamMusicCapacity = 32;  // up to 31 characters

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The leading decimal number's sign and whether any of its digits is not 0.
bool IsNonZeroDecimal(std::string_view word) {
  size_t i = 0;
  if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
  for (; i < word.size() && IsDigit(word[i]); ++i) {
    if (word[i] != '0') return true;
  }
  return false;
}

}  // namespace

bool ConfigSettings::ReadsAsOn(const char* value) {
  std::string_view text(value ? value : "");
  text = text.substr(0, text.find(';'));
  constexpr std::string_view kSeparators = " \t,()";
  const auto first = text.find_first_not_of(kSeparators);
  if (first == std::string_view::npos) return true;
  const std::string_view word = text.substr(first, text.find_first_of(kSeparators, first) - first);
  if (plat::EqualsIgnoringCase(word, "true")) return true;
  if (plat::EqualsIgnoringCase(word, "false")) return false;
  return IsNonZeroDecimal(word);
}

void ConfigSettings::Read() {
  m_graphics = static_cast<int32_t>(plat::profile::GetPrivateProfileIntA(kSection, "graphics", 2, kFile));
  char streamMusic[kStreamMusicCapacity] = {};
  plat::profile::GetPrivateProfileStringA(kSection, "streammusic", "true", streamMusic, sizeof(streamMusic),
                                          kFile);
  m_streamMusic = ReadsAsOn(streamMusic) ? 1 : 0;
}

bool ConfigSettings::Write() const {
  char graphics[16];
  char cpu[16];
  char memory[16];
  std::snprintf(graphics, sizeof(graphics), " %d", m_graphics);
  std::snprintf(cpu, sizeof(cpu), " %d", m_cpuMhz);
  std::snprintf(memory, sizeof(memory), " %d", m_memoryMb);
  const char* streamMusic = m_streamMusic ? " true" : " false";
  return plat::profile::WritePrivateProfileStringA(kSection, "graphics", graphics, kFile) &&
         plat::profile::WritePrivateProfileStringA(kSection, "streammusic", streamMusic, kFile) &&
         plat::profile::WritePrivateProfileStringA(kSection, "cpu", cpu, kFile) &&
         plat::profile::WritePrivateProfileStringA(kSection, "mem", memory, kFile);
}
