// Decoding a 640 x 480 MPEG-4 movie (YUV 4:2:0) and copying every frame into a 16-bit R5G6B5 buffer through
// the movie library, against FFmpeg decoding the same file and converting each frame with a bare sws_scale
// into a buffer of the same format, and against FFmpeg decoding alone; each pass opens the file afresh.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include "platform/bink-encoder/MovieEncoder.h"
#include "platform/bink/Bink.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kFrames = 100;

// The movie, written once into a temporary folder that goes at exit.
const std::string& MoviePath() {
  static const std::string path = [] {
    std::string folder = (std::filesystem::temp_directory_path() / "movie_decode-XXXXXX").string();
    if (!mkdtemp(folder.data())) throw std::runtime_error("no temporary folder");
    static std::string removeAtExit;
    removeAtExit = folder;
    std::atexit([] { std::filesystem::remove_all(removeAtExit); });
    plat::bink_encoder::MovieSpec spec;
    spec.width = kWidth;
    spec.height = kHeight;
    spec.rateNum = 25;
    spec.codec = plat::bink_encoder::VideoCodec::kMpeg4;
    spec.moving = true;
    spec.frames.assign(kFrames, 0);
    std::string error;
    const std::string file = folder + "/movie.avi";
    if (!plat::bink_encoder::WriteMovie(file, spec, error)) throw std::runtime_error(error);
    return file;
  }();
  return path;
}

// FFmpeg's own loop: every frame of the file decoded, and handed to convert when there is one.
template <typename Convert>
int DecodeAll(const std::string& path, Convert&& convert) {
  AVFormatContext* format = nullptr;
  if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) throw std::runtime_error("no open");
  avformat_find_stream_info(format, nullptr);
  const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  const AVCodec* codec = avcodec_find_decoder(format->streams[index]->codecpar->codec_id);
  AVCodecContext* context = avcodec_alloc_context3(codec);
  avcodec_parameters_to_context(context, format->streams[index]->codecpar);
  avcodec_open2(context, codec, nullptr);
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  int frames = 0;
  const auto drain = [&] {
    while (avcodec_receive_frame(context, frame) == 0) {
      convert(*frame);
      ++frames;
    }
  };
  while (av_read_frame(format, packet) >= 0) {
    if (packet->stream_index == index) {
      avcodec_send_packet(context, packet);
      drain();
    }
    av_packet_unref(packet);
  }
  avcodec_send_packet(context, nullptr);
  drain();
  av_frame_free(&frame);
  av_packet_free(&packet);
  avcodec_free_context(&context);
  avformat_close_input(&format);
  return frames;
}

void Frames(benchmark::State& state, int frames) {
  if (frames != kFrames) state.SkipWithError("not every frame was decoded");
  state.counters["frames/s"] = benchmark::Counter(
      static_cast<double>(kFrames) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void Reference_FFmpegDecode(benchmark::State& state) {
  const std::string& path = MoviePath();
  int frames = 0;
  for (auto _ : state)
    frames = DecodeAll(path, [](const AVFrame& frame) { benchmark::DoNotOptimize(frame.data[0]); });
  Frames(state, frames);
}

void Reference_FFmpegDecodeAndSwsScale(benchmark::State& state) {
  const std::string& path = MoviePath();
  std::vector<uint8_t> buffer(size_t{kWidth} * kHeight * 2);
  int frames = 0;
  for (auto _ : state) {
    SwsContext* scaler = nullptr;
    frames = DecodeAll(path, [&](const AVFrame& frame) {
      scaler = sws_getCachedContext(scaler, frame.width, frame.height,
                                    static_cast<AVPixelFormat>(frame.format), frame.width, frame.height,
                                    AV_PIX_FMT_RGB565LE, SWS_POINT, nullptr, nullptr, nullptr);
      uint8_t* planes[4] = {buffer.data(), nullptr, nullptr, nullptr};
      int pitches[4] = {kWidth * 2, 0, 0, 0};
      sws_scale(scaler, frame.data, frame.linesize, 0, frame.height, planes, pitches);
      benchmark::ClobberMemory();
    });
    sws_freeContext(scaler);
  }
  Frames(state, frames);
}

void Bink_DecodeAndCopyTo565(benchmark::State& state) {
  const std::string& path = MoviePath();
  std::vector<uint8_t> buffer(size_t{kWidth} * kHeight * 2);
  int frames = 0;
  for (auto _ : state) {
    plat::bink::HBINK bink = plat::bink::BinkOpen(path.c_str(), 0);
    if (!bink) {
      state.SkipWithError(plat::bink::BinkGetError());
      return;
    }
    frames = 0;
    while (plat::bink::BinkDoFrame(bink) == 0) {
      plat::bink::BinkNextFrame(bink);
      plat::bink::BinkCopyToBuffer(bink, buffer.data(), kWidth * 2, kHeight, 0, 0,
                                   plat::bink::BINKSURFACE565);
      benchmark::ClobberMemory();
      ++frames;
    }
    plat::bink::BinkClose(bink);
  }
  Frames(state, frames);
}

}  // namespace

BENCHMARK(Reference_FFmpegDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(Reference_FFmpegDecodeAndSwsScale)->Unit(benchmark::kMillisecond);
BENCHMARK(Bink_DecodeAndCopyTo565)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
