// The level banner: a banner that flies in, shows a one- or two-digit level number for a second, flies
// out and tells the node that it is done.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "framework/Ambient.h"

class GameNode;
class GameSound;

// Its sprite's animations: 0 idle, 1 flying in, 2 holding, 3 flying out. The end of the fly-out posts
// 102/1004 with the banner, which reaches the node's OnSpeechEvent.
class LevelBanner : public Ambient {
public:
  static constexpr uint32_t kAnimationIdle = 0;
  static constexpr uint32_t kAnimationFlyIn = 1;
  static constexpr uint32_t kAnimationHold = 2;
  static constexpr uint32_t kAnimationFlyOut = 3;
  // The digits' sprite keeps its first 31 characters.
  static constexpr size_t kNumberAnimCapacity = 32;
  // Where the digits wait while no number is shown.
  static constexpr float kParkedAt = 1000.0f;

  LevelBanner(const char* objectName, const char* spriteName, int clockKind);
  // Takes its digits out of the node they joined before deleting them, and stops its sound.
  ~LevelBanner() override;

  // "sfx" (a sound file, replacing an earlier one), "numberAnim", "numberDistance", "numberCenterX"
  // and "numberCenterY" after the keys of SpriteObject.
  void SetProperty(const char* key, const char* value) override;
  // Parks the digits, flies in and plays the sound. The number shows once the fly-in is over.
  void Show(int32_t level);
  // More than 1000 ms of game time into the hold, the banner flies out and parks its digits.
  void Update() override;
  // Fly-in over: the hold and the number. Fly-out over: idle and 102/1004. Every end is taken.
  bool OnAnimationEnded() override;

  int32_t GetLevel() const { return m_level; }
  GameSound* GetSound() const { return m_sound.get(); }
  const char* GetNumberAnim() const { return m_numberAnim; }
  int32_t GetNumberDistance() const { return m_numberDistance; }
  float GetNumberCenterX() const { return m_numberCenterX; }
  float GetNumberCenterY() const { return m_numberCenterY; }
  // Null before the first number was shown.
  Ambient* GetOnesDigit() const { return m_onesDigit.get(); }
  Ambient* GetTensDigit() const { return m_tensDigit.get(); }

private:
  void ShowNumber();
  void ParkDigits();

  std::unique_ptr<GameSound> m_sound;
  int32_t m_level = 0;
  uint32_t m_startTime = 0;
  std::unique_ptr<Ambient> m_onesDigit;
  std::unique_ptr<Ambient> m_tensDigit;
  // The node the digits joined; null when they joined none.
  GameNode* m_digitNode = nullptr;
  char m_numberAnim[kNumberAnimCapacity] = "";
  int32_t m_numberDistance = 0;
  float m_numberCenterX = 0.0f;
  float m_numberCenterY = 0.0f;
};
