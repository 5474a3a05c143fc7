// The speech queue in a room: lines of two speakers in turn with the other one listening, one 102/1003
// at the end whether the lines ran out or were cut short, and the input lock that lasts until then.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RoomStage.h"
#include "framework/Ambient.h"
#include "framework/CharacterAnimator.h"
#include "framework/LipSyncSound.h"
#include "framework/MouseCursor.h"
#include "framework/SpriteObject.h"
#include "frontend/SpeechQueue.h"
#include "sound/Sound.h"

namespace {

using State = CharacterAnimator::State;

class SpeechQueueTest : public test::RoomStage {
protected:
  void SetUp() override {
    RoomStage::SetUp();
    // Bodies need the talking animation (4), heads the second set of mouths (8 and on).
    AddSprite("Body", 40, 40, 8);
    AddSprite("Head", 20, 20, 16);
    for (const char* name : {"4440", "4441", "4442"}) m_stage.AddWave(name, test::Tone(100));
  }
  void TearDown() override {
    if (m_room) {
      for (auto& object : m_objects) m_room->RemoveObject(object.get());
    }
    m_room = nullptr;
    RoomStage::TearDown();
  }

  // Speakers 0 and 1, each of a body and a head of the room.
  void StartWithSpeakers() {
    StartRoom();
    for (const char* name : {"Body0", "Head0", "Body1", "Head1"}) {
      m_objects.push_back(
          std::make_unique<Ambient>(name, name[0] == 'B' ? "Body" : "Head", SpriteObject::kClockGame));
      m_room->AddObject(m_objects.back().get());
    }
    m_room->SetSpeaker(0, "Body0", "Head0", nullptr, 0, 0);
    m_room->SetSpeaker(1, "Body1", "Head1", nullptr, 0, 0);
    ASSERT_NE(m_room->GetSpeaker(1), nullptr);
    EXPECT_EQ(m_room->GetSpeechQueue()->GetSpeaker(1), m_room->GetSpeaker(1));
  }

  State StateOf(int32_t slot) const { return m_room->GetSpeaker(slot)->GetState(); }
  std::vector<int> Stops() const {
    std::vector<int> stops;
    for (const int id : m_room->speechEvents) {
      if (id == EventId::SpeechStopped) stops.push_back(id);
    }
    return stops;
  }

  std::vector<std::unique_ptr<Ambient>> m_objects;
};

TEST_F(SpeechQueueTest, SpeakersTakeTurnsAndTheOthersListen) {
  StartWithSpeakers();
  m_room->QueueLine(0, "4440", 1);
  m_room->QueueLine(1, "4441", 2);
  m_room->QueueLine(0, "4442", 3);
  m_room->StartSpeech(0, false, true);
  SpeechQueue* queue = m_room->GetSpeechQueue();

  struct Turn {
    const char* sound;
    State speaker0;
    State speaker1;
  };
  const Turn turns[] = {{"speechSound1", CharacterAnimator::kTalking, CharacterAnimator::kListening},
                        {"speechSound2", CharacterAnimator::kListening, CharacterAnimator::kTalking},
                        {"speechSound3", CharacterAnimator::kTalking, CharacterAnimator::kListening}};
  for (const Turn& turn : turns) {
    SCOPED_TRACE(turn.sound);
    ASSERT_NE(queue->GetCurrentSound(), nullptr);
    EXPECT_EQ(queue->GetCurrentSound()->GetEngineSound()->GetId(), turn.sound);
    EXPECT_EQ(StateOf(0), turn.speaker0);
    EXPECT_EQ(StateOf(1), turn.speaker1);
    EXPECT_TRUE(Stops().empty());
    ASSERT_TRUE(RunUntilFinished(turn.sound));
  }
  EXPECT_FALSE(queue->IsPlaying());
  EXPECT_EQ(StateOf(0), CharacterAnimator::kIdle);
  EXPECT_EQ(StateOf(1), CharacterAnimator::kIdle);
  EXPECT_EQ(Stops().size(), 1u);
  // The finished lines went from the room's list.
  EXPECT_EQ(m_room->GetSounds().Find("speechSound1"), nullptr);
}

TEST_F(SpeechQueueTest, LockedInputComesBackWithTheStopEvent) {
  StartWithSpeakers();
  m_room->QueueLine(1, "4440", 1);
  m_room->StartSpeech(0, true, true);
  EXPECT_FALSE(MouseCursor::Instance().IsEnabled());
  EXPECT_EQ(m_room->GetNodeCursorKind(), RoomNode::kLockedCursorKind);
  ASSERT_TRUE(RunUntilFinished("speechSound1"));
  EXPECT_EQ(Stops().size(), 1u);
  EXPECT_TRUE(MouseCursor::Instance().IsEnabled());
  EXPECT_TRUE(MouseCursor::Instance().IsShown());
  EXPECT_EQ(m_room->GetNodeCursorKind(), 0);
}

TEST_F(SpeechQueueTest, StopCutsTheLineShortOnce) {
  StartWithSpeakers();
  m_room->QueueLine(0, "4440", 1);
  m_room->QueueLine(1, "4441", 2);
  m_room->StartSpeech(1, true, false);
  const LipSyncSound* line = m_room->GetSpeechQueue()->GetCurrentSound();
  ASSERT_TRUE(line->GetEngineSound()->IsPlaying());
  Frame();
  m_room->StopSpeech();
  EXPECT_FALSE(line->GetEngineSound()->IsPlaying());
  EXPECT_EQ(StateOf(0), CharacterAnimator::kIdle);
  EXPECT_EQ(StateOf(1), CharacterAnimator::kIdle);
  EXPECT_EQ(m_room->GetSpeechQueue()->GetLineCount(), 0u);
  EXPECT_TRUE(MouseCursor::Instance().IsEnabled());
  // A second stop of a queue that stands does nothing.
  m_room->StopSpeech();
  Frames(20);
  EXPECT_EQ(Stops().size(), 1u);
}

TEST_F(SpeechQueueTest, AnEmptyQueueThatLocksGivesTheInputBack) {
  StartWithSpeakers();
  m_room->StartSpeech(0, true, true);
  EXPECT_FALSE(m_room->GetSpeechQueue()->IsPlaying());
  EXPECT_EQ(Stops().size(), 1u);
  EXPECT_TRUE(MouseCursor::Instance().IsEnabled());
}

TEST_F(SpeechQueueTest, RoomDataMakesTheQueueAfreshAndEmptySlotsDoNothing) {
  m_stage.AddFile("roomData.txt", "a = b\n");
  StartWithSpeakers();
  m_room->QueueLine(0, "4440", 1);
  m_room->LoadRoomData("roomData", "SignIn");
  EXPECT_EQ(m_room->GetSpeechQueue()->GetLineCount(), 0u);
  EXPECT_EQ(m_room->GetSpeechQueue()->GetSpeaker(0), nullptr);
  for (const int32_t slot : {-1, 2, 8, 9}) {
    SCOPED_TRACE(slot);
    m_room->SpeakerIdle(slot);
    m_room->SpeakerPlayMove(slot, 1, 2, 3);
    m_room->SetSpeakerOffset(slot, 1.0f, 1.0f);
    EXPECT_FALSE(m_room->IsSpeakerTalking(slot));
  }
  m_room->SetSpeaker(9, "Body0", "Head0", nullptr, 0, 0);
  EXPECT_EQ(m_room->GetSpeaker(9), nullptr);
}

}  // namespace
