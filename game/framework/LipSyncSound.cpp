// A voice line with a lip-sync track.
#include "framework/LipSyncSound.h"

#include <memory>

#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "core/Stream.h"
#include "framework/GameClock.h"
#include "platform/win/kernel/Random.h"

LipSyncSound::LipSyncSound(const char* name, const char* file, ClosedCaption* caption, uint32_t captionNumber,
                           bool pausable, bool streamed)
    : CCSound(name, file, caption, captionNumber, pausable, streamed) {
  std::shared_ptr<Qel::Stream> stream;
  Qel::ResourceManager::GetInstance()->OpenStream(Qel::NameHash(file ? file : ""), Qel::kTypeLipSync, stream);
  if (stream) m_track.Read(*stream);
}

int LipSyncSound::GetMouthShape() {
  if (!m_track.IsEmpty()) {
    const Qel::Sound* sound = GetEngineSound();
    return m_track.ShapeAt(sound ? sound->GetPositionMs() : 0);
  }
  const uint32_t now = GameClock::Instance().GetLastTime();
  if (now - m_lastRandomTime > kRandomShapeMs) {
    m_lastRandomTime = now;
    m_randomShape = plat::win::rand() % kRandomShapeCount;
  }
  return m_randomShape;
}
