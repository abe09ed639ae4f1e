// fleet/ship_geometry.cpp: a ship's pictures on its board: the grid they lie on, the cell under a
// click (where the game lays the ship), and the rectangle of the cells it covers.
#include "fleet/board_cell.h"
#include "fleet/ship.h"
#include "rules/moves.h"

namespace fleet {

namespace {

// Floating-point results become whole numbers by truncation toward zero, as everywhere in layout.
int Truncate(double value) { return static_cast<int>(value); }

}  // namespace

void Ship::SetGrid(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                   rules::Side newSide) {
    gridLeft = left;
    gridTop = top;
    gridRight = right;
    gridBottom = bottom;
    side = newSide;
    cellWidth = (right - left) * OneTwelfth;
    cellHeight = (bottom - top) * OneTwelfth;
}

bool Ship::PlaceAt(rules::Game& game, std::int32_t x, std::int32_t y, platform::Window* window) {
    if (x < gridLeft || x > gridRight || y < gridTop || y > gridBottom) return false;
    // A grid without size has no cells (and would divide zero by zero below).
    if (!(cellWidth > 0) || !(cellHeight > 0)) return false;
    const int c = Truncate((x - gridLeft) / cellWidth);
    const int r = Truncate((y - gridTop) / cellHeight);
    if (c > rules::BoardSize - 1 || r > rules::BoardSize - 1) return false;
    return PlaceAtCell(game, rules::Cell{c, r}, window);
}

bool Ship::PlaceAtCell(rules::Game& game, rules::Cell cell, platform::Window* window) {
    if (rules::PlaceShip(game, side, static_cast<std::int32_t>(shipId), cell).Refused()) {
        return false;
    }
    MoveTo(cell.x, cell.y, window);
    return true;
}

void Ship::ShowWhereItLies(const rules::ShipState& state, platform::Window* window) {
    if ((orientation == OrientationVertical) != state.vertical) {
        Invalidate(window);
        Rotate();
    }
    if (state.OnBoard()) MoveTo(state.column, state.row, window);
}

void Ship::MoveTo(int column, int row, platform::Window* window) {
    // The rectangle starts from the given cell and is pulled back in whole cells, each step
    // truncated, so on grids that are not a multiple of 12 wide it can differ by a pixel from the
    // covered cells' own edges.
    const bool horizontal = orientation == OrientationHorizontal;
    int left = gridLeft + Truncate(column * cellWidth);
    int top = gridTop + Truncate(row * cellHeight);
    int right = Truncate(left + (horizontal ? length * cellWidth : cellWidth));
    int bottom = Truncate(top + (horizontal ? cellHeight : length * cellHeight));
    if (horizontal) {
        while (right > gridRight) {
            left = Truncate(left - cellWidth);
            right = Truncate(right - cellWidth);
        }
    } else {
        while (bottom > gridBottom) {
            top = Truncate(top - cellHeight);
            bottom = Truncate(bottom - cellHeight);
        }
    }
    SetBounds(left, top, right, bottom, window);
}

void Ship::SetBounds(double left, double top, double right, double bottom,
                     platform::Window* window) {
    if (orientation == OrientationHorizontal) {
        boatPicture.SetBounds(left, top, right, bottom, window);
        sunkPicture.SetBounds(left, top, right, bottom, window);
    } else {
        boatVerticalPicture.SetBounds(left, top, right, bottom, window);
        sunkVerticalPicture.SetBounds(left, top, right, bottom, window);
    }
}

void Ship::SetScale(float newScale, platform::Window* window) {
    boatPicture.SetScale(newScale, window);
    boatVerticalPicture.SetScale(newScale, window);
    sunkPicture.SetScale(newScale, window);
    sunkVerticalPicture.SetScale(newScale, window);
}

bool Ship::Contains(std::int32_t x, std::int32_t y) const { return currentPicture->Contains(x, y); }

std::int32_t Ship::GetBottom() const { return currentPicture->GetBottom(); }

}  // namespace fleet
