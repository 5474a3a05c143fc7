// The character animator: poses of a speaking character's body, its talking head's mouth and a
// gentle bob up and down.
#pragma once

#include <array>
#include <cstdint>

#include "core/Point2.h"
#include "framework/IHasLoadableTxtData.h"

class GameSound;
class GenericObject;
class LipSyncSound;
class SpriteObject;

// Drives a body and a head it does not own. The body is looked up by a name that data gives and
// may be missing; an animator without one leaves everything alone (and says so once, at
// construction). Without a head the character never talks, and the rest moves the body alone.
//
// The owner calls Update every frame and forwards its animation-ended, animation-looped and
// sound-finished notifications.
class CharacterAnimator : public IHasLoadableTxtData {
public:
  enum State : uint32_t {
    kNone = 0,
    kIdle = 2,
    kTalking = 3,
    kListening = 4,
    kMoving = 6,
  };
  static constexpr int kPoseCount = 32;
  // Body animations of the poses the animator chooses itself; the others come through PlayMove.
  static constexpr uint32_t kIdleSequence = 0;
  static constexpr uint32_t kListeningSequence = 3;
  static constexpr uint32_t kTalkingSequence = 4;
  // The second set of mouth shapes starts this far on.
  static constexpr int kSecondHeadOffset = 8;
  // A bob step follows once more than this much game time has passed.
  static constexpr int32_t kBobIntervalMs = 100;

  // The base position is the body's position now. The poses are read from the 'txt ' resource of
  // that name (null for none). The flag has no effect. A bobbing character starts at a random
  // offset, so that several of them do not bob in step. Starts idle.
  CharacterAnimator(SpriteObject* body, SpriteObject* head, const char* txtDataName, uint8_t flag,
                    uint8_t bobbing);

  // The pose keys ("idledefault", "swimoutn", ...): two integers, the body's position relative to
  // the base position while it shows that animation.
  void SetTxtValue(const char* key, const char* value) override;

  // The mouth follows the line; the bob takes its next step when it is due.
  void Update();
  // Plays the line once, with the head over the body. Nothing without a head or a line.
  void Talk(LipSyncSound* sound, uint8_t headVariant);
  // Only while talking: stops the line if it still plays and forgets it.
  void StopTalking(uint8_t toListening);
  void Listen();
  // Nothing when already idle.
  void Idle();
  // The body plays the animation from its first frame at (x, y) from the base position; the head
  // is hidden.
  void PlayMove(uint32_t sequence, int32_t x, int32_t y);
  // Takes effect at the next pose.
  void SetOffset(float x, float y);
  // Turning the bob on lifts body and head by the offset they were left at.
  void SetBobbing(uint8_t on);

  // While moving, the body's move posts 102/1001 (ended) or 102/1002 (looped) with the body.
  void OnAnimationEnded(GenericObject* object);
  void OnAnimationLooped(GenericObject* object);
  // The end of the current line makes the character idle.
  void OnSoundFinished(const GameSound* sound);

  State GetState() const { return m_state; }
  float GetBobOffset() const { return m_bobOffset; }
  float GetBobStep() const { return m_bobStep; }
  bool IsBobbing() const { return m_bobbing; }
  // (0, 0) beyond the table.
  Qel::Point2 GetPose(int index) const;
  const LipSyncSound* GetSound() const { return m_sound; }

private:
  void EnterPose(State state);
  bool CarriesFrameInto(State state) const;
  int MouthSequence() const;
  void ShowHead(bool shown);
  void PostMoveEvent(GenericObject* object, int id);

  SpriteObject* m_body;
  SpriteObject* m_head;
  float m_baseX = 0.0f;
  float m_baseY = 0.0f;
  float m_bobOffset = 0.0f;
  float m_bobStep = 1.0f;
  int32_t m_nextBobTime = 0;
  uint8_t m_headVariant = 0;
  State m_state = kNone;
  LipSyncSound* m_sound = nullptr;
  std::array<Qel::Point2, kPoseCount> m_poses{};
  bool m_bobbing;
};
