// A folder of its own under the system's temporary folder, for a test's
// files, gone afterwards.

#pragma once

#include <chrono>
#include <filesystem>
#include <string>

class Scratch {
  public:
    Scratch()
        : path_(std::filesystem::temp_directory_path() /
                ("velt-folder-" +
                 std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()))) {
        std::filesystem::create_directories(path_);
    }
    ~Scratch() { std::filesystem::remove_all(path_); }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};
