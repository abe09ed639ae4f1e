// platform/repaint.cpp: marked areas, paint requests answered at once, and the contexts that
// draw on a window's backing surface. What is drawn through them is presented by the host when
// the context is released.
#include "platform/repaint.h"

#include <algorithm>

#include "platform/core_state.h"
#include "platform/drawing/drawing.h"
#include "platform/messages.h"

namespace platform {

using core::IsLive;

namespace {

// Top-level windows own the surface; a child control is drawn by the host's own widget.
bool HasSurface(const Window* window) { return (window->style & WS_CHILD) == 0; }

DeviceContext* NewWindowContext(Window* window) {
    auto* dc = new DeviceContext;
    dc->window = window;
    dc->target = HasSurface(window) ? &window->surface : nullptr;
    dc->state.font = GetStockObject(StockObject::SystemFont);
    return dc;
}

// Beyond this many pieces a paint costs more in passes than it saves in area.
constexpr std::size_t MaxUpdatePieces = 32;

// Adds a marked rectangle, joined with every piece it overlaps (and those with the pieces they
// then overlap), so that no pixel is composed twice in one paint.
void AddPiece(std::vector<Rect>& pieces, Rect area) {
    for (bool joined = true; joined;) {
        joined = false;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (Intersect(pieces[i], area).IsEmpty()) continue;
            area = Union(area, pieces[i]);
            pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(i));
            joined = true;
            break;
        }
    }
    pieces.push_back(area);
    if (pieces.size() > MaxUpdatePieces) {
        Rect all;
        for (const Rect& piece : pieces) all = Union(all, piece);
        pieces.assign(1, all);
    }
}

void PresentDrawn(Window* window, DeviceContext* dc) {
    if (IsLive(window) && !dc->drawn.IsEmpty()) CurrentHost().Present(*window, dc->drawn);
}

}  // namespace

bool InvalidateRect(Window* window, const Rect* rect, bool erase) {
    if (!IsLive(window) || !HasSurface(window)) return false;
    const Rect client{0, 0, window->clientWidth, window->clientHeight};
    const Rect area = rect == nullptr ? client : Intersect(*rect, client);
    if (area.IsEmpty()) return true;
    if (window->updateArea.IsEmpty()) window->updatePieces.clear();
    window->updateArea = Union(window->updateArea, area);
    AddPiece(window->updatePieces, area);
    window->paintRequested = false;
    if (erase) window->eraseRequested = true;
    return true;
}

bool UpdateWindow(Window* window) {
    if (!IsLive(window) || !window->visible || window->updateArea.IsEmpty()) return IsLive(window);
    SendMessage(window, WM_PAINT, 0, 0);
    return true;
}

DeviceContext* BeginPaint(Window* window, PaintStruct* paint) {
    if (!IsLive(window)) return nullptr;
    DeviceContext* dc = NewWindowContext(window);
    dc->hasClip = true;
    dc->clip = window->updateArea;
    // The pieces within the marked area; marks set aside by hand leave only the area itself.
    std::vector<Rect> pieces;
    for (const Rect& piece : window->updatePieces) {
        const Rect inside = Intersect(piece, dc->clip);
        if (!inside.IsEmpty()) pieces.push_back(inside);
    }
    if (pieces.empty() && !dc->clip.IsEmpty()) pieces.push_back(dc->clip);
    window->updateArea = Rect{};
    window->updatePieces.clear();
    window->paintRequested = false;
    const bool erase = window->eraseRequested;
    window->eraseRequested = false;
    if (erase) SendMessage(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    if (paint != nullptr) {
        paint->dc = dc;
        paint->erase = erase;
        paint->paint = dc->clip;
        paint->pieces = std::move(pieces);
    }
    return dc;
}

bool ClipToPiece(const PaintStruct* paint, const Rect& piece) {
    if (paint == nullptr || paint->dc == nullptr) return false;
    paint->dc->clip = Intersect(piece, paint->paint);
    return true;
}

bool EndPaint(Window* window, const PaintStruct* paint) {
    if (paint == nullptr || paint->dc == nullptr) return false;
    PresentDrawn(window, paint->dc);
    delete paint->dc;
    return true;
}

DeviceContext* GetDC(Window* window) {
    if (window == nullptr) {
        // The screen's context: colour, so bitmaps made compatible with it are colour bitmaps.
        static Bitmap screenPixel{1, 1, 32, std::vector<Pixel>(1, 0), {}, 1.0};
        auto* dc = new DeviceContext;
        dc->target = &screenPixel;
        dc->state.font = GetStockObject(StockObject::SystemFont);
        return dc;
    }
    if (!IsLive(window)) return nullptr;
    return NewWindowContext(window);
}

int ReleaseDC(Window* window, DeviceContext* dc) {
    if (dc == nullptr) return 0;
    if (window != nullptr) PresentDrawn(window, dc);
    delete dc;
    return 1;
}

bool ScrollWindow(Window* window, int dx, int dy) {
    if (!IsLive(window) || !HasSurface(window)) return false;
    Bitmap& surface = window->surface;
    const int w = window->clientWidth;
    const int h = window->clientHeight;
    if (w == 0 || h == 0 || surface.width == 0 || surface.height == 0) return true;
    // The pixels move in the surface's own pixels; what is uncovered is marked in logical ones.
    const int deviceDx = DeviceEdge(dx, surface.scale);
    const int deviceDy = DeviceEdge(dy, surface.scale);
    Bitmap moved = surface;
    for (int y = 0; y < surface.height; ++y) {
        const int sy = y - deviceDy;
        if (sy < 0 || sy >= surface.height) continue;
        for (int x = 0; x < surface.width; ++x) {
            const int sx = x - deviceDx;
            if (sx >= 0 && sx < surface.width) moved.Row(y)[x] = surface.Row(sy)[sx];
        }
    }
    surface = std::move(moved);
    // The strip the move uncovered has nothing valid in it until it is painted.
    Rect uncovered;
    if (dy > 0) uncovered = Union(uncovered, Rect{0, 0, w, std::min(dy, h)});
    if (dy < 0) uncovered = Union(uncovered, Rect{0, std::max(0, h + dy), w, h});
    if (dx > 0) uncovered = Union(uncovered, Rect{0, 0, std::min(dx, w), h});
    if (dx < 0) uncovered = Union(uncovered, Rect{std::max(0, w + dx), 0, w, h});
    if (!window->updateArea.IsEmpty()) {
        window->updateArea = Intersect(Offset(window->updateArea, dx, dy), Rect{0, 0, w, h});
        std::vector<Rect> pieces;
        for (const Rect& piece : window->updatePieces) {
            const Rect moved = Intersect(Offset(piece, dx, dy), Rect{0, 0, w, h});
            if (!moved.IsEmpty()) pieces.push_back(moved);
        }
        window->updatePieces = std::move(pieces);
    }
    InvalidateRect(window, &uncovered, true);
    CurrentHost().Present(*window, Rect{0, 0, w, h});
    return true;
}

}  // namespace platform
