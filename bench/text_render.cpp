// Rendering the caption box (680 x 40, Arial 14, one line of 120 characters) with the engine's text
// box: the first time (every glyph rendered; also with the face opened, as the process's first
// caption) and again with its glyphs kept, against a bare FreeType loop that renders the same
// glyphs, each once. The program ends with the ratios.
#include <benchmark/benchmark.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstddef>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "MemoryDisplayDevice.h"
#include "MemorySurface.h"
#include "RatioReporter.h"
#include "graphics/WinTextBox.h"
#include "platform/gdi/Gdi.h"

namespace {

constexpr int kWidth = 680;
constexpr int kFontSize = 14;

// 120 characters of caption, words of mixed length as a spoken line has them.
const std::u16string& Caption() {
  static const std::u16string caption =
      u"Look over there, behind the old oak tree: the little fox is hiding from the rain again, and he wants "
      u"us all to find him!";
  return caption;
}

std::string CaptionBytes() {
  std::string bytes;
  for (char16_t c : Caption()) bytes += static_cast<char>(c);
  return bytes;
}

memtest::MemoryDisplayDevice& Device() {
  static memtest::MemoryDisplayDevice device(800, 600, Qel::kPixelFormatX8R8G8B8, false);
  return device;
}

enum class Start { kCached, kNewGlyphs, kNewProcess };

void Render(benchmark::State& state, Start start) {
  Qel::WinTextBox box(&Device(), "arial", kFontSize, 0, Qel::Color(255, 255, 255, 255), 1, kWidth, Caption());
  box.Update();
  if (box.GetLineHeight() == 0) state.SkipWithError("the caption did not render");
  for (auto _ : state) {
    if (start != Start::kCached) {
      state.PauseTiming();
      if (start == Start::kNewGlyphs) plat::gdi::ClearGlyphCachesForTesting();
      if (start == Start::kNewProcess) plat::gdi::ClearFontCachesForTesting();
      state.ResumeTiming();
    }
    box.Update();
    benchmark::DoNotOptimize(box.GetRenderedSurface());
  }
  state.SetItemsProcessed(state.iterations());
}

// Faces open, every glyph rendered anew: a caption of text not shown before.
void BM_TextBoxFirstRender(benchmark::State& state) {
  Render(state, Start::kNewGlyphs);
}

// The first caption of the process: the face file opened and sized too.
void BM_TextBoxColdRender(benchmark::State& state) {
  Render(state, Start::kNewProcess);
}

void BM_TextBoxSecondRender(benchmark::State& state) {
  Render(state, Start::kCached);
}

// The reference: FreeType alone rendering the glyphs a first caption needs, as the text box does:
// each character once, hinted for one bit a pixel, its bitmap kept; nothing kept across iterations.
void BM_FreeTypeBareLoop(benchmark::State& state) {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  if (FT_Init_FreeType(&library) != 0 ||
      FT_New_Face(library, "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf", 0, &face) !=
          0) {
    state.SkipWithError("no FreeType face");
    return;
  }
  FT_Set_Pixel_Sizes(face, 0, kFontSize);
  const std::string text = CaptionBytes();
  for (auto _ : state) {
    std::map<unsigned char, std::vector<unsigned char>> kept;
    long sum = 0;
    for (char c : text) {
      const auto character = static_cast<unsigned char>(c);
      if (kept.count(character) != 0) continue;
      std::vector<unsigned char>& bits = kept[character];
      if (FT_Load_Char(face, character, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0)
        continue;
      const FT_Bitmap& bitmap = face->glyph->bitmap;
      const size_t pitch = (bitmap.width + 7) / 8;
      bits.resize(pitch * bitmap.rows);
      for (unsigned row = 0; row < bitmap.rows; ++row)
        std::memcpy(bits.data() + row * pitch, bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch,
                    pitch);
      sum += face->glyph->advance.x + bitmap.rows;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations());
  FT_Done_Face(face);
  FT_Done_FreeType(library);
}

BENCHMARK(BM_TextBoxFirstRender)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_TextBoxColdRender)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_TextBoxSecondRender)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_FreeTypeBareLoop)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  memtest::MemorySurface::RegisterSurfaceOps();
  // Speeds in captions a second: the second render should be at least 4 times the first, and the
  // cached caption at least as fast as FreeType rendering its characters bare.
  bench::RatioReporter reporter("items_per_second", {{"BM_TextBoxSecondRender", "BM_TextBoxFirstRender", 4.0},
                                                     {"BM_TextBoxSecondRender", "BM_FreeTypeBareLoop", 1.0},
                                                     {"BM_TextBoxFirstRender", "BM_FreeTypeBareLoop", 0.0},
                                                     {"BM_TextBoxColdRender", "BM_FreeTypeBareLoop", 0.0}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
