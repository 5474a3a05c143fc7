// Decoding sprite frame images, read eagerly and inflated at a compressed surface's first draw, against
// bare zlib uncompress of the same compressed rows; the program ends with the ratios. The display blends
// alpha, so that no format conversion is part of the figures.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <zlib.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "graphics/CompressedSurface.h"
#include "graphics/DrawingSurface.h"
#include "graphics/FrameImage.h"
#include "graphics/SDLDisplayDevice.h"
#include "graphics/SDLSurface.h"
#include "support/ImageRecords.h"

namespace {

constexpr int kSize = 128;
constexpr int kFrames = 24;

// A sprite's frame: a disc of shaded colour on the transparent magenta key, the disc moving from frame
// to frame, with a little noise, so that it deflates about as sprite frames do.
std::vector<uint32_t> Frame(int index) {
  std::vector<uint32_t> pixels(kSize * kSize);
  uint32_t seed = 977u * (index + 1);
  const int cx = 40 + index * 2;
  const int cy = 64 - index;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      seed = seed * 1103515245u + 12345u;
      const int dx = x - cx;
      const int dy = y - cy;
      const bool inside = dx * dx + dy * dy < 45 * 45;
      const uint32_t noise = (seed >> 28) & 3;
      pixels[y * kSize + x] = inside ? 0xFF000000u | uint32_t(128 + dx + noise) << 16 |
                                           uint32_t(128 + dy) << 8 | uint32_t(64 + (x ^ y) % 8)
                                     : 0x00FF00FFu;
    }
  }
  return pixels;
}

class Content {
public:
  Content() {
    int mode = Qel::SDLDisplayDevice::kSurfaceModeSoftwareAlpha;
    if (m_device.Open(800, 600, Qel::PixelFormat(16), false, &mode) != 0) {
      std::fprintf(stderr, "frame_image: no video mode\n");
      std::exit(1);
    }
    m_device.HideCursor();
    Qel::SDLSurface::RegisterSurfaceOps();
    Qel::CompressedSurface::RegisterSurfaceOps();
    for (int i = 0; i < kFrames; ++i) {
      const test::FrameImageRecord record = test::ArgbImage(kSize, kSize, Frame(i));
      const std::vector<uint8_t> bytes = test::WriteFrameImage(record);
      m_records.insert(m_records.end(), bytes.begin(), bytes.end());
      m_compressed.push_back(test::Compress(record.pixels));
      m_rawBytes += record.pixels.size();
    }
  }

  Qel::SDLDisplayDevice& Device() { return m_device; }
  const std::vector<uint8_t>& Records() const { return m_records; }
  const std::vector<std::vector<uint8_t>>& Compressed() const { return m_compressed; }
  size_t RawBytes() const { return m_rawBytes; }

private:
  Qel::SDLDisplayDevice m_device;
  std::vector<uint8_t> m_records;
  std::vector<std::vector<uint8_t>> m_compressed;
  size_t m_rawBytes = 0;
};

Content& TheContent() {
  static Content content;
  return content;
}

std::shared_ptr<Qel::MemStream> StreamOf(const std::vector<uint8_t>& bytes) {
  auto block = std::make_shared<Qel::MemoryBlock>();
  block->Allocate(static_cast<uint32_t>(bytes.size()));
  std::memcpy(block->GetData(), bytes.data(), bytes.size());
  auto stream = std::make_shared<Qel::MemStream>();
  stream->SetMemoryBlock(block);
  return stream;
}

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Each pass decodes every frame and keeps them all until it is done, as the sprite loader does; it
// answers the seconds its decoding took, not counting the freeing after it.

// Every frame read from its record into a device surface.
double EagerPass(Content& content, Qel::MemStream& stream) {
  stream.Seek(0, Qel::kSeekStart);
  std::vector<std::shared_ptr<Qel::DrawingSurface>> surfaces(kFrames);
  const auto start = std::chrono::steady_clock::now();
  for (auto& surface : surfaces) {
    if (!Qel::ReadFrameImage(7, surface, &content.Device(), stream, false)) std::abort();
  }
  return Seconds(start);
}

