// platform/drawing/device_context.h: drawing contexts. A context draws onto one target bitmap:
// the bitmap selected into a memory context, or the backing surface of a window for a window's
// context. It carries the colours, modes and font that the drawing operations use.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/drawing/bitmap.h"
#include "platform/types.h"

namespace platform {

struct Window;

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

constexpr std::uint32_t TA_LEFT = 0;
constexpr std::uint32_t TA_TOP = 0;
constexpr std::uint32_t TA_RIGHT = 2;
constexpr std::uint32_t TA_CENTER = 6;
constexpr std::uint32_t TA_BOTTOM = 8;
constexpr std::uint32_t TA_BASELINE = 24;

constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
// Shrinking a colour bitmap onto a colour one averages the source pixels under each target
// pixel, weighted by the area they cover; with a monochrome side it combines as BLACKONWHITE.
constexpr int HALFTONE = 4;

constexpr int GM_COMPATIBLE = 1;
constexpr int GM_ADVANCED = 2;

struct WorldTransform {
    float m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
    bool operator==(const WorldTransform&) const = default;
};

// Everything SaveDC keeps and RestoreDC brings back.
struct DeviceContextState {
    ColourRef backgroundColour = Rgb(255, 255, 255);
    ColourRef textColour = Rgb(0, 0, 0);
    int backgroundMode = OPAQUE;
    std::uint32_t textAlign = TA_LEFT | TA_TOP;
    int stretchMode = BLACKONWHITE;
    int graphicsMode = GM_COMPATIBLE;
    WorldTransform transform;
    Point viewportOrigin;
    Point windowOrigin;
    Font* font = nullptr;
};

struct DeviceContext {
    // The bitmap drawn on. A memory context starts with its own 1 by 1 monochrome bitmap, as the
    // platform's rules have it; a window's context targets the window's backing surface.
    Bitmap* target = nullptr;
    Window* window = nullptr;  // set for a window's context
    bool hasClip = false;      // a window's paint clips to the area marked for repainting
    Rect clip;                 // logical pixels
    Rect drawn;  // what has been drawn through this context (logical), for presenting a surface
    DeviceContextState state;
    std::vector<DeviceContextState> saved;
    Bitmap defaultBitmap;  // a memory context's own 1 by 1 monochrome bitmap

    // The part of the target that drawing may touch, in logical pixels.
    Rect DrawableArea() const {
        if (target == nullptr) return Rect{};
        return hasClip ? Intersect(clip, target->LogicalBounds()) : target->LogicalBounds();
    }
    // The same in the target's own pixels.
    Rect DeviceArea() const {
        if (target == nullptr) return Rect{};
        if (!hasClip) return target->Bounds();
        return Intersect(DeviceRect(clip, target->scale), target->Bounds());
    }
    double Scale() const { return target != nullptr ? target->scale : 1.0; }
    // Every drawing operation reports the rectangle of the target's pixels it changed here.
    void NoteDrawn(const Rect& device) {
        drawn = Union(drawn, LogicalRectAround(Intersect(device, DeviceArea()), Scale()));
    }
};

}  // namespace platform
