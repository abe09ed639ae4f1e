// tests/tools/opponent_strength/fleet_file_test.cpp: fleet files: fleets kept in order past
// comments and blank lines, and every bad line refused with a message naming it.
#include "fleet_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string WriteFile(const std::string& text) {
    const std::string path = testing::TempDir() + "fleets.txt";
    std::ofstream(path) << text;
    return path;
}

TEST(FleetFile, ReadsFleetsInOrderPastCommentsAndBlankLines) {
    const std::string path = WriteFile(
        "# two fleets\n"
        "\n"
        "0,0,h 0,1,h 0,2,h 0,3,h 0,4,h  # along the top-left\n"
        "11,0,v 10,0,v 9,0,v 8,0,v 7,10,v\n");
    std::vector<Fleet> fleets;
    std::string error;
    ASSERT_TRUE(ReadFleetFile(path.c_str(), &fleets, &error)) << error;
    ASSERT_EQ(fleets.size(), 2u);
    EXPECT_EQ(fleets[0][4].first.y, 4);
    EXPECT_FALSE(fleets[0][0].vertical);
    EXPECT_EQ(fleets[1][4].first.x, 7);
    EXPECT_EQ(fleets[1][4].first.y, 10);
    EXPECT_TRUE(fleets[1][4].vertical);

    // Laid out, the fleet lies where the file says.
    rules::Game game = rules::NewGame(rules::Level::Expert);
    LayFleet(game, fleets[1]);
    EXPECT_EQ(game.boards[rules::Player][11][4], 1);
    EXPECT_EQ(game.boards[rules::Player][7][11], 5);
}

TEST(FleetFile, RefusesABadLineNamingIt) {
    const struct {
        const char* line;
        const char* says;
    } cases[] = {
        {"0,0,h 0,1,h 0,2,h 0,3,h", "five ships, 4 given"},
        {"0,0,h 0,1,h 0,2,h 0,3,h 0,4,h 0,5,h", "five ships, 6 given"},
        {"0,0,x 0,1,h 0,2,h 0,3,h 0,4,h", "ship 1 \"0,0,x\" is not"},
        {"0,0,h 0;1,h 0,2,h 0,3,h 0,4,h", "ship 2 \"0;1,h\" is not"},
        {"0,0,h 0,1,h 0,2,h 0,3,hv 0,4,h", "ship 4 \"0,3,hv\" is not"},
        {"8,0,h 0,1,h 0,2,h 0,3,h 0,4,h", "ship 1 \"8,0,h\" lies off the board"},
        {"0,0,h 0,1,h 0,2,h 0,3,h 0,-1,v", "ship 5 \"0,-1,v\" lies off the board"},
        {"0,0,h 0,1,h 0,2,h 0,3,h 0,12,h", "ship 5 \"0,12,h\" lies off the board"},
        {"0,0,h 0,1,h 0,2,h 0,3,h 4,0,v", "ships 1 and 5 overlap"},
        {"0,0,h 0,1,h 2,0,v 0,3,h 0,4,h", "ships 1 and 3 overlap"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const std::string path =
            WriteFile("# a good fleet, then the bad line\n0,0,h 0,1,h 0,2,h 0,3,h 0,4,h\n" +
                      std::string(c.line) + "\n");
        std::vector<Fleet> fleets;
        std::string error;
        EXPECT_FALSE(ReadFleetFile(path.c_str(), &fleets, &error));
        EXPECT_NE(error.find(path + ":3: "), std::string::npos) << error;
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
    }
}

TEST(FleetFile, RefusesAFileWithNoFleetOrNoFile) {
    std::vector<Fleet> fleets;
    std::string error;
    const std::string empty = WriteFile("# nothing but a comment\n\n");
    EXPECT_FALSE(ReadFleetFile(empty.c_str(), &fleets, &error));
    EXPECT_NE(error.find("no fleet"), std::string::npos) << error;
    EXPECT_FALSE(ReadFleetFile("/nonexistent/fleets.txt", &fleets, &error));
    EXPECT_NE(error.find("cannot be read"), std::string::npos) << error;
}

}  // namespace
