// fleet/board_cell.h: a board's cells on the screen: the share of a board picture that is one
// cell, the cell under a pixel, and the rectangle a cell's marks are drawn in.
#pragma once

#include "platform/types.h"
#include "platform/window.h"
#include "rules/game.h"

namespace fleet {

// The double nearest 1/12. A cell's size is its board picture's size times this, kept as a
// double, so every part of the game finds the same cell under the same pixel.
constexpr double OneTwelfth = 0.08333333333333333;

// The cell of the side's board under client pixel (x, y). False off the board, on its right and
// bottom edge lines (where the column or row would come out as 12) and on a board squeezed to
// nothing.
bool CellAt(rules::Side side, int x, int y, int* column, int* row);

// The rectangle of cell (x, y) on the side's board picture: each edge truncated on its own, so it
// covers the marks the painter draws there.
platform::Rect CellRect(rules::Side side, int x, int y);

// Marks that rectangle for repainting, without erasing.
void InvalidateCell(platform::Window* window, rules::Side side, int x, int y);

}  // namespace fleet
