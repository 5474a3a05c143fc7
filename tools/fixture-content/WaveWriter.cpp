// WAV files and tones.
#include "fixture-content/WaveWriter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fixture {

namespace {

void PutU32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutU16(std::string& out, uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

}  // namespace

std::string WriteWave(const std::vector<int16_t>& samples, int32_t sampleRate) {
  const auto dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::string out = "RIFF";
  PutU32(out, 4 + 8 + 16 + 8 + dataBytes);
  out += "WAVEfmt ";
  PutU32(out, 16);
  PutU16(out, 1);  // PCM
  PutU16(out, 1);  // mono
  PutU32(out, static_cast<uint32_t>(sampleRate));
  PutU32(out, static_cast<uint32_t>(sampleRate) * 2);
  PutU16(out, 2);
  PutU16(out, 16);
  out += "data";
  PutU32(out, dataBytes);
  for (const int16_t sample : samples) PutU16(out, static_cast<uint16_t>(sample));
  return out;
}

int32_t SampleFrames(int32_t milliseconds, int32_t sampleRate) {
  return static_cast<int32_t>(static_cast<int64_t>(milliseconds) * sampleRate / 1000);
}

std::vector<int16_t> Tone(int32_t milliseconds, double frequency, bool loopable, int32_t sampleRate) {
  const int32_t frames = SampleFrames(milliseconds, sampleRate);
  if (loopable && frames > 0) {
    // A whole number of periods in the loop.
    const double periods = std::max(1.0, std::round(frequency * frames / sampleRate));
    frequency = periods * sampleRate / frames;
  }
  const int32_t fade = loopable ? 0 : std::min(frames / 2, sampleRate / 200);
  std::vector<int16_t> samples(static_cast<size_t>(std::max(frames, 0)));
  for (int32_t i = 0; i < frames; ++i) {
    double gain = 0.3;
    if (fade > 0)
      gain *= std::min({1.0, static_cast<double>(i) / fade, static_cast<double>(frames - 1 - i) / fade});
    const double value = gain * std::sin(2.0 * std::numbers::pi * frequency * i / sampleRate);
    samples[static_cast<size_t>(i)] = static_cast<int16_t>(std::lround(value * 32767.0));
  }
  return samples;
}

double ToneFrequency(const std::string& name) {
  uint32_t hash = 2166136261u;
  for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  // Two octaves in semitones.
  return 220.0 * std::pow(2.0, static_cast<double>(hash % 25) / 12.0);
}

}  // namespace fixture
