// tests/tools/make_data/instructions_test.cpp: instruct.txt is plain ASCII the viewer shows whole:
// short lines, two title lines first, and it covers every part of a game.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/tools/make_data/data_folder.h"

namespace {

std::string Instructions() {
    const std::vector<std::uint8_t> bytes =
        data_test::ReadBytes(data_test::HostFile("instruct.txt"));
    return {bytes.begin(), bytes.end()};
}

TEST(DataInstructionsTest, PlainAsciiInShortLinesUnderTwoTitleLines) {
    const std::string text = Instructions();
    ASSERT_FALSE(text.empty());
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        SCOPED_TRACE("line " + std::to_string(number));
        EXPECT_LE(line.size(), 100u);
        for (char c : line) EXPECT_TRUE(c >= 32 && c <= 126) << static_cast<int>(c);
        if (number <= 2) {
            EXPECT_FALSE(line.empty());
        }
    }
    EXPECT_GT(number, 20);
}

TEST(DataInstructionsTest, CoversEveryPartOfAGame) {
    const std::string text = Instructions();
    for (const char* topic : {"Left click",
                              "Right click",
                              "double-click",
                              "Place Random",
                              "START",
                              "salvo",
                              "Crosshair",
                              "Splash",
                              "Fire",
                              "win",
                              "lose",
                              "tie",
                              "File, New",
                              "Options, Sound",
                              "Screen Size",
                              "File, Statistics",
                              "Options, Opponent",
                              "Expert",
                              "settings.ini",
                              "record.ini"}) {
        EXPECT_NE(text.find(topic), std::string::npos) << topic;
    }
}

TEST(DataInstructionsTest, TheBuiltCopyIsTheSourceText) {
    const std::vector<std::uint8_t> source = data_test::ReadBytes(TIDEWRACK_INSTRUCTIONS_SOURCE);
    EXPECT_EQ(data_test::ReadBytes(data_test::HostFile("instruct.txt")), source);
}

}  // namespace
