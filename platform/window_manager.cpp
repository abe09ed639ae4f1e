// platform/window_manager.cpp: window classes, creation and destruction, geometry and the
// default handling every window procedure falls back on.
#include <algorithm>

#include "platform/core_state.h"
#include "platform/drawing/drawing.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "platform/messages.h"
#include "platform/repaint.h"
#include "platform/screen.h"
#include "platform/window.h"

namespace platform {

void RegisterBuiltInControlClasses();  // controls.cpp

namespace core {

FrameSizes FrameOf(const Window& window) {
    FrameSizes frame;
    if ((window.style & WS_CHILD) != 0 || HostOrNull() == nullptr) return frame;
    const ScreenFacts facts = CurrentHost().Screen();
    if ((window.style & WS_CAPTION) == WS_CAPTION) {
        // Captioned windows get the sizing-border width all round: the main window's geometry
        // (placed at minus the frame, the frame added twice to the size) relies on it.
        frame.left = frame.right = facts.frameX;
        frame.top = frame.bottom = facts.frameY;
        frame.top += facts.captionHeight;
    }
    if (window.menu != nullptr) frame.top += facts.menuHeight;
    if (window.hasVerticalScrollBar) frame.right += facts.verticalScrollWidth;
    return frame;
}

void UpdateClientArea(Window& window) {
    const FrameSizes frame = FrameOf(window);
    const int width = std::max(0, window.rect.Width() - frame.left - frame.right);
    const int height = std::max(0, window.rect.Height() - frame.top - frame.bottom);
    window.clientWidth = width;
    window.clientHeight = height;
    window.clientInScreen =
        Rect{window.rect.left + frame.left, window.rect.top + frame.top,
             window.rect.left + frame.left + width, window.rect.top + frame.top + height};
    if ((window.style & WS_CHILD) != 0) return;
    ResizeSurface(window, window.surface.scale);
}

void ResizeSurface(Window& window, double scale) {
    Bitmap& surface = window.surface;
    const int width = DeviceEdge(window.clientWidth, scale);
    const int height = DeviceEdge(window.clientHeight, scale);
    if (surface.width == width && surface.height == height && surface.bitsPerPixel == 32 &&
        surface.scale == scale) {
        return;
    }
    const Pixel fill = window.windowClass != nullptr && window.windowClass->hasBackground
                           ? PixelOf(window.windowClass->background)
                           : 0;
    Bitmap resized;
    resized.width = width;
    resized.height = height;
    resized.bitsPerPixel = 32;
    resized.scale = scale;
    resized.pixels.assign(static_cast<std::size_t>(width) * height, fill);
    // What was drawn stays where it was; at another scale nothing of it fits, and all is painted.
    if (surface.scale == scale) {
        for (int y = 0; y < std::min(height, surface.height); ++y) {
            std::copy_n(surface.Row(y), std::min(width, surface.width), resized.Row(y));
        }
    }
    surface = std::move(resized);
}

double ClampedRatio(double ratio) {
    if (!(ratio >= 1.0)) return 1.0;  // NaN too
    return std::min(ratio, 4.0);
}

Point ClientOriginOnScreen(const Window& window) {
    if ((window.style & WS_CHILD) != 0 && window.parent != nullptr) {
        const Point parent = ClientOriginOnScreen(*window.parent);
        return Point{parent.x + window.rect.left, parent.y + window.rect.top};
    }
    return Point{window.clientInScreen.left, window.clientInScreen.top};
}

void CollectDestroyedWindows() {
    if (Core().dispatchDepth == 0) Core().destroyed.clear();
}

}  // namespace core

using core::Core;
using core::IsLive;

bool RegisterClassEx(const WindowClass& windowClass) {
    auto& classes = Core().classes;
    if (windowClass.name.empty() || classes.count(windowClass.name) > 0) return false;
    classes[windowClass.name] = std::make_unique<WindowClass>(windowClass);
    return true;
}

Window* CreateWindowEx(std::uint32_t exStyle, const std::string& className, const std::string& text,
                       std::uint32_t style, int x, int y, int width, int height,
                       Window* parentOrOwner, int id, const ModuleResources* /*instance*/) {
    RegisterBuiltInControlClasses();
    auto found = Core().classes.find(className);
    if (found == Core().classes.end()) return nullptr;
    if (parentOrOwner != nullptr && !IsLive(parentOrOwner)) return nullptr;
    if ((style & WS_CHILD) != 0 && parentOrOwner == nullptr) return nullptr;

    auto* window = new Window;
    window->windowClass = found->second.get();
    window->procedure = window->windowClass->procedure;
    window->text = text;
    window->style = style;
    window->exStyle = exStyle;
    window->id = (style & WS_CHILD) != 0 ? id : 0;
    window->rect = Rect{x, y, x + width, y + height};
    window->visible = (style & WS_VISIBLE) != 0;
    window->enabled = (style & WS_DISABLED) == 0;
    window->hasVerticalScrollBar = (style & WS_VSCROLL) != 0;
    if ((style & WS_CHILD) != 0) {
        window->parent = parentOrOwner;
        parentOrOwner->children.push_back(window);
    } else {
        window->owner = parentOrOwner;
        Core().topLevel.push_back(window);
    }
    Core().live.insert(window);
    if ((style & WS_CHILD) == 0)
        window->surface.scale = core::ClampedRatio(CurrentHost().Screen().pixelRatio);
    core::UpdateClientArea(*window);
    CurrentHost().WindowCreated(*window);

    if (SendMessage(window, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(window);
        return nullptr;
    }
    if (!IsLive(window)) return nullptr;
    SendMessage(window, WM_SIZE, 0, MakePointParam(window->clientWidth, window->clientHeight));
    if (window->visible) InvalidateRect(window, nullptr, true);
    return window;
}

namespace {

void SendDestroyMessages(Window* window) {
    window->destroying = true;
    SendMessage(window, WM_DESTROY, 0, 0);
    for (Window* child : std::vector<Window*>(window->children)) {
        if (IsLive(child)) SendDestroyMessages(child);
    }
}

void Forget(Window* window) {
    for (Window* child : window->children) Forget(child);
    core::ForgetMessagesFor(window);
    auto& timers = Core().timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [window](const core::Timer& t) { return t.window == window; }),
                 timers.end());
    if (Core().capture == window) {
        Core().capture = nullptr;
        CurrentHost().CaptureChanged(nullptr);
    }
    if (Core().lastLeftPress.window == window) Core().lastLeftPress = core::LastPress{};
    CurrentHost().WindowDestroyed(*window);
    Core().live.erase(window);
}

}  // namespace

