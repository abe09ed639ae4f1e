// tests/fleet/game_state_test.cpp: the reset for a new game, the cell-code tests, and the ship
// lookups by cell and by side.
#include "fleet/game_state.h"

#include <gtest/gtest.h>

#include "fleet/fleet.h"
#include "opponent/targeting.h"

namespace {

using fleet::GameState;

TEST(GameState, ResetClearsEverythingButSlotPositionsAndTargetingMemory) {
    GameState.phase = fleet::GameOver;
    GameState.shotsLeft = 1;
    GameState.salvoSlot = 7;
    for (int i = 0; i < fleet::SalvoSize; ++i) GameState.salvo[i] = {fleet::Enemy, i, 11 - i};
    GameState.boards[fleet::Player][3][4] = 23;
    GameState.boards[fleet::Enemy][11][11] = 35;
    opponent::Memory.focusX = 6;
    opponent::Memory.aiShotCounter = 3;

    fleet::ResetGameState();

    EXPECT_EQ(GameState.phase, fleet::Placing);
    EXPECT_EQ(GameState.shotsLeft, 5);
    EXPECT_EQ(GameState.salvoSlot, 0);
    for (int i = 0; i < fleet::SalvoSize; ++i) {
        EXPECT_EQ(GameState.salvo[i].side, fleet::NoShot);
        EXPECT_EQ(GameState.salvo[i].x, i);
        EXPECT_EQ(GameState.salvo[i].y, 11 - i);
    }
    for (const fleet::Board& board : GameState.boards) {
        for (const auto& column : board) {
            for (std::int32_t code : column) ASSERT_EQ(code, fleet::Water);
        }
    }
    EXPECT_EQ(opponent::Memory.focusX, 6);
    EXPECT_EQ(opponent::Memory.aiShotCounter, 3);
}

TEST(GameState, CellCodeTestsOverEveryStoredCode) {
    struct Case {
        std::int32_t code;
        bool untouched;
        bool hitOrSunk;
        bool hitAfloat;
    };
    // clang-format off
    const Case cases[] = {
        {0, true, false, false},   {5, true, false, false},   {10, false, false, false},
        {15, false, false, false}, {20, false, false, false}, {21, false, true, true},
        {25, false, true, true},   {31, false, true, false},  {35, false, true, false},
        // Never stored, but what a neighbour reading reports beyond an edge.
        {fleet::OffBoard, false, true, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(fleet::IsUntouched(c.code), c.untouched) << c.code;
        EXPECT_EQ(fleet::IsHitOrSunk(c.code), c.hitOrSunk) << c.code;
        EXPECT_EQ(fleet::IsHitShipAfloat(c.code), c.hitAfloat) << c.code;
    }
}

TEST(GameState, ShipLookupsFollowTheFleetOrder) {
    static constexpr std::int32_t lengths[] = {5, 4, 3, 3, 2};
    for (int i = 0; i < fleet::ShipCount; ++i) {
        fleet::Ships[i].SetIdentity(lengths[i % 5], i % 5 + 1);
    }
    EXPECT_EQ(fleet::ShipIndex(fleet::Enemy, 3), 7);
    // The same ship whatever stage its cell has reached.
    for (std::int32_t code : {3, 13, 23, 33}) {
        EXPECT_EQ(&fleet::ShipOfCell(fleet::Enemy, code), &fleet::Ships[7]) << code;
        EXPECT_EQ(&fleet::ShipOfCell(fleet::Player, code), &fleet::Ships[2]) << code;
    }

    EXPECT_EQ(fleet::ShipsAfloat(fleet::Player), 5);
    fleet::Ships[4].hits = 2;  // sunk exactly
    fleet::Ships[0].hits = 4;  // one short
    fleet::Ships[9].hits = 3;  // extra hits still count as sunk
    EXPECT_EQ(fleet::ShipsAfloat(fleet::Player), 4);
    EXPECT_EQ(fleet::ShipsAfloat(fleet::Enemy), 4);
}

}  // namespace
