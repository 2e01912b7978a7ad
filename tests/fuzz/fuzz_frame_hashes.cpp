// Fuzzes the reader of the film cache's frame-hash files.
//
// The input is written to a file and read through the public reader only, whatever the file
// format is. A damaged cache file must read as nothing, never crash; what does read is sound
// and survives being written and read again unchanged.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = (scratchFolder() / "input.hashes").string();
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out.flush()) fail("cannot write the input file");
    }
    const std::optional<zebak::FrameHashes> read = zebak::readFrameHashes(input);
    if (!read) return 0;
    // What the frame source indexes with must lie within the frames that were hashed.
    const auto count = static_cast<long long>(read->hashes.size());
    if (read->width <= 0 || read->height <= 0) fail("a frame size that is not positive");
    if (count == 0) fail("a hash file without frames");
    if (read->listedFrames < count) fail("fewer listed frames than hashed ones");
    if (read->damagedFrom < -1 || read->damagedFrom > count) fail("a damaged frame out of range");
    if (read->sizeChangeFrame < -1 || read->sizeChangeFrame >= count)
        fail("a size change out of range");

    const std::string copy = (scratchFolder() / "copy.hashes").string();
    if (!zebak::writeFrameHashes(copy, *read)) fail("cannot write what was read");
    const std::optional<zebak::FrameHashes> again = zebak::readFrameHashes(copy);
    if (!again) fail("a written hash file does not read back");
    if (again->width != read->width || again->height != read->height ||
        again->rotationDeg != read->rotationDeg || again->hashes != read->hashes ||
        again->listedFrames != read->listedFrames || again->damagedFrom != read->damagedFrom ||
        again->sizeChangeFrame != read->sizeChangeFrame ||
        again->changedWidth != read->changedWidth || again->changedHeight != read->changedHeight)
        fail("a hash file reads back different from what was written");
    return 0;
}
