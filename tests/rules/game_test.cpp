// tests/rules/game_test.cpp: a new game, the cell-code tests and the count of ships afloat.
#include "rules/game.h"

#include <gtest/gtest.h>

namespace {

TEST(Game, ANewGameIsAnEmptyPlacementPhaseAtItsLevel) {
    const rules::Game game = rules::NewGame(rules::Level::Expert);
    EXPECT_EQ(game.level, rules::Level::Expert);
    EXPECT_EQ(game.phase, rules::Placing);
    EXPECT_EQ(game.shotsLeft, 5);
    EXPECT_EQ(game.salvoSlot, 0);
    EXPECT_EQ(game.salvosResolved, 0);
    for (const rules::Shot& slot : game.salvo) EXPECT_EQ(slot.side, rules::NoShot);
    for (const rules::Board& board : game.boards) {
        for (const auto& column : board) {
            for (std::int32_t code : column) ASSERT_EQ(code, rules::Water);
        }
    }
    for (const rules::Fleet& fleet : game.fleets) {
        for (int k = 0; k < rules::ShipsPerSide; ++k) {
            EXPECT_EQ(fleet[k].length, rules::ShipLengths[k]);
            EXPECT_FALSE(fleet[k].vertical);
            EXPECT_FALSE(fleet[k].OnBoard());
            EXPECT_EQ(fleet[k].hits, 0);
        }
    }
}

TEST(Game, CellCodeTestsOverEveryStoredCode) {
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
        {rules::OffBoard, false, true, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(rules::IsUntouched(c.code), c.untouched) << c.code;
        EXPECT_EQ(rules::IsHitOrSunk(c.code), c.hitOrSunk) << c.code;
        EXPECT_EQ(rules::IsHitShipAfloat(c.code), c.hitAfloat) << c.code;
    }
}

TEST(Game, ShipsAfloatCountsEachSideApart) {
    rules::Game game = rules::NewGame(rules::Level::Standard);
    EXPECT_EQ(rules::ShipsAfloat(game, rules::Player), 5);
    game.ShipOf(rules::Player, 5).hits = 2;  // sunk exactly
    game.ShipOf(rules::Player, 1).hits = 4;  // one short
    game.ShipOf(rules::Enemy, 5).hits = 3;   // extra hits still count as sunk
    EXPECT_EQ(rules::ShipsAfloat(game, rules::Player), 4);
    EXPECT_EQ(rules::ShipsAfloat(game, rules::Enemy), 4);
}

}  // namespace
