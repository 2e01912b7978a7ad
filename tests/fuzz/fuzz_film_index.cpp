// Fuzzes the opening of a film whose cached index is damaged.
//
// Once, the demo film is opened with a cache folder of this process's own, so the cache holds
// its index and its frame hashes, and the frames are noted. Each input is then written over
// the cached index (the hash file beside it stays as the sound open wrote it) and the film is
// opened again: it must open with the same frames, exactly. A damaged index must be refused
// and built anew; FFMS2 is never handed one (it crashes on some, and serves wrong frames from
// others). An exception, a crash or a wrong frame is a finding.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "media/FfmsFrameSource.h"
#include "media/FilmCache.h"

namespace {
namespace fs = std::filesystem;

void fail(const char* what, const std::string& detail = "") {
    std::fprintf(stderr, "finding: %s %s\n", what, detail.c_str());
    std::abort();
}

/// The film, its cached index and the hashes of the frames the sound open gave.
struct Film {
    std::string path = ZEBAK_DEMO_FILM;
    std::string indexPath;
    std::vector<std::uint64_t> frames;
};

/// A cache folder of this process's own, removed at exit.
fs::path scratchCache() {
    std::string pattern = (fs::temp_directory_path() / "zebak-fuzz-index-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) fail("no scratch folder");
    static const fs::path folder = pattern;
    std::atexit([] { fs::remove_all(folder); });
    return folder;
}

/// The frames checked on every open: both ends, one out of order, then stepping on.
std::vector<int> framesToCheck(int count) {
    return {count - 1, 0, count / 2, count / 2 + 1, 1};
}

std::vector<std::uint64_t> frameHashes(zebak::FfmsFrameSource& source) {
    std::vector<std::uint64_t> hashes;
    for (int n : framesToCheck(source.frameCount())) {
        source.seek(n);
        hashes.push_back(source.frame().hash());
    }
    return hashes;
}

const Film& film() {
    static const Film sound = [] {
        Film f;
        setenv("XDG_CACHE_HOME", scratchCache().c_str(), 1);
        auto source = zebak::FfmsFrameSource::open(f.path);
        f.frames = frameHashes(*source);
        const auto entry = zebak::filmCacheEntry(zebak::FfmsFrameSource::cacheFolder(), f.path);
        if (!entry || !fs::exists(entry->indexPath)) fail("the sound open left no index");
        f.indexPath = entry->indexPath;
        return f;
    }();
    return sound;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Film& f = film();
    {
        std::ofstream out(f.indexPath, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out.flush()) fail("cannot write the damaged index");
    }
    try {
        auto source = zebak::FfmsFrameSource::open(f.path);
        if (frameHashes(*source) != f.frames) fail("other frames after a damaged index");
    } catch (const std::exception& e) {
        fail("the film does not open after a damaged index:", e.what());
    }
    return 0;
}
