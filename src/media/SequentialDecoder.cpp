#include "SequentialDecoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace zebak {

struct SequentialDecoder::Impl {
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVPacket* packet = nullptr;
    AVFrame* frame = nullptr;
    int stream = -1;
    bool draining = false;  // the end of the file was reached; the decoder gives what it holds
    bool pending = false;   // packet holds data the decoder could not take yet
    bool couldThread = false;  // opened with one thread although its format allows more
    bool finished = false;

    ~Impl() {
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        avformat_close_input(&format);
    }
};

int SequentialDecoder::threadsFor(int codecId, int width, int height) {
    if (!allowsThreads(width, height)) return 1;
    switch (codecId) {
        case AV_CODEC_ID_H264:
        case AV_CODEC_ID_HEVC:
        case AV_CODEC_ID_VP9:
        case AV_CODEC_ID_MPEG4:
            return 0;
        default:
            return 1;
    }
}

std::unique_ptr<SequentialDecoder> SequentialDecoder::open(const std::string& path, int stream,
                                                           bool withThreads) {
    auto impl = std::make_unique<Impl>();
    if (avformat_open_input(&impl->format, path.c_str(), nullptr, nullptr) < 0) return nullptr;
    if (stream < 0 || static_cast<unsigned>(stream) >= impl->format->nb_streams) return nullptr;
    // Only the video stream is read; the demuxer drops the packets of all others.
    for (unsigned i = 0; i < impl->format->nb_streams; ++i)
        if (static_cast<int>(i) != stream) impl->format->streams[i]->discard = AVDISCARD_ALL;
    const AVCodecParameters* parameters = impl->format->streams[stream]->codecpar;
    const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
    if (decoder == nullptr) return nullptr;
    impl->codec = avcodec_alloc_context3(decoder);
    if (impl->codec == nullptr || avcodec_parameters_to_context(impl->codec, parameters) < 0)
        return nullptr;
    impl->codec->pkt_timebase = impl->format->streams[stream]->time_base;
    const int allowed = threadsFor(parameters->codec_id, parameters->width, parameters->height);
    const int threads = withThreads ? allowed : 1;
    impl->couldThread = !withThreads && allowed != 1;
    impl->codec->thread_count = threads;
    if (threads != 1) impl->codec->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    if (avcodec_open2(impl->codec, decoder, nullptr) < 0) return nullptr;
    impl->packet = av_packet_alloc();
    impl->frame = av_frame_alloc();
    if (impl->packet == nullptr || impl->frame == nullptr) return nullptr;
    impl->stream = stream;
    return std::unique_ptr<SequentialDecoder>(new SequentialDecoder(std::move(impl)));
}

SequentialDecoder::SequentialDecoder(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
SequentialDecoder::~SequentialDecoder() = default;

bool SequentialDecoder::next() {
    Impl& d = *impl_;
    if (d.finished) return false;
    av_frame_unref(d.frame);
    for (;;) {
        const int got = avcodec_receive_frame(d.codec, d.frame);
        if (got == 0) {
            if ((d.frame->flags & AV_FRAME_FLAG_CORRUPT) != 0 || d.frame->decode_error_flags != 0)
                damaged_ = true;
            ++delivered_;
            return true;
        }
        if (got != AVERROR(EAGAIN)) {
            if (got != AVERROR_EOF) damaged_ = true;
            d.finished = true;
            return false;
        }
        if (d.draining) {  // cannot happen after a flush, but never loop for ever
            d.finished = true;
            return false;
        }
        // The decoder wants more data: give it the next packet of the stream.
        if (!d.pending) {
            int read = 0;
            while ((read = av_read_frame(d.format, d.packet)) >= 0 &&
                   d.packet->stream_index != d.stream)
                av_packet_unref(d.packet);
            if (read < 0) {
                if (read != AVERROR_EOF) damaged_ = true;
                d.draining = true;
                avcodec_send_packet(d.codec, nullptr);
                continue;
            }
        }
        const bool wasPending = d.pending;
        const int sent = avcodec_send_packet(d.codec, d.packet);
        if (wasPending && sent == AVERROR(EAGAIN)) {  // takes nothing and gives nothing
            damaged_ = true;
            d.finished = true;
            return false;
        }
        d.pending = sent == AVERROR(EAGAIN);  // kept and sent again after the next picture
        if (!d.pending) av_packet_unref(d.packet);
        if (sent < 0 && !d.pending) damaged_ = true;
    }
}

bool SequentialDecoder::couldUseThreads() const { return impl_->couldThread; }

DecodedPicture SequentialDecoder::picture() const { return DecodedPicture::of(*impl_->frame); }

std::int64_t SequentialDecoder::timestamp() const { return impl_->frame->best_effort_timestamp; }

}  // namespace zebak
