// A stage for the front end's dialogs: the game started with a node that shows them as its overlay,
// their sprites, sounds and captions in a content folder, the mixer moved on with each frame, and a
// log of the sounds that start.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Color.h"
#include "fixture-content/SpriteFile.h"
#include "fixture-content/SpriteFileWriter.h"
#include "framework/GameNode.h"
#include "framework/GenericObject.h"
#include "framework/MouseCursor.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/Overlay.h"
#include "framework/WinApp.h"
#include "graphics/DisplayDevice.h"
#include "graphics/DrawingSurface.h"
#include "graphics/SurfaceLock.h"
#include "platform/win/kernel/Module.h"
#include "platform/win/kernel/Timer.h"
#include "platform/win/user/Messages.h"
#include "sound/SoundEvents.h"
#include "support/SdlMouse.h"
#include "support/SoundEventLog.h"
#include "support/SoundStage.h"
#include "support/TempDir.h"

namespace test {

inline uint32_t& DialogNow() {
  static uint32_t now = 5000;
  return now;
}

// Colours that the 16-bit screen keeps as they are.
inline constexpr uint32_t kDialogRed = 0xFFFF0000;
inline constexpr uint32_t kDialogGreen = 0xFF00FF00;
inline constexpr uint32_t kDialogBlue = 0xFF0000FF;

// A sprite of solid width x height frames: animations animations, each of frames frames of 100 ms that
// loop; the first frame in the colour given, the others each a little redder.
inline std::string DialogSprite(int32_t width, int32_t height, int animations = 3, int frames = 1,
                                uint32_t argb = 0xFF000000u) {
  fixture::SpriteFile file;
  for (int image = 0; image < frames; ++image)
    file.m_images.push_back(fixture::SpriteFileImage::Solid(width, height, argb ^ (0x400000u * image)));
  for (int animation = 0; animation < animations; ++animation) {
    fixture::SpriteFileAnimation looping;
    looping.m_playMode = 2;
    for (int frame = 0; frame < frames; ++frame) {
      fixture::SpriteFileFrame entry;
      entry.m_image = static_cast<int16_t>(frame + 1);
      looping.m_frames.push_back(entry);
    }
    file.m_animations.push_back(looping);
  }
  return fixture::WriteSpriteFile(file);
}

// The node of the dialogs: it hands each click to onClick and calls onResume after its own resume.
class DialogNode : public GameNode {
public:
  static GameNode* Create(int32_t id) { return id == kNodeNone ? nullptr : new DialogNode; }

  void OnObjectClicked(GenericObject* object) override {
    clicks.push_back(object->GetName());
    if (onClick) onClick(object);
  }
  void Resume(void* data) override {
    GameNode::Resume(data);
    if (onResume) onResume();
  }

  std::vector<std::string> clicks;
  std::function<void(GenericObject*)> onClick;
  std::function<void()> onResume;
};

class DialogStage : public testing::Test {
protected:
  // The yes and no buttons of the dialogs are 100 x 40 at (229, 240) and (406, 240).
  static constexpr int kOverYesX = 250;
  static constexpr int kOverNoX = 420;
  static constexpr int kOverButtonY = 250;

  void SetUp() override {
    plat::win::SetTimeSourceForTesting([] { return DialogNow(); });
    NodeManager::Instance().SetNodeFactoryForTesting(DialogNode::Create);
    AddSprite("ccBar", 800, 40);
    AddSprite("DialogBox", 400, 300);
    AddSprite("Pilo_yes", 100, 40);
    AddSprite("Pilo_no", 100, 40);
    for (const char* name : {"0121", "5083", "4440", "4441", "4442", "4450"})
      m_stage.AddWave(name, Tone(100));
    for (const char* name : {"placeholder", "ButtonDown", "ButtonDown3", "theme"})
      m_stage.AddWave(name, Tone(50));
    m_stage.AddWave("hum", Tone(5000));
    m_stage.AddFile("SignIn.txt", "121 Pilo Yes\n5083 Pilo No\n");
  }

  // Each test destroys its dialogs before the game shuts down.
  void TearDown() override {
    if (m_app.IsRunning()) m_app.Shutdown();
    plat::win::SetTimeSourceForTesting(nullptr);
  }

  // Starts the game with the settings' graphics level and takes its first node.
  void Start(int graphics = 0) {
    WriteFile("Pilo.ini", "[settings]\ngraphics = " + std::to_string(graphics) + "\nwindowed = 1\n");
    ASSERT_TRUE(m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10));
    Frame();
    m_node = dynamic_cast<DialogNode*>(NodeManager::Instance().GetCurrentNode());
    ASSERT_NE(m_node, nullptr);
  }

  void AddSprite(const std::string& name, int32_t width, int32_t height, int animations = 3, int frames = 1,
                 uint32_t argb = 0xFF000000u) {
    m_stage.AddFile(name + ".qela", DialogSprite(width, height, animations, frames, argb));
  }

  // Whether the pixel of the back buffer, as the last frame drew it, has that colour.
  bool ScreenHas(int x, int y, uint32_t argb) {
    Qel::DrawingSurface* screen = m_app.GetDisplay()->GetBackBuffer();
    const Qel::PixelFormat format = screen->GetPixelFormat();
    const Qel::Color colour(format, static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
                            static_cast<uint8_t>(argb), 255);
    Qel::SurfaceLock lock(screen, Qel::DrawingSurface::kLockRead);
    const int bytes = format.GetBytesPerPixel();
    uint32_t value = 0;
    std::memcpy(&value, lock.GetBits() + y * lock.GetPitch() + x * bytes, static_cast<size_t>(bytes));
    const uint32_t mask = bytes >= 4 ? 0xFFFFFFFFu : (1u << (8 * bytes)) - 1;
    return (value & mask) == (colour.GetPacked() & mask);
  }

  // One frame of ms milliseconds: the mixer plays that long, then the game's frame runs.
  void Frame(uint32_t ms = 10) {
    DialogNow() += ms;
    if (Qel::WinSoundManager::Exists() && Qel::WinSoundManager::Instance()->GetDirectSound())
      m_stage.Render(SoundStage::FramesOf(ms));
    m_app.Frame();
  }
  void Frames(int count) {
    for (int i = 0; i < count; ++i) Frame();
  }

  // The mouse moves there; the next frame's update sees it.
  void MoveTo(int x, int y) {
    MoveMouse(x, y);
    Frame();
  }
  void Click(int x, int y) {
    m_app.PostMouseEvent(plat::win::WM_LBUTTONDOWN, x, y);
    m_app.PostMouseEvent(plat::win::WM_LBUTTONUP, x, y);
  }

  std::vector<std::string> Started() const { return m_sounds.Of(Qel::EventId::SoundStarted); }
  // The sounds started since the mark, and of them the spoken lines, by number.
  size_t Mark() const { return Started().size(); }
  std::vector<std::string> StartedSince(size_t mark) const {
    const std::vector<std::string> all = Started();
    return {all.begin() + static_cast<std::ptrdiff_t>(std::min(mark, all.size())), all.end()};
  }
  std::vector<std::string> LinesSince(size_t mark) const {
    std::vector<std::string> lines;
    for (const std::string& name : StartedSince(mark)) {
      if (name.rfind("speechSound", 0) == 0) lines.push_back(name.substr(11));
    }
    return lines;
  }

  SoundStage m_stage{false};
  SoundEventLog m_sounds;
  WinApp& m_app = GetWinApp();
  DialogNode* m_node = nullptr;
};

}  // namespace test
