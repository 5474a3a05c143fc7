// The tables the content set is made from: one database is sprites, object files, text files, sounds,
// spoken lines and movies, each a row of plain data.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace fixture {

// Where a database's files go: "universal" for what every language shares, "eng_usa" for spoken
// lines and their captions.
enum class Locale { kUniversal, kEngUsa };

const char* LocaleFolder(Locale locale);

// How an animation ends, with the sprite file's play-mode numbers.
enum class EndMode : int16_t { kStop = 0, kHold = 1, kLoop = 2, kChain = 3 };

const char* EndModeName(EndMode mode);

struct AnimationSpec {
  int16_t m_frames = 1;
  EndMode m_end = EndMode::kLoop;
  // The animation a chaining one goes on to.
  int16_t m_next = 0;
  // Added to the sprite's origin: sprites whose animations stand in different places of the screen
  // (one icon per row, all objects at 0, 0).
  int32_t m_offsetX = 0;
  int32_t m_offsetY = 0;
};

// A click area drawn into a picture as a rectangular frame kOutlineWidth pixels wide, inside the
// rectangle; in the picture's own coordinates (from its top-left corner), and cut at its edges, so
// an area that spans two pictures is drawn in both.
struct OutlineSpec {
  int32_t m_x = 0;
  int32_t m_y = 0;
  int32_t m_width = 0;
  int32_t m_height = 0;
};

inline constexpr int32_t kOutlineWidth = 3;

// A sprite: one solid rectangle per animation, in a colour of its name and animation number.
struct SpriteSpec {
  std::string m_name;
  int32_t m_width = 32;
  int32_t m_height = 32;
  std::vector<AnimationSpec> m_animations;
  // Of the rectangle's top-left corner from the sprite's origin.
  int32_t m_originX = 0;
  int32_t m_originY = 0;
  // Every pixel clear (alpha 0), for hit areas such as "blank" that must not hide what lies below.
  bool m_transparent = false;
  // The click areas that lie on the picture without a sprite of their own that shows them: drawn in
  // every frame, under the frame mark.
  std::vector<OutlineSpec> m_outlines;
};

// One object of an object-definition file: its header "[class name sprite]" and its key = value lines
// after "x" and "y".
struct ObjectSpec {
  std::string m_class;
  std::string m_name;
  std::string m_sprite;
  int32_t m_x = 0;
  int32_t m_y = 0;
  std::vector<std::pair<std::string, std::string>> m_properties;
};

struct ObjectFileSpec {
  std::string m_name;
  std::vector<ObjectSpec> m_objects;
};

// Any other "txt " resource (room data, levels, songs, sets, timings), written as given: lines end in
// CR LF.
struct TextFileSpec {
  std::string m_name;
  std::vector<std::string> m_lines;
  // Caption files without spoken lines go under eng_usa.
  Locale m_locale = Locale::kUniversal;
};

// A sound effect or music: a tone of that length. Music loops, so its length is whole seconds.
struct SoundSpec {
  std::string m_name;
  int32_t m_milliseconds = 300;
  bool m_music = false;
};

// A spoken line: a sound named by its number, its caption entry in m_captionFile, and who speaks it.
// The voice module renders the sound (and its lip-sync track); the text module writes the captions.
struct SpokenLineSpec {
  std::string m_name;
  std::string m_captionFile;
  std::string m_speaker;
  std::string m_caption;
  // The speaking character's sprite, when its mouth follows the line.
  bool m_lipSync = false;
};

// A movie: the movie module encodes it, coloured from its name, with sound.
struct MovieSpec {
  std::string m_name;
  int32_t m_width = 640;
  int32_t m_height = 480;
  int32_t m_milliseconds = 2000;
};

// One database, as the code adds it (its spelling is the folder's and the archive's name). Spoken
// lines and caption files go under "eng_usa", everything else under "universal".
struct DatabaseSpec {
  std::string m_name;
  std::vector<SpriteSpec> m_sprites;
  std::vector<ObjectFileSpec> m_objectFiles;
  std::vector<TextFileSpec> m_textFiles;
  std::vector<SoundSpec> m_sounds;
  std::vector<SpokenLineSpec> m_spokenLines;
  std::vector<MovieSpec> m_movies;
};

// Shorthands for the tables.
AnimationSpec Loop(int16_t frames = 2);
AnimationSpec Hold(int16_t frames = 2);
AnimationSpec Stop(int16_t frames = 2);
AnimationSpec Chain(int16_t next, int16_t frames = 2);
// count animations alike.
std::vector<AnimationSpec> Repeat(int count, AnimationSpec animation);

}  // namespace fixture
