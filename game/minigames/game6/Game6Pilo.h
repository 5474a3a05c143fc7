// The swim game's fish: the player's character, with its two facing animation sets, its blink after a
// knock and the turn back to the swimming direction when the player stops steering left.
#pragma once

#include <cstdint>

#include "core/Point2.h"
#include "framework/Character.h"
#include "game6/Game6Node.h"

class GenericObject;

class Game6Node::Game6Pilo : public Character {
public:
  // Animations of the fish's sprite. Set A (0..14) faces the swimming direction, set B (15..29) faces
  // back; each of set B is its set-A twin + 15.
  static constexpr uint32_t kStraight = 0;
  static constexpr uint32_t kUp = 4;
  static constexpr uint32_t kDown = 5;
  static constexpr uint32_t kBouncedBack = 6;
  static constexpr uint32_t kInBubbleWall = 7;
  static constexpr uint32_t kInKelp = 8;
  static constexpr uint32_t kCheering = 10;
  static constexpr uint32_t kRecovering = 11;
  static constexpr uint32_t kUpRecovering = 12;
  static constexpr uint32_t kDownRecovering = 13;
  static constexpr uint32_t kTurnToBack = 14;
  static constexpr uint32_t kSetB = 15;
  static constexpr uint32_t kBouncedForward = 21;
  static constexpr uint32_t kTurnToFront = 29;

  // Teaches the object factory this class's name; the node does it before it loads its objects.
  static void RegisterClass();

  // On the game clock, as every character.
  Game6Pilo(const char* objectName, const char* spriteName);

  // The blink's end and the pending turn-back, then the character's own update.
  void Update() override;

  // Shows n, turning first (14 or 29, with n queued after the turn) when n lies in the other set.
  void SetAnimationKeepingSet(uint32_t n);
  // True when the current animation is n, or a turn plays (the turn ends in some other animation).
  bool IsShowing(uint32_t n) const;
  // Whether the animation shown lies in set B (faces back).
  bool IsFacingBack() const;
  uint32_t GetShownAnimation() const;
  // The recovering look for the time given from now; Update ends it.
  void Blink(int32_t milliseconds);
  bool IsBlinking() const { return m_blinking; }
  int32_t GetBlinkEnd() const { return m_blinkEnd; }
  void ClearBlink() {
    m_blinking = false;
    m_blinkEnd = 0;
  }

  // The steering of one step from the mouse position, the fish's point and the world's scroll: 0
  // above, 1 above-left, 2 left, 3 below-left, 4 below, 5 below-right, 6 right, 7 above-right, 8
  // level and centred or over the navigation bar. The senses follow; a sense already held keeps its
  // side of the dead band, so the fish does not flicker at its edge.
  int32_t SteeringIndex(const Qel::Point2& mouse, int32_t scrollX);
  // The fish's point that the mouse is compared with: its screen x, and its y below its middle. A
  // position that an object file put far beyond any screen stands 2^30 pixels off, so that the
  // comparisons with the mouse keep their sense.
  int32_t SteeringX(int32_t scrollX) const;
  int32_t SteeringY() const;

  // The animation for one step's movement mask (bit 1 up, 2 left, 4 down, 8 right), the recovering
  // look while blinking. atTop and atBottom: the fish's offset is at its limit; leftShown: the state
  // lets a left-only mask change the look.
  void ShowMovement(int32_t mask, bool atTop, bool atBottom, bool leftShown);

  // The plain twin of a recovering animation (11->0, 12->4, 13->5, 26->15, 27->19, 28->20); any
  // other animation answers itself.
  static uint32_t PlainTwinOf(uint32_t animation);

  // Written by the node's steering: -1 left or up, 0 centred, 1 right or down.
  int32_t m_horizontalSense = 0;
  int32_t m_verticalSense = 0;
  // What the horizontal sense was at the fish's previous update.
  int32_t m_previousHorizontalSense = 0;
  // The fish's horizontal position follows this object (the camera while swimming, or what it hit).
  GenericObject* m_anchor = nullptr;
  int32_t m_anchorOffset = 0;
  // Game-clock milliseconds; -1 for none pending.
  int32_t m_turnBackAt = -1;

private:
  // Through a turn when n lies in the other set, unless n (or a turn) shows already.
  void ViaTurn(uint32_t n);
  // Straight to n unless it shows already.
  void Direct(uint32_t n);
  void ShowPlainMovement(int32_t mask, bool atTop, bool atBottom, bool leftShown);
  void ShowRecoveringMovement(int32_t mask, bool atTop, bool atBottom, bool leftShown);

  bool m_blinking = false;
  int32_t m_blinkEnd = 0;
};
