// Writes the seed corpus of the sprite reader's fuzz target: one small file per version and feature.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "fixture-content/SpriteFileWriter.h"

namespace {

using fixture::SpriteFile;
using fixture::SpriteFileAnimation;
using fixture::SpriteFileFrame;
using fixture::SpriteFileImage;

SpriteFile Sample(int32_t version, SpriteFileImage::Encoding encoding) {
  SpriteFile file;
  file.m_version = version;
  file.m_defaultDuration = 80;
  SpriteFileImage red = SpriteFileImage::Solid(6, 4, 0xFFFF0000, 1, 2);
  SpriteFileImage mixed = SpriteFileImage::Solid(5, 3, 0xFF00FF00, -2, 0);
  mixed.m_pixels[1] = 0xFF0000FF;
  mixed.m_pixels[7] = 0x80FFFFFF;
  red.m_encoding = encoding;
  mixed.m_encoding = encoding;
  mixed.m_placementFlags = 1;
  file.m_images = {red, mixed};

  SpriteFileAnimation walk;
  walk.m_name = "walk";
  walk.m_playMode = 2;
  walk.m_addedDuration = 20;
  SpriteFileFrame first;
  first.m_sound = "step";
  first.m_addedDuration = -30;
  SpriteFileFrame second;
  second.m_image = 2;
  second.m_pause = std::make_pair(int16_t{10}, int16_t{40});
  second.m_sound = "[bump]";
  second.m_extraFlags = 0x20 | 0x100;
  second.m_oldValue = 3;
  walk.m_frames = {first, second};

  SpriteFileAnimation wave;
  wave.m_name = "wave";
  wave.m_playMode = 3;
  wave.m_nextAnimation = 0;
  wave.m_extraFlags = 0x8 | 0x10 | 0x20;
  wave.m_frames = {second, first};

  SpriteFileAnimation rest;
  rest.m_playMode = version >= 5 && version < 7 ? 4 : 1;
  rest.m_frames = {first};
  file.m_animations = {walk, wave, rest};
  return file;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sprite_seeds <folder>\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  const std::vector<std::pair<std::string, SpriteFile>> seeds = {
      {"v7", Sample(7, SpriteFileImage::Encoding::kRunLength)},
      {"v6_runlength", Sample(6, SpriteFileImage::Encoding::kRunLength)},
      {"v5_raw", Sample(5, SpriteFileImage::Encoding::kRaw)},
      {"v4_runlength", Sample(4, SpriteFileImage::Encoding::kRunLength)},
  };
  for (const auto& [name, file] : seeds) {
    std::ofstream out(folder / (name + ".qela"), std::ios::binary);
    out << fixture::WriteSpriteFile(file);
    if (!out) return 1;
  }
  return 0;
}
