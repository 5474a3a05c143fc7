// "manifest.json".
#include "fixture-content/Manifest.h"

#include <cstdio>
#include <stdexcept>

namespace fixture {

namespace {

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", u);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Colour(uint32_t rgb) {
  char text[16];
  std::snprintf(text, sizeof text, "\"#%06X\"", static_cast<unsigned>(rgb & 0xFFFFFF));
  return text;
}

template <typename Map, typename Entry>
void AddOnce(Map& map, const DatabaseRef& database, const std::string& name, Entry entry, const char* what) {
  if (!map.emplace(name, std::move(entry)).second)
    throw std::runtime_error(std::string(what) + " " + name + " twice in the manifest of " +
                             database.Folder());
}

// Writes "key": {entries} with each entry written by write, at the indent.
template <typename Map, typename Write>
void Section(std::string& out, const char* key, const Map& map, const std::string& indent, Write write) {
  out += indent + Quoted(key) + ": {";
  bool first = true;
  for (const auto& [name, entry] : map) {
    out += first ? "\n" : ",\n";
    first = false;
    out += indent + "  " + Quoted(name) + ": ";
    write(entry);
  }
  out += first ? "}" : "\n" + indent + "}";
}

}  // namespace

void Manifest::AddSprite(const DatabaseRef& database, const std::string& name, ManifestSprite sprite) {
  AddOnce(m_databases[database].m_sprites, database, name, std::move(sprite), "sprite");
}

void Manifest::AddObjectFile(const DatabaseRef& database, const std::string& name,
                             std::vector<ManifestObject> objects) {
  AddOnce(m_databases[database].m_objectFiles, database, name, std::move(objects), "object file");
}

void Manifest::AddSound(const DatabaseRef& database, const std::string& name, ManifestSound sound) {
  AddOnce(m_databases[database].m_sounds, database, name, std::move(sound), "sound");
}

void Manifest::AddMovie(const DatabaseRef& database, const std::string& name, ManifestMovie movie) {
  AddOnce(m_databases[database].m_movies, database, name, std::move(movie), "movie");
}

void Manifest::AddSave(ManifestSave save) {
  m_saves.push_back(std::move(save));
}

std::string Manifest::ToJson() const {
  std::string out = "{\n  \"version\": 1,\n  \"databases\": {";
  bool firstDatabase = true;
  for (const auto& [ref, database] : m_databases) {
    out += firstDatabase ? "\n" : ",\n";
    firstDatabase = false;
    out += "    " + Quoted(ref.Folder()) + ": {\n";
    out += "      \"locale\": " + Quoted(LocaleFolder(ref.m_locale)) + ",\n";
    out += "      \"name\": " + Quoted(ref.m_name) + ",\n";
    const std::string indent = "      ";
    Section(out, "sprites", database.m_sprites, indent, [&out](const ManifestSprite& sprite) {
      out += "{\"width\": " + std::to_string(sprite.m_width) +
             ", \"height\": " + std::to_string(sprite.m_height) + ", \"origin\": [" +
             std::to_string(sprite.m_originX) + ", " + std::to_string(sprite.m_originY) + "]" +
             (sprite.m_transparent ? ", \"transparent\": true" : "") + ", \"animations\": [";
      for (size_t i = 0; i < sprite.m_animations.size(); ++i) {
        const ManifestAnimation& animation = sprite.m_animations[i];
        if (i) out += ", ";
        out += "{\"frames\": " + std::to_string(animation.m_frames) +
               ", \"end\": " + Quoted(EndModeName(animation.m_end));
        if (animation.m_end == EndMode::kChain) out += ", \"next\": " + std::to_string(animation.m_next);
        if (animation.m_offsetX != 0 || animation.m_offsetY != 0)
          out += ", \"offset\": [" + std::to_string(animation.m_offsetX) + ", " +
                 std::to_string(animation.m_offsetY) + "]";
        out += ", \"colour\": " + Colour(animation.m_colour);
        if (!sprite.m_outlines.empty()) out += ", \"outline\": " + Colour(animation.m_outlineColour);
        out += "}";
      }
      out += "]";
      if (!sprite.m_outlines.empty()) {
        out += ", \"outlineWidth\": " + std::to_string(kOutlineWidth) + ", \"outlines\": [";
        for (size_t i = 0; i < sprite.m_outlines.size(); ++i) {
          const OutlineSpec& area = sprite.m_outlines[i];
          out += (i ? ", [" : "[") + std::to_string(area.m_x) + ", " + std::to_string(area.m_y) + ", " +
                 std::to_string(area.m_width) + ", " + std::to_string(area.m_height) + "]";
        }
        out += "]";
      }
      out += "}";
    });
    out += ",\n";
    Section(out, "objectFiles", database.m_objectFiles, indent,
            [&out](const std::vector<ManifestObject>& objects) {
              out += "[";
              for (size_t i = 0; i < objects.size(); ++i) {
                const ManifestObject& object = objects[i];
                out += i ? ",\n          " : "\n          ";
                out += "{\"class\": " + Quoted(object.m_class) + ", \"name\": " + Quoted(object.m_name) +
                       ", \"sprite\": " + Quoted(object.m_sprite) + ", \"x\": " + std::to_string(object.m_x) +
                       ", \"y\": " + std::to_string(object.m_y) + "}";
              }
              out += "]";
            });
    out += ",\n";
    Section(out, "sounds", database.m_sounds, indent, [&out](const ManifestSound& sound) {
      out += "{\"ms\": " + std::to_string(sound.m_milliseconds) +
             ", \"rate\": " + std::to_string(sound.m_sampleRate) +
             ", \"frames\": " + std::to_string(sound.m_sampleFrames) +
             ", \"music\": " + (sound.m_music ? "true" : "false") +
             ", \"spoken\": " + (sound.m_spoken ? "true" : "false") +
             ", \"lipSync\": " + (sound.m_lipSync ? "true" : "false") + "}";
    });
    out += ",\n";
    Section(out, "movies", database.m_movies, indent, [&out](const ManifestMovie& movie) {
      out +=
          "{\"width\": " + std::to_string(movie.m_width) + ", \"height\": " + std::to_string(movie.m_height) +
          ", \"ms\": " + std::to_string(movie.m_milliseconds) +
          ", \"frames\": " + std::to_string(movie.m_frames) + ", \"colour\": " + Colour(movie.m_colour) + "}";
    });
    out += "\n    }";
  }
  out += firstDatabase ? "},\n" : "\n  },\n";
  out += "  \"saves\": [";
  for (size_t i = 0; i < m_saves.size(); ++i) {
    out += i ? ",\n    " : "\n    ";
    out += "{\"file\": " + Quoted(m_saves[i].m_file) +
           ", \"description\": " + Quoted(m_saves[i].m_description) + "}";
  }
  out += m_saves.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}

}  // namespace fixture
