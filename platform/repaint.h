// platform/repaint.h: marking areas of a window for repainting and painting them. The marked area
// of a window is a few rectangles apart (overlapping marks are joined, and too many become the one
// rectangle around them all): marking more than asked is harmless, as a paint composes the very
// pixels the whole frame would have there.
#pragma once

#include <vector>

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
    Rect paint;                // around all that is marked
    std::vector<Rect> pieces;  // what is marked, in rectangles apart, within paint
};
// A context clipped to the marked area, which is cleared; EndPaint presents what was drawn.
// A painter that draws piece by piece narrows the clip to each one with ClipToPiece.
DeviceContext* BeginPaint(Window* window, PaintStruct* paint);
bool EndPaint(Window* window, const PaintStruct* paint);

// Narrows a paint's drawing to one piece of its marked area (to all of it again for paint.paint).
bool ClipToPiece(const PaintStruct* paint, const Rect& piece);

// A context for the whole client area of the window (the screen's when null). ReleaseDC
// presents what was drawn through it.
DeviceContext* GetDC(Window* window);
int ReleaseDC(Window* window, DeviceContext* dc);

// Moves the client area's pixels by (dx, dy) and marks the uncovered strip for repainting.
bool ScrollWindow(Window* window, int dx, int dy);

}  // namespace platform
