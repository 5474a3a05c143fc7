// The emitter click point: a click throws out a particle at one of its offsets, at most once per
// interval.
#include "framework/EmitterClickPoint.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "framework/GameClock.h"
#include "framework/Particle.h"
#include "framework/ValueTokenizer.h"
#include "platform/win/kernel/AsciiCase.h"
#include "platform/win/kernel/Random.h"

namespace {
// Every particle has a name of its own, so that a node can list it beside the others.
int gParticleCount = 0;
}  // namespace

EmitterClickPoint::EmitterClickPoint(const char* objectName, const char* spriteName, int clockKind)
    : Clickable(objectName, spriteName, clockKind) {
  SetRolloverCursor(1);
  SetZ(1);
}

EmitterClickPoint::~EmitterClickPoint() {
  while (GenericObject* particle = m_particles.At(0)) {
    m_particles.Remove(particle);
    delete particle;
  }
}

void EmitterClickPoint::SetProperty(const char* key, const char* value) {
  Clickable::SetProperty(key, value);
  if (plat::EqualsIgnoringCase(key, "clickInterval")) {
    ValueTokenizer tokens(value);
    m_clickInterval = static_cast<uint32_t>(tokens.NextInt());
  } else if (plat::EqualsIgnoringCase(key, "particleFiles")) {
    ValueTokenizer tokens(value);
    int32_t count = 0;
    char names[kMaxParticleFiles][kFileNameCapacity] = {};
    while (const char* name = tokens.NextToken()) {
      if (count < kMaxParticleFiles) std::snprintf(names[count], kFileNameCapacity, "%s", name);
      ++count;
    }
    if (count == 0) return;
    m_particleFileCount = std::min(count, kMaxParticleFiles);
    std::copy(&names[0][0], &names[0][0] + sizeof(names), &m_particleFiles[0][0]);
  } else if (plat::EqualsIgnoringCase(key, "particleOffsets")) {
    // Counted as tokens, read as numbers: "a b" is one offset of (0, 0).
    ValueTokenizer counter(value);
    int32_t tokenCount = 0;
    while (counter.NextToken()) ++tokenCount;
    const int32_t count = std::min(tokenCount / 2, kMaxParticleOffsets);
    if (count == 0) return;
    ValueTokenizer tokens(value);
    for (int32_t i = 0; i < count; ++i) m_particleOffsets[i] = tokens.NextPoint();
    m_particleOffsetCount = count;
  }
}

const char* EmitterClickPoint::GetParticleFile(int32_t index) const {
  return index >= 0 && index < m_particleFileCount ? m_particleFiles[index] : nullptr;
}

Qel::Point2 EmitterClickPoint::GetParticleOffset(int32_t index) const {
  return index >= 0 && index < m_particleOffsetCount ? m_particleOffsets[index] : Qel::Point2();
}

bool EmitterClickPoint::OnLeftButtonUp(const InputEventInfo& input) {
  if (!Clickable::OnLeftButtonUp(input)) return false;
  const uint32_t now = GameClock::Instance().GetTime();
  // The clock wraps: "earlier" is a signed difference.
  if (static_cast<int32_t>(now - static_cast<uint32_t>(m_nextEmissionTime)) < 0 || m_particleFileCount == 0)
    return false;

  char name[32];
  std::snprintf(name, sizeof(name), "particle%03d", gParticleCount++);
  const char* file = m_particleFiles[plat::win::rand() % m_particleFileCount];
  const Qel::Point2 offset = m_particleOffsetCount > 0
                                 ? m_particleOffsets[plat::win::rand() % m_particleOffsetCount]
                                 : Qel::Point2();
  // Owned here until the list holds it: a node that refuses it (a name of its own) leaves nothing.
  auto particle = std::make_unique<Particle>(name, file, 0);
  particle->SetPositionAndZ(GetX() + static_cast<float>(offset.X()), GetY() + static_cast<float>(offset.Y()),
                            GetZ());
  particle->Show();
  m_particles.Insert(particle.get());
  particle.release();

  m_nextEmissionTime = static_cast<int32_t>(now + m_clickInterval);
  SetAnimation(1, 0);
  return true;
}

void EmitterClickPoint::RestartParticleNamesForTesting() {
  gParticleCount = 0;
}
