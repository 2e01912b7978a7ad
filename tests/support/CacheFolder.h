#pragma once

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace zebak::test {

/// A fresh cache folder for one test ($XDG_CACHE_HOME points at it while the object lives),
/// so first and second opens of a film can be told apart.
class CacheFolder {
  public:
    CacheFolder() {
        namespace fs = std::filesystem;
        dir_ = fs::temp_directory_path() /
               ("zebak-cache-test-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
        const char* old = std::getenv("XDG_CACHE_HOME");
        old_ = old != nullptr ? old : "";
        setenv("XDG_CACHE_HOME", dir_.c_str(), 1);
    }
    ~CacheFolder() {
        setenv("XDG_CACHE_HOME", old_.c_str(), 1);
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    CacheFolder(const CacheFolder&) = delete;
    CacheFolder& operator=(const CacheFolder&) = delete;

    /// The program's own folder in it.
    std::filesystem::path zebakFolder() const { return dir_ / "zebak"; }
    /// Files the program has left in its folder.
    std::size_t files() const {
        std::error_code ec;
        std::size_t n = 0;
        for (auto it = std::filesystem::recursive_directory_iterator(zebakFolder(), ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
            ++n;
        return n;
    }

  private:
    std::filesystem::path dir_;
    std::string old_;
};

}  // namespace zebak::test
