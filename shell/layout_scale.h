// shell/layout_scale.h: the chosen screen size and the two factors that map the 1024 by 768
// design layout onto the main window's client area.
#pragma once

#include <cstdint>

namespace shell {

// One of 1024 by 768, 800 by 600, 640 by 480: chosen at start-up, changed by the Screen Size
// commands when the window receives them.
extern std::int32_t ScreenWidth;
extern std::int32_t ScreenHeight;
extern double ScaleX;
extern double ScaleY;

// Design units to pixels: each coordinate or extent on its own, in double precision, truncated
// toward zero.
inline int DesignX(double designUnits) { return static_cast<int>(designUnits * ScaleX); }
inline int DesignY(double designUnits) { return static_cast<int>(designUnits * ScaleY); }

}  // namespace shell
