// A stage for the shape game's way through its levels: the game started on the generated content set
// (or on a hard-linked copy of it that a test may damage), node 10 entered with every other node a
// logging one, the hand-moved clock and mixer of the dialogs' stage, and the presses of a player at
// the shapes' centres.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../../framework/DialogStage.h"
#include "core/EventManager.h"
#include "core/IEventListener.h"
#include "framework/ActivePlayerData.h"
#include "framework/Clickable.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/MoviePlayer.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/PlayerData.h"
#include "framework/SpriteObject.h"
#include "frontend/SpeechQueue.h"
#include "game4/Game4Node.h"
#include "game4/Level.h"
#include "game4/Sequence.h"
#include "game4/TimingMark.h"
#include "graphics/SceneObject.h"
#include "platform/win/user/Messages.h"
#include "support/LoggingNode.h"

namespace test {

inline const std::filesystem::path kGame4Content = QEL_CONTENT_DIR;

inline GameNode* CreateGame4Flow(int32_t id) {
  if (id == kNodeGame4) return new Game4Node;
  return LoggingNode::Create(id);
}

// The movies that started, as the pause events name them.
class Game4MovieLog : public Qel::IEventListener {
public:
  Game4MovieLog() { Qel::EventManager::GetInstance()->AddListener(kEventAppState, this); }
  ~Game4MovieLog() override {
    if (Qel::EventManager::Exists()) Qel::EventManager::GetInstance()->RemoveListener(this);
  }
  void HandleEvent(int /*kind*/, int id, void* data) override {
    if (id == EventId::Pause && data) movies.emplace_back(static_cast<const char*>(data));
  }
  std::vector<std::string> movies;
};

class FlowStage : public DialogStage {
protected:
  using Names = std::vector<std::string>;

  void SetUp() override {
    DialogStage::SetUp();
    NodeManager::Instance().SetNodeFactoryForTesting(CreateGame4Flow);
    ActivePlayerData = PlayerData();
    // Played before, at level 1: the opening is four lines.
    Entry().firstTime = 0;
    Entry().level = 1;
    Entry().gameValue = 1;
    m_content = kGame4Content;
  }
  void TearDown() override {
    m_movies.reset();
    m_game = nullptr;
    DialogStage::TearDown();
  }

  static GameProgress& Entry() { return ActivePlayerData.games[kNodeGame4]; }

