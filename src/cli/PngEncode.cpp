#include "PngEncode.h"

#include <zlib.h>

#include <cstdint>
#include <stdexcept>

namespace zebak::cli {

namespace {

void appendBigEndian(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFFu);
}

/// One chunk: length, type, data and the CRC over type and data.
void appendChunk(std::string& out, const char* type, const std::string& data) {
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    out += typed;
    const auto* bytes = reinterpret_cast<const Bytef*>(typed.data());
    appendBigEndian(out, static_cast<std::uint32_t>(
                             crc32(crc32(0L, Z_NULL, 0), bytes, static_cast<uInt>(typed.size()))));
}

/// The rows, each behind the filter byte 0, compressed as one zlib stream.
std::string compressedRows(const RgbFrame& picture) {
    const std::size_t rowBytes = static_cast<std::size_t>(picture.width()) * 3;
    std::string raw;
    raw.reserve((rowBytes + 1) * static_cast<std::size_t>(picture.height()));
    for (int y = 0; y < picture.height(); ++y) {
        raw += '\0';
        raw.append(reinterpret_cast<const char*>(picture.row(y)), rowBytes);
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                  reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                  6) != Z_OK)
        throw std::runtime_error("Das Bild kann nicht komprimiert werden.");
    packed.resize(size);
    return packed;
}

}  // namespace

std::string encodePng(const RgbFrame& picture) {
    std::string out("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    appendBigEndian(header, static_cast<std::uint32_t>(picture.width()));
    appendBigEndian(header, static_cast<std::uint32_t>(picture.height()));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no interlace
    appendChunk(out, "IHDR", header);
    appendChunk(out, "IDAT", compressedRows(picture));
    appendChunk(out, "IEND", "");
    return out;
}

}  // namespace zebak::cli
