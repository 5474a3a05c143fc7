// The Liberation font files read straight through FreeType, as the oracle of the text tests:
// metrics from the files' own tables and one-bit glyphs, independent of the stand-in's caches.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace test {

// "LiberationSans-Regular", "LiberationMono-Bold", ... as installed by fonts-liberation2.
std::string LiberationFile(const std::string& stem);

struct FontGlyph {
  int left = 0;  // from the pen position
  int top = 0;   // above the baseline
  int width = 0;
  int rows = 0;
  int advance = 0;  // whole pixels, hinted
  std::vector<uint8_t> on;  // width x rows, 1 where the glyph sets the pixel
  bool At(int x, int y) const { return on[static_cast<size_t>(y) * width + x] != 0; }
};

class FontFile {
public:
  // At pixelsPerEm pixels per em, hinted for one-bit output.
  FontFile(const std::string& path, int pixelsPerEm);
  ~FontFile();
  FontFile(const FontFile&) = delete;
  FontFile& operator=(const FontFile&) = delete;

  bool IsOpen() const { return m_face != nullptr; }
  // The Windows ascent and descent of the OS/2 table, scaled and rounded; the height is their sum.
  int Ascent() const { return m_ascent; }
  int Descent() const { return m_descent; }
  int Height() const { return m_ascent + m_descent; }
  std::string FamilyName() const;
  FontGlyph Glyph(char32_t character) const;

private:
  struct Library;
  std::shared_ptr<Library> m_library;
  void* m_face = nullptr;
  int m_ascent = 0;
  int m_descent = 0;
};

// An image of 32-bit pixels (0x00RRGGBB), as the tests compose the text they expect.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  Image(int w, int h, uint32_t fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
  uint32_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // The glyph's pixels in colour with the pen at (penX, baseline), clipped to the image.
  void Stamp(const FontGlyph& glyph, int penX, int baseline, uint32_t color);
};

}  // namespace test
