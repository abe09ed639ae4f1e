// shell/board_painting.h: composing the whole game screen and showing it.
#pragma once

#include "platform/window.h"

namespace shell {

// Composes the complete client area off-screen (sea, boards, ships, aim marks, miss and hit
// marks, status text) and copies it to the part of the window marked for repainting.
void PaintBoard(platform::Window* window);

}  // namespace shell
