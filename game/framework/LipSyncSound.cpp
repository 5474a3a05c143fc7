// A voice line with a lip-sync track.
#include "framework/LipSyncSound.h"

#include <memory>
#include <string>

#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "core/Stream.h"
#include "core/Trace.h"
#include "framework/GameClock.h"
#include "platform/win/kernel/Path.h"
#include "platform/win/kernel/Random.h"

LipSyncSound::LipSyncSound(const char* name, const char* file, ClosedCaption* caption, uint32_t captionNumber,
                           bool pausable, bool streamed)
    : CCSound(name, file, caption, captionNumber, pausable, streamed) {
  Qel::ResourceManager* resources = Qel::ResourceManager::GetInstance();
  const char* const trackName = file ? file : "";
  const uint32_t hash = Qel::NameHash(trackName);
  std::shared_ptr<Qel::Stream> stream;
  resources->OpenStream(hash, Qel::kTypeLipSync, stream);
  // No track is usual (the mouth then moves at random); a track that is there but unreadable is a
  // damaged file.
  if (stream && !m_track.Read(*stream)) {
    stream.reset();
    const std::string where = resources->GetResourceLocation(hash, Qel::kTypeLipSync, trackName);
    Qel::Trace("WARN: LipSyncSound: lip-sync track %s is refused: %s; the mouth moves at random\n",
               plat::win::LinuxPathAsWritten(where.c_str()).c_str(), m_track.GetFailure().c_str());
  }
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
