// platform/input.h: how hosts hand the toolkit's input to the core, and the mouse capture. Input
// becomes queued messages and nothing else: a host never calls a window procedure itself.
#pragma once

#include <cstdint>

#include "platform/window.h"

namespace platform {

enum class MouseAction { Move, LeftDown, LeftUp, RightDown, RightUp };

// Mouse input at a point of the window's client area. The core sends it to the capture window
// instead when there is one, drops it for a disabled window, and turns a second left press on a
// window whose class asks for double-clicks into WM_LBUTTONDBLCLK when it comes soon enough and
// near enough.
void QueueMouseInput(Window* window, MouseAction action, int x, int y);
// The wheel turned by delta (WHEEL_DELTA a notch, positive away from the player) over a point of
// the window's client area: WM_MOUSEWHEEL, to the capture window instead when there is one.
void QueueMouseWheel(Window* window, int delta, int x, int y);
// A menu item was chosen: WM_COMMAND with its id, posted to the window that owns the menu (the
// menu's own loop posts it, so it comes with the posted messages, before waiting input).
void QueueMenuCommand(Window* window, int commandId);
// A key pressed while the window has the keyboard: WM_KEYDOWN with the key (platform/
// virtual_keys.h). A top-level window holding the capture (a picture pop-up) gets it instead; a
// disabled window gets none.
void QueueKeyInput(Window* window, WPARAM key);
// The desktop asked to close the window (its close box or Alt+F4).
void QueueCloseRequest(Window* window);
// A scroll bar action on the window's vertical scroll bar (SB_ codes; position for tracking).
void QueueVerticalScroll(Window* window, int request, int position);

Window* SetCapture(Window* window);  // returns the previous capture window
bool ReleaseCapture();
Window* GetCapture();

}  // namespace platform
