// imaging/point_size_font.h: fonts sized in tenths of a printer's point against a surface's
// resolution, so that text keeps its physical size whatever the surface's mapping.
#pragma once

#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"

namespace imaging {

constexpr int FontBold = 1;
constexpr int FontItalic = 2;
constexpr int FontUnderline = 4;
constexpr int FontStrikeOut = 8;

// height and width in tenths of a point (width 0: the face's natural width); attributes from the
// Font* bits above; useLogicalInches measures against the logical rather than the physical
// resolution. The caller owns the font. The target is left as it was found.
platform::Font* CreatePointSizeFont(platform::DeviceContext* target, const char* faceName,
                                    int height, int width, int attributes, bool useLogicalInches);

}  // namespace imaging
