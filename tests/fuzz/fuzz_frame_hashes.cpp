// Fuzzes the reader of the film cache's frame-hash files.
//
// The input is written to a file and read through the public reader only, whatever the file
// format is. A damaged cache file must read as nothing, never crash; what does read is sound
// and survives being written and read again unchanged. As the file's checksum turns away
// almost every mutation, the input's bytes are also taken as the fields of a pass over a film
// and written: the reader must give back exactly what was written, or refuse it, and a pass
// as a sound film gives it is never refused.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "media/FilmCache.h"

namespace {

/// A folder of this process's own for the input file and the rewritten copy.
const std::filesystem::path& scratchFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "zebak-fuzz-XXXXXX");
        if (!::mkdtemp(pattern.data())) std::abort();
        std::atexit([] { std::filesystem::remove_all(scratchFolder()); });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

void fail(const char* what) {
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

/// A cache file read is sound: what the frame source indexes with lies within the hashed
/// frames.
void checkSound(const zebak::FrameHashes& d) {
    const auto count = static_cast<long long>(d.hashes.size());
    if (d.width <= 0 || d.height <= 0) fail("a frame size that is not positive");
    if (d.nativeWidth <= 0 || d.nativeHeight <= 0) fail("a stored size that is not positive");
    if (count == 0) fail("a hash file without frames");
    if (d.listedFrames < count) fail("fewer listed frames than hashed ones");
    if (d.damagedFrom < -1 || d.damagedFrom > count) fail("a damaged frame out of range");
    if (d.sizeChangeFrame < -1 || d.sizeChangeFrame >= count) fail("a size change out of range");
}

bool same(const zebak::FrameHashes& a, const zebak::FrameHashes& b) {
    return a.width == b.width && a.height == b.height && a.rotationDeg == b.rotationDeg &&
           a.hashes == b.hashes && a.listedFrames == b.listedFrames &&
           a.damagedFrom == b.damagedFrom && a.sizeChangeFrame == b.sizeChangeFrame &&
           a.changedWidth == b.changedWidth && a.changedHeight == b.changedHeight &&
           a.nativeWidth == b.nativeWidth && a.nativeHeight == b.nativeHeight &&
           a.readsInOrder == b.readsInOrder && a.indexChecksum == b.indexChecksum &&
           a.missingFrames == b.missingFrames;
}

/// Writes d and reads it back; the reader gives back d or nothing.
std::optional<zebak::FrameHashes> writeAndRead(const zebak::FrameHashes& d) {
    const std::string copy = (scratchFolder() / "copy.hashes").string();
    if (!zebak::writeFrameHashes(copy, d)) fail("cannot write a hash file");
    std::optional<zebak::FrameHashes> again = zebak::readFrameHashes(copy);
    if (again && !same(*again, d)) fail("a hash file reads back different from what was written");
    return again;
}

/// The input as a file: nothing, or something sound that survives a rewrite.
void readAsFile(const std::uint8_t* data, std::size_t size) {
    const std::string input = (scratchFolder() / "input.hashes").string();
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out.flush()) fail("cannot write the input file");
    }
    const std::optional<zebak::FrameHashes> read = zebak::readFrameHashes(input);
    if (!read) return;
    checkSound(*read);
    if (!writeAndRead(*read)) fail("a written hash file does not read back");
}

/// The input as the fields of a pass: eleven numbers, then the hashes.
void writeAsFields(const std::uint8_t* data, std::size_t size) {
    std::int32_t f[11];
    if (size < sizeof f) return;
    std::memcpy(f, data, sizeof f);
    zebak::FrameHashes d;
    d.width = f[0];
    d.height = f[1];
    d.rotationDeg = f[2];
    d.listedFrames = f[3];
    d.damagedFrom = f[4];
    d.sizeChangeFrame = f[5];
    d.changedWidth = f[6];
    d.changedHeight = f[7];
    d.nativeWidth = f[8];
    d.nativeHeight = f[9];
    d.readsInOrder = f[10];
    for (std::size_t i = sizeof f; i + 8 <= size; i += 8) {
        std::uint64_t h = 0;
        std::memcpy(&h, data + i, sizeof h);
        d.hashes.push_back(h);
    }
    if (const auto read = writeAndRead(d)) checkSound(*read);

    // The same hashes as a whole, undamaged pass over a film of a plausible size and turn.
    if (d.hashes.empty()) return;
    zebak::FrameHashes whole;
    whole.width = 1 + (f[0] & 0xFFF);
    whole.height = 1 + (f[1] & 0xFFF);
    whole.rotationDeg = 90 * (f[2] & 3);
    whole.nativeWidth = 1 + (f[8] & 0xFFF);
    whole.nativeHeight = 1 + (f[9] & 0xFFF);
    whole.readsInOrder = f[10] & 1;
    whole.hashes = d.hashes;
    whole.listedFrames = static_cast<int>(d.hashes.size());
    if (!writeAndRead(whole)) fail("a sound pass over a film is refused");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    readAsFile(data, size);
    writeAsFields(data, size);
    return 0;
}
