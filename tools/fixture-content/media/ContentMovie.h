// The content set's movies: a solid picture coloured from the movie's name, with a tone, encoded in-process.
#pragma once

#include <string>

#include "fixture-content/ContentSpec.h"
#include "fixture-content/Manifest.h"

namespace fixture {

// Frames per second of every content movie.
inline constexpr int32_t kMovieRate = 15;

// What the manifest tells of the movie: its size, length, frame count and colour (the colour of its
// name's animation 0, by the sprites' rule, so it survives the 16-bit back buffer and is never black).
ManifestMovie ManifestOf(const MovieSpec& spec);

// Writes the movie at the Linux path, losslessly so that its colour comes back exactly, with a tone of
// the movie's length whose pitch comes from the name; false with the reason in error.
bool WriteContentMovie(const std::string& path, const MovieSpec& spec, std::string& error);

}  // namespace fixture
