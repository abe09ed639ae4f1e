// tests/platform/files_test.cpp: the file door with whatever a data folder can hold under a file's
// name, the bound of a read by the size at opening, creation, and whole-file writes.
#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace platform;

class FileDoorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("tidewrack_files_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string Path(const char* name) const { return (folder / name).string(); }
    FileHandle* Open(const char* name, std::uint32_t creation = OPEN_EXISTING) const {
        return CreateFile(Path(name), GENERIC_READ, FILE_SHARE_READ, creation,
                          FILE_FLAG_SEQUENTIAL_SCAN);
    }

    fs::path folder;
};

TEST_F(FileDoorTest, OnlyRegularFilesCanBeRead) {
    std::ofstream(folder / "real.bin") << "bytes";
    fs::create_symlink(folder / "real.bin", folder / "link.bin");
    fs::create_directory(folder / "folder.bin");
    ASSERT_EQ(::mkfifo(Path("pipe.bin").c_str(), 0600), 0);  // would block a plain open for ever
    fs::create_symlink(folder / "nowhere", folder / "dangling.bin");
    fs::create_symlink(folder / "loop.bin", folder / "loop.bin");
    fs::create_symlink("/dev/zero", folder / "zero.bin");  // endless bytes
    fs::create_symlink("/dev/urandom", folder / "random.bin");

    for (const char* name : {"real.bin", "link.bin"}) {
        SCOPED_TRACE(name);
        FileHandle* file = Open(name);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(GetFileSize(file), 5);
        EXPECT_EQ(ReadWholeFile(Path(name), 100),
                  (std::vector<std::uint8_t>{'b', 'y', 't', 'e', 's'}));
        CloseHandle(file);
    }
    for (const char* name : {"folder.bin", "pipe.bin", "dangling.bin", "loop.bin", "zero.bin",
                             "random.bin", "missing.bin"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Open(name), nullptr);
        EXPECT_EQ(ReadWholeFile(Path(name), 100), std::nullopt);
    }
    // Larger than the reader is willing to take.
    EXPECT_EQ(ReadWholeFile(Path("real.bin"), 4), std::nullopt);
}

TEST_F(FileDoorTest, ReadingStopsWhereTheFileEndedWhenOpened) {
    std::ofstream(folder / "growing.log") << "0123456789";
    FileHandle* file = Open("growing.log");
    ASSERT_NE(file, nullptr);
    std::ofstream(folder / "growing.log", std::ios::app) << "more and more";

    char buffer[64] = {};
    std::uint32_t got = 0;
    ASSERT_TRUE(ReadFile(file, buffer, 4, &got));
    EXPECT_EQ(got, 4u);
    ASSERT_TRUE(ReadFile(file, buffer, sizeof buffer, &got));
    EXPECT_EQ(got, 6u);
    EXPECT_EQ(std::string(buffer, got), "456789");
    ASSERT_TRUE(ReadFile(file, buffer, sizeof buffer, &got));
    EXPECT_EQ(got, 0u);
    CloseHandle(file);
}

TEST_F(FileDoorTest, OpenAlwaysCreatesOnlyWhereNothingIsUnderTheName) {
    FileHandle* created = Open("new.txt", OPEN_ALWAYS);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(GetFileSize(created), 0);
    CloseHandle(created);
    EXPECT_TRUE(fs::is_regular_file(folder / "new.txt"));

    // A dangling symlink is never followed to make a file where it points.
    fs::create_symlink(folder / "target.txt", folder / "dangling.txt");
    EXPECT_EQ(Open("dangling.txt", OPEN_ALWAYS), nullptr);
    EXPECT_FALSE(fs::exists(folder / "target.txt"));
}

TEST_F(FileDoorTest, WholeFileWritesReplaceARegularFileAndNothingElse) {
    const std::vector<std::uint8_t> first{'a', 'b'};
    const std::vector<std::uint8_t> second{'c'};
    ASSERT_TRUE(WriteWholeFile(Path("settings.ini"), first));
    ASSERT_TRUE(WriteWholeFile(Path("settings.ini"), second));
    EXPECT_EQ(ReadWholeFile(Path("settings.ini"), 100), second);
    EXPECT_FALSE(fs::exists(folder / "settings.ini.new"));

    fs::create_symlink(folder / "elsewhere.ini", folder / "link.ini");
    fs::create_directory(folder / "folder.ini");
    EXPECT_FALSE(WriteWholeFile(Path("link.ini"), first));
    EXPECT_FALSE(WriteWholeFile(Path("folder.ini"), first));
    EXPECT_FALSE(fs::exists(folder / "elsewhere.ini"));
}

}  // namespace
