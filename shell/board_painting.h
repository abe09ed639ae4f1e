// shell/board_painting.h: composing the whole game screen and showing it.
#pragma once

#include "platform/window.h"

namespace shell {

// Composes the part of the client area marked for repainting (sea, boards, ships, aim marks,
// miss and hit marks, status text) into the window's surface, with the very pixels a composition
// of the whole area would give there, and shows it.
void PaintBoard(platform::Window* window);

// Lets the kept background layer (desktop colour, sea, boards) go; the next paint composes it
// anew from the picture files.
void LetBackgroundGo();

}  // namespace shell
