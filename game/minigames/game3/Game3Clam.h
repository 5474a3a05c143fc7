// A clam of the music game: a key that sounds while it is held.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/IEventListener.h"
#include "game3/Game3Node.h"

class GameSound;
class GameTimer;
class SpriteObject;

// Pressing plays the attack and, just before the attack ends, starts the sustain, which loops until
// the release plays the decay. The clam's timer joins attack and sustain; its expiry reaches the clam
// as a game-object event, so the node registers the clam for those.
class Game3Node::Clam : public Qel::IEventListener {
public:
  enum State : int32_t { kIdle = 0, kHeld = 1, kReleased = 2 };
  // The sustain starts this long before the attack would end.
  static constexpr uint32_t kOverlapMs = 50;

  // The object may be null: such a clam still sounds, its sounds named after "clam<number>".
  Clam(int32_t number, SpriteObject* object);
  // A held clam is released first; then it leaves the event manager.
  ~Clam() override;
  Clam(const Clam&) = delete;
  Clam& operator=(const Clam&) = delete;

  void HandleEvent(int kind, int id, void* data) override;
  // False without an object.
  bool HitTest(int32_t x, int32_t y);
  void Press();
  void Release();
  // Polls the timer against the game clock.
  void Update();
  // All three files make three new sounds; anything less leaves the clam silent.
  void SetSounds(const char* attackFile, const char* sustainFile, const char* decayFile);

  GameSound* GetAttackSound() const { return m_attack.get(); }
  GameSound* GetSustainSound() const { return m_sustain.get(); }
  GameSound* GetDecaySound() const { return m_decay.get(); }
  SpriteObject* GetObject() const { return m_object; }
  int32_t GetState() const { return m_state; }
  int32_t GetPressCount() const { return m_pressCount; }
  GameTimer& GetTimer() const { return *m_timer; }

private:
  void SetAnimation(uint32_t animation);

  std::unique_ptr<GameSound> m_attack;
  std::unique_ptr<GameSound> m_sustain;
  std::unique_ptr<GameSound> m_decay;
  SpriteObject* m_object;
  std::string m_soundPrefix;
  int32_t m_state = kIdle;
  int32_t m_pressCount = 0;
  std::unique_ptr<GameTimer> m_timer;
};
