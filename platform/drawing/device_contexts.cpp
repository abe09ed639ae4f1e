// platform/drawing/device_contexts.cpp: memory contexts, what is selected into a context, its
// colours and modes, its coordinate mapping, and saving and restoring its state.
#include <cmath>

#include "platform/drawing/drawing.h"

namespace platform {

DeviceContext* CreateCompatibleDC(DeviceContext* /*dc*/) {
    auto* memory = new DeviceContext;
    memory->defaultBitmap.width = 1;
    memory->defaultBitmap.height = 1;
    memory->defaultBitmap.bitsPerPixel = 1;
    memory->defaultBitmap.bits.assign(1, 0);
    memory->target = &memory->defaultBitmap;
    memory->state.font = GetStockObject(StockObject::SystemFont);
    return memory;
}

// What stays selected is never deleted with the context, as the platform's rules have it.
void DeleteDC(DeviceContext* dc) { delete dc; }

Bitmap* SelectObject(DeviceContext* dc, Bitmap* bitmap) {
    if (dc == nullptr || bitmap == nullptr || dc->window != nullptr) return nullptr;
    Bitmap* previous = dc->target;
    dc->target = bitmap;
    return previous;
}

Font* SelectObject(DeviceContext* dc, Font* font) {
    if (dc == nullptr || font == nullptr) return nullptr;
    Font* previous = dc->state.font;
    dc->state.font = font;
    return previous;
}

ColourRef SetBkColor(DeviceContext* dc, ColourRef colour) {
    if (dc == nullptr) return 0;
    const ColourRef previous = dc->state.backgroundColour;
    dc->state.backgroundColour = colour & 0xFFFFFF;
    return previous;
}

ColourRef SetTextColor(DeviceContext* dc, ColourRef colour) {
    if (dc == nullptr) return 0;
    const ColourRef previous = dc->state.textColour;
    dc->state.textColour = colour & 0xFFFFFF;
    return previous;
}

int SetBkMode(DeviceContext* dc, int mode) {
    if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    const int previous = dc->state.backgroundMode;
    dc->state.backgroundMode = mode;
    return previous;
}

std::uint32_t SetTextAlign(DeviceContext* dc, std::uint32_t align) {
    if (dc == nullptr) return 0;
    const std::uint32_t previous = dc->state.textAlign;
    dc->state.textAlign = align;
    return previous;
}

int SetStretchBltMode(DeviceContext* dc, int mode) {
    if (dc == nullptr || mode < BLACKONWHITE || mode > HALFTONE) return 0;
    const int previous = dc->state.stretchMode;
    dc->state.stretchMode = mode;
    return previous;
}

int SetGraphicsMode(DeviceContext* dc, int mode) {
    if (dc == nullptr || (mode != GM_COMPATIBLE && mode != GM_ADVANCED)) return 0;
    const int previous = dc->state.graphicsMode;
    dc->state.graphicsMode = mode;
    return previous;
}

namespace {

constexpr int MWT_LEFTMULTIPLY = 2;
constexpr int MWT_RIGHTMULTIPLY = 3;

// a then b, for points written as row vectors (x, y, 1) times the matrix.
WorldTransform Compose(const WorldTransform& a, const WorldTransform& b) {
    return WorldTransform{a.m11 * b.m11 + a.m12 * b.m21,      a.m11 * b.m12 + a.m12 * b.m22,
                          a.m21 * b.m11 + a.m22 * b.m21,      a.m21 * b.m12 + a.m22 * b.m22,
                          a.dx * b.m11 + a.dy * b.m21 + b.dx, a.dx * b.m12 + a.dy * b.m22 + b.dy};
}

}  // namespace

bool ModifyWorldTransform(DeviceContext* dc, const WorldTransform* transform, int mode) {
    if (dc == nullptr || dc->state.graphicsMode != GM_ADVANCED) return false;
    switch (mode) {
        case MWT_IDENTITY:
            dc->state.transform = WorldTransform{};
            return true;
        case MWT_LEFTMULTIPLY:
            if (transform == nullptr) return false;
            dc->state.transform = Compose(*transform, dc->state.transform);
            return true;
        case MWT_RIGHTMULTIPLY:
            if (transform == nullptr) return false;
            dc->state.transform = Compose(dc->state.transform, *transform);
            return true;
    }
    return false;
}

bool SetViewportOrgEx(DeviceContext* dc, int x, int y, Point* previous) {
    if (dc == nullptr) return false;
    if (previous != nullptr) *previous = dc->state.viewportOrigin;
    dc->state.viewportOrigin = Point{x, y};
    return true;
}

bool SetWindowOrgEx(DeviceContext* dc, int x, int y, Point* previous) {
    if (dc == nullptr) return false;
    if (previous != nullptr) *previous = dc->state.windowOrigin;
    dc->state.windowOrigin = Point{x, y};
    return true;
}

bool DPtoLP(DeviceContext* dc, Point* points, int count) {
    if (dc == nullptr || (points == nullptr && count > 0)) return false;
    const WorldTransform& t = dc->state.transform;
    const bool world = dc->state.graphicsMode == GM_ADVANCED && !(t == WorldTransform{});
    const double determinant =
        static_cast<double>(t.m11) * t.m22 - static_cast<double>(t.m12) * t.m21;
    if (world && determinant == 0) return false;
    for (int i = 0; i < count; ++i) {
        // Device to page space through the origins, then page to world through the inverse.
        double x = points[i].x - dc->state.viewportOrigin.x + dc->state.windowOrigin.x;
        double y = points[i].y - dc->state.viewportOrigin.y + dc->state.windowOrigin.y;
        if (world) {
            const double px = x - t.dx;
            const double py = y - t.dy;
            x = (px * t.m22 - py * t.m21) / determinant;
            y = (py * t.m11 - px * t.m12) / determinant;
        }
        points[i] = Point{static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
    }
    return true;
}

int SaveDC(DeviceContext* dc) {
    if (dc == nullptr) return 0;
    dc->saved.push_back(dc->state);
    return static_cast<int>(dc->saved.size());
}

bool RestoreDC(DeviceContext* dc, int savedState) {
    if (dc == nullptr) return false;
    const int count = static_cast<int>(dc->saved.size());
    const int index = savedState < 0 ? count + 1 + savedState : savedState;  // -1: the last one
    if (index < 1 || index > count) return false;
    dc->state = dc->saved[index - 1];
    dc->saved.resize(index - 1);
    return true;
}

}  // namespace platform
