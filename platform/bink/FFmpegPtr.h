// Owning pointers for FFmpeg's contexts, each freed by its own call, so no failure path has a free to forget.
#pragma once

#include <memory>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace plat::bink {

struct FFmpegFree {
  void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
  void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
  void operator()(AVFrame* frame) const { av_frame_free(&frame); }
  void operator()(AVPacket* packet) const { av_packet_free(&packet); }
  void operator()(SwsContext* context) const { sws_freeContext(context); }
  void operator()(SwrContext* context) const { swr_free(&context); }
  // The context may have replaced the buffer it was given, so its current one is freed.
  void operator()(AVIOContext* context) const {
    av_freep(&context->buffer);
    avio_context_free(&context);
  }
};

using FormatPtr = std::unique_ptr<AVFormatContext, FFmpegFree>;
using CodecPtr = std::unique_ptr<AVCodecContext, FFmpegFree>;
using FramePtr = std::unique_ptr<AVFrame, FFmpegFree>;
using PacketPtr = std::unique_ptr<AVPacket, FFmpegFree>;
using SwsPtr = std::unique_ptr<SwsContext, FFmpegFree>;
using SwrPtr = std::unique_ptr<SwrContext, FFmpegFree>;
using IoPtr = std::unique_ptr<AVIOContext, FFmpegFree>;

// FFmpeg's text for an error code.
inline std::string ErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = "";
  av_strerror(code, text, sizeof(text));
  return text;
}

}  // namespace plat::bink
