#include "DecoderProbe.h"

#include "DecodedPicture.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
}

namespace zebak {

namespace {

struct FormatCloser {
    void operator()(AVFormatContext* p) const { avformat_close_input(&p); }
};
struct CodecFreer {
    void operator()(AVCodecContext* p) const { avcodec_free_context(&p); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameFreer {
    void operator()(AVFrame* p) const { av_frame_free(&p); }
};
using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;

FormatPtr openFormat(const std::string& path, int& error) {
    AVFormatContext* raw = nullptr;
    error = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (error < 0) return nullptr;
    FormatPtr format(raw);
    error = avformat_find_stream_info(format.get(), nullptr);
    if (error < 0) return nullptr;
    return format;
}

std::string errorText(int error) {
    std::array<char, AV_ERROR_MAX_STRING_SIZE> text{};
    av_strerror(error, text.data(), text.size());
    return text.data();
}

bool startsLikeIsoMedia(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char head[8] = {};
    return in.read(head, sizeof head) && std::memcmp(head + 4, "ftyp", 4) == 0;
}

/// Notes and drops every frame the decoder has ready.
void receiveAll(AVCodecContext* codec, AVFrame* frame, std::vector<PictureStamp>& pictures) {
    while (avcodec_receive_frame(codec, frame) == 0) {
        pictures.push_back({pictureHash(DecodedPicture::of(*frame)), frame->best_effort_timestamp});
        av_frame_unref(frame);
    }
}

}  // namespace

StreamProbe probeStreams(const std::string& path) {
    StreamProbe probe;
    probe.isoMediaStart = startsLikeIsoMedia(path);
    int error = 0;
    const FormatPtr format = openFormat(path, error);
    if (!format) {
        probe.error = errorText(error);
        return probe;
    }
    probe.opens = true;
    for (unsigned i = 0; i < format->nb_streams; ++i)
        if (format->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) probe.hasVideo = true;
    return probe;
}

namespace {

/// A positive finite rate from a tag's text ("240", "239.76"); empty otherwise.
std::optional<double> rateFromTag(const char* text) {
    if (text == nullptr) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end == text || !std::isfinite(value) || value <= 0.0 || value > 100000.0)
        return std::nullopt;
    return value;
}

std::optional<double> captureRateIn(const AVDictionary* tags) {
    const AVDictionaryEntry* entry = nullptr;
    while ((entry = av_dict_get(tags, "", entry, AV_DICT_IGNORE_SUFFIX)) != nullptr) {
        const std::string key = entry->key;
        const std::string suffix = "capture.fps";
        if (key.size() >= suffix.size() &&
            key.compare(key.size() - suffix.size(), suffix.size(), suffix) == 0)
            if (auto rate = rateFromTag(entry->value)) return rate;
    }
    return std::nullopt;
}

}  // namespace

StreamRates readStreamRates(const std::string& path, int stream) {
    StreamRates rates;
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0) return rates;
    const FormatPtr format(raw);
    if (stream < 0 || static_cast<unsigned>(stream) >= format->nb_streams) return rates;
    const AVStream* s = format->streams[stream];
    if (s->avg_frame_rate.num > 0 && s->avg_frame_rate.den > 0)
        rates.streamFps = av_q2d(s->avg_frame_rate);
    else if (s->r_frame_rate.num > 0 && s->r_frame_rate.den > 0)
        rates.streamFps = av_q2d(s->r_frame_rate);
    rates.captureFps = captureRateIn(s->metadata);
    // The display matrix gives the turn counter-clockwise.
    if (const uint8_t* matrix = av_stream_get_side_data(s, AV_PKT_DATA_DISPLAYMATRIX, nullptr)) {
        const double counter = av_display_rotation_get(reinterpret_cast<const int32_t*>(matrix));
        if (std::isfinite(counter))
            rates.clockwiseTurnDeg = ((-static_cast<int>(std::lround(counter)) % 360) + 360) % 360;
    }
    if (!rates.captureFps) rates.captureFps = captureRateIn(format->metadata);
    // A capture rate equal to the playback rate says nothing new.
    if (rates.captureFps && rates.streamFps > 0.0 &&
        std::abs(*rates.captureFps - rates.streamFps) < 0.01 * rates.streamFps)
        rates.captureFps.reset();
    return rates;
}

std::optional<std::vector<PictureStamp>> decodedPictures(const std::string& path, int stream,
                                                         const std::function<bool()>& keepGoing) {
    int error = 0;
    const FormatPtr format = openFormat(path, error);
    if (!format || stream < 0 || static_cast<unsigned>(stream) >= format->nb_streams)
        return std::nullopt;
    const AVCodecParameters* parameters = format->streams[stream]->codecpar;
    const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
    if (decoder == nullptr) return std::nullopt;
    std::unique_ptr<AVCodecContext, CodecFreer> codec(avcodec_alloc_context3(decoder));
    if (!codec || avcodec_parameters_to_context(codec.get(), parameters) < 0) return std::nullopt;
    // One thread: with frame threads a decoder that meets damaged data loses frames it would
    // otherwise put out, and the count would be lower than the film really has.
    codec->thread_count = 1;
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0) return std::nullopt;

    std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
    if (!packet || !frame) return std::nullopt;
    std::vector<PictureStamp> pictures;
    int packets = 0;
    while (av_read_frame(format.get(), packet.get()) >= 0) {
        if (packet->stream_index == stream) {
            // A damaged packet is refused by the decoder; it yields no frame and is not listed.
            // A decoder that is full takes the packet once its ready frames are taken.
            while (avcodec_send_packet(codec.get(), packet.get()) == AVERROR(EAGAIN))
                receiveAll(codec.get(), frame.get(), pictures);
            receiveAll(codec.get(), frame.get(), pictures);
            if (++packets % 16 == 0 && keepGoing && !keepGoing()) return std::nullopt;
        }
        av_packet_unref(packet.get());
    }
    avcodec_send_packet(codec.get(), nullptr);  // drain the frames the decoder still holds
    receiveAll(codec.get(), frame.get(), pictures);
    return pictures;
}

}  // namespace zebak
