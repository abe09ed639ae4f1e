// tests/opponent/fleet_memory_test.cpp: the fleets the computer remembers: only ships it sank, a
// few games at most, and a text that reads back the same or not at all.
#include "opponent/fleet_memory.h"

#include <gtest/gtest.h>

#include <string>

#include "opponent/seen_board.h"
#include "rules/game.h"

namespace {

using opponent::FleetMemory;
using opponent::SeenShip;

// A finished game's board: ship 1 sunk along the top from (2, 0), ship 5 sunk upright at (11, 10),
// ship 2 hit once and afloat, ships 3 and 4 never hit.
rules::Game GameEndedWithTwoShipsSunk() {
    rules::Game game = rules::NewGame(rules::Level::Expert);
    rules::Board& board = game.boards[rules::Player];
    for (int i = 0; i < 5; ++i) board[2 + i][0] = rules::SunkStage + 1;
    board[11][10] = board[11][11] = rules::SunkStage + 5;
    board[4][4] = rules::HitStage + 2;
    for (int i = 1; i < 4; ++i) board[4][4 + i] = 2;
    for (int i = 0; i < 3; ++i) board[8][2 + i] = 3;
    for (int i = 0; i < 3; ++i) board[0][5 + i] = 4;
    return game;
}

TEST(FleetMemory, RemembersTheShipsSunkAndNothingElse) {
    const rules::Game game = GameEndedWithTwoShipsSunk();
    FleetMemory memory;
    opponent::RememberFleet(opponent::SeenBoard(game), memory);
    ASSERT_EQ(memory.count, 1);
    const opponent::SeenFleet& fleet = memory.fleets[0];
    ASSERT_EQ(fleet.count, 2);
    EXPECT_EQ(fleet.ships[0], (SeenShip{5, 2, 0, false}));
    EXPECT_EQ(fleet.ships[1], (SeenShip{2, 11, 10, true}));

    // A game that sank nothing teaches nothing.
    opponent::RememberFleet(opponent::SeenBoard(rules::NewGame(rules::Level::Expert)), memory);
    EXPECT_EQ(memory.count, 1);
}

TEST(FleetMemory, KeepsOnlyTheLatestGames) {
    rules::Game game = GameEndedWithTwoShipsSunk();
    FleetMemory memory;
    for (int k = 0; k < FleetMemory::MostFleets + 3; ++k) {
        // Each game's ship 5 a row further up, so the games can be told apart.
        rules::Board& board = game.boards[rules::Player];
        for (auto& column : board) {
            for (std::int32_t& code : column) code = code == rules::SunkStage + 5 ? 0 : code;
        }
        board[11][k] = board[11][k + 1] = rules::SunkStage + 5;
        opponent::RememberFleet(opponent::SeenBoard(game), memory);
    }
    ASSERT_EQ(memory.count, FleetMemory::MostFleets);
    EXPECT_EQ(memory.fleets[0].ships[1].y, 3);
    EXPECT_EQ(memory.fleets[FleetMemory::MostFleets - 1].ships[1].y, FleetMemory::MostFleets + 2);
}

TEST(FleetMemory, ReadsBackWhatItWroteAndRefusesAnythingElse) {
    FleetMemory memory;
    opponent::RememberFleet(opponent::SeenBoard(GameEndedWithTwoShipsSunk()), memory);
    opponent::RememberFleet(opponent::SeenBoard(GameEndedWithTwoShipsSunk()), memory);
    const std::string text = opponent::WriteFleetMemory(memory);
    EXPECT_EQ(text, "5:2,0,h 2:11,10,v\n5:2,0,h 2:11,10,v\n");
    FleetMemory read;
    ASSERT_TRUE(opponent::ReadFleetMemory(text, &read));
    EXPECT_EQ(read, memory);
    EXPECT_TRUE(opponent::ReadFleetMemory("", &read));
    EXPECT_EQ(read.count, 0);

    for (const char* bad : {
             "5:2,0,x\n",            // no way
             "5:2,0,h 2:11,11,v\n",  // off the board
             "5:8,0,h\n",            // off the board, lying
             "5:2,0,h 4:2,0,v\n",    // overlapping
             "5:2,0,h 5:2,3,h\n",    // two five-cell ships
             "7:0,0,h\n",            // no ship of that length
             "5:-1,0,h\n",           // a negative cell
             "5:2,0,h junk\n",       // not a ship
             "5:2,0,hh\n",           // more after the way
             "\n",                   // an empty fleet
             "2:0,0,h\n2:0,1,h\n2:0,2,h\n2:0,3,h\n2:0,4,h\n2:0,5,h\n2:0,6,h\n2:0,7,h\n2:0,8,h\n",
         }) {
        SCOPED_TRACE(bad);
        read.count = 3;
        EXPECT_FALSE(opponent::ReadFleetMemory(bad, &read));
        EXPECT_EQ(read, FleetMemory{});
    }
}

}  // namespace
