// A stage for sound tests: generated waves in a content folder that the resource manager reads, the
// sound device opened with no audio output, and the mixer moved on by hand.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/EventManager.h"
#include "core/ResourceManager.h"
#include "core/ResourceTree.h"
#include "core/WinFileSpec.h"
#include "platform/dsound/DSound.h"
#include "platform/dsound/Mixer.h"
#include "platform/win/kernel/WinTypes.h"
#include "sound/WinSoundManager.h"
#include "support/TempDir.h"
#include "support/WaveBytes.h"
#include "support/WindowsPath.h"

namespace test {

// The mixer's output rate, which the sound manager asks for.
inline constexpr uint32_t kStageRate = 22050;

// One second of a 16-bit mono wave at the output rate is 44100 bytes.
inline std::string Tone(uint32_t ms, const WaveFormat& format = WaveFormat{}) {
  const uint64_t frames = static_cast<uint64_t>(format.rate) * ms / 1000;
  return Wave(format, Pattern(static_cast<size_t>(frames * format.Block())));
}

class SoundStage {
public:
  // open: whether the sound device is opened (as start-up does with the window).
  explicit SoundStage(bool open = true) {
    plat::dsound::SetPullModeForTesting(true);
    Mount();
    if (open) Qel::WinSoundManager::Instance()->Initialize(Window());
  }
  ~SoundStage() {
    if (Qel::WinSoundManager::Exists()) Qel::WinSoundManager::Instance()->Shutdown();
    Qel::ResourceManager::DestroyInstance();
    Qel::EventManager::DestroyInstance();
    plat::dsound::SetPullModeForTesting(false);
  }
  SoundStage(const SoundStage&) = delete;
  SoundStage& operator=(const SoundStage&) = delete;

  // Any window will do for a device with no audio output.
  static plat::win::HWND Window() { return reinterpret_cast<plat::win::HWND>(uintptr_t{0x5157}); }

  // A file of the content folder (name with its extension); the folder is listed again.
  void AddFile(const std::string& fileName, const std::string& bytes) {
    WriteFile(m_folder.Path() / fileName, bytes);
    Mount();
  }
  void AddWave(const std::string& name, const std::string& bytes) { AddFile(name + ".wav", bytes); }
  // A folder where a file of the content would be (a damaged copy of the game's data).
  void AddFolder(const std::string& fileName) {
    std::filesystem::create_directories(m_folder.Path() / fileName / "inside");
    Mount();
  }
  // The Linux folder the files are in.
  const std::filesystem::path& Folder() const { return m_folder.Path(); }

  plat::dsound::Mixer* Mixer() const {
    return plat::dsound::MixerOf(Qel::WinSoundManager::Instance()->GetDirectSound());
  }

  // Mixes so many output frames.
  void Render(uint32_t frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
    Mixer()->Render(out.data(), frames);
  }

  // Plays on for ms milliseconds of output in steps of stepMs, with a sound-manager update after
  // each step, as frames of the game would.
  void Run(uint32_t ms, uint32_t stepMs = 10) {
    for (uint32_t done = 0; done < ms; done += stepMs) {
      Render(FramesOf(std::min(stepMs, ms - done)));
      Qel::WinSoundManager::Instance()->Update();
    }
  }

  static uint32_t FramesOf(uint32_t ms) { return static_cast<uint32_t>(uint64_t{kStageRate} * ms / 1000); }

private:
  void Mount() {
    if (m_tree) Qel::ResourceManager::GetInstance()->RemoveResourceFile(m_tree);
    std::shared_ptr<Qel::IFileSpec> spec = Qel::WinFileSpec::Create();
    spec->SetPath(WindowsPathOf(m_folder.Path()));
    m_tree = std::make_shared<Qel::ResourceTree>();
    m_tree->Open(spec, 0);
    Qel::ResourceManager::GetInstance()->AddResourceFile(m_tree, 0);
  }

  TempDir m_folder;
  std::shared_ptr<Qel::ResourceTree> m_tree;
};

}  // namespace test