  // The content set in folders only, hard-linked, so that a test may remove or replace its files
  // (removed first: nothing is written through a link).
  void UseContentCopy() {
    const std::filesystem::path copy = std::filesystem::current_path() / "content";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kGame4Content)) {
      const std::filesystem::path target = copy / std::filesystem::relative(entry.path(), kGame4Content);
      if (entry.is_directory()) {
        std::filesystem::create_directories(target);
      } else if (entry.path().extension() != ".qel") {
        std::filesystem::create_hard_link(entry.path(), target);
      }
    }
    m_content = copy;
  }
  std::filesystem::path ContentFile(const std::string& database, const std::string& file) const {
    return m_content / "universal" / database / file;
  }
  void RemoveContent(const std::string& database, const std::string& file) {
    ASSERT_TRUE(std::filesystem::remove(ContentFile(database, file))) << file;
  }
  // The file takes the bytes of another of its database.
  void ReplaceContent(const std::string& database, const std::string& file, const std::string& from) {
    const std::string bytes = ReadFile(ContentFile(database, from));
    ASSERT_FALSE(bytes.empty()) << from;
    RemoveContent(database, file);
    WriteFile(ContentFile(database, file), bytes);
  }

  // Starts the game on the content and enters the shape game at the second frame; "" when it
  // started, else the text it refused with.
  std::string Enter() {
    WriteFile("Pilo.ini", "[Config]\nhdpath = " + m_content.string() + "\ngraphics = 0\nwindowed = 1\n");
    try {
      if (!m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10)) return "no start";
      Frame();
      NodeManager::Instance().RequestNode(kNodeGame4);
      Frame();
    } catch (const char* text) {
      return text;
    }
    m_game = dynamic_cast<Game4Node*>(NodeManager::Instance().GetCurrentNode());
    m_movies = std::make_unique<Game4MovieLog>();
    return m_game ? "" : "no node";
  }
  void StartGame() { ASSERT_EQ(Enter(), ""); }

  // Frames until the condition holds; false when it did not within the limit.
  template <typename Condition>
  bool FramesUntil(Condition condition, int limit = 3000, uint32_t ms = 10) {
    for (int frame = 0; frame < limit; ++frame) {
      if (condition()) return true;
      Frame(ms);
    }
    return condition();
  }
  int32_t State() const { return m_game->GetState(); }
  uint32_t Now() const { return GameClock::Instance().GetTime(); }

  // Space while the guide speaks, until the state is left.
  void CutSpeech(int32_t state) {
    ASSERT_TRUE(FramesUntil([&] {
      if (State() == state && m_game->GetSpeechQueue()->IsPlaying()) m_app.PostCharEvent(' ');
      return State() != state;
    })) << "state " << state;
  }

  bool ShapesEnabled() const {
    for (int i = 0; i < 5; ++i) {
      if (!ShapeButton(i)->IsEnabled()) return false;
    }
    return true;
  }
  // From wherever the game is to the player's turn with the shapes enabled: the opening cut short,
  // the banner and the demonstration. The game-clock time the turn began.
  uint32_t ReachTurn() {
    uint32_t turn = 0;
    EXPECT_TRUE(FramesUntil([&] {
      if (State() == 1 && m_game->GetSpeechQueue()->IsPlaying()) m_app.PostCharEvent(' ');
      if (State() != 11) turn = Now() + 10;
      return State() == 11 && ShapesEnabled();
    }));
    return turn;
  }

  Clickable* ShapeButton(int i) const {
    return dynamic_cast<Clickable*>(m_game->FindObject(("shape" + std::to_string(i)).c_str()));
  }
  SpriteObject* Sprite(const std::string& name) const {
    return dynamic_cast<SpriteObject*>(m_game->FindObject(name.c_str()));
  }
  uint32_t BoxLook(int i) const { return Sprite("CheckBox_" + std::to_string(i))->GetAnimationId(); }
  bool Shown(const std::string& name) const {
    const GenericObject* object = m_game->FindObject(name.c_str());
    return object && object->GetSceneObject() && object->GetSceneObject()->IsVisible();
  }

  Game4Node::Sequence* Current() const { return m_game->GetLevel()->GetCurrentSequence(); }
  // The shapes the current sequence asks for, in order.
  std::vector<int32_t> DueShapes() const {
    std::vector<int32_t> shapes;
    for (int32_t k = 0; k < Current()->GetExpectedPresses(); ++k)
      shapes.push_back(Current()->PeekMark(static_cast<uint32_t>(k))->GetShapeIndex());
    return shapes;
  }

  // A press and release at the centre of the object, taken in the next frame.
  void ClickOn(const std::string& name) {
    const auto* sprite = dynamic_cast<const SpriteObject*>(m_game->FindObject(name.c_str()));
    ASSERT_NE(sprite, nullptr) << name;
    const Qel::Point2 size = sprite->GetSize();
    const int x = static_cast<int>(sprite->GetX()) + size.X() / 2;
    const int y = static_cast<int>(sprite->GetY()) + size.Y() / 2;
    m_app.PostMouseEvent(plat::win::WM_LBUTTONDOWN, x, y);
    m_app.PostMouseEvent(plat::win::WM_LBUTTONUP, x, y);
    Frame();
  }
  void PressShape(int32_t i) { ClickOn("shape" + std::to_string(i)); }
  // The shapes pressed in order: the first at once, the others each at its mark's time after the
  // first (the time the copy is measured from).
  void CopyInTime(const std::vector<int32_t>& shapes) {
    uint32_t first = 0;
    for (size_t k = 0; k < shapes.size(); ++k) {
      if (k > 0) {
        const uint32_t due =
            first + static_cast<uint32_t>(Current()->PeekMark(static_cast<uint32_t>(k))->GetTime());
        while (Now() + 10 < due) Frame();
      }
      PressShape(shapes[k]);
      if (k == 0) first = Now();
    }
  }
  // Every sequence of the level from its turn on, copied in time.
  void CopyLevel() {
    const int32_t count = m_game->GetLevel()->GetSequenceCount();
    for (int32_t k = 0; k < count; ++k) {
      ReachTurn();
      CopyInTime(DueShapes());
      if (k + 1 < count) {
        ASSERT_TRUE(FramesUntil([&] { return State() == 9; }));
      }
    }
    ASSERT_EQ(State(), 8);
  }

  bool MoviePlays(const char* name) const {
    return MoviePlayer::Instance().IsPlaying() && std::string(MoviePlayer::Instance().GetName()) == name;
  }
  // A key stops the movie that plays.
  void SkipMovie() {
    m_app.PostCharEvent('x');
    Frame();
  }
  const Names& Movies() const { return m_movies->movies; }

  // Sound starts since the mark; the spoken lines among them by number.
  size_t Mark() const { return Started().size(); }
  Names LinesSince(size_t mark) const {
    const Names all = Started();
    Names lines;
    for (size_t i = std::min(mark, all.size()); i < all.size(); ++i) {
      if (all[i].rfind("speechSound", 0) == 0) {
        lines.push_back(all[i].substr(11));
      }
    }
    return lines;
  }

  std::filesystem::path m_content;
  Game4Node* m_game = nullptr;
  std::unique_ptr<Game4MovieLog> m_movies;
};

}  // namespace test
