// Spoken lines made by the espeak-ng program: one caption text in, 16-bit mono samples at 22050 Hz out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fixture {

// The rate espeak-ng speaks at, which is also the rate the game's mixer runs at.
inline constexpr int kSpeechRate = 22050;

// Whether an executable "espeak-ng" is on the search path.
bool SpeechAvailable();

// Speaks every text (Windows-1252, as the captions hold them) into samples[i], running up to `parallel`
// speakers at once: one line takes espeak-ng about a tenth of a second, a content set has hundreds. A
// line that could not be spoken leaves its samples empty and its reason in errors[i]; false when any
// line failed.
bool SpeakLines(const std::vector<std::string>& texts, unsigned parallel,
                std::vector<std::vector<int16_t>>& samples, std::vector<std::string>& errors);

}  // namespace fixture
