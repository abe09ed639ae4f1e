// tests/imaging/temp_folder.h: a folder of its own for each test, removed afterwards, with the
// game-style path ("...\") that Picture::Load joins file names onto.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class TempFolder {
  public:
    TempFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("tidewrack_imaging_" + std::to_string(::getpid()) + "_" + info->name());
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }

    void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream(path_ / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    // Ends with a backslash, as the game's folders do; the platform maps it to a slash.
    std::string GameFolder() const { return path_.string() + "\\"; }

  private:
    std::filesystem::path path_;
};
