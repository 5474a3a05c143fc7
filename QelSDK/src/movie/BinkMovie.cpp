// The movie: one movie file played frame by frame on the movie library's timing from the per-frame update,
// announcing its life as movie events, and copying its latest frame into a drawing surface on request.
#include "movie/BinkMovie.h"

#include "core/EventManager.h"
#include "core/PixelFormat.h"
#include "core/Trace.h"
#include "graphics/DrawingSurface.h"
#include "movie/MovieEvents.h"
#include "platform/win/kernel/Path.h"

namespace Qel {
namespace {

struct SurfaceType {
  PixelFormat format;
  plat::bink::U32 type;
};

// The pixel formats the library copies into, matched exactly (depth and every mask).
constexpr SurfaceType kSurfaceTypes[] = {
    {PixelFormat(16, 0x7C00, 0x03E0, 0x001F, 0), plat::bink::BINKSURFACE555},
    {PixelFormat(16, 0xF800, 0x07E0, 0x001F, 0), plat::bink::BINKSURFACE565},
    {PixelFormat(16, 0x0F00, 0x00F0, 0x000F, 0xF000), plat::bink::BINKSURFACE4444},
    {PixelFormat(24, 0xFF0000, 0x00FF00, 0x0000FF, 0), plat::bink::BINKSURFACE24},
    {PixelFormat(32, 0xFF0000, 0x00FF00, 0x0000FF, 0), plat::bink::BINKSURFACE32},
    {PixelFormat(32, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000), plat::bink::BINKSURFACE32A},
};

const SurfaceType* SurfaceTypeOf(const PixelFormat& format) {
  for (const SurfaceType& entry : kSurfaceTypes) {
    if (entry.format == format) return &entry;
  }
  return nullptr;
}

// The last part of the path (after a backslash, or a slash the user wrote), cut before its last dot.
std::string NameOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

}  // namespace

BinkMovie::~BinkMovie() {
  Close();
}

int32_t BinkMovie::Open(const std::string& path) {
  Close();
  m_name = NameOf(path);
  m_path = plat::win::LinuxPathAsWritten(path.c_str());
  m_openError.clear();
  m_bink = plat::bink::BinkOpen(path.c_str(), 0);
  if (!m_bink) {
    m_openError = plat::bink::BinkGetError();
    return -1;
  }
  Post(EventId::MovieOpened);
  return 0;
}

void BinkMovie::Close() {
  Periodical::Stop();
  plat::bink::BinkClose(m_bink);
  m_bink = nullptr;
  m_frameReady = false;
}

void BinkMovie::Play() {
  if (!m_bink) return;
  Start();
  Post(EventId::MovieStarted);
}

void BinkMovie::Stop() {
  const bool wasTicking = IsRunning();
  Periodical::Stop();
  if (m_bink && wasTicking) Post(EventId::MovieStopped);
}

bool BinkMovie::IsPlaying() const {
  return m_bink && IsRunning();
}

int BinkMovie::GetWidth() const {
  return m_bink ? static_cast<int>(m_bink->Width) : 0;
}

int BinkMovie::GetHeight() const {
  return m_bink ? static_cast<int>(m_bink->Height) : 0;
}

int32_t BinkMovie::CopyFrame(DrawingSurface* surface, const Point2& position) {
  if (!m_frameReady || !m_bink) return 0;
  if (!surface) return -1;
  const SurfaceType* type = SurfaceTypeOf(surface->GetPixelFormat());
  if (!type) {
    m_frameReady = false;
    return -1;
  }
  int pitch = 0;
  uint8_t* pixels = surface->Lock(pitch, DrawingSurface::kLockWrite);
  // A surface that cannot be locked now keeps the frame ready for the next try.
  if (!pixels) return -1;
  plat::bink::BinkCopyToBuffer(m_bink, pixels, pitch, static_cast<plat::bink::U32>(surface->GetHeight()),
                               static_cast<plat::bink::U32>(position.X()),
                               static_cast<plat::bink::U32>(position.Y()), type->type);
  surface->Unlock();
  m_frameReady = false;
  return 0;
}

void BinkMovie::Tick() {
  if (!m_bink || plat::bink::BinkWait(m_bink) != 0) return;
  if (plat::bink::BinkDoFrame(m_bink) != 0) {
    // The movie stops where its pictures end, as at its last frame; only an early end is a fault.
    if (m_bink->FrameNum < m_bink->Frames) {
      Trace("WARN: BinkMovie - movie '%s' stops after %u of its %u frames: %s\n", m_path.c_str(),
            unsigned{m_bink->FrameNum}, unsigned{m_bink->Frames}, plat::bink::BinkGetError());
    }
    Stop();
    return;
  }
  plat::bink::BinkNextFrame(m_bink);
  m_frameReady = true;
  Post(EventId::MovieNewFrame);
}

int BinkMovie::Update() {
  Tick();
  return 0;
}

void BinkMovie::Post(int id) const {
  // A movie that outlives the event manager must not bring it back at shut-down.
  if (!EventManager::Exists()) return;
  MovieEventInfo info{m_name, m_bink ? m_bink->FrameNum : 0};
  EventManager::GetInstance()->PostEvent(kEventMovie, id, &info);
}

}  // namespace Qel
