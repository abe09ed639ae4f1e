// platform/messages.h: the one message queue of the program's thread. Messages are taken in the
// order they were posted; a paint request is produced for a window with a marked area, and a
// timer message for a due timer, only when nothing else waits. Fetching waits without using CPU.
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "platform/window.h"

namespace platform {

constexpr std::uint32_t WM_NULL = 0x0000;
constexpr std::uint32_t WM_CREATE = 0x0001;
constexpr std::uint32_t WM_DESTROY = 0x0002;
constexpr std::uint32_t WM_SIZE = 0x0005;
constexpr std::uint32_t WM_PAINT = 0x000F;
constexpr std::uint32_t WM_CLOSE = 0x0010;
constexpr std::uint32_t WM_QUIT = 0x0012;
constexpr std::uint32_t WM_ERASEBKGND = 0x0014;
// To a button: wParam the Font* its caption is drawn in (null: the toolkit's own). The button
// keeps a copy of the description, so the sender may delete the font at once.
constexpr std::uint32_t WM_SETFONT = 0x0030;
constexpr std::uint32_t WM_WINDOWPOSCHANGING = 0x0046;
constexpr std::uint32_t WM_KEYDOWN = 0x0100;
constexpr std::uint32_t WM_KEYUP = 0x0101;
constexpr std::uint32_t WM_CHAR = 0x0102;
constexpr std::uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr std::uint32_t WM_SYSKEYUP = 0x0105;
constexpr std::uint32_t WM_COMMAND = 0x0111;
constexpr std::uint32_t WM_SYSCOMMAND = 0x0112;
constexpr std::uint32_t WM_TIMER = 0x0113;
constexpr std::uint32_t WM_VSCROLL = 0x0115;
constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr std::uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
constexpr std::uint32_t WM_RBUTTONDBLCLK = 0x0206;
// The wheel turned over a window: wParam's high word the turn, signed, in steps of WHEEL_DELTA
// (positive away from the player); lParam the point in the window's client area.
constexpr std::uint32_t WM_MOUSEWHEEL = 0x020A;
constexpr std::uint32_t WM_CAPTURECHANGED = 0x0215;
// A socket's event (platform/sockets.h): wParam the socket, lParam the event and error. In the
// range the classic desktop left to programs, as its asynchronous sockets' message was.
constexpr std::uint32_t WM_SOCKET = 0x8001;

// Posted to a top-level window whose screen's pixel ratio changed (moved to another screen, or
// the screen rescaled): its surface is already at the new ratio and wholly marked for painting.
constexpr std::uint32_t WM_DPICHANGED = 0x02E0;

constexpr int WHEEL_DELTA = 120;  // one notch of a common wheel
constexpr WPARAM SC_CLOSE = 0xF060;
constexpr WPARAM BN_CLICKED = 0;

struct Message {
    Window* window = nullptr;
    std::uint32_t message = WM_NULL;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::uint64_t time = 0;
};

// Waits for the next message for the window (and its children; null: any window) within the
// range (0, 0: any message). Returns false for the quit request, true otherwise.
bool GetMessage(Message* message, Window* window, std::uint32_t first, std::uint32_t last);

constexpr std::uint32_t PM_NOREMOVE = 0;
constexpr std::uint32_t PM_REMOVE = 1;
// Like GetMessage without waiting: false when nothing matching waits.
bool PeekMessage(Message* message, Window* window, std::uint32_t first, std::uint32_t last,
                 std::uint32_t remove);

LRESULT DispatchMessage(const Message* message);
bool PostMessage(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam);
// Runs the window's procedure at once and returns its result.
LRESULT SendMessage(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam);
// Posts the quit request; its wParam carries the exit code.
void PostQuitMessage(int exitCode);
// True when a posted message or waiting input matches; nothing is taken and nothing waited for.
bool IsMessageWaiting(bool (*matches)(const Message& message));

// A mouse message's position: x in the low 16 bits, y in the high 16 bits, both unsigned.
constexpr LPARAM MakePointParam(int x, int y) {
    return static_cast<LPARAM>(
        MakeLong(static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)));
}

// Empties the queue and forgets every window, class, timer and capture (between test runs).
void ResetMessageQueue();

}  // namespace platform
