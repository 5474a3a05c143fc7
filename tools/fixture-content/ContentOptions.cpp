// The generator's command line.
#include "fixture-content/ContentOptions.h"

namespace fixture {

std::optional<ContentOptions> ParseContentOptions(const std::vector<std::string>& arguments,
                                                  std::string& error) {
  ContentOptions options;
  bool haveOut = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    if (name != "--out" && name != "--form" && name != "--voice") {
      error = "unknown argument " + name;
      return std::nullopt;
    }
    if (i + 1 >= arguments.size()) {
      error = name + " needs a value";
      return std::nullopt;
    }
    const std::string& value = arguments[++i];
    if (name == "--out") {
      if (value.empty()) {
        error = "--out needs a folder";
        return std::nullopt;
      }
      options.m_out = value;
      haveOut = true;
    } else if (name == "--form") {
      if (value == "dir") {
        options.m_form = ContentForm::kDirectory;
      } else if (value == "qel") {
        options.m_form = ContentForm::kArchive;
      } else if (value == "both") {
        options.m_form = ContentForm::kBoth;
      } else {
        error = "--form is dir, qel or both, not " + value;
        return std::nullopt;
      }
    } else {
      if (value == "tone") {
        options.m_voice = VoiceKind::kTone;
      } else if (value == "speech") {
        options.m_voice = VoiceKind::kSpeech;
      } else {
        error = "--voice is tone or speech, not " + value;
        return std::nullopt;
      }
    }
  }
  if (!haveOut) {
    error = "--out DIR is required";
    return std::nullopt;
  }
  return options;
}

}  // namespace fixture
