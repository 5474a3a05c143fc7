// Fuzz target: arbitrary bytes as a character's pose text data, read through the text-data manager
// into a character animator over a body and a head of a memory database; the character then idles,
// talks, listens, moves and bobs. Every pose must stand where its entry says, and the bob must stay
// inside its turns.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "FuzzDisplay.h"
#include "FuzzInput.h"
#include "core/IResourceFile.h"
#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "fixture-content/SpriteFile.h"
#include "fixture-content/SpriteFileWriter.h"
#include "framework/CharacterAnimator.h"
#include "framework/GameClock.h"
#include "framework/LipSyncSound.h"
#include "framework/NPC.h"
#include "framework/TalkingHead.h"
#include "graphics/SceneObject.h"
#include "platform/win/kernel/Timer.h"

namespace {

constexpr const char* kPoses = "poses";

// Says which check failed, as the input alone does not tell.
void Check(bool condition, int line) {
  if (condition) return;
  std::fprintf(stderr, "character_animator: check at line %d failed\n", line);
  std::abort();
}
#define Require(condition) Check((condition), __LINE__)

uint32_t gTimer = 0;
uint32_t FakeTimer() {
  return gTimer;
}

// Animations 0 to 20 for the body, 0 to 15 for the head, of two frames each.
fixture::SpriteFile Sprite(int animations) {
  fixture::SpriteFile file;
  file.m_images = {fixture::SpriteFileImage::Solid(8, 8, 0xFFFF0000)};
  fixture::SpriteFileAnimation animation;
  animation.m_playMode = 2;
  animation.m_frames.assign(2, fixture::SpriteFileFrame());
  file.m_animations.assign(static_cast<size_t>(animations), animation);
  return file;
}

struct Stage {
  Stage() {
    plat::win::SetTimeSourceForTesting(FakeTimer);
    ready = fuzzinput::OpenDummyDisplay();
    database->m_sprites[Qel::NameHash("body")] = fixture::WriteSpriteFile(Sprite(21));
    database->m_sprites[Qel::NameHash("head")] = fixture::WriteSpriteFile(Sprite(16));
    Qel::ResourceManager::GetInstance()->AddResourceFile(database, 0);
  }

  std::shared_ptr<fuzzinput::InputDatabase> database = std::make_shared<fuzzinput::InputDatabase>(kPoses);
  bool ready = false;
};

void RequireAt(const SpriteObject& body, const CharacterAnimator& animator, int sequence, float baseX,
               float baseY) {
  // The sums may be made in another order, so they are held to a float's precision.
  const auto near = [](float a, float b) {
    return std::fabs(a - b) <= 1e-6f * std::fmax(1.0f, std::fabs(b)) + 1e-3f;
  };
  const Qel::Point2 pose = animator.GetPose(sequence);
  Require(near(body.GetX(), static_cast<float>(pose.X()) + baseX));
  Require(near(body.GetY(), static_cast<float>(pose.Y()) + animator.GetBobOffset() + baseY));
}

void Tick(uint32_t ms) {
  gTimer += ms;
  GameClock::Instance().Update();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x100000) return 0;
  static Stage stage;
  if (!stage.ready) return 0;
  stage.database->m_data = data;
  stage.database->m_size = size;
  GameClock::Instance().SetTime(0);

  NPC body("body", "body");
  TalkingHead head("head", "head");
  body.SetPosition(100, 200);
  CharacterAnimator animator(&body, &head, kPoses, 0, 1);
  Require(animator.GetState() == CharacterAnimator::kIdle);
  for (int i = 21; i < CharacterAnimator::kPoseCount; ++i) Require(animator.GetPose(i) == Qel::Point2());
  RequireAt(body, animator, 0, 100, 200);

  LipSyncSound line("line", "noline", nullptr, 0, true, false);
  animator.Talk(&line, static_cast<uint8_t>(size & 1));
  Require(animator.GetState() == CharacterAnimator::kTalking);
  RequireAt(body, animator, 4, 100, 200);
  Require(head.GetX() == body.GetX() && head.GetY() == body.GetY());
  for (int frame = 0; frame < 40; ++frame) {
    Tick(101);
    animator.Update();
    // Whole steps up from the random start turn only once past 2.25.
    Require(std::fabs(animator.GetBobOffset()) < 3.25f);
    Require(head.GetAnimationId() < 16);
  }
  animator.StopTalking(1);
  Require(animator.GetState() == CharacterAnimator::kListening);
  RequireAt(body, animator, 3, 100, 200);
  Require(!head.GetSceneObject()->IsShown());

  animator.SetOffset(-5, 7);
  for (uint32_t sequence = 0; sequence < 21; ++sequence) {
    const Qel::Point2 pose = animator.GetPose(static_cast<int>(sequence));
    animator.PlayMove(sequence, pose.X(), pose.Y());
    RequireAt(body, animator, static_cast<int>(sequence), -5, 7);
    Tick(101);
    animator.Update();
  }
  animator.Idle();
  RequireAt(body, animator, 0, -5, 7);
  return 0;
}
