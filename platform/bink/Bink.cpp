// The movie library's calls our code makes, over FFmpeg: the movies themselves live behind the handle.
#include "platform/bink/Bink.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

extern "C" {
#include <libavutil/log.h>
}

#include "platform/bink/BinkSoundSystem.h"
#include "platform/bink/FileSource.h"
#include "platform/bink/MemorySource.h"
#include "platform/bink/Movie.h"
#include "platform/win/kernel/Path.h"

namespace plat::bink {
namespace {

std::string& LastError() {
  // Never destroyed: a movie may still be closed by a static object at exit.
  static auto* text = new std::string;
  return *text;
}

// Never destroyed, for the same reason; the reference it holds goes back only when it is set again.
BinkSoundSystem*& CurrentSoundSystem() {
  static BinkSoundSystem* current = nullptr;
  return current;
}

// FFmpeg's own messages join the trace on stderr only while the trace is on.
void QuietenFFmpeg() {
  static const bool done = [] {
    const char* trace = std::getenv("PILO_TRACE");
    av_log_set_level(trace && std::strcmp(trace, "1") == 0 ? AV_LOG_ERROR : AV_LOG_QUIET);
    return true;
  }();
  (void)done;
}

HBINK OpenFrom(std::unique_ptr<ByteSource> source, const std::string& what) {
  QuietenFFmpeg();
  if (source->Size() == 0) {
    LastError() = what + " cannot be played: it is empty";
    return nullptr;
  }
  std::string why;
  std::unique_ptr<Movie> movie = Movie::Open(std::move(source), CurrentSoundSystem(), why);
  if (!movie) {
    LastError() = what + " cannot be played: " + why;
    return nullptr;
  }
  return movie.release();
}

Movie* MovieOf(HBINK bink) {
  return static_cast<Movie*>(bink);
}

}  // namespace

HBINK BinkOpen(const char* name, U32) {
  // Named as the user finds the file, not in the Windows form the file layer is given.
  const std::string what = "movie '" + plat::win::LinuxPathAsWritten(name) + "'";
  std::string why;
  auto file = std::make_unique<FileSource>(name, why);
  if (!file->IsOpen()) {
    LastError() = what + " cannot be opened: " + why;
    return nullptr;
  }
  return OpenFrom(std::move(file), what);
}

HBINK BinkOpenMemory(const void* data, size_t size, U32) {
  if (!data && size > 0) {
    LastError() = "movie in memory cannot be played: no bytes";
    return nullptr;
  }
  return OpenFrom(std::make_unique<MemorySource>(data, size), "movie in memory");
}

void BinkClose(HBINK bink) {
  delete MovieOf(bink);
}

S32 BinkWait(HBINK bink) {
  return bink ? MovieOf(bink)->Wait() : 1;
}

S32 BinkDoFrame(HBINK bink) {
  if (!bink) return -1;
  const S32 result = MovieOf(bink)->DoFrame();
  if (result != 0 && bink->FrameNum < bink->Frames) LastError() = MovieOf(bink)->GetFailure();
  return result;
}

void BinkNextFrame(HBINK bink) {
  if (bink) MovieOf(bink)->NextFrame();
}

S32 BinkCopyToBuffer(HBINK bink, void* dest, S32 destPitch, U32 destHeight, U32 destX, U32 destY, U32 flags) {
  return bink ? MovieOf(bink)->CopyToBuffer(dest, destPitch, destHeight, destX, destY, flags) : -1;
}

const char* BinkGetError() {
  return LastError().c_str();
}

BINKSNDOPEN BinkOpenDirectSound(uintptr_t param) {
  auto* device = reinterpret_cast<plat::dsound::IDirectSound8*>(param);
  return device ? new BinkSoundSystem(*device) : nullptr;
}

S32 BinkSetSoundSystem(BINKSNDSYSOPEN open, uintptr_t param) {
  BINKSNDOPEN made = open ? open(param) : nullptr;
  delete CurrentSoundSystem();
  CurrentSoundSystem() = made;
  return made ? 1 : 0;
}

}  // namespace plat::bink
