// The bobbing of the sign-in screen's six slot buttons.
#include "frontend/SIBobbingMgr.h"

#include "framework/GenericObject.h"
#include "platform/win/kernel/Random.h"

SIBobbingMgr::SIBobbingMgr() {
  for (float& offset : m_offsets) offset = static_cast<float>(plat::win::rand() % 10) * kStartUnit;
  m_velocities.fill(kStartVelocity);
}

SIBobbingMgr::~SIBobbingMgr() = default;

void SIBobbingMgr::SetObjects(const std::array<GenericObject*, kObjectCount>& objects) {
  m_objects = objects;
}

void SIBobbingMgr::Update(uint32_t now) {
  // Compared as the clock's own unsigned count, so that the step goes on when the time passes the
  // top of a signed number.
  if (now <= static_cast<uint32_t>(m_nextStepTime)) return;
  m_nextStepTime = static_cast<int32_t>(now + kStepMs);
  for (size_t i = 0; i < m_objects.size(); ++i) {
    GenericObject* object = m_objects[i];
    if (!object) continue;
    const float old = m_offsets[i];
    m_offsets[i] += m_velocities[i];
    if (m_offsets[i] <= -kTurn) {
      m_velocities[i] = kTurnVelocity;
    } else if (m_offsets[i] >= kTurn) {
      m_velocities[i] = -kTurnVelocity;
    }
    object->SetPosition(object->GetX(), object->GetY() + (m_offsets[i] - old));
  }
}
