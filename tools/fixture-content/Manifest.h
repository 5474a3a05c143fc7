// "manifest.json": what the content holds, for the tests that compute the screens they expect.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "fixture-content/ContentSpec.h"
#include "fixture-content/OutputTree.h"

namespace fixture {

struct ManifestAnimation {
  int16_t m_frames = 1;
  EndMode m_end = EndMode::kLoop;
  int16_t m_next = 0;
  // 0xRRGGBB.
  uint32_t m_colour = 0;
  int32_t m_offsetX = 0;
  int32_t m_offsetY = 0;
  // 0xRRGGBB of the click areas' outlines in this animation's frames; written only for a sprite
  // that has outlines.
  uint32_t m_outlineColour = 0;
};

struct ManifestSprite {
  int32_t m_width = 0;
  int32_t m_height = 0;
  int32_t m_originX = 0;
  int32_t m_originY = 0;
  bool m_transparent = false;
  std::vector<ManifestAnimation> m_animations;
  // The click areas outlined in every frame, kOutlineWidth pixels inside each rectangle.
  std::vector<OutlineSpec> m_outlines;
};

struct ManifestObject {
  std::string m_class;
  std::string m_name;
  std::string m_sprite;
  int32_t m_x = 0;
  int32_t m_y = 0;
};

struct ManifestSound {
  int32_t m_milliseconds = 0;
  int32_t m_sampleRate = 22050;
  int32_t m_sampleFrames = 0;
  bool m_music = false;
  bool m_spoken = false;
  // Whether a lip-sync track ("snc ") goes with it.
  bool m_lipSync = false;
};

struct ManifestMovie {
  int32_t m_width = 640;
  int32_t m_height = 480;
  int32_t m_milliseconds = 0;
  int32_t m_frames = 0;
  // 0xRRGGBB.
  uint32_t m_colour = 0;
};

struct ManifestSave {
  std::string m_file;
  std::string m_description;
};

class Manifest {
public:
  // Each entry once per database and name; a second one is an error (std::runtime_error).
  void AddSprite(const DatabaseRef& database, const std::string& name, ManifestSprite sprite);
  void AddObjectFile(const DatabaseRef& database, const std::string& name,
                     std::vector<ManifestObject> objects);
  void AddSound(const DatabaseRef& database, const std::string& name, ManifestSound sound);
  void AddMovie(const DatabaseRef& database, const std::string& name, ManifestMovie movie);
  void AddSave(ManifestSave save);

  // The same text for the same entries, whatever order they were added in (saves keep theirs).
  std::string ToJson() const;

  struct Database {
    std::map<std::string, ManifestSprite> m_sprites;
    std::map<std::string, std::vector<ManifestObject>> m_objectFiles;
    std::map<std::string, ManifestSound> m_sounds;
    std::map<std::string, ManifestMovie> m_movies;
  };
  const std::map<DatabaseRef, Database>& Databases() const { return m_databases; }

private:
  std::map<DatabaseRef, Database> m_databases;
  std::vector<ManifestSave> m_saves;
};

}  // namespace fixture
