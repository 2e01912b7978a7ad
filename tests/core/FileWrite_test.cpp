#include "core/FileWrite.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>
#include <vector>

namespace zebak {
namespace {
namespace fs = std::filesystem;

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FileWriteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            fs::temp_directory_path() / ("zebak-write-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    /// Names in the folder other than the given ones: temporary files left behind.
    std::vector<std::string> leftovers(std::initializer_list<std::string> known) const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) {
            const std::string name = e.path().filename().string();
            if (std::find(known.begin(), known.end(), name) == known.end()) names.push_back(name);
        }
        return names;
    }
    fs::path dir_;
};

TEST_F(FileWriteTest, NewAndExistingRegularFilesAreReplacedWholeKeepingPermissions) {
    const fs::path file = dir_ / "out.txt";
    writeFileSafely(file.string(), "first");
    EXPECT_EQ(contents(file), "first");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    writeFileSafely(file.string(), "second, longer");
    EXPECT_EQ(contents(file), "second, longer");
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(leftovers({"out.txt"}).empty());
}

TEST_F(FileWriteTest, ALinkToARegularFileHasItsTargetWrittenAndStaysALink) {
    const fs::path target = dir_ / "target.txt";
    const fs::path link = dir_ / "link.txt";
    writeFileSafely(target.string(), "old");
    fs::create_symlink("target.txt", link);  // relative, as links often are
    writeFileSafely(link.string(), "new");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(contents(target), "new");
    // A dangling link gets its target made.
    const fs::path dangling = dir_ / "dangling.txt";
    fs::create_symlink(dir_ / "made.txt", dangling);
    writeFileSafely(dangling.string(), "made");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dangling)));
    EXPECT_EQ(contents(dir_ / "made.txt"), "made");
}

TEST_F(FileWriteTest, DevicesPipesAndLinksToThemAreWrittenStraightThrough) {
    writeFileSafely("/dev/null", "nothing");
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    const fs::path link = dir_ / "null-link";
    fs::create_symlink("/dev/null", link);
    writeFileSafely(link.string(), "nothing");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    const fs::path fifo = dir_ / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string read;
    std::thread reader([&] { read = contents(fifo); });
    writeFileSafely(fifo.string(), "through the pipe");
    reader.join();
    EXPECT_EQ(read, "through the pipe");
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(FileWriteTest, FailuresThrowAndLeaveNothingBehind) {
    EXPECT_THROW(writeFileSafely("/dev/full", "no room"), FileWriteError);
    EXPECT_THROW(writeFileSafely((dir_ / "no-such-folder" / "f.txt").string(), "x"),
                 FileWriteError);
    fs::create_directory(dir_ / "folder");
    EXPECT_THROW(writeFileSafely((dir_ / "folder").string(), "x"), FileWriteError);
    EXPECT_THROW(writeFileSafely("", "x"), FileWriteError);
    const fs::path loop = dir_ / "loop";
    fs::create_symlink("loop", loop);
    EXPECT_THROW(writeFileSafely(loop.string(), "x"), FileWriteError);
    EXPECT_TRUE(leftovers({"folder", "loop"}).empty());
    try {
        writeFileSafely("/dev/full", "no room");
    } catch (const FileWriteError& e) {
        EXPECT_NE(std::string(e.what()).find("/dev/full"), std::string::npos) << e.what();
    }
}

TEST(TemporaryName, UniqueForEveryCallInTheTargetsFolder) {
    const std::string a = temporaryNameFor("/some/folder/file.ppm");
    const std::string b = temporaryNameFor("/some/folder/file.ppm");
    EXPECT_NE(a, b);
    EXPECT_EQ(fs::path(a).parent_path(), "/some/folder");
    EXPECT_EQ(a.rfind("/some/folder/file.ppm.", 0), 0u);
}

}  // namespace
}  // namespace zebak
