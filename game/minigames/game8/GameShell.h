// The shells of the shell game: one controller per shell sprite, which opens, closes and slides its
// sprite and knows whether the blenny lies under it.
#pragma once

#include <cstdint>

#include "core/IEventListener.h"

class GenericObject;
class IGameShellEvents;
class SpriteObject;

// A swap never moves the objects: both shells play a slide of their own sprite, and when the
// following shell's slide ends the two exchange their has-blenny flags and return to rest. The
// depths, the speed factor, the listener and the blenny are one copy for all shells.
class GameShell : public Qel::IEventListener {
public:
  // Animation ids of a shell's sprite.
  static constexpr uint32_t kRest = 0;
  static constexpr uint32_t kOpening = 1;
  static constexpr uint32_t kClosing = 2;
  static constexpr uint32_t kLeadToA = 3;
  static constexpr uint32_t kFollowToA = 4;
  static constexpr uint32_t kLeadToB = 5;
  static constexpr uint32_t kFollowToB = 6;
  // Shell indexes.
  static constexpr int kLeft = 0;
  static constexpr int kMiddle = 1;
  static constexpr int kRight = 2;

  // Sets the shared listener and speed factor 1 and listens to the game-object events.
  GameShell(SpriteObject* object, IGameShellEvents* listener);
  // Stops listening.
  ~GameShell() override;
  GameShell(const GameShell&) = delete;
  GameShell& operator=(const GameShell&) = delete;

  // Game-object events: an animation's end goes to OnAnimationEnded.
  void HandleEvent(int kind, int id, void* data) override;

  virtual void SetNeighbours(GameShell* a, GameShell* b);
  // Leads a swap with the partner of that index, which follows; an index the class does not list
  // does nothing.
  virtual void StartSwap(int partner) = 0;
  virtual void FollowSwap(int leader) = 0;
  // Shows the blenny where this shell hides it (when it does), and starts the opening unless it
  // plays already.
  virtual void Open();
  virtual void Close();
  virtual bool HasBlenny() const { return m_hasBlenny; }
  // A non-null object becomes the blenny of all shells.
  virtual void SetBlenny(bool hasBlenny, GenericObject* blenny);
  virtual SpriteObject* GetObject() const { return m_object; }
  // The depth of the shell that leads a swap, at rest, and that follows.
  virtual void SetLayers(int32_t lead, int32_t rest, int32_t follow);
  virtual int32_t GetRestLayer() const { return s_restLayer; }
  virtual void SetSpeed(float factor);
  // Only the shell's own object counts.
  virtual void OnAnimationEnded(GenericObject* object);

  GameShell* GetNeighbourA() const { return m_neighbourA; }
  GameShell* GetNeighbourB() const { return m_neighbourB; }
  static int32_t GetLeadLayer() { return s_leadLayer; }
  static int32_t GetFollowLayer() { return s_followLayer; }
  static float GetSpeed() { return s_speed; }
  static GenericObject* GetBlenny() { return s_blenny; }

protected:
  // The depth, the animation from frame 0 and the shared speed factor.
  void Slide(int32_t depth, uint32_t animation);
  // Where this shell puts the blenny when it opens over it.
  virtual void PlaceBlenny(GenericObject& blenny);

private:
  SpriteObject* m_object;
  GameShell* m_neighbourA = nullptr;
  GameShell* m_neighbourB = nullptr;
  bool m_hasBlenny = false;

  static inline int32_t s_leadLayer = 0;
  static inline int32_t s_restLayer = 0;
  static inline int32_t s_followLayer = 0;
  static inline float s_speed = 1.0f;
  static inline IGameShellEvents* s_listener = nullptr;
  static inline GenericObject* s_blenny = nullptr;
};
