#include "media/FilmCache.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <vector>

#include "media/FfmsFrameSource.h"
#include "support/Barcode.h"
#include "support/CacheFolder.h"
#include "support/Process.h"

namespace zebak {
namespace {
namespace fs = std::filesystem;

std::string film(const std::string& name) { return std::string(ZEBAK_TEST_FILMS) + "/" + name; }

class ScratchFolder {
  public:
    ScratchFolder() {
        dir_ = fs::temp_directory_path() /
               ("zebak-cachekey-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
    }
    ~ScratchFolder() { fs::remove_all(dir_); }
    const fs::path& path() const { return dir_; }

  private:
    fs::path dir_;
};

/// Sets (or with nullptr removes) an environment variable for one scope.
class EnvironmentVariable {
  public:
    EnvironmentVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvironmentVariable() {
        if (old_)
            setenv(name_.c_str(), old_->c_str(), 1);
        else
            unsetenv(name_.c_str());
    }

  private:
    std::string name_;
    std::optional<std::string> old_;
};

void writeBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

FrameHashes sample() {
    FrameHashes d;
    d.width = 320;
    d.height = 240;
    d.nativeWidth = 640;
    d.nativeHeight = 480;
    d.readsInOrder = 1;
    d.hashes = {1, 2, 3, 0xFFFFFFFFFFFFFFFFull};
    d.listedFrames = 5;
    d.damagedFrom = 1;
    d.missingFrames = {1};  // the picture of listed frame 1 is missing
    d.indexChecksum = 0x8000000000000001ull;
    d.sizeChangeFrame = 2;
    d.changedWidth = 160;
    d.changedHeight = 120;
    return d;
}

TEST(FrameHashFile, ReadsBackWhatWasWrittenAndRefusesEveryDamagedVersion) {
    const std::string bytes = serialiseFrameHashes(sample());
    const auto back = parseFrameHashes(bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->hashes, sample().hashes);
    EXPECT_EQ(back->listedFrames, 5);
    EXPECT_EQ(back->damagedFrom, 1);
    EXPECT_EQ(back->missingFrames, std::vector<int>{1});
    EXPECT_EQ(back->indexChecksum, 0x8000000000000001ull);
    EXPECT_EQ(back->sizeChangeFrame, 2);
    EXPECT_EQ(back->changedWidth, 160);
    EXPECT_EQ(back->nativeWidth, 640);
    EXPECT_EQ(back->nativeHeight, 480);
    EXPECT_EQ(back->readsInOrder, 1);
    for (std::size_t n = 0; n < bytes.size(); ++n)
        EXPECT_FALSE(parseFrameHashes(bytes.substr(0, n)).has_value()) << "cut at " << n;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::string flipped = bytes;
        flipped[i] = static_cast<char>(flipped[i] ^ 0x10);
        EXPECT_FALSE(parseFrameHashes(flipped).has_value()) << "byte " << i;
    }
    EXPECT_FALSE(parseFrameHashes(bytes + "x").has_value());
}

TEST(FrameHashFile, ValuesThatCannotBelongToAFilmAreRefusedEvenWithAGoodChecksum) {
    auto refused = [](FrameHashes d) { return !parseFrameHashes(serialiseFrameHashes(d)); };
    FrameHashes d = sample();
    d.listedFrames = 3;  // fewer listed than decoded
    EXPECT_TRUE(refused(d));
    d = sample();
    d.damagedFrom = -1;  // more listed than decoded but not damaged
    EXPECT_TRUE(refused(d));
    d = sample();
    d.sizeChangeFrame = 9;
    EXPECT_TRUE(refused(d));
    d = sample();
    d.width = 0;
    EXPECT_TRUE(refused(d));
    d = sample();
    d.nativeHeight = 0;
    EXPECT_TRUE(refused(d));
    d = sample();
    d.readsInOrder = 2;
    EXPECT_TRUE(refused(d));
    d = sample();
    d.missingFrames = {1, 3};  // more missing than listed beyond the hashed ones
    EXPECT_TRUE(refused(d));
    d = sample();
    d.missingFrames = {5};  // not a listed frame
    EXPECT_TRUE(refused(d));
    d = sample();
    d.hashes.clear();
    EXPECT_TRUE(refused(d));
}

TEST(FilmCacheKey, AFileRewrittenWithTheSameSizeAndTimeGetsANewKey) {
    ScratchFolder scratch;
    const fs::path file = scratch.path() / "film.avi";
    writeBytes(file, std::string(100000, 'a'));
    const auto first = filmCacheEntry((scratch.path() / "cache").string(), file.string());
    ASSERT_TRUE(first.has_value());
    const auto again = filmCacheEntry((scratch.path() / "cache").string(), file.string());
    EXPECT_EQ(first->indexPath, again->indexPath);

    const auto time = fs::last_write_time(file);
    std::string other(100000, 'a');
    other[50000] = 'b';  // one byte in the middle
    writeBytes(file, other);
    fs::last_write_time(file, time);
    const auto rewritten = filmCacheEntry((scratch.path() / "cache").string(), file.string());
    ASSERT_TRUE(rewritten.has_value());
    EXPECT_NE(first->indexPath, rewritten->indexPath);
    EXPECT_NE(first->hashesPath, rewritten->hashesPath);
    EXPECT_FALSE(filmCacheEntry("", file.string()).has_value());  // no folder: no cache
}

// The fault this guards against: a film replaced by another of the same size, with the same
// first and last megabyte and its time set back, was served with the old film's hashes.
TEST(FilmCacheKey, AReplacedFilmIsNeverServedFromTheOldFilmsCache) {
    ScratchFolder scratch;
    const EnvironmentVariable cache("XDG_CACHE_HOME", (scratch.path() / "cache").c_str());
    const fs::path path = scratch.path() / "film.avi";
    fs::copy_file(film("raw-a.avi"), path);
    {
        const auto source = FfmsFrameSource::open(path.string());
        source->seek(50);
        ASSERT_EQ(test::readBarcode(source->frame()), 50);
    }
    const auto time = fs::last_write_time(path);
    fs::copy_file(film("raw-b.avi"), path, fs::copy_options::overwrite_existing);
    fs::last_write_time(path, time);
    {
        const auto source = FfmsFrameSource::open(path.string());
        for (int n : {50, 39, 40, 79, 80, 81, 119, 45}) {
            source->seek(n);
            const int expected = n >= 40 && n < 80 ? n + 1 : (n == 80 ? 80 : n);
            EXPECT_EQ(test::readBarcode(source->frame()), expected) << "frame " << n;
        }
    }
    int hashFiles = 0;
    for (const auto& e : fs::directory_iterator(scratch.path() / "cache" / "zebak"))
        hashFiles += e.path().extension() == ".hashes";
    EXPECT_EQ(hashFiles, 2) << "the replaced film must get hashes of its own";
}

// Without HOME the cache went to a shared /tmp/zebak-cache that anyone could fill in advance.
TEST(FilmCacheFolder, WithoutAHomeItIsAFolderOfTheUsersOwn) {
    std::string folder;
    {
        const EnvironmentVariable noXdg("XDG_CACHE_HOME", nullptr);
        const EnvironmentVariable noHome("HOME", nullptr);
        folder = FfmsFrameSource::cacheFolder();
    }
    // The user database still names a home (as it does for root); otherwise the private
    // temporary folder is used.
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder, (fs::temp_directory_path() / "zebak-cache").string());
    if (folder.rfind(fs::temp_directory_path().string(), 0) == 0) {
        struct stat st {};
        ASSERT_EQ(::lstat(folder.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        EXPECT_EQ(st.st_uid, ::getuid());
    }
}


std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// FFMS2 takes a damaged index without complaint and then crashed in a frame request, or gave
// a wrong count and wrong frames. The hash file keeps the index's checksum: a damaged index
// is built anew, and the film opens with the right frames.
TEST(FilmCacheIndex, ADamagedIndexIsRebuiltAndTheFramesAreRight) {
    test::CacheFolder cache;
    const std::string path = film("lossless.avi");  // frame n has red n in pixel (0, 0)
    FfmsFrameSource::open(path);
    fs::path index;
    for (const auto& e : fs::directory_iterator(cache.zebakFolder()))
        if (e.path().extension() == ".ffindex") index = e.path();
    ASSERT_FALSE(index.empty());
    const std::string sound = readBytes(index);
    const std::size_t step = std::max<std::size_t>(1, sound.size() / 40);
    for (std::size_t i = 0; i < sound.size(); i += step) {
        std::string damaged = sound;
        damaged[i] = static_cast<char>(damaged[i] ^ (1 << (i % 8)));
        writeBytes(index, damaged);
        const auto source = FfmsFrameSource::open(path);
        ASSERT_EQ(source->frameCount(), 40) << "byte " << i;
        for (int n : {39, 3, 20, 21}) {
            source->seek(n);
            EXPECT_EQ(source->frame().rgb(0, 0).r, n) << "byte " << i;
        }
    }
}


// The cache folder keeps within its size: the entries used longest ago go first, both files
// of an entry together, and the entry just written always stays.
TEST(FilmCacheFolder, DropsTheLeastRecentlyUsedEntriesBeyondItsSize) {
    ScratchFolder scratch;
    const auto now = fs::file_time_type::clock::now();
    for (const std::string name : {"old", "older", "new", "kept"}) {
        for (const char* ext : {".ffindex", ".hashes"}) {
            const fs::path file = scratch.path() / (name + ext);
            writeBytes(file, std::string(1000, 'x'));
            const int age = name == "older" ? 30 : name == "old" ? 20 : name == "kept" ? 40 : 0;
            fs::last_write_time(file, now - std::chrono::minutes(age));
        }
    }
    const std::string base = (scratch.path() / "kept").string();
    pruneFilmCache(scratch.path().string(), 4500, {base + ".ffindex", base + ".hashes"});
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(scratch.path())) left.push_back(e.path().filename());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"kept.ffindex", "kept.hashes", "new.ffindex",
                                              "new.hashes"}));
}

}  // namespace
}  // namespace zebak
