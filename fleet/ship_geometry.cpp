// fleet/ship_geometry.cpp: a ship on its board: the grid it lies on, snapping to whole cells,
// keeping inside the board, refusing overlaps, and marking the board's cells with its shipId.
#include <algorithm>

#include "fleet/board_cell.h"
#include "fleet/game_state.h"
#include "fleet/ship.h"

namespace fleet {

namespace {

// Floating-point results become whole numbers by truncation toward zero, as everywhere in layout.
int Truncate(double value) { return static_cast<int>(value); }

}  // namespace

void Ship::SetGrid(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                   Side newSide) {
    gridLeft = left;
    gridTop = top;
    gridRight = right;
    gridBottom = bottom;
    side = newSide;
    cellWidth = (right - left) * OneTwelfth;
    cellHeight = (bottom - top) * OneTwelfth;
}

bool Ship::PlaceAt(std::int32_t x, std::int32_t y, platform::Window* window) {
    if (x < gridLeft || x > gridRight || y < gridTop || y > gridBottom) return false;
    // A grid without size has no cells (and would divide zero by zero below).
    if (!(cellWidth > 0) || !(cellHeight > 0)) return false;
    const int c = Truncate((x - gridLeft) / cellWidth);
    const int r = Truncate((y - gridTop) / cellHeight);
    if (c > BoardSize - 1 || r > BoardSize - 1) return false;

    // The covered cells start at the point's cell, pulled back so the whole ship fits.
    const bool horizontal = orientation == OrientationHorizontal;
    const int first = std::min(horizontal ? c : r, BoardSize - length);
    const int firstX = horizontal ? first : c;
    const int firstY = horizontal ? r : first;
    const int stepX = horizontal ? 1 : 0;
    const int stepY = horizontal ? 0 : 1;

    Board& board = GameState.boards[side];
    const auto mine = static_cast<std::int32_t>(shipId);
    for (int k = 0; k < length; ++k) {
        const std::int32_t code = board[firstX + k * stepX][firstY + k * stepY];
        if (code != Water && code != mine) return false;
    }
    for (auto& column : board) std::replace(column.begin(), column.end(), mine, Water);
    for (int k = 0; k < length; ++k) board[firstX + k * stepX][firstY + k * stepY] = mine;

    // The rectangle starts from the point's own cell and is pulled back in whole cells, each
    // step truncated, so on grids that are not a multiple of 12 wide it can differ by a pixel
    // from the covered cells' own edges.
    int left = gridLeft + Truncate(c * cellWidth);
    int top = gridTop + Truncate(r * cellHeight);
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
    return true;
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