bool DestroyWindow(Window* window) {
    if (!IsLive(window) || window->destroying) return false;
    // Owned windows go first, as on the classic desktop.
    for (Window* other : std::vector<Window*>(Core().topLevel)) {
        if (IsLive(other) && other->owner == window) DestroyWindow(other);
    }
    SendDestroyMessages(window);
    if (!IsLive(window)) return true;
    Forget(window);
    auto& topLevel = Core().topLevel;
    topLevel.erase(std::remove(topLevel.begin(), topLevel.end(), window), topLevel.end());
    if (window->parent != nullptr && IsLive(window->parent)) {
        auto& siblings = window->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    }
    std::vector<Window*> all{window};
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (Window* child : all[i]->children) all.push_back(child);
    }
    for (Window* w : all) Core().destroyed.emplace_back(w);
    return true;
}

bool IsWindow(const Window* window) { return IsLive(window); }

LRESULT DefWindowProc(Window* window, std::uint32_t message, WPARAM wParam, LPARAM) {
    if (!IsLive(window)) return 0;
    switch (message) {
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) SendMessage(window, WM_CLOSE, 0, 0);
            return 0;
        case WM_PAINT: {
            PaintStruct paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_ERASEBKGND: {
            auto* dc = reinterpret_cast<DeviceContext*>(wParam);
            if (dc == nullptr || window->windowClass == nullptr ||
                !window->windowClass->hasBackground) {
                return 0;
            }
            FillRect(dc, dc->DrawableArea(), window->windowClass->background);
            return 1;
        }
        default:
            return 0;
    }
}

