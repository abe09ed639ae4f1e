// tests/setup/placement_moves.h: points on the player's board and in the docks, for driving ship
// placement with the mouse on the test host.
#pragma once

#include "fleet/fleet.h"
#include "fleet/program_objects.h"
#include "platform/types.h"
#include "rules/game.h"
#include "tests/support/game_on_test_host.h"

namespace placement_test {

// The middle of a cell of a board as the game lays it out now.
inline platform::Point CellCentre(rules::Side side, int column, int row) {
    const imaging::Picture& board = fleet::Pictures.BoardPictures[side];
    const double width = (board.GetRight() - board.GetLeft()) / 12.0;
    const double height = (board.GetBottom() - board.GetTop()) / 12.0;
    return {static_cast<int>(board.GetLeft() + (column + 0.5) * width),
            static_cast<int>(board.GetTop() + (row + 0.5) * height)};
}

// A point a few pixels inside the ship's current picture.
inline platform::Point OnShip(int index) {
    const imaging::Picture& picture = *fleet::Ships[index].currentPicture;
    return {picture.GetLeft() + 3, picture.GetTop() + 3};
}

inline int CellsHolding(rules::Side side, std::int32_t code) {
    int count = 0;
    for (const auto& column : testing_support::TheGame().boards[side]) {
        for (std::int32_t cell : column) count += cell == code;
    }
    return count;
}

}  // namespace placement_test
