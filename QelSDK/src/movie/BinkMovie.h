// The movie: one movie file played frame by frame on the movie library's timing from the per-frame update,
// announcing its life as movie events, and copying its latest frame into a drawing surface on request.
#pragma once

#include <cstdint>
#include <string>

#include "core/Periodical.h"
#include "core/Point2.h"
#include "platform/bink/Bink.h"

namespace Qel {

class DrawingSurface;

class BinkMovie : public Periodical {
public:
  BinkMovie() = default;
  ~BinkMovie() override;

  // The name becomes the path's last part cut before its last dot. 0 on success, with the opened event;
  // -1 on failure, without an event and with the library's reason in GetOpenError (the owner tells the
  // player). A movie already open is closed.
  int32_t Open(const std::string& path);
  // Stops ticking and closes the movie.
  void Close();
  // Only with a movie: starts ticking, with the started event.
  void Play();
  // Stops ticking; the stopped event only when a movie was ticking, so a movie that ended by itself is not
  // reported stopped again.
  void Stop();
  // A movie is open and ticking. The tick after the last frame has had its time (or that finds none left,
  // when the file ends or breaks early) stops the movie, so every frame is seen, the last one included.
  bool IsPlaying() const;
  // The movie's size; 0 without a movie.
  int GetWidth() const;
  int GetHeight() const;
  // Copies the latest frame into the surface at the position (clipped to it), when a new one is ready;
  // 0, or -1 for a surface whose pixel format is none of the six the library copies into (nothing is
  // copied then) or that cannot be locked. A position left of or above the surface copies nothing.
  int32_t CopyFrame(DrawingSurface* surface, const Point2& position);
  // The periodical step: once the next frame is due, decodes it and announces it. A movie whose file
  // gives out before its announced last frame stops there, named on the trace with the reason.
  void Tick();

  int Update() override;

  const std::string& GetName() const { return m_name; }
  // Why the last Open failed, naming the file as a Linux path; empty after one that succeeded.
  const std::string& GetOpenError() const { return m_openError; }

private:
  void Post(int id) const;

  plat::bink::HBINK m_bink = nullptr;
  std::string m_name;
  std::string m_path;  // the file as a Linux path, for the trace
  std::string m_openError;
  bool m_frameReady = false;
};

}  // namespace Qel
