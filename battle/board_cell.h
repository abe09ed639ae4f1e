// battle/board_cell.h: where a cell of a board lies on the screen as the painter draws it, for the
// battle's own repaint requests.
#pragma once

#include "platform/types.h"
#include "platform/window.h"

namespace battle {

// The rectangle of cell (x, y) on the board picture of the side: the twelfth of the picture kept
// as a double and each edge truncated on its own, so it covers the marks the painter draws there.
platform::Rect DrawnCellRect(int side, int x, int y);

// Marks that rectangle of the window for repainting, without erasing.
void InvalidateDrawnCell(platform::Window* window, int side, int x, int y);

}  // namespace battle
