// The movie player: plays one full-screen movie at a time by name, with the game paused while it runs,
// and draws its frames centred on the screen in place of the node's scene.
#include "framework/MoviePlayer.h"

#include <cstring>
#include <string>

#include "core/Color.h"
#include "core/EventManager.h"
#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "core/Trace.h"
#include "framework/GameEvents.h"
#include "framework/MainApp.h"
#include "framework/MissingResource.h"
#include "graphics/DisplayDevice.h"
#include "graphics/SurfaceLock.h"

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

// Black in the surface's own format, by its fill where it has one, else pixel by pixel.
void FillBlack(Qel::DrawingSurface& surface) {
  const Qel::PixelFormat format = surface.GetPixelFormat();
  const Qel::Color& black = Qel::Color::Black(format);
  if (surface.DrawRectangle(nullptr, 0, black, black) == 0) return;
  Qel::SurfaceLock lock(&surface, Qel::DrawingSurface::kLockWrite);
  const int bytes = format.GetBytesPerPixel();
  if (!lock.GetBits() || bytes == 0) return;
  const uint32_t pixel = black.GetPacked();
  for (int y = 0; y < surface.GetHeight(); ++y) {
    uint8_t* row = lock.GetBits() + static_cast<ptrdiff_t>(y) * lock.GetPitch();
    for (int x = 0; x < surface.GetWidth(); ++x)
      std::memcpy(row + x * bytes, &pixel, static_cast<size_t>(bytes));
  }
}

}  // namespace

MoviePlayer& MoviePlayer::Instance() {
  static MoviePlayer instance;
  return instance;
}

MoviePlayer::~MoviePlayer() {
  Stop();
}

void MoviePlayer::PostAppState(int id, const char* name) {
  // A player that outlives the event manager must not bring it back at exit.
  if (!Qel::EventManager::Exists()) return;
  // The listeners' own copy: the player's name may change under them when one of them plays a movie.
  char data[kNameCapacity];
  std::strncpy(data, name, kNameCapacity - 1);
  data[kNameCapacity - 1] = '\0';
  Qel::EventManager::GetInstance()->PostEvent(kEventAppState, id, data);
}

void MoviePlayer::Play(const char* name) {
  Stop();
  if (!name) name = "";
  const uint32_t play = ++m_plays;
  m_movie = std::make_unique<Qel::BinkMovie>();
  std::strncpy(m_name, name, kNameCapacity - 1);
  m_name[kNameCapacity - 1] = '\0';

  // The full name finds the file, so a movie whose name was cut still plays.
  std::string path;
  Qel::ResourceManager::GetInstance()->GetResourcePath(path, name, Qel::kTypeMovie);
  // Why the movie will not play, when its file is there but unusable; the player names it below.
  std::string fault;
  if (path.empty()) {
    fault = WhyResourceIsMissing(name, Qel::kTypeMovie);
  } else if (m_movie->Open(path) != 0) {
    fault = m_movie->GetOpenError();
  }
  Qel::DisplayDevice* display = GetApp().GetDisplay();
  if (display && m_movie->GetWidth() > 0 && m_movie->GetHeight() > 0) {
    m_surface.reset(display->CreateSurface(m_movie->GetWidth(), m_movie->GetHeight(),
                                           Qel::DisplayDevice::kSurfaceDefault));
  }
  // Nothing undefined shows before the first frame arrives.
  if (m_surface) FillBlack(*m_surface);
  m_movie->Play();
  // A game paused already (a gallery shown over it) stays paused when the movie ends.
  m_pausedGame = !GetApp().IsPaused();
  GetApp().PauseGame();
  PostAppState(EventId::Pause, m_name);

  // A listener of the pause may already have stopped this movie, or played another.
  if (m_plays != play || !m_movie) return;
  if (!m_movie->IsPlaying() || !m_surface) {
    if (fault.empty()) {
      Qel::Trace("ERROR: Unable to play movie '%s'... did you add the database?\n", m_name);
    } else {
      Qel::Trace("ERROR: Unable to play movie '%s': %s\n", m_name, fault.c_str());
    }
    Stop();
    return;
  }
  Qel::Trace("INFO: Movie '%s' plays.\n", m_name);
}

void MoviePlayer::Stop() {
  if (!m_movie) return;
  m_movie->Stop();
  m_movie->Close();
  m_surface.reset();
  m_movie.reset();
  char name[kNameCapacity];
  std::memcpy(name, m_name, kNameCapacity);
  m_name[0] = '\0';
  Qel::Trace("INFO: Movie '%s' stops.\n", name);
  if (m_pausedGame) GetApp().ResumeGame();
  m_pausedGame = false;
  PostAppState(EventId::Resume, name);
}

void MoviePlayer::Draw(Qel::DrawingSurface* target) {
  if (!target || !m_movie || !m_surface) return;
  m_movie->CopyFrame(m_surface.get(), Qel::Point2(0, 0));
  const Qel::Point2 at((kScreenWidth - m_surface->GetWidth()) / 2,
                       (kScreenHeight - m_surface->GetHeight()) / 2);
  m_surface->BlitTo(target, at);
}

bool MoviePlayer::IsPlaying() const {
  return m_movie && m_movie->IsPlaying();
}
