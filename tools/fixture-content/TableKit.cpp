// Shorthands for writing the database tables.
#include "fixture-content/TableKit.h"

#include <cstdlib>

namespace fixture::kit {

SpriteSpec Picture(std::string name, int32_t width, int32_t height, int32_t x, int32_t y) {
  return WithAnimations(std::move(name), width, height, {Loop(1)}, x, y);
}

SpriteSpec Invisible(std::string name, int32_t width, int32_t height) {
  SpriteSpec sprite = Picture(std::move(name), width, height);
  sprite.m_transparent = true;
  return sprite;
}

SpriteSpec Button(std::string name, int32_t width, int32_t height, int32_t x, int32_t y) {
  return WithAnimations(std::move(name), width, height, Repeat(5, Loop(1)), x, y);
}

SpriteSpec Looping(std::string name, int32_t width, int32_t height, int count, int16_t frames, int32_t x,
                   int32_t y) {
  return WithAnimations(std::move(name), width, height, Repeat(count, Loop(frames)), x, y);
}

SpriteSpec WithAnimations(std::string name, int32_t width, int32_t height,
                          std::vector<AnimationSpec> animations, int32_t x, int32_t y) {
  SpriteSpec sprite;
  sprite.m_name = std::move(name);
  sprite.m_width = width;
  sprite.m_height = height;
  sprite.m_animations = std::move(animations);
  sprite.m_originX = x;
  sprite.m_originY = y;
  return sprite;
}

SoundSpec Effect(std::string name, int32_t milliseconds) {
  return {std::move(name), milliseconds, false};
}

SoundSpec Music(std::string name) {
  return {std::move(name), 4000, true};
}

SpokenLineSpec Line(std::string name, std::string captionFile, std::string speaker, bool lipSync) {
  SpokenLineSpec line;
  const long number = std::strtol(name.c_str(), nullptr, 10);
  line.m_caption = speaker + " says line " + std::to_string(number) + ".";
  line.m_name = std::move(name);
  line.m_captionFile = std::move(captionFile);
  line.m_speaker = std::move(speaker);
  line.m_lipSync = lipSync;
  return line;
}

std::vector<SpokenLineSpec> Lines(const std::vector<std::string>& names, const std::string& captionFile,
                                  const std::string& speaker, bool lipSync) {
  std::vector<SpokenLineSpec> lines;
  for (const std::string& name : names) lines.push_back(Line(name, captionFile, speaker, lipSync));
  return lines;
}

MovieSpec Movie(std::string name) {
  MovieSpec movie;
  movie.m_name = std::move(name);
  return movie;
}

ObjectSpec Object(std::string className, std::string name, std::string sprite, int32_t x, int32_t y,
                  int32_t z, std::vector<std::pair<std::string, std::string>> more) {
  ObjectSpec object;
  object.m_class = std::move(className);
  object.m_name = std::move(name);
  object.m_sprite = std::move(sprite);
  object.m_x = x;
  object.m_y = y;
  object.m_properties.emplace_back("z", std::to_string(z));
  for (auto& property : more) object.m_properties.push_back(std::move(property));
  return object;
}

std::vector<std::string> Numbered(const std::string& prefix, int count, int first,
                                  const std::string& suffix) {
  std::vector<std::string> names;
  for (int i = first; i < first + count; ++i) names.push_back(prefix + std::to_string(i) + suffix);
  return names;
}

}  // namespace fixture::kit
