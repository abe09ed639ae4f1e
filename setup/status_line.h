// setup/status_line.h: the one line of text through which the game talks to the player, and the
// repaint of a single board cell.
#pragma once

#include "platform/window.h"

namespace setup {

// The status line, zero-terminated. Callers with a counted text format into it themselves and
// then call SetStatus with no text.
extern char StatusText[1024];

// Copies the text (when given) into StatusText and marks the status rectangle for repainting.
void SetStatus(platform::Window* window, const char* text);

// Marks one cell of a board (0 the player's, 1 the enemy's) for repainting. The cell size is
// truncated to whole pixels before it is multiplied by the index, so on boards whose size is not
// a multiple of 12 the area lies a little left of and above the cell as drawn; shot resolution
// marks the drawn cell as well.
void InvalidateCell(platform::Window* window, int board, int column, int row);

}  // namespace setup
