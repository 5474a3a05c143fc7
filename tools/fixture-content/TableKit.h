// Shorthands for writing the database tables: the kinds of sprite, sound and line they are made of.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "fixture-content/ContentSpec.h"

namespace fixture::kit {

// A still picture: one animation of one frame.
SpriteSpec Picture(std::string name, int32_t width, int32_t height, int32_t x = 0, int32_t y = 0);
// A picture that shows nothing: the hit areas of full-screen clickables and of scenery buttons.
SpriteSpec Invisible(std::string name, int32_t width = 8, int32_t height = 8);
// A button: the looks 0 normal, 1 pressed, 2 under the pointer, 3 disabled and 4 active, each a
// looping animation of one frame, so that a look change that keeps the frame is always valid.
SpriteSpec Button(std::string name, int32_t width, int32_t height, int32_t x = 0, int32_t y = 0);
// count looping animations of frames frames each.
SpriteSpec Looping(std::string name, int32_t width, int32_t height, int count, int16_t frames = 2,
                   int32_t x = 0, int32_t y = 0);
SpriteSpec WithAnimations(std::string name, int32_t width, int32_t height,
                          std::vector<AnimationSpec> animations, int32_t x = 0, int32_t y = 0);

SoundSpec Effect(std::string name, int32_t milliseconds = 250);
// Music and ambient loops: 4 seconds of whole periods.
SoundSpec Music(std::string name);

// A spoken line; its caption text says who speaks and its number, so that it can be read and heard.
SpokenLineSpec Line(std::string name, std::string captionFile, std::string speaker, bool lipSync = false);
std::vector<SpokenLineSpec> Lines(const std::vector<std::string>& names, const std::string& captionFile,
                                  const std::string& speaker, bool lipSync = false);

MovieSpec Movie(std::string name);

ObjectSpec Object(std::string className, std::string name, std::string sprite, int32_t x, int32_t y,
                  int32_t z, std::vector<std::pair<std::string, std::string>> more = {});

// "prefix0" ... "prefix<count-1>".
std::vector<std::string> Numbered(const std::string& prefix, int count, int first = 0,
                                  const std::string& suffix = "");

}  // namespace fixture::kit
