// platform/repaint.h: marking areas of a window for repainting and painting them. The marked area
// of a window is one rectangle (the union of what was marked): marking more than asked is harmless
// because the game always composes whole frames.
#pragma once

#include "platform/drawing/device_context.h"
#include "platform/types.h"
#include "platform/window.h"

namespace platform {

// Marks the rectangle (all of the client area when null) for repainting.
bool InvalidateRect(Window* window, const Rect* rect, bool erase);
// Paints the window at once, sending WM_PAINT, when part of it is marked.
bool UpdateWindow(Window* window);

struct PaintStruct {
    DeviceContext* dc = nullptr;
    bool erase = false;
    Rect paint;
};
// A context clipped to the marked area, which is cleared; EndPaint presents what was drawn.
DeviceContext* BeginPaint(Window* window, PaintStruct* paint);
bool EndPaint(Window* window, const PaintStruct* paint);

// A context for the whole client area of the window (the screen's when null). ReleaseDC
// presents what was drawn through it.
DeviceContext* GetDC(Window* window);
int ReleaseDC(Window* window, DeviceContext* dc);

// Moves the client area's pixels by (dx, dy) and marks the uncovered strip for repainting.
bool ScrollWindow(Window* window, int dx, int dy);

}  // namespace platform
