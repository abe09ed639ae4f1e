// tests/opponent/random_placement_test.cpp: random fleet layouts stay on the board, agree with
// the ships' orientations and rectangles, and replay exactly from a seed.
#include "opponent/random_placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "battle/windowless_game.h"
#include "fleet/fleet.h"
#include "fleet/game_state.h"
#include "opponent/random_numbers.h"

namespace {

using fleet::GameState;

struct Extent {
    int count = 0;
    int minX = 99, minY = 99, maxX = -1, maxY = -1;
};

// Where each shipId lies on the side's board.
std::vector<Extent> ExtentsOn(fleet::Side side) {
    std::vector<Extent> extents(fleet::ShipsPerSide + 1);
    for (int x = 0; x < fleet::BoardSize; ++x) {
        for (int y = 0; y < fleet::BoardSize; ++y) {
            const std::int32_t code = GameState.boards[side][x][y];
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

// Each ship covers exactly its length of consecutive cells along its orientation, and on a grid
// whose cells are whole pixels its rectangle is exactly those cells.
void ExpectFleetLaidOut(fleet::Side side) {
    const int* grid =
        side == fleet::Player ? battle::WindowlessPlayerGrid : battle::WindowlessEnemyGrid;
    const bool wholeCells = (grid[2] - grid[0]) % 12 == 0 && (grid[3] - grid[1]) % 12 == 0;
    const int cellWidth = (grid[2] - grid[0]) / 12;
    const int cellHeight = (grid[3] - grid[1]) / 12;
    const std::vector<Extent> extents = ExtentsOn(side);
    for (std::uint32_t shipId = 1; shipId <= fleet::ShipsPerSide; ++shipId) {
        const fleet::Ship& ship = fleet::Ships[fleet::ShipIndex(side, shipId)];
        const Extent& e = extents[shipId];
        const bool horizontal = ship.orientation == fleet::OrientationHorizontal;
        ASSERT_EQ(e.count, ship.length) << "ship " << shipId;
        EXPECT_EQ(e.maxX - e.minX + 1, horizontal ? ship.length : 1) << "ship " << shipId;
        EXPECT_EQ(e.maxY - e.minY + 1, horizontal ? 1 : ship.length) << "ship " << shipId;
        if (!wholeCells) continue;
        platform::Rect rect;
        ship.currentPicture->GetBounds(&rect);
        EXPECT_EQ(rect, (platform::Rect{grid[0] + e.minX * cellWidth, grid[1] + e.minY * cellHeight,
                                        grid[0] + (e.maxX + 1) * cellWidth,
                                        grid[1] + (e.maxY + 1) * cellHeight}))
            << "ship " << shipId;
    }
}

TEST(RandomPlacement, LaysOutWholeFleetsOnTheBoard) {
    // Seeds spread over the range: neighbouring seeds give nearly the same first draws, so they
    // would all lay the first ship the same way round.
    for (std::uint32_t seed = 0; seed < 300u * 14316557u; seed += 14316557u) {
        battle::NewWindowlessGame();
        opponent::srand(seed);
        opponent::PlaceFleetAtRandom(fleet::Enemy, nullptr);
        ExpectFleetLaidOut(fleet::Enemy);
        // Laying out again (Place Random pressed twice) starts from the first layout's marks.
        opponent::PlaceFleetAtRandom(fleet::Player, nullptr);
        opponent::PlaceFleetAtRandom(fleet::Player, nullptr);
        ExpectFleetLaidOut(fleet::Player);
        if (HasFailure()) FAIL() << "seed " << seed;
    }
}

TEST(RandomPlacement, AShipLaidByHandIsAnObstacleUntilItsTurn) {
    for (std::uint32_t seed = 0; seed < 50u * 85899345u; seed += 85899345u) {
        battle::NewWindowlessGame();
        // The player's two-cell ship lies in the top-left corner before Place Random, so the four
        // ships laid out before it must keep off those two cells.
        fleet::Ship& boat = fleet::Ships[fleet::ShipIndex(fleet::Player, 5)];
        ASSERT_TRUE(boat.PlaceAt(battle::WindowlessPlayerGrid[0] + 1,
                                 battle::WindowlessPlayerGrid[1] + 1, nullptr));
        opponent::srand(seed);
        opponent::PlaceFleetAtRandom(fleet::Player, nullptr);
        ExpectFleetLaidOut(fleet::Player);
        for (int x : {0, 1}) {
            const std::int32_t code = GameState.boards[fleet::Player][x][0];
            EXPECT_TRUE(code == 0 || code == 5) << "seed " << seed << ": " << code;
        }
    }
}

TEST(RandomPlacement, ASeedReplaysTheLayout) {
    for (std::uint32_t seed : {0u, 1u, 1800000000u}) {
        battle::NewWindowlessGame();
        opponent::srand(seed);
        opponent::PlaceFleetAtRandom(fleet::Enemy, nullptr);
        const fleet::Board first = GameState.boards[fleet::Enemy];

        battle::NewWindowlessGame();
        opponent::srand(seed);
        opponent::PlaceFleetAtRandom(fleet::Enemy, nullptr);
        EXPECT_EQ(GameState.boards[fleet::Enemy], first) << "seed " << seed;
    }
}

}  // namespace
