// setup/layout_scale.h: the chosen screen size and the two factors that map the 1024 by 768
// design layout onto the main window's client area.
#pragma once

#include <cstdint>

namespace setup {

// Written by the shell alone: the display test at start-up, the main window as it is created, and
// the Screen Size commands. Setup lays the game out by it; the painter scales by it.
struct ScreenLayout {
    // One of 1024 by 768, 800 by 600, 640 by 480.
    std::int32_t ScreenWidth = 0;
    std::int32_t ScreenHeight = 0;
    double ScaleX = 1.0;
    double ScaleY = 1.0;
};

extern ScreenLayout Layout;

// Design units to pixels: each coordinate or extent on its own, in double precision, truncated
// toward zero.
inline int DesignX(double designUnits) { return static_cast<int>(designUnits * Layout.ScaleX); }
inline int DesignY(double designUnits) { return static_cast<int>(designUnits * Layout.ScaleY); }

}  // namespace setup
