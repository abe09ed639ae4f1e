// tests/rules/placement_test.cpp: laying a ship (pulled back to fit, refused over another ship),
// turning it, and random fleet layouts that stay on the board and replay exactly from a seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "rules/game.h"
#include "rules/moves.h"
#include "rules/random.h"

namespace {

struct Extent {
    int count = 0;
    int minX = 99, minY = 99, maxX = -1, maxY = -1;
};

// Where each shipId lies on the side's board.
std::vector<Extent> ExtentsOn(const rules::Game& game, rules::Side side) {
    std::vector<Extent> extents(rules::ShipsPerSide + 1);
    for (int x = 0; x < rules::BoardSize; ++x) {
        for (int y = 0; y < rules::BoardSize; ++y) {
            const std::int32_t code = game.boards[side][x][y];
            EXPECT_GE(code, 0);
            EXPECT_LE(code, 5);
            Extent& e = extents[code];
            ++e.count;
            e.minX = std::min(e.minX, x);
            e.minY = std::min(e.minY, y);
            e.maxX = std::max(e.maxX, x);
            e.maxY = std::max(e.maxY, y);
        }
    }
    return extents;
}

// Each ship on the board covers exactly its length of consecutive cells along its orientation,
// from the first cell the game names; a ship in its dock covers none.
void ExpectFleetLaidOut(const rules::Game& game, rules::Side side) {
    const std::vector<Extent> extents = ExtentsOn(game, side);
    for (std::int32_t shipId = 1; shipId <= rules::ShipsPerSide; ++shipId) {
        const rules::ShipState& ship = game.ShipOf(side, shipId);
        const Extent& e = extents[shipId];
        if (!ship.OnBoard()) {
            EXPECT_EQ(e.count, 0) << "ship " << shipId << " lies in its dock";
            continue;
        }
        ASSERT_EQ(e.count, ship.length) << "ship " << shipId;
        EXPECT_EQ(e.maxX - e.minX + 1, ship.vertical ? 1 : ship.length) << "ship " << shipId;
        EXPECT_EQ(e.maxY - e.minY + 1, ship.vertical ? ship.length : 1) << "ship " << shipId;
        EXPECT_EQ(ship.column, e.minX) << "ship " << shipId;
        EXPECT_EQ(ship.row, e.minY) << "ship " << shipId;
    }
}

TEST(PlacementMoves, AShipIsPulledBackToFitAndRefusedOverAnother) {
    struct Case {
        bool vertical;
        rules::Cell cell;
        rules::Cell first;  // where it lies; {-1, -1}: refused
    };
    // Ship 1 is five cells long; ship 2 lies from (0, 5) to (3, 5).
    const Case cases[] = {
        {false, {0, 0}, {0, 0}},    {false, {11, 0}, {7, 0}},  {true, {3, 11}, {3, 7}},
        {true, {11, 11}, {11, 7}},  {false, {0, 5}, {-1, -1}}, {true, {2, 2}, {-1, -1}},
        {false, {12, 0}, {-1, -1}}, {true, {0, -1}, {-1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cell.x << ", " << c.cell.y << " " << c.vertical);
        rules::Game game = rules::NewGame(rules::Level::Standard);
        ASSERT_FALSE(rules::PlaceShip(game, rules::Player, 2, {0, 5}).Refused());
        if (c.vertical) rules::TurnShip(game, rules::Player, 1);
        const rules::Game before = game;
        const rules::Events events = rules::PlaceShip(game, rules::Player, 1, c.cell);
        if (c.first.x < 0) {
            EXPECT_TRUE(events.Refused());
            EXPECT_EQ(game.boards, before.boards);
            continue;
        }
        EXPECT_EQ(events.front().kind, rules::EventKind::ShipPlaced);
        ExpectFleetLaidOut(game, rules::Player);
        EXPECT_EQ(game.ShipOf(rules::Player, 1).column, c.first.x);
        EXPECT_EQ(game.ShipOf(rules::Player, 1).row, c.first.y);
    }
}

TEST(PlacementMoves, LayingAShipAgainMovesItWhole) {
    rules::Game game = rules::NewGame(rules::Level::Standard);
    rules::PlaceShip(game, rules::Player, 3, {0, 0});
    rules::TurnShip(game, rules::Player, 3);
    // Over its own old cells: allowed, and the old ones are cleared.
    ASSERT_FALSE(rules::PlaceShip(game, rules::Player, 3, {1, 0}).Refused());
    EXPECT_EQ(game.boards[rules::Player][0][0], rules::Water);
    EXPECT_EQ(game.boards[rules::Player][1][0], 3);
    EXPECT_EQ(game.boards[rules::Player][1][2], 3);
    EXPECT_EQ(game.boards[rules::Player][2][0], rules::Water);
}

TEST(PlacementMoves, RandomLayoutsLayWholeFleetsOnTheBoard) {
    // Seeds spread over the range: neighbouring seeds give nearly the same first draws, so they
    // would all lay the first ship the same way round.
    for (std::uint32_t seed = 0; seed < 300u * 14316557u; seed += 14316557u) {
        rules::Game game = rules::NewGame(rules::Level::Standard);
        rules::Random random(seed);
        rules::PlaceFleetAtRandom(game, rules::Enemy, random);
        ExpectFleetLaidOut(game, rules::Enemy);
        // Laying out again (Place Random pressed twice) starts from the first layout's marks.
        rules::PlaceFleetAtRandom(game, rules::Player, random);
        rules::PlaceFleetAtRandom(game, rules::Player, random);
        ExpectFleetLaidOut(game, rules::Player);
        if (HasFailure()) FAIL() << "seed " << seed;
    }
}

TEST(PlacementMoves, AShipLaidByHandIsAnObstacleUntilItsTurn) {
    for (std::uint32_t seed = 0; seed < 50u * 85899345u; seed += 85899345u) {
        rules::Game game = rules::NewGame(rules::Level::Standard);
        // The player's two-cell ship lies in the top-left corner before Place Random, so the four
        // ships laid out before it must keep off those two cells.
        ASSERT_FALSE(rules::PlaceShip(game, rules::Player, 5, {0, 0}).Refused());
        rules::Random random(seed);
        rules::PlaceFleetAtRandom(game, rules::Player, random);
        ExpectFleetLaidOut(game, rules::Player);
        for (int x : {0, 1}) {
            const std::int32_t code = game.boards[rules::Player][x][0];
            EXPECT_TRUE(code == 0 || code == 5) << "seed " << seed << ": " << code;
        }
    }
}

TEST(PlacementMoves, ASeedReplaysTheLayoutAndStartingTwiceOrUnreadyIsRefused) {
    for (std::uint32_t seed : {0u, 1u, 1800000000u}) {
        rules::Game first = rules::NewGame(rules::Level::Standard);
        rules::Random random(seed);
        // Not with a ship of the player's still in its dock.
        EXPECT_TRUE(rules::StartBattle(first, random).Refused());
        EXPECT_EQ(first.phase, rules::Placing);
        rules::Random player(seed + 7);
        rules::PlaceFleetAtRandom(first, rules::Player, player);
        EXPECT_EQ(rules::StartBattle(first, random).front().kind, rules::EventKind::BattleStarted);
        EXPECT_EQ(first.phase, rules::Firing);

        rules::Game second = rules::NewGame(rules::Level::Standard);
        rules::Random again(seed);
        rules::PlaceFleetAtRandom(second, rules::Enemy, again);
        EXPECT_EQ(second.boards[rules::Enemy], first.boards[rules::Enemy]) << "seed " << seed;
        EXPECT_EQ(again, random);

        // A battle in progress keeps its enemy fleet.
        const rules::Game started = first;
        EXPECT_TRUE(rules::StartBattle(first, random).Refused());
        EXPECT_EQ(first.boards, started.boards);
    }
}

}  // namespace
