// tests/tools/make_data/generator_test.cpp: the generator gives the same bytes on every run (what
// the build wrote and a fresh run agree file for file), and refuses instructions the viewer cannot
// show.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/tools/make_data/data_folder.h"
#include "tools/make_data/data_set.h"

namespace {

namespace fs = std::filesystem;

class GeneratorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("tidewrack_data_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    int Run(const std::string& arguments) {
        const std::string command = std::string("ASAN_OPTIONS=detect_leaks=0 '") +
                                    TIDEWRACK_MAKE_DATA + "' " + arguments + " 2>" +
                                    (folder / "errors.txt").string();
        return std::system(command.c_str());
    }

    fs::path folder;
};

void ExpectSameFiles(const fs::path& expected, const fs::path& actual) {
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(actual)) {
        if (!entry.is_regular_file() || entry.path().filename() == "errors.txt") continue;
        const fs::path relative = fs::relative(entry.path(), actual);
        SCOPED_TRACE(relative.string());
        const auto want = data_test::ReadBytes((expected / relative).string());
        ASSERT_FALSE(want.empty());
        EXPECT_TRUE(want == data_test::ReadBytes(entry.path().string()));
        ++compared;
    }
    EXPECT_GT(compared, 0);
}

TEST_F(GeneratorTest, ASecondRunWritesTheSameBytes) {
    ASSERT_EQ(Run("--data '" + (folder / "data").string() + "' --instructions '" +
                  TIDEWRACK_INSTRUCTIONS_SOURCE + "' --resources '" +
                  (folder / "resources").string() + "'"),
              0);
    ExpectSameFiles(TIDEWRACK_DATA_FOLDER, folder / "data");
    ExpectSameFiles(TIDEWRACK_RESOURCE_FOLDER, folder / "resources");
    // All 106 files of the data folder were written again: the sea, the boards, four picture
    // sets (the double one with its own sea and boards), the sounds and the instructions.
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder / "data")) {
        files += entry.is_regular_file() ? 1 : 0;
    }
    EXPECT_EQ(files, 3 + 4 * 23 + 3 + 7 + 1);
}

TEST(InstructionsCheckTest, RefusesTextTheViewerCannotShow) {
    const std::pair<const char*, std::string> cases[] = {
        {"a line too long", "Title\nSubtitle\n" + std::string(101, 'x') + "\n"},
        {"not ASCII", "Title\nSubtitle\nCaf\xc3\xa9\n"},
        {"carriage returns", "Title\r\nSubtitle\r\nBody\r\n"},
        {"a tab", "Title\nSubtitle\n\tBody\n"},
        {"no body", "Title\n"},
    };
    for (const auto& [name, text] : cases) {
        EXPECT_FALSE(make_data::CheckInstructions(QByteArray::fromStdString(text)).isEmpty())
            << name;
    }
    EXPECT_TRUE(
        make_data::CheckInstructions("Title\nSubtitle\n" + QByteArray(100, 'x') + "\n").isEmpty());
}

TEST_F(GeneratorTest, RefusedInstructionsFailTheRunAndWriteNothing) {
    std::ofstream(folder / "instruct.txt", std::ios::binary)
        << "Title\nSubtitle\n" + std::string(101, 'x') + "\n";
    EXPECT_NE(Run("--data '" + (folder / "data").string() + "' --instructions '" +
                  (folder / "instruct.txt").string() + "'"),
              0);
    EXPECT_FALSE(fs::exists(folder / "data"));
}

}  // namespace