bool ShowWindow(Window* window, int showCommand) {
    if (!IsLive(window)) return false;
    const bool wasVisible = window->visible;
    window->visible = showCommand != SW_HIDE;
    if (window->visible != wasVisible) {
        CurrentHost().WindowChanged(*window);
        if (window->visible) InvalidateRect(window, nullptr, true);
    }
    return wasVisible;
}

bool SetWindowPos(Window* window, Window* /*insertAfter*/, int x, int y, int width, int height,
                  std::uint32_t flags) {
    if (!IsLive(window)) return false;
    SendMessage(window, WM_WINDOWPOSCHANGING, 0, 0);
    Rect rect = window->rect;
    if ((flags & SWP_NOMOVE) == 0) rect = Offset(rect, x - rect.left, y - rect.top);
    if ((flags & SWP_NOSIZE) == 0) {
        rect.right = rect.left + width;
        rect.bottom = rect.top + height;
    }
    const bool resized =
        rect.Width() != window->rect.Width() || rect.Height() != window->rect.Height();
    window->rect = rect;
    core::UpdateClientArea(*window);
    CurrentHost().WindowChanged(*window);
    if (resized || (flags & SWP_FRAMECHANGED) != 0) {
        SendMessage(window, WM_SIZE, 0, MakePointParam(window->clientWidth, window->clientHeight));
    }
    return true;
}

bool GetClientRect(const Window* window, Rect* rect) {
    if (!IsLive(window) || rect == nullptr) return false;
    *rect = Rect{0, 0, window->clientWidth, window->clientHeight};
    return true;
}

Window* GetParent(const Window* window) {
    if (!IsLive(window)) return nullptr;
    return (window->style & WS_CHILD) != 0 ? window->parent : window->owner;
}

int GetDlgCtrlID(const Window* window) { return IsLive(window) ? window->id : 0; }

bool EnableWindow(Window* window, bool enable) {
    if (!IsLive(window)) return false;
    const bool wasDisabled = !window->enabled;
    if (window->enabled != enable) {
        window->enabled = enable;
        if (!enable && Core().capture == window) ReleaseCapture();
        CurrentHost().WindowChanged(*window);
    }
    return wasDisabled;
}

bool IsWindowEnabled(const Window* window) { return IsLive(window) && window->enabled; }

void SetMnemonic(Window* window, char letter) {
    if (!IsLive(window) || window->mnemonic == letter) return;
    window->mnemonic = letter;
    CurrentHost().WindowChanged(*window);
}

bool EnumChildWindows(Window* parent, EnumChildProc callback, LPARAM value) {
    if (!IsLive(parent) || callback == nullptr) return false;
    for (Window* child : std::vector<Window*>(parent->children)) {
        if (IsLive(child) && !callback(child, value)) break;
    }
    return true;
}

void SetSurfaceScale(Window* window, double pixelRatio) {
    if (!IsLive(window) || (window->style & WS_CHILD) != 0) return;
    const double scale = core::ClampedRatio(pixelRatio);
    if (scale == window->surface.scale) return;
    core::ResizeSurface(*window, scale);
    InvalidateRect(window, nullptr, true);
    // The game may have pictures with more pixels for the new screen; a window that draws only
    // what it is given ignores the message.
    PostMessage(window, WM_DPICHANGED, 0, 0);
}

std::vector<Window*> TopLevelWindows() { return Core().topLevel; }

}  // namespace platform
