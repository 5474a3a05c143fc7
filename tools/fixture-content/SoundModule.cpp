// The sound module: sound effects and music as tones.
#include "fixture-content/ContentModule.h"
#include "fixture-content/WaveWriter.h"

namespace fixture {

namespace {

class SoundModule : public ContentModule {
public:
  const char* Name() const override { return "sounds"; }

  void Write(const std::vector<DatabaseSpec>& databases, const ContentOptions&, OutputTree& tree,
             Manifest& manifest) override {
    for (const DatabaseSpec& database : databases) {
      const DatabaseRef universal{Locale::kUniversal, database.m_name};
      for (const SoundSpec& sound : database.m_sounds) {
        const std::vector<int16_t> samples =
            Tone(sound.m_milliseconds, ToneFrequency(sound.m_name), sound.m_music);
        tree.Add(universal, sound.m_name + ".wav", WriteWave(samples), Storage::kPlain);
        ManifestSound entry;
        entry.m_milliseconds = sound.m_milliseconds;
        entry.m_sampleFrames = static_cast<int32_t>(samples.size());
        entry.m_music = sound.m_music;
        manifest.AddSound(universal, sound.m_name, entry);
      }
    }
  }
};

}  // namespace

std::unique_ptr<ContentModule> MakeSoundModule() {
  return std::make_unique<SoundModule>();
}

}  // namespace fixture
