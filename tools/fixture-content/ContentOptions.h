// The generator's command line: where to write, in which form, and how spoken lines sound.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace fixture {

// dir: each database a folder; qel: each a ".qel" archive, its sounds and movies in a folder of the
// same name beside it; both: the whole folders and the archives beside them (the engine adds both;
// the folder, added last, is searched first).
enum class ContentForm { kDirectory, kArchive, kBoth };
// tone: a short tone per line (quick, for the tests); speech: the caption spoken through espeak-ng.
enum class VoiceKind { kTone, kSpeech };

struct ContentOptions {
  std::filesystem::path m_out;
  ContentForm m_form = ContentForm::kDirectory;
  VoiceKind m_voice = VoiceKind::kSpeech;
};

// "--out DIR [--form dir|qel|both] [--voice tone|speech]"; nullopt, with the reason in error, for
// anything else.
std::optional<ContentOptions> ParseContentOptions(const std::vector<std::string>& arguments,
                                                  std::string& error);

}  // namespace fixture
