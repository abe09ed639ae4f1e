// platform/input.cpp: toolkit input turned into queued messages (capture, disabled windows and
// double-clicks decided here, once, for every host), and the mouse capture itself.
#include "platform/input.h"

#include <algorithm>
#include <cstdlib>

#include "platform/core_state.h"
#include "platform/messages.h"
#include "platform/scroll_bars.h"

namespace platform {

using core::Core;
using core::IsLive;

namespace {

bool AcceptsInput(Window* window) {
    for (Window* w = window; w != nullptr; w = (w->style & WS_CHILD) ? w->parent : nullptr) {
        if (!w->enabled) return false;
    }
    return true;
}

// The capture window, when there is one, takes the mouse; the point moves to its client area.
Window* MouseTarget(Window* window, int& x, int& y) {
    Window* capture = Core().capture;
    if (!IsLive(capture) || capture == window) return window;
    const Point from = core::ClientOriginOnScreen(*window);
    const Point to = core::ClientOriginOnScreen(*capture);
    x += from.x - to.x;
    y += from.y - to.y;
    return capture;
}

bool IsDoubleClick(Window* target, int x, int y, std::uint64_t now) {
    if (target->windowClass == nullptr || (target->windowClass->style & CS_DBLCLKS) == 0) {
        return false;
    }
    const core::LastPress& last = Core().lastLeftPress;
    const ScreenFacts facts = CurrentHost().Screen();
    return last.window == target &&
           now - last.time <= static_cast<std::uint64_t>(facts.doubleClickMilliseconds) &&
           std::abs(x - last.x) <= facts.doubleClickWidth / 2 &&
           std::abs(y - last.y) <= facts.doubleClickHeight / 2;
}

}  // namespace

void QueueMouseInput(Window* window, MouseAction action, int x, int y) {
    if (!IsLive(window)) return;
    Window* target = MouseTarget(window, x, y);
    if (!AcceptsInput(target)) return;

    const std::uint64_t now = CurrentHost().TickMilliseconds();
    std::uint32_t message = WM_MOUSEMOVE;
    switch (action) {
        case MouseAction::Move:
            message = WM_MOUSEMOVE;
            break;
        case MouseAction::LeftDown:
            if (IsDoubleClick(target, x, y, now)) {
                message = WM_LBUTTONDBLCLK;
                Core().lastLeftPress = core::LastPress{};
            } else {
                message = WM_LBUTTONDOWN;
                Core().lastLeftPress = core::LastPress{target, now, x, y};
            }
            break;
        case MouseAction::LeftUp:
            message = WM_LBUTTONUP;
            break;
        case MouseAction::RightDown:
            message = WM_RBUTTONDOWN;
            break;
        case MouseAction::RightUp:
            message = WM_RBUTTONUP;
            break;
    }
    core::QueueInput(Message{target, message, 0, MakePointParam(x, y), now});
}

void QueueMouseWheel(Window* window, int delta, int x, int y) {
    if (!IsLive(window) || delta == 0) return;
    Window* target = MouseTarget(window, x, y);
    if (!AcceptsInput(target)) return;
    // A toolkit may add up a fast spin beyond what the message's word holds.
    const auto turn =
        static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(delta, -32768, 32767)));
    core::QueueInput(Message{target, WM_MOUSEWHEEL, MakeLong(0, turn), MakePointParam(x, y),
                             CurrentHost().TickMilliseconds()});
}

void QueueMenuCommand(Window* window, int commandId) {
    if (!IsLive(window)) return;
    PostMessage(window, WM_COMMAND, MakeLong(static_cast<std::uint16_t>(commandId), 0), 0);
}

void QueueKeyInput(Window* window, WPARAM key) {
    // A picture that holds the mouse holds the keyboard too: keys meant for the game under it
    // would play on unseen.
    if (Window* capture = GetCapture();
        capture != nullptr && capture != window && capture->parent == nullptr) {
        window = capture;
    }
    if (!IsLive(window) || !IsWindowEnabled(window)) return;
    core::QueueInput(Message{window, WM_KEYDOWN, key, 0, CurrentHost().TickMilliseconds()});
}

void QueueCloseRequest(Window* window) {
    if (IsLive(window)) {
        core::QueueInput(
            Message{window, WM_SYSCOMMAND, SC_CLOSE, 0, CurrentHost().TickMilliseconds()});
    }
}

void QueueVerticalScroll(Window* window, int request, int position) {
    if (!IsLive(window)) return;
    if (request == SB_THUMBTRACK) window->verticalScroll.trackPos = position;
    const WPARAM value =
        MakeLong(static_cast<std::uint16_t>(request), static_cast<std::uint16_t>(position));
    core::QueueInput(Message{window, WM_VSCROLL, value, 0, CurrentHost().TickMilliseconds()});
}

Window* SetCapture(Window* window) {
    static bool notifying = false;
    Window* previous = Core().capture;
    if (!IsLive(window) || previous == window) return previous;
    // The mouse is the message box's while it waits; the box gives the capture back as it closes.
    if (Core().messageBoxesOpen > 0) return previous;
    Core().capture = window;
    CurrentHost().CaptureChanged(window);
    // A window that takes the capture back when it loses it must not start an endless exchange
    // with another that does the same: the one told last keeps it.
    if (IsLive(previous) && !notifying) {
        notifying = true;
        SendMessage(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
        notifying = false;
    }
    return previous;
}

bool ReleaseCapture() {
    Window* previous = Core().capture;
    if (previous == nullptr) return true;
    Core().capture = nullptr;
    CurrentHost().CaptureChanged(nullptr);
    if (IsLive(previous)) SendMessage(previous, WM_CAPTURECHANGED, 0, 0);
    return true;
}

Window* GetCapture() { return Core().capture; }

}  // namespace platform
