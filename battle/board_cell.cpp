// battle/board_cell.cpp: the drawn rectangle of a board cell and its repaint request.
#include "battle/board_cell.h"

#include "platform/repaint.h"
#include "setup/program_objects.h"

namespace battle {

platform::Rect DrawnCellRect(int side, int x, int y) {
    const imaging::Picture& board = setup::BoardPictures[side];
    const double left = board.GetLeft();
    const double top = board.GetTop();
    const double w = (board.GetRight() - board.GetLeft()) * 0.08333333333333333;
    const double h = (board.GetBottom() - board.GetTop()) * 0.08333333333333333;
    return platform::Rect{static_cast<int>(left + w * x), static_cast<int>(top + h * y),
                          static_cast<int>(left + w * (x + 1)),
                          static_cast<int>(top + h * (y + 1))};
}

void InvalidateDrawnCell(platform::Window* window, int side, int x, int y) {
    const platform::Rect cell = DrawnCellRect(side, x, y);
    platform::InvalidateRect(window, &cell, false);
}

}  // namespace battle
