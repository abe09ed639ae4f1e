// shell/display_check.h: the display test that runs before any window exists.
#pragma once

namespace shell {

// True when the display has at least 16 bits per pixel and holds 640 by 480; ScreenWidth and
// ScreenHeight are then the largest of 1024 by 768, 800 by 600 and 640 by 480 that fits. False
// after telling the player why.
bool CheckDisplay();

}  // namespace shell
