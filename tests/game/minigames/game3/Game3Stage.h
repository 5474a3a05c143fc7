// A stage for the music game: the generated content's "Global" and "GAME3" databases written into the
// test's folder (a test may change the tables first), the game started on them with a clock of the
// test's hand, the music game as node 9 and a logging node for every other id, and the mixer moved
// on with each frame.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/EventManager.h"
#include "fixture-content/ContentDatabases.h"
#include "fixture-content/ContentModule.h"
#include "fixture-content/ContentOptions.h"
#include "fixture-content/Manifest.h"
#include "fixture-content/OutputTree.h"
#include "framework/ActivePlayerData.h"
#include "framework/GameEvents.h"
#include "framework/GameClock.h"
#include "framework/GenericObject.h"
#include "framework/InputEventInfo.h"
#include "framework/MainApp.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/PlayerData.h"
#include "framework/SpriteObject.h"
#include "framework/WinApp.h"
#include "frontend/SpeechQueue.h"
#include "game3/Game3Node.h"
#include "graphics/SceneObject.h"
#include "platform/win/kernel/Timer.h"
#include "platform/win/user/Messages.h"
#include "sound/SoundEvents.h"
#include "sound/WinSoundManager.h"
#include "support/LoggingNode.h"
#include "support/SdlMouse.h"
#include "support/SoundEventLog.h"
#include "support/SoundStage.h"
#include "support/TempDir.h"

namespace test {

inline uint32_t& Game3Now() {
  static uint32_t now = 5000;
  return now;
}

inline GameNode* CreateGame3Stage(int32_t id) {
  if (id == kNodeGame3) return new Game3Node;
  return LoggingNode::Create(id);
}

class Game3Stage : public testing::Test {
public:
  using Tables = std::vector<fixture::DatabaseSpec>;

protected:
  void SetUp() override {
    plat::win::SetTimeSourceForTesting([] { return Game3Now(); });
    NodeManager::Instance().SetNodeFactoryForTesting(CreateGame3Stage);
    ActivePlayerData = PlayerData();
    std::srand(7);
  }

  void TearDown() override {
    if (m_app.IsRunning()) m_app.Shutdown();
    NodeManager::Instance().SetNodeFactoryForTesting(nullptr);
    plat::win::SetTimeSourceForTesting(nullptr);
  }

  // The two databases as the generator writes them; Global without its spoken lines, which no test
  // here hears.
  static Tables ContentTables() {
    fixture::DatabaseSpec global = fixture::GlobalDatabase();
    global.m_spokenLines.clear();
    const std::vector<std::string> used = {"Cursor",  "ccBar",        "blank",          "DialogBox",
                                           "Pilo_yes", "Pilo_no",     "loading_gen1",   "help_bkg",
                                           "HelpButton", "ActBackArrow", "ActBackArrow_sdl"};
    std::erase_if(global.m_sprites, [&used](const fixture::SpriteSpec& sprite) {
      return std::find(used.begin(), used.end(), sprite.m_name) == used.end();
    });
    return {global, fixture::Game3Database()};
  }
  static fixture::DatabaseSpec& Game3Table(Tables& tables) { return tables[1]; }

  // Writes the content, starts the game and goes to the music game, whose first update has run.
  void Start(const std::function<void(Tables&)>& change = {}, bool firstVisit = true) {
    Tables tables = ContentTables();
    if (change) change(tables);
    fixture::ContentOptions options;
    options.m_out = std::filesystem::absolute("content");
    options.m_form = fixture::ContentForm::kDirectory;
    options.m_voice = fixture::VoiceKind::kTone;
    fixture::OutputTree tree;
    fixture::Manifest manifest;
    fixture::GenerateContent(tables, options, tree, manifest);
    fixture::WriteTree(tree, options.m_out, options.m_form);
    WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\ncdpath = " + options.m_out.string() + "\n");

    ASSERT_TRUE(m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10));
    m_sounds = std::make_unique<SoundEventLog>();
    Frame();
    ActivePlayerData.games[kNodeGame3].firstTime = firstVisit ? 1 : 0;
    m_before = ActivePlayerData;
    NodeManager::Instance().RequestNode(kNodeGame3);
    Frame();
    m_node = dynamic_cast<Game3Node*>(NodeManager::Instance().GetCurrentNode());
    ASSERT_NE(m_node, nullptr);
  }

