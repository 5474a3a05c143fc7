// A stage for one mini-game played on the generated content set itself (or on a hard-linked copy of
// it that a test may damage): the game entered as its node with every other node a logging one, and
// the hand-moved clock and mixer of the dialogs' stage, and a log of the movies asked for.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../ContentCopy.h"
#include "../framework/DialogStage.h"
#include "MovieLog.h"
#include "framework/ActivePlayerData.h"
#include "framework/MoviePlayer.h"
#include "framework/MusicManager.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/PlayerData.h"
#include "support/LoggingNode.h"

namespace test {

template <class Node, int32_t nodeId>
class ContentSetStage : public DialogStage {
protected:
  static inline const std::filesystem::path kContentSetDir = QEL_CONTENT_DIR;

  static GameNode* CreateNode(int32_t id) {
    if (id == nodeId) return new Node;
    return LoggingNode::Create(id);
  }

  void SetUp() override {
    DialogStage::SetUp();
    NodeManager::Instance().SetNodeFactoryForTesting(CreateNode);
    ActivePlayerData = PlayerData();
    // Played before, unless a test says otherwise: the short opening.
    Entry().firstTime = 0;
    m_content = kContentSetDir;
  }
  void TearDown() override {
    m_movies.reset();
    m_game = nullptr;
    DialogStage::TearDown();
  }

  static GameProgress& Entry() { return ActivePlayerData.games[nodeId]; }

  // The content set in folders only, hard-linked, so that a test may remove or replace its files
  // (removed first: nothing is written through a link).
  void UseContentCopy() {
    m_content = LinkContentSet(kContentSetDir, std::filesystem::current_path() / "content", Archives::kLeftOut);
  }
  std::filesystem::path ContentFile(const std::string& database, const std::string& file,
                                    const char* locale = "universal") const {
    return m_content / locale / database / file;
  }
  void RemoveContent(const std::string& database, const std::string& file, const char* locale = "universal") {
    ASSERT_TRUE(std::filesystem::remove(ContentFile(database, file, locale))) << file;
  }
  void ReplaceContent(const std::string& database, const std::string& file, const std::string& bytes) {
    const std::filesystem::path path = ContentFile(database, file);
    std::filesystem::remove(path);
    WriteFile(path, bytes);
  }
  std::string ReadContent(const std::string& database, const std::string& file) const {
    return ReadFile(ContentFile(database, file));
  }
  // The object file without the section of that object, or with its class changed.
  void EditObjectFile(const std::string& database, const std::string& file, const std::string& name,
                      const std::string& newClass) {
    std::string text = ReadContent(database, file);
    const size_t header = text.find(" " + name + " ");
    ASSERT_NE(header, std::string::npos) << name << " in " << file;
    const size_t start = text.rfind('[', header);
    if (newClass.empty()) {
      const size_t next = text.find('[', header);
      text.erase(start, next == std::string::npos ? std::string::npos : next - start);
    } else {
      text.replace(start + 1, header - start - 1, newClass);
    }
    ReplaceContent(database, file, text);
  }

  // Starts the game on the content and enters the game's node at the second frame; the text the
  // start threw, empty when it threw none.
  std::string EnterThrowing() {
    WriteFile("Pilo.ini", "[Config]\nhdpath = " + m_content.string() + "\ngraphics = 0\nwindowed = 1\n");
    try {
      if (!m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10)) return "no start";
      Frame();
      NodeManager::Instance().RequestNode(nodeId);
      Frame();
    } catch (const char* text) {
      return text;
    }
    m_game = dynamic_cast<Node*>(NodeManager::Instance().GetCurrentNode());
    return "";
  }
  void StartGame() {
    ASSERT_EQ(EnterThrowing(), "");
    ASSERT_NE(m_game, nullptr);
  }

  // Frames of ms until the condition holds; false when it did not within the limit.
  template <typename Condition>
  bool FramesUntil(Condition condition, int limit = 3000, uint32_t ms = 10) {
    for (int frame = 0; frame < limit; ++frame) {
      if (condition()) return true;
      Frame(ms);
    }
    return condition();
  }

  // The movies asked for from now on.
  void Listen() { m_movies = std::make_unique<MovieLog>(); }
  const std::vector<std::string>& Movies() const { return m_movies->names; }
  static bool MoviePlays(const char* name) {
    return MoviePlayer::Instance().IsPlaying() && std::string(MoviePlayer::Instance().GetName()) == name;
  }
  // A key stops the movie that plays.
  void SkipMovie() {
    m_app.PostCharEvent('x');
    Frame();
  }
  static std::string Music() { return MusicManager::Instance().GetCurrentName(); }

  std::filesystem::path m_content;
  Node* m_game = nullptr;
  std::unique_ptr<MovieLog> m_movies;
};

}  // namespace test
