// A stage for game-object tests: the application's display under SDL's dummy driver, a directory
// database of sprites and text written by the tests, a game clock moved by hand and a log of the
// game-object events.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/EventManager.h"
#include "core/IEventListener.h"
#include "core/Periodical.h"
#include "core/ResourceManager.h"
#include "core/ResourceTree.h"
#include "core/WinFileSpec.h"
#include "fixture-content/SpriteFile.h"
#include "fixture-content/SpriteFileWriter.h"
#include "framework/ApplicationClock.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/WinApp.h"
#include "platform/win/kernel/Timer.h"
#include "support/TempDir.h"
#include "support/WindowsPath.h"

namespace test {

// Colours that the 16-bit screen keeps as they are.
inline constexpr uint32_t kStageRed = 0xFFFF0000;
inline constexpr uint32_t kStageBlue = 0xFF0000FF;

// A sprite of width x height with three animations of 100 ms frames: 0 one frame that stops,
// 1 two frames that loop, 2 two frames that stop.
inline fixture::SpriteFile StageSprite(int32_t width = 40, int32_t height = 30) {
  using fixture::SpriteFileAnimation;
  using fixture::SpriteFileFrame;
  fixture::SpriteFile file;
  file.m_images = {fixture::SpriteFileImage::Solid(width, height, kStageRed),
                   fixture::SpriteFileImage::Solid(width, height, kStageBlue)};
  SpriteFileFrame first;
  SpriteFileFrame second;
  second.m_image = 2;
  SpriteFileAnimation still;
  still.m_frames = {first};
  SpriteFileAnimation loop;
  loop.m_playMode = 2;
  loop.m_frames = {first, second};
  SpriteFileAnimation once;
  once.m_frames = {first, second};
  file.m_animations = {still, loop, once};
  return file;
}

// Game-object events (kind 101) as (id, data), in the order they were posted.
class ObjectEventLog : public Qel::IEventListener {
public:
  ObjectEventLog() { Qel::EventManager::GetInstance()->AddListener(kEventGameObject, this); }
  ~ObjectEventLog() override {
    if (Qel::EventManager::Exists()) Qel::EventManager::GetInstance()->RemoveListener(this);
  }
  ObjectEventLog(const ObjectEventLog&) = delete;
  ObjectEventLog& operator=(const ObjectEventLog&) = delete;

  void HandleEvent(int, int id, void* data) override { events.emplace_back(id, data); }

  std::vector<std::pair<int, void*>> events;
};

class ObjectStage {
public:
  ObjectStage() {
    Now() = 1000;
    plat::win::SetTimeSourceForTesting([] { return Now(); });
    WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\n");
    WinApp& app = GetWinApp();
    app.ReadSettings();
    m_ready = app.OpenDisplay() && app.RegisterSurfaceKinds();
    ApplicationClock::Instance().SetTime(0);
    GameClock::Instance().SetTime(0);
    Tick(0);
    Mount();
  }
  ~ObjectStage() {
    GetWinApp().Shutdown();
    plat::win::SetTimeSourceForTesting(nullptr);
  }
  ObjectStage(const ObjectStage&) = delete;
  ObjectStage& operator=(const ObjectStage&) = delete;

  // Whether the display and its surface kinds are there.
  bool IsReady() const { return m_ready; }

  // A resource of the folder: the file name ends in "." and the type's characters.
  void AddFile(const std::string& fileName, const std::string& bytes) {
    WriteFile(m_folder.Path() / fileName, bytes);
    Mount();
  }
  void AddSprite(const std::string& name, const fixture::SpriteFile& file = StageSprite()) {
    AddFile(name + ".qela", fixture::WriteSpriteFile(file));
  }
  void AddText(const std::string& name, const std::string& bytes) { AddFile(name + ".txt", bytes); }
  // A folder where a resource's file would be (a damaged copy of the game's data).
  void AddFolder(const std::string& fileName) {
    std::filesystem::create_directories(m_folder.Path() / fileName / "inside");
    Mount();
  }
  // The Linux folder the stage's resources are files of.
  const std::filesystem::path& Folder() const { return m_folder.Path(); }

  // One frame of ms milliseconds: the clocks read the new time, then every periodical runs.
  static void Tick(uint32_t ms) {
    Now() += ms;
    ApplicationClock::Instance().Update();
    if (!GetApp().IsPaused()) GameClock::Instance().Update();
    Qel::Periodical::UpdateAll();
  }

private:
  static uint32_t& Now() {
    static uint32_t now = 0;
    return now;
  }

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
  bool m_ready = false;
};

}  // namespace test
