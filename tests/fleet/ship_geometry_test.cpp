// tests/fleet/ship_geometry_test.cpp: the cell under a click where the game lays a ship, the
// pull-back at the edges, overlap refusal, and the rectangles on grids whose width is not a
// multiple of 12.
#include <gtest/gtest.h>

#include <vector>

#include "fleet/fleet.h"
#include "rules/game.h"

namespace {

using fleet::OrientationHorizontal;
using fleet::OrientationVertical;

struct Cell {
    int x;
    int y;
    bool operator==(const Cell&) const = default;
};

class ShipGeometry : public ::testing::Test {
  protected:
    void SetUp() override {
        game = rules::NewGame(rules::Level::Standard);
        for (fleet::Ship& ship : fleet::Ships) {
            ship.SetScale(0, nullptr);  // as a new game does: rectangles come from the layout
            ship.Reset();
        }
    }

    // A ship of the player's fleet on a grid, turned as asked, in the game and on the screen.
    fleet::Ship& PlayerShip(std::uint32_t shipId, std::int32_t length, std::uint8_t orientation,
                            platform::Rect grid = {100, 100, 580, 580}) {
        fleet::Ship& ship = fleet::Ships[fleet::ShipIndex(rules::Player, shipId)];
        ship.SetIdentity(length, shipId);
        ship.SetGrid(grid.left, grid.top, grid.right, grid.bottom, rules::Player);
        if (ship.orientation != orientation) ship.Rotate();
        rules::ShipState& state = game.ShipOf(rules::Player, static_cast<std::int32_t>(shipId));
        state.length = length;
        state.vertical = orientation == OrientationVertical;
        return ship;
    }

    // Turns the ship on the screen and in the game, as the player's right click does.
    void Turn(fleet::Ship& ship) {
        ship.Rotate();
        rules::ShipState& state =
            game.ShipOf(rules::Player, static_cast<std::int32_t>(ship.shipId));
        state.vertical = !state.vertical;
    }

    std::vector<Cell> CellsOf(std::uint32_t shipId) const {
        std::vector<Cell> cells;
        for (int x = 0; x < rules::BoardSize; ++x) {
            for (int y = 0; y < rules::BoardSize; ++y) {
                if (game.boards[rules::Player][x][y] == std::int32_t(shipId)) {
                    cells.push_back({x, y});
                }
            }
        }
        return cells;
    }

    static std::vector<Cell> Span(Cell first, int length, std::uint8_t orientation) {
        std::vector<Cell> cells;
        for (int k = 0; k < length; ++k) {
            cells.push_back(orientation == OrientationHorizontal ? Cell{first.x + k, first.y}
                                                                 : Cell{first.x, first.y + k});
        }
        return cells;
    }

    static platform::Rect RectOf(const fleet::Ship& ship) {
        platform::Rect rect;
        ship.currentPicture->GetBounds(&rect);
        return rect;
    }

