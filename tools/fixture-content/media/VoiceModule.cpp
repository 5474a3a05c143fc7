// The voice module: each spoken line as a sound (spoken by espeak-ng, or a tone) and its lip-sync track.
#include <algorithm>
#include <cstdio>
#include <thread>

#include "fixture-content/ContentModule.h"
#include "fixture-content/WaveWriter.h"
#include "fixture-content/media/LipSyncWriter.h"
#include "fixture-content/media/SpeechVoice.h"

namespace fixture {

namespace {

// The tone a line gets for the tests, and when it cannot be spoken.
constexpr int32_t kLineToneMs = 400;
// espeak-ng runs at most this many at once: the machine is shared with the build.
constexpr unsigned kMaxSpeakers = 4;

struct Line {
  DatabaseRef m_database;
  const SpokenLineSpec* m_spec = nullptr;
};

class VoiceModule : public ContentModule {
public:
  const char* Name() const override { return "voice"; }

  void Write(const std::vector<DatabaseSpec>& databases, const ContentOptions& options, OutputTree& tree,
             Manifest& manifest) override {
    std::vector<Line> lines;
    for (const DatabaseSpec& database : databases) {
      for (const SpokenLineSpec& line : database.m_spokenLines)
        lines.push_back({DatabaseRef{Locale::kEngUsa, database.m_name}, &line});
    }
    std::vector<std::vector<int16_t>> spoken(lines.size());
    std::vector<std::string> errors(lines.size());
    if (options.m_voice == VoiceKind::kSpeech && !lines.empty()) {
      if (SpeechAvailable()) {
        std::vector<std::string> texts;
        for (const Line& line : lines) texts.push_back(line.m_spec->m_caption);
        const unsigned parallel = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxSpeakers);
        SpeakLines(texts, parallel, spoken, errors);
      } else {
        std::fprintf(stderr,
                     "WARN: fixture-content: espeak-ng is not installed; the spoken lines are tones\n");
      }
    }
    for (size_t i = 0; i < lines.size(); ++i) {
      const SpokenLineSpec& spec = *lines[i].m_spec;
      std::vector<int16_t>& samples = spoken[i];
      if (options.m_voice == VoiceKind::kSpeech && !errors[i].empty())
        std::fprintf(stderr, "WARN: fixture-content: line %s is a tone: %s\n", spec.m_name.c_str(),
                     errors[i].c_str());
      // A line espeak-ng made nothing of would be a sound of no length: the game waits on its end.
      if (samples.empty()) samples = Tone(kLineToneMs, ToneFrequency(spec.m_name));
      tree.Add(lines[i].m_database, spec.m_name + ".wav", WriteWave(samples), Storage::kPlain);
      tree.Add(lines[i].m_database, spec.m_name + ".snc",
               WriteLipSyncTrack(LipSyncShapes(samples, kContentSampleRate)), Storage::kArchived);
      ManifestSound entry;
      entry.m_sampleFrames = static_cast<int32_t>(samples.size());
      entry.m_milliseconds = static_cast<int32_t>(
          (int64_t{entry.m_sampleFrames} * 1000 + kContentSampleRate - 1) / kContentSampleRate);
      entry.m_spoken = true;
      entry.m_lipSync = true;
      manifest.AddSound(lines[i].m_database, spec.m_name, entry);
    }
  }
};

}  // namespace

std::unique_ptr<ContentModule> MakeVoiceModule() {
  return std::make_unique<VoiceModule>();
}

}  // namespace fixture
