// The content set's movies.
#include "fixture-content/media/ContentMovie.h"

#include <algorithm>
#include <cstdint>

#include "fixture-content/SpriteContent.h"
#include "fixture-content/WaveWriter.h"
#include "platform/bink-encoder/MovieEncoder.h"

namespace fixture {

ManifestMovie ManifestOf(const MovieSpec& spec) {
  ManifestMovie movie;
  movie.m_width = spec.m_width;
  movie.m_height = spec.m_height;
  movie.m_milliseconds = spec.m_milliseconds;
  // At least one frame: a movie of no frames does not open.
  movie.m_frames =
      std::max<int32_t>(1, static_cast<int32_t>(int64_t{spec.m_milliseconds} * kMovieRate / 1000));
  movie.m_colour = AnimationColour(spec.m_name, 0);
  return movie;
}

bool WriteContentMovie(const std::string& path, const MovieSpec& spec, std::string& error) {
  const ManifestMovie movie = ManifestOf(spec);
  plat::bink_encoder::MovieSpec encoded;
  encoded.width = movie.m_width;
  encoded.height = movie.m_height;
  encoded.rateNum = kMovieRate;
  encoded.rateDen = 1;
  encoded.codec = plat::bink_encoder::VideoCodec::kLosslessRgb;
  encoded.frames.assign(static_cast<size_t>(movie.m_frames), movie.m_colour);
  encoded.audioRate = kContentSampleRate;
  encoded.audioChannels = 1;
  encoded.audio = Tone(movie.m_milliseconds, ToneFrequency(spec.m_name));
  return plat::bink_encoder::WriteMovie(path, encoded, error);
}

}  // namespace fixture