    rules::Game game;
};

TEST_F(ShipGeometry, SnapsToCellsAndPullsBackAtTheEdges) {
    struct Case {
        std::int32_t length;
        std::uint8_t orientation;
        int x, y;
        Cell first;
        platform::Rect rect;
    };
    // Grid (100, 100)-(580, 580): cells of 40 by 40.
    const Case cases[] = {
        {5, OrientationHorizontal, 105, 105, {0, 0}, {100, 100, 300, 140}},
        {5, OrientationHorizontal, 575, 105, {7, 0}, {380, 100, 580, 140}},
        {2, OrientationVertical, 300, 579, {5, 10}, {300, 500, 340, 580}},
        {4, OrientationHorizontal, 100, 579, {0, 11}, {100, 540, 260, 580}},  // left, top edges in
        {4, OrientationVertical, 579, 100, {11, 0}, {540, 100, 580, 260}},
        {3, OrientationVertical, 460, 500, {9, 9}, {460, 460, 500, 580}},
    };
    for (const Case& c : cases) {
        SetUp();
        fleet::Ship& ship = PlayerShip(1, c.length, c.orientation);
        ASSERT_TRUE(ship.PlaceAt(game, c.x, c.y, nullptr)) << c.x << ", " << c.y;
        EXPECT_EQ(CellsOf(1), Span(c.first, c.length, c.orientation)) << c.x << ", " << c.y;
        EXPECT_EQ(RectOf(ship), c.rect) << c.x << ", " << c.y;
        // Both pictures of the orientation share the rectangle, so a sinking shows in place.
        platform::Rect sunk;
        (c.orientation == OrientationHorizontal ? ship.sunkPicture : ship.sunkVerticalPicture)
            .GetBounds(&sunk);
        EXPECT_EQ(sunk, c.rect);
    }
}

TEST_F(ShipGeometry, RefusesPointsOffTheGridAndOnItsFarEdges) {
    struct Point {
        int x, y;
    };
    const Point refused[] = {{580, 300}, {300, 580}, {99, 300}, {300, 99}, {580, 580}, {-5, -5}};
    for (std::uint8_t orientation : {OrientationHorizontal, OrientationVertical}) {
        for (const Point& p : refused) {
            SetUp();
            fleet::Ship& ship = PlayerShip(2, 4, orientation);
            ship.SetBounds(10, 700, 170, 742, nullptr);
            EXPECT_FALSE(ship.PlaceAt(game, p.x, p.y, nullptr)) << p.x << ", " << p.y;
            EXPECT_TRUE(CellsOf(2).empty());
            EXPECT_EQ(RectOf(ship), (platform::Rect{10, 700, 170, 742}));
        }
    }
}

TEST_F(ShipGeometry, MovingOverItsOwnOldCellsLeavesNoStaleMarks) {
    fleet::Ship& ship = PlayerShip(1, 5, OrientationHorizontal);
    ASSERT_TRUE(ship.PlaceAt(game, 225, 265, nullptr));  // columns 3..7 of row 4
    ASSERT_TRUE(ship.PlaceAt(game, 265, 265, nullptr));  // one cell right: columns 4..8
    EXPECT_EQ(CellsOf(1), Span({4, 4}, 5, OrientationHorizontal));

    // Turned, it may be laid across its own old cells too.
    Turn(ship);
    ASSERT_TRUE(ship.PlaceAt(game, 345, 225, nullptr));  // column 6, rows 3..7
    EXPECT_EQ(CellsOf(1), Span({6, 3}, 5, OrientationVertical));
    EXPECT_EQ(RectOf(ship), (platform::Rect{340, 220, 380, 420}));
}

TEST_F(ShipGeometry, OverlapChangesNeitherShip) {
    fleet::Ship& carrier = PlayerShip(1, 5, OrientationHorizontal);
    fleet::Ship& cruiser = PlayerShip(3, 3, OrientationVertical);
    ASSERT_TRUE(carrier.PlaceAt(game, 105, 185, nullptr));  // columns 0..4 of row 2
    ASSERT_TRUE(cruiser.PlaceAt(game, 505, 105, nullptr));  // column 10, rows 0..2
    const platform::Rect carrierRect = RectOf(carrier);
    const platform::Rect cruiserRect = RectOf(cruiser);

    // Rows 1..3 of column 2 would cross the carrier at (2, 2).
    EXPECT_FALSE(cruiser.PlaceAt(game, 185, 145, nullptr));
    EXPECT_EQ(CellsOf(1), Span({0, 2}, 5, OrientationHorizontal));
    EXPECT_EQ(CellsOf(3), Span({10, 0}, 3, OrientationVertical));
    EXPECT_EQ(RectOf(carrier), carrierRect);
    EXPECT_EQ(RectOf(cruiser), cruiserRect);

    // The other fleet's board does not count.
    game.boards[rules::Enemy][2][1] = 2;
    EXPECT_TRUE(cruiser.PlaceAt(game, 185, 300, nullptr));
}

TEST_F(ShipGeometry, TruncatesEveryStepOnGridsNotAMultipleOfTwelve) {
    // 486 wide: cells of 40.5. Column 10 puts the rectangle at 405..607, pulled back three times.
    fleet::Ship& ship = PlayerShip(1, 5, OrientationHorizontal, {0, 0, 486, 486});
    ASSERT_TRUE(ship.PlaceAt(game, 406, 1, nullptr));
    EXPECT_EQ(CellsOf(1), Span({7, 0}, 5, OrientationHorizontal));
    const platform::Rect rect = RectOf(ship);
    EXPECT_EQ(rect.left, 282);
    EXPECT_EQ(rect.right, 484);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.bottom, 40);
}

TEST_F(ShipGeometry, ContainsAndBottomFollowTheCurrentPicture) {
    fleet::Ship& ship = PlayerShip(5, 2, OrientationHorizontal);
    ASSERT_TRUE(ship.PlaceAt(game, 105, 105, nullptr));
    EXPECT_TRUE(ship.Contains(180, 140));  // edges inclusive
    EXPECT_FALSE(ship.Contains(181, 140));
    EXPECT_EQ(ship.GetBottom(), 140);
    Turn(ship);
    ASSERT_TRUE(ship.PlaceAt(game, 105, 105, nullptr));
    EXPECT_FALSE(ship.Contains(150, 120));
    EXPECT_TRUE(ship.Contains(120, 180));
    EXPECT_EQ(ship.GetBottom(), 180);
}

TEST_F(ShipGeometry, AGridWithoutSizeHasNoCells) {
    fleet::Ship& ship = PlayerShip(1, 5, OrientationHorizontal, {0, 0, 0, 0});
    EXPECT_FALSE(ship.PlaceAt(game, 0, 0, nullptr));
    EXPECT_TRUE(CellsOf(1).empty());
}

TEST_F(ShipGeometry, ShowsAShipWhereTheGameLaysIt) {
    fleet::Ship& ship = PlayerShip(2, 4, OrientationHorizontal);
    rules::ShipState laid = game.ShipOf(rules::Player, 2);
    laid.vertical = true;
    laid.column = 9;
    laid.row = 8;
    ship.ShowWhereItLies(laid, nullptr);
    EXPECT_EQ(ship.orientation, OrientationVertical);
    EXPECT_EQ(RectOf(ship), (platform::Rect{460, 420, 500, 580}));
    // A ship still in its dock keeps its rectangle.
    laid.column = laid.row = -1;
    ship.ShowWhereItLies(laid, nullptr);
    EXPECT_EQ(RectOf(ship), (platform::Rect{460, 420, 500, 580}));
}

}  // namespace
