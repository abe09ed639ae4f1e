// platform/win32/win32_windows.h: our windows as the system's: top-level windows with their menu
// bar and scroll bar, BUTTON controls, the sunken status frame, and the window procedure that turns
// the system's messages into the core's input. Handles are kept as void* so that no header of ours
// needs the system's.
#pragma once

#include "platform/window.h"

namespace platform {

// Registers our window classes with the system; once, before any window is made.
void WIN_RegisterClasses();

// The system's window for one of ours (an HWND), or null.
void* WIN_HandleOf(const Window& window);

void WIN_CreateWindow(Window& window, int menuHeight);
void WIN_DestroyWindow(Window& window);
// Brings the system's window up to date with ours: place, size, text, shown, enabled, font.
void WIN_UpdateWindow(Window& window);
void WIN_RebuildMenu(Window& window);
void WIN_ShowScrollInfo(Window& window);
// Has the system repaint this part of a top-level window's client area (logical pixels) from its
// surface, now.
void WIN_PresentSurface(Window& window, const Rect& area);
// Whether the system may give input to our top-level windows: not while a message box is up.
void WIN_EnableTopLevelWindows(bool enable);

}  // namespace platform
