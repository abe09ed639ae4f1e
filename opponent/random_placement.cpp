// opponent/random_placement.cpp: random layout of a fleet, for the computer at START and for the
// player's Place Random button.
#include "opponent/random_placement.h"

#include "fleet/board_cell.h"
#include "fleet/fleet.h"
#include "fleet/game_state.h"
#include "fleet/program_objects.h"
#include "opponent/random_numbers.h"

namespace opponent {

void PlaceFleetAtRandom(fleet::Side side, platform::Window* window) {
    const imaging::Picture& grid = fleet::Pictures.BoardPictures[side];
    const double cellWidth = (grid.GetRight() - grid.GetLeft()) * fleet::OneTwelfth;
    const double cellHeight = (grid.GetBottom() - grid.GetTop()) * fleet::OneTwelfth;
    for (std::uint32_t shipId = 1; shipId <= fleet::ShipsPerSide; ++shipId) {
        fleet::Ship& ship = fleet::Ships[fleet::ShipIndex(side, shipId)];
        const std::uint8_t wanted =
            RandomBelow(2) == 0 ? fleet::OrientationVertical : fleet::OrientationHorizontal;
        if (ship.orientation != wanted) {
            ship.Invalidate(window);
            ship.Rotate();
        }
        const int span = ship.GetLength() - 1;
        const int spanX = wanted == fleet::OrientationHorizontal ? span : 0;
        const int spanY = wanted == fleet::OrientationVertical ? span : 0;
        // Every draw keeps the ship on the board, so PlaceAt refuses only an overlap; the board
        // always has room for the next ship, so drawing again ends.
        bool placed = false;
        while (!placed) {
            const int cx = RandomBelow(fleet::BoardSize - spanX);
            const int cy = RandomBelow(fleet::BoardSize - spanY);
            // The middle of the cell: it maps back to (cx, cy) with any cell at least 2 pixels
            // wide, whatever the truncations.
            const int px = grid.GetLeft() + static_cast<int>((cx + 0.5) * cellWidth);
            const int py = grid.GetTop() + static_cast<int>((cy + 0.5) * cellHeight);
            placed = ship.PlaceAt(px, py, window);
        }
    }
}

}  // namespace opponent