  // One frame of ms milliseconds: the mixer plays that long, then the game's frame runs. While a
  // test listens, the mix's left channel goes on the end of m_heard.
  void Frame(uint32_t ms = 20) {
    Game3Now() += ms;
    if (Qel::WinSoundManager::Exists() && Qel::WinSoundManager::Instance()->GetDirectSound()) {
      if (m_listening) {
        const uint32_t frames = SoundStage::FramesOf(ms);
        std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
        m_mixer.Mixer()->Render(out.data(), frames);
        for (uint32_t i = 0; i < frames; ++i) m_heard.push_back(out[2 * static_cast<size_t>(i)]);
      } else {
        m_mixer.Render(SoundStage::FramesOf(ms));
      }
    }
    m_app.Frame();
  }
  void Frames(int count, uint32_t ms = 20) {
    for (int i = 0; i < count; ++i) Frame(ms);
  }
  template <typename Condition>
  bool FramesUntil(Condition condition, int limit = 300, uint32_t ms = 40) {
    for (int frame = 0; frame < limit; ++frame) {
      if (condition()) return true;
      Frame(ms);
    }
    return condition();
  }

  // The intro animation plays and its end starts the talk; a blank then stops it.
  void SkipIntro() {
    ASSERT_TRUE(FramesUntil([this] { return Speaking(); }));
    Char(' ');
    Frame();
    ASSERT_FALSE(m_node->IsIntroTalking());
  }
  bool Speaking() const {
    return m_node->GetSpeechQueue() && m_node->GetSpeechQueue()->IsPlaying();
  }

  GenericObject* Find(const char* name) const { return m_node->FindObject(name); }
  SpriteObject* Sprite(const char* name) const { return dynamic_cast<SpriteObject*>(Find(name)); }
  uint32_t AnimationOf(const char* name) const {
    SpriteObject* sprite = Sprite(name);
    return sprite ? sprite->GetAnimationId() : 0xFFFFFFFFu;
  }
  static bool Shown(const GenericObject* object) {
    return object && object->GetSceneObject() && object->GetSceneObject()->IsShown();
  }

  // A click as the object's own click event reaches the node.
  void ClickObject(const char* name) {
    GenericObject* object = Find(name);
    ASSERT_NE(object, nullptr) << name;
    m_node->HandleEvent(kEventGameObject, kEventObjectClicked, object);
  }
  // Input events as the application posts them; the node sees them at the next frame.
  void Char(uint16_t code) {
    InputEventInfo info;
    info.code = code;
    MainApp::PostInputEvent(EventId::Char, info);
  }
  void MouseAt(int id, int x, int y) {
    InputEventInfo info;
    info.position = Qel::Point2(x, y);
    info.button = 1;
    MainApp::PostInputEvent(id, info);
  }
  // The centre of an object's bounds on the screen.
  Qel::Point2 CentreOf(const char* name) const {
    Qel::Box3 bounds;
    Find(name)->GetWorldBounds(bounds);
    return Qel::Point2((bounds.Min().X() + bounds.Max().X()) / 2, (bounds.Min().Y() + bounds.Max().Y()) / 2);
  }

  // The sounds that started, in order, of names the filter takes.
  std::vector<std::string> Started(const std::function<bool(const std::string&)>& take = {}) const {
    std::vector<std::string> names;
    for (const std::string& name : m_sounds->Of(Qel::EventId::SoundStarted)) {
      if (!take || take(name)) names.push_back(name);
    }
    return names;
  }
  // The spoken lines that started, by their numbers.
  std::vector<std::string> Lines() const {
    static const std::string prefix = "speechSound";
    std::vector<std::string> lines;
    for (const std::string& name : Started()) {
      if (name.rfind(prefix, 0) == 0) lines.push_back(name.substr(prefix.size()));
    }
    return lines;
  }
  // Every field of the two progress records.
  static bool SameRecord(const PlayerData& a, const PlayerData& b) {
    for (uint32_t i = 0; i < PlayerData::kGameCount; ++i) {
      const GameProgress& x = a.games[i];
      const GameProgress& y = b.games[i];
      if (x.firstTime != y.firstTime || x.level != y.level || x.gameFlag != y.gameFlag ||
          x.highScore != y.highScore || x.gameValue != y.gameValue || x.gameValue2 != y.gameValue2 ||
          !std::equal(std::begin(x.levelFlags), std::end(x.levelFlags), std::begin(y.levelFlags)))
        return false;
    }
    return a.signedIn == b.signedIn && a.hubCounter == b.hubCounter && a.newResult == b.newResult &&
           a.saveSlot == b.saveSlot && a.galleryFlag == b.galleryFlag;
  }
  void ClearSounds() { m_sounds->entries.clear(); }

  SoundStage m_mixer{false};
  bool m_listening = false;
  std::vector<int16_t> m_heard;
  WinApp& m_app = GetWinApp();
  std::unique_ptr<SoundEventLog> m_sounds;
  Game3Node* m_node = nullptr;
  PlayerData m_before;
};

}  // namespace test
