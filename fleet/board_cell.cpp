// fleet/board_cell.cpp: the cell under a pixel, the drawn rectangle of a cell and its repaint.
#include "fleet/board_cell.h"

#include "fleet/program_objects.h"
#include "platform/repaint.h"

namespace fleet {

platform::Rect CellRect(rules::Side side, int x, int y) {
    const imaging::Picture& board = Pictures.BoardPictures[side];
    const double left = board.GetLeft();
    const double top = board.GetTop();
    const double w = (board.GetRight() - board.GetLeft()) * OneTwelfth;
    const double h = (board.GetBottom() - board.GetTop()) * OneTwelfth;
    return platform::Rect{static_cast<int>(left + w * x), static_cast<int>(top + h * y),
                          static_cast<int>(left + w * (x + 1)),
                          static_cast<int>(top + h * (y + 1))};
}

bool CellAt(rules::Side side, int x, int y, int* column, int* row) {
    const imaging::Picture& board = Pictures.BoardPictures[side];
    const double w = (board.GetRight() - board.GetLeft()) * OneTwelfth;
    const double h = (board.GetBottom() - board.GetTop()) * OneTwelfth;
    if (!board.Contains(x, y)) return false;
    // A board squeezed to no width would divide by zero; it has no cells to click.
    if (!(w > 0) || !(h > 0)) return false;
    const int cx = static_cast<int>((x - board.GetLeft()) / w);
    const int cy = static_cast<int>((y - board.GetTop()) / h);
    if (cx >= rules::BoardSize || cy >= rules::BoardSize) return false;
    *column = cx;
    *row = cy;
    return true;
}

void InvalidateCell(platform::Window* window, rules::Side side, int x, int y) {
    const platform::Rect cell = CellRect(side, x, y);
    platform::InvalidateRect(window, &cell, false);
}

}  // namespace fleet
