// The emitter click point: a click throws out a particle at one of its offsets, at most once per
// interval.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/Point2.h"
#include "framework/Clickable.h"
#include "framework/ObjectList.h"

class Particle;

class EmitterClickPoint : public Clickable {
public:
  static constexpr int32_t kMaxParticleFiles = 4;
  static constexpr int32_t kMaxParticleOffsets = 4;
  // A file name keeps its first 31 characters.
  static constexpr size_t kFileNameCapacity = 32;

  // Test seam: the particles' names count from 0 again, as in a new process.
  static void RestartParticleNamesForTesting();

  // Rollover cursor 1, depth 1.
  EmitterClickPoint(const char* objectName, const char* spriteName, int clockKind);
  // Deletes its particles.
  ~EmitterClickPoint() override;

  // "clickInterval" (milliseconds of the game clock), "particleFiles" (up to four names) and
  // "particleOffsets" (up to four x, y pairs) after the keys of Clickable. An empty list changes
  // nothing; names and numbers beyond four are dropped.
  void SetProperty(const char* key, const char* value) override;
  // The click is posted as any clickable's. Then, once the interval since the last particle has
  // passed and there are particle files: a particle ("particle<nnn>", counted over the process) of a
  // file drawn at random, at the emitter's position plus an offset drawn at random (none without
  // offsets) and at its depth, shown; the emitter plays animation 1. Answers whether it emitted.
  // A particle file that does not load throws as SpriteObject does.
  bool OnLeftButtonUp(const InputEventInfo& input) override;

  uint32_t GetClickInterval() const { return m_clickInterval; }
  int32_t GetParticleFileCount() const { return m_particleFileCount; }
  const char* GetParticleFile(int32_t index) const;
  int32_t GetParticleOffsetCount() const { return m_particleOffsetCount; }
  Qel::Point2 GetParticleOffset(int32_t index) const;
  // Every particle it made, shown or not.
  const ObjectList& GetParticles() const { return m_particles; }

private:
  ObjectList m_particles;
  uint32_t m_clickInterval = 0;
  int32_t m_nextEmissionTime = 0;
  int32_t m_particleFileCount = 0;
  char m_particleFiles[kMaxParticleFiles][kFileNameCapacity] = {};
  int32_t m_particleOffsetCount = 0;
  Qel::Point2 m_particleOffsets[kMaxParticleOffsets];
};