// Every frame read compressed, then made ready as its first draw makes it (inflated into a device
// surface); only that step counts, not the reading before it nor the blit after it, which is the
// device's.
double FirstDrawPass(Content& content, Qel::MemStream& stream) {
  stream.Seek(0, Qel::kSeekStart);
  std::vector<std::shared_ptr<Qel::DrawingSurface>> surfaces(kFrames);
  for (auto& surface : surfaces) Qel::ReadFrameImage(7, surface, &content.Device(), stream, true);
  const auto start = std::chrono::steady_clock::now();
  for (auto& surface : surfaces) {
    if (!static_cast<Qel::CompressedSurface*>(surface.get())->EnsureUncompressed()) std::abort();
  }
  return Seconds(start);
}

// The reference: zlib's uncompress of the same compressed rows, each frame into a buffer of its own, the
// least any decoder of these frames does.
double BarePass(Content& content) {
  const size_t rowBytes = kSize * kSize * 4;
  std::vector<std::unique_ptr<uint8_t[]>> frames(kFrames);
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kFrames; ++i) {
    frames[i].reset(new uint8_t[rowBytes]);
    uLongf length = static_cast<uLongf>(rowBytes);
    const std::vector<uint8_t>& compressed = content.Compressed()[i];
    if (uncompress(frames[i].get(), &length, compressed.data(), compressed.size()) != Z_OK) std::abort();
  }
  const double took = Seconds(start);
  benchmark::DoNotOptimize(frames.data());
  return took;
}

template <typename Pass>
void Measure(benchmark::State& state, Pass pass) {
  for (auto _ : state) state.SetIterationTime(pass());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TheContent().RawBytes()));
}

void BM_ReadEagerly(benchmark::State& state) {
  const auto stream = StreamOf(TheContent().Records());
  Measure(state, [&] { return EagerPass(TheContent(), *stream); });
}

void BM_FirstDraw(benchmark::State& state) {
  const auto stream = StreamOf(TheContent().Records());
  Measure(state, [&] { return FirstDrawPass(TheContent(), *stream); });
}

void BM_BareUncompress(benchmark::State& state) {
  Measure(state, [] { return BarePass(TheContent()); });
}

// Our decoding and the reference alternate inside one loop, so that load from elsewhere on the machine
// falls on both alike; the order swaps every iteration. speed is the reference's time over ours.
template <typename Pass>
void Interleave(benchmark::State& state, Pass ours) {
  double oursTotal = 0;
  double bareTotal = 0;
  bool oursFirst = true;
  for (auto _ : state) {
    const double a = oursFirst ? ours() : BarePass(TheContent());
    const double b = oursFirst ? BarePass(TheContent()) : ours();
    oursTotal += oursFirst ? a : b;
    bareTotal += oursFirst ? b : a;
    state.SetIterationTime(a + b);
    oursFirst = !oursFirst;
  }
  state.counters["speed"] = bareTotal / oursTotal;
}

void BM_EagerAgainstBare(benchmark::State& state) {
  const auto stream = StreamOf(TheContent().Records());
  Interleave(state, [&] { return EagerPass(TheContent(), *stream); });
}

void BM_FirstDrawAgainstBare(benchmark::State& state) {
  const auto stream = StreamOf(TheContent().Records());
  Interleave(state, [&] { return FirstDrawPass(TheContent(), *stream); });
}

BENCHMARK(BM_ReadEagerly)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FirstDraw)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_BareUncompress)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_EagerAgainstBare)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->MinTime(2.0)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FirstDrawAgainstBare)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->MinTime(2.0)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Prints the median speed of each interleaved run as a share of zlib's once all have run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.aggregate_name != "median") continue;
      const auto speed = run.counters.find("speed");
      if (speed != run.counters.end()) m_speed[run.run_name.function_name] = speed->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const auto& [name, speed] : m_speed) {
      std::printf("%s: %.3f of bare uncompress's speed (median of interleaved runs; goal 0.95)\n",
                  name.c_str(), speed);
    }
  }

private:
  std::map<std::string, double> m_speed;
};

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  // The heap keeps what an iteration freed, so that every decoding finds its memory mapped already and
  // the figures count the work, not the kernel handing out fresh pages.
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
