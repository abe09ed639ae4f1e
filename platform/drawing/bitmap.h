// platform/drawing/bitmap.h: our own bitmaps, 32-bit colour in the screen's format or 1-bit
// monochrome, and the fonts that text is drawn with. Both are created and deleted explicitly,
// like the handles the game's code was written against.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace platform {

// Device pixels per logical pixel of a scaled bitmap: a logical edge at v lies on the device
// pixel edge nearest v * scale, so rectangles that meet in logical pixels meet in device pixels.
inline int DeviceEdge(int logical, double scale) {
    if (scale == 1.0) return logical;
    constexpr double Limit = 1 << 30;  // far beyond any surface, and never past an int
    if (scale == 2.0) {
        // The commonest scaled screen, asked for on every blit and every mark of a paint: the
        // same edge in integers, without rounding a double.
        constexpr int Half = 1 << 29;
        if (logical < -Half) return -(1 << 30);
        return logical > Half ? 1 << 30 : 2 * logical;
    }
    const double device = std::floor(logical * scale + 0.5);
    return static_cast<int>(device < -Limit ? -Limit : (device > Limit ? Limit : device));
}
inline Rect DeviceRect(const Rect& logical, double scale) {
    return Rect{DeviceEdge(logical.left, scale), DeviceEdge(logical.top, scale),
                DeviceEdge(logical.right, scale), DeviceEdge(logical.bottom, scale)};
}
// The logical pixels that together cover a device rectangle: logical pixel v covers the device
// pixels from DeviceEdge(v) up to DeviceEdge(v + 1).
inline int LogicalEdgeAtOrBelow(int device, double scale) {
    int v = static_cast<int>(std::floor(device / scale));
    while (DeviceEdge(v + 1, scale) <= device) ++v;
    while (DeviceEdge(v, scale) > device) --v;
    return v;
}
inline int LogicalEdgeAtOrAbove(int device, double scale) {
    int v = static_cast<int>(std::ceil(device / scale));
    while (DeviceEdge(v - 1, scale) >= device) --v;
    while (DeviceEdge(v, scale) < device) ++v;
    return v;
}
inline Rect LogicalRectAround(const Rect& device, double scale) {
    if (scale == 1.0 || device.IsEmpty()) return device;
    return Rect{LogicalEdgeAtOrBelow(device.left, scale), LogicalEdgeAtOrBelow(device.top, scale),
                LogicalEdgeAtOrAbove(device.right, scale),
                LogicalEdgeAtOrAbove(device.bottom, scale)};
}

// A colour bitmap keeps one Pixel (0x00RRGGBB) per pixel; a monochrome bitmap keeps one byte per
// pixel holding 0 or 1. Rows run top to bottom. Width and height count the pixels kept; a bitmap
// of scale 2 keeps two by two of them for each logical pixel the drawing operations place it by.
struct Bitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 32;           // 32 or 1
    std::vector<Pixel> pixels;       // colour bitmaps only
    std::vector<std::uint8_t> bits;  // monochrome bitmaps only
    double scale = 1.0;              // device pixels per logical pixel

    bool IsMonochrome() const { return bitsPerPixel == 1; }
    Rect Bounds() const { return Rect{0, 0, width, height}; }
    int LogicalWidth() const { return LogicalLength(width); }
    int LogicalHeight() const { return LogicalLength(height); }
    Rect LogicalBounds() const { return Rect{0, 0, LogicalWidth(), LogicalHeight()}; }
    Pixel* Row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
    const Pixel* Row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * width; }

  private:
    int LogicalLength(int device) const {
        if (scale == 1.0) return device;
        if (scale == 2.0 && device >= 0) return device / 2 + (device & 1);  // half, rounded up
        return static_cast<int>(std::floor(device / scale + 0.5));
    }
};

// The pixels a monochrome mask lets through (its 0s), row by row as runs, found once when the
// mask is made, so that a masked draw copies whole runs and never visits a hole or an empty row.
// They describe one mask's bits and point to nothing: whoever changes those bits finds them anew.
struct MaskRuns {
    struct Run {
        int left = 0;
        int length = 0;
    };
    int width = 0;
    int height = 0;
    std::vector<int> rowStart;  // height + 1 entries: row y's runs are rowStart[y]..rowStart[y+1]
    std::vector<Run> runs;
};

// What GetObject tells of a bitmap.
struct BitmapInfo {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
};

constexpr int FW_DONTCARE = 0;
constexpr int FW_BOLD = 700;
constexpr std::uint8_t DEFAULT_CHARSET = 1;

// The description of a font: heights are in the target's logical units, negative for a character
// height and positive for a cell height.
struct LogFont {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = FW_DONTCARE;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charSet = DEFAULT_CHARSET;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::string faceName;
};

struct Font {
    LogFont description;
    bool isStock = false;  // stock fonts are never deleted
};

struct TextMetrics {
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int averageCharWidth = 0;
    int maxCharWidth = 0;
};

}  // namespace platform
