// WAV files of 16-bit mono PCM, and the tones the content set's sounds are made of.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fixture {

// The mixer's rate: sounds at it play sample for sample.
inline constexpr int32_t kContentSampleRate = 22050;

// "RIFF"/"WAVE" with a "fmt " chunk (PCM, 1 channel, 16 bits) and a "data" chunk.
std::string WriteWave(const std::vector<int16_t>& samples, int32_t sampleRate = kContentSampleRate);

// A sine tone of that length, faded in and out over 5 ms so that it does not click; whole periods
// when loopable, so that a looping sound joins without a step.
std::vector<int16_t> Tone(int32_t milliseconds, double frequency, bool loopable = false,
                          int32_t sampleRate = kContentSampleRate);

// A pitch between 220 and 880 Hz from the name, so that sounds can be told apart by ear.
double ToneFrequency(const std::string& name);

// The number of sample frames of a sound that long.
int32_t SampleFrames(int32_t milliseconds, int32_t sampleRate = kContentSampleRate);

}  // namespace fixture
