// tests/windows/instruction_lines_test.cpp: cutting the instructions text into lines, and reading
// it from files of every kind with the table's bounds.
#include "windows/instruction_lines.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using windows::InstructionLineReader;
using windows::InstructionLines;
using windows::MaxInstructionLineLength;
using windows::MaxInstructionLines;
using windows::ReadInstructionsFile;
using windows::SplitInstructionLines;

std::string Repeat(char c, int count) { return std::string(static_cast<std::size_t>(count), c); }

TEST(InstructionLines, CutsTextIntoTheViewersLines) {
    using namespace std::string_literals;
    struct Case {
        const char* what;
        std::string text;
        InstructionLines lines;
    };
    const Case cases[] = {
        {"a final line feed gives one more empty line", "A\nB\nC\n", {"A", "B", "C", ""}},
        {"an empty text is one empty line", "", {""}},
        {"no line feed at the end", "A\nB", {"A", "B"}},
        {"a return before a line feed is dropped", "A\r\nB\r\n", {"A", "B", ""}},
        {"a lone return is kept", "A\rB\r", {"A\rB\r"}},
        {"a return before a return and a line feed", "A\r\r\n", {"A\r", ""}},
        {"a long line is cut into pieces",
         Repeat('x', 2000),
         {Repeat('x', 1023), Repeat('x', 977)}},
        {"a line of exactly the limit is one line",
         Repeat('x', 1023) + "\r\nB",
         {Repeat('x', 1023), "B"}},
        {"two full pieces", Repeat('y', 2046), {Repeat('y', 1023), Repeat('y', 1023)}},
        {"a return right after a full piece starts the next",
         Repeat('z', 1023) + "\rq",
         {Repeat('z', 1023), "\rq"}},
        {"NUL bytes are kept as they came", "A\0B\n"s, {"A\0B"s, ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(SplitInstructionLines(c.text), c.lines);

        // Bytes that arrive one at a time make the same lines, returns and line feeds split
        // between pieces included.
        InstructionLineReader reader;
        for (char b : c.text) reader.Feed(std::span<const char>(&b, 1));
        EXPECT_EQ(reader.Finish(), c.lines);
    }
}

TEST(InstructionLines, HoldsAtMostAFullTableWhateverComes) {
    std::string manyLines;
    for (int i = 0; i < 2000; ++i) manyLines += "line " + std::to_string(i) + "\n";
    const InstructionLines lines = SplitInstructionLines(manyLines);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(MaxInstructionLines));
    EXPECT_EQ(lines.back(), "line 1023");

    // One endless line: the reader says it is full as soon as the table is, so its caller reads
    // no further than that.
    InstructionLineReader reader;
    const std::string chunk = Repeat('w', 4096);
    std::size_t fed = 0;
    while (reader.Feed(chunk) && fed < (std::size_t{1} << 30)) fed += chunk.size();
    EXPECT_LE(fed, static_cast<std::size_t>(MaxInstructionLines) * MaxInstructionLineLength);
    const InstructionLines pieces = reader.Finish();
    ASSERT_EQ(pieces.size(), static_cast<std::size_t>(MaxInstructionLines));
    for (const std::string& piece : pieces) EXPECT_EQ(piece.size(), 1023u);
}

class InstructionsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 ("tidewrack_lines_" + std::to_string(::getpid()) + "_" + info->name());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string GamePath(const char* name) const { return (folder / name).string(); }

    std::filesystem::path folder;
};

TEST_F(InstructionsFileTest, ReadsTheFileAndCreatesAMissingOneEmpty) {
    std::ofstream(folder / "instruct.txt", std::ios::binary) << "Title\r\nSub\r\nText";
    EXPECT_EQ(ReadInstructionsFile(GamePath("instruct.txt")),
              (InstructionLines{"Title", "Sub", "Text"}));

    const auto created = ReadInstructionsFile(GamePath("new.txt"));
    EXPECT_EQ(created, InstructionLines{""});
    ASSERT_TRUE(std::filesystem::is_regular_file(folder / "new.txt"));
    EXPECT_EQ(std::filesystem::file_size(folder / "new.txt"), 0u);
}

TEST_F(InstructionsFileTest, AHugeFileOfNulBytesIsReadOnlyAsFarAsTheTable) {
    // Sparse: hundreds of megabytes of zeros that take no room on the disk.
    const std::filesystem::path path = folder / "instruct.txt";
    std::ofstream(path, std::ios::binary).put('\0');
    std::filesystem::resize_file(path, std::uintmax_t{300} << 20);

    const auto lines = ReadInstructionsFile(path.string());
    ASSERT_TRUE(lines.has_value());
    ASSERT_EQ(lines->size(), static_cast<std::size_t>(MaxInstructionLines));
    EXPECT_EQ(lines->back(), std::string(1023, '\0'));
}

TEST_F(InstructionsFileTest, WhatIsNoRegularFileOrCannotBeCreatedGivesNoLines) {
    std::filesystem::create_directory(folder / "folder.txt");
    EXPECT_EQ(ReadInstructionsFile(GamePath("folder.txt")), std::nullopt);

    // A pipe with no writer would block a plain open for ever.
    ASSERT_EQ(::mkfifo(GamePath("pipe.txt").c_str(), 0600), 0);
    EXPECT_EQ(ReadInstructionsFile(GamePath("pipe.txt")), std::nullopt);

    // A name that leads into a folder that does not exist cannot be created, even by root.
    std::filesystem::create_symlink(folder / "missing" / "instruct.txt", folder / "dangling.txt");
    EXPECT_EQ(ReadInstructionsFile(GamePath("dangling.txt")), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

}  // namespace
