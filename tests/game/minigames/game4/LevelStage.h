// A stage for the shape game's level: a started game whose room hears the level's callbacks, the
// objects the level names (five shapes, the school, twenty bubbles, five check boxes) and a small
// level's text data, timing files and sounds in the content folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "../../frontend/ProgressStage.h"
#include "framework/Clickable.h"
#include "framework/GameClock.h"
#include "framework/SpriteObject.h"
#include "game4/Game4Node.h"
#include "game4/Level.h"
#include "game4/Moonfish.h"
#include "game4/Sequence.h"
#include "game4/SequenceList.h"
#include "game4/TimingMark.h"

namespace test {

// The room that stands in for the game's node: it writes down what the level tells it.
class LevelRoom : public ProgressNode, public Game4Node::LevelListener {
public:
  static GameNode* Create(int32_t id) { return id == kNodeNone ? nullptr : new LevelRoom; }

  void OnPlayersTurn() override { calls.push_back("turn"); }
  void OnSequenceResult(bool correct, bool timedOut) override {
    calls.push_back(std::string("result ") + (correct ? "correct" : "wrong") + (timedOut ? " slow" : ""));
  }
  void OnLevelComplete() override { calls.push_back("complete"); }
  uint32_t GetPressTime() const override { return pressTime; }

  std::vector<std::string> calls;
  uint32_t pressTime = 0;
};

class LevelStage : public ProgressStage {
protected:
  static constexpr int kSchoolAnimations = 23;

  void SetUp() override {
    ProgressStage::SetUp();
    NodeManager::Instance().SetNodeFactoryForTesting(LevelRoom::Create);
    for (int i = 0; i < 5; ++i) AddSprite("shape" + std::to_string(i), 40, 40, 4);
    AddSprite("moonfish", 200, 100, kSchoolAnimations);
    AddSprite("bubble", 10, 10, 4);
    AddSprite("box", 10, 10, 2);
    for (const char* name : {"fish", "good", "bad", "pop", "sweet", "note", "shape", "none", "tick"})
      m_stage.AddWave(name, Tone(30));
    m_stage.AddWave("cheer", Tone(300));
    std::string objects;
    for (int i = 0; i < 5; ++i) {
      objects += "[clickable shape" + std::to_string(i) + " shape" + std::to_string(i) +
                 "]\nx = " + std::to_string(100 + 120 * i) + "\ny = 450\n";
    }
    objects += "[ambient moonfish moonfish]\n";
    for (int i = 0; i < 20; ++i)
      objects += "[ambient b" + std::string(i < 10 ? "0" : "") + std::to_string(i) + " bubble]\n";
    for (int i = 0; i < 5; ++i) objects += "[ambient CheckBox_" + std::to_string(i) + " box]\n";
    m_stage.AddFile("Game4t.txt", objects);
    Text("G4_globals", kGlobals);
    Text("beat", "mark = 0\nwrap = 500\n");
    // Two presses each: the shapes at 100 and 400 ms, the turn at 800, the end of the copy at 2000.
    Text("seq_one", "strong = 100\nstrong = 400\nweak = 800\nweak = 2000\n");
    Text("seq_two", "strong = 100\nstrong = 400\nweak = 800\nweak = 2000\n");
    Text("level01_",
         "settings = 2, 0\neasy_settings = 200, 50, 10, 30, 100\n"
         "hard_settings = 300, 60, 20, 40, 300\nsequences = seq_one seq_two\nmetronome = tick beat\n");
  }
  void TearDown() override {
    m_level.reset();
    m_levelRoom = nullptr;
    ProgressStage::TearDown();
  }

  static constexpr const char* kGlobals =
      "timing_mark_sound = sweet 0, note 0, shape 0, none 0\nsequence_sound = cheer\n"
      "moonfish = shape0 fish good bad shape1 fish good bad shape2 fish good bad shape3 fish good bad "
      "shape4 fish good bad 1 moonfish\nbubbles = b x pop 10 20\n";

  void Text(const std::string& name, const std::string& text) { m_stage.AddFile(name + ".txt", text); }

  // The game with the stand-in room and its objects, and a level made on it.
  void StartLevelRoom() {
    WriteFile("Pilo.ini", "[settings]\ngraphics = 0\nwindowed = 1\n");
    ASSERT_TRUE(m_app.Init(plat::win::GetModuleHandleA(nullptr), nullptr, "", 10));
    Frame();
    m_levelRoom = dynamic_cast<LevelRoom*>(NodeManager::Instance().GetCurrentNode());
    ASSERT_NE(m_levelRoom, nullptr);
    ASSERT_TRUE(m_levelRoom->LoadObjects("Game4t"));
    m_level = std::make_unique<Game4Node::Level>(*m_levelRoom, *m_levelRoom);
    m_level->LoadGlobals();
  }

  // A frame of the game, then the level's update in that node state.
  void Step(int32_t state, uint32_t ms = 10) {
    Frame(ms);
    m_level->Update(state);
  }
  uint32_t Now() const { return GameClock::Instance().GetTime(); }

  Game4Node::Sequence* Current() const { return m_level->GetCurrentSequence(); }
  int32_t DueShape(uint32_t mark) const { return Current()->PeekMark(mark)->GetShapeIndex(); }
  uint32_t SchoolLook() const { return m_level->GetSchool()->GetSprite()->GetAnimationId(); }
  Clickable* ShapeButton(int i) const {
    return dynamic_cast<Clickable*>(m_levelRoom->FindObject(("shape" + std::to_string(i)).c_str()));
  }
  uint32_t BoxLook(int i) const {
    return dynamic_cast<SpriteObject*>(m_levelRoom->FindObject(("CheckBox_" + std::to_string(i)).c_str()))
        ->GetAnimationId();
  }

  // Runs the demonstration from the bubbles' fill to the player's turn; the frame of the first beat.
  void Demonstrate() {
    for (int frame = 0; frame < 50 && m_level->GetPhase() != Game4Node::Level::kReady; ++frame) Step(9);
    ASSERT_EQ(m_level->GetPhase(), Game4Node::Level::kReady);
    m_level->OnMark(nullptr);
    for (int frame = 0; frame < 200 && m_levelRoom->calls.empty(); ++frame) Step(9);
    ASSERT_FALSE(m_levelRoom->calls.empty());
  }

  // The copy begins with a press now: the node's state 12 and its press time.
  void BeginCopy() {
    m_levelRoom->pressTime = Now();
    m_level->Update(12);
  }
  // A press and release of shape i.
  int32_t Press(int32_t i) {
    m_level->OnShapePressed(i);
    const int32_t points = m_level->GetShapePoints(i);
    m_level->OnShapeReleased(i);
    return points;
  }

  LevelRoom* m_levelRoom = nullptr;
  std::unique_ptr<Game4Node::Level> m_level;
};

}  // namespace test
