// platform/window.h: window classes and windows. A window belongs to the core; its procedure
// receives every message sent or dispatched to it. Top-level windows own a backing surface of
// their client size that all their drawing goes to and that the host presents.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/drawing/bitmap.h"
#include "platform/types.h"

namespace platform {

struct Window;
struct Menu;
class ModuleResources;

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using WindowProc = LRESULT (*)(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam);

constexpr std::uint32_t CS_DBLCLKS = 0x0008;

constexpr std::uint32_t WS_OVERLAPPED = 0x00000000;
constexpr std::uint32_t WS_POPUP = 0x80000000;
constexpr std::uint32_t WS_CHILD = 0x40000000;
constexpr std::uint32_t WS_MINIMIZE = 0x20000000;
constexpr std::uint32_t WS_VISIBLE = 0x10000000;
constexpr std::uint32_t WS_DISABLED = 0x08000000;
constexpr std::uint32_t WS_CAPTION = 0x00C00000;
constexpr std::uint32_t WS_BORDER = 0x00800000;
constexpr std::uint32_t WS_VSCROLL = 0x00200000;
constexpr std::uint32_t WS_SYSMENU = 0x00080000;
constexpr std::uint32_t WS_THICKFRAME = 0x00040000;
constexpr std::uint32_t WS_MINIMIZEBOX = 0x00020000;
constexpr std::uint32_t WS_MAXIMIZEBOX = 0x00010000;

constexpr std::uint32_t WS_EX_STATICEDGE = 0x00020000;
constexpr std::uint32_t WS_EX_APPWINDOW = 0x00040000;

constexpr std::uint32_t BS_PUSHBUTTON = 0x0000;
constexpr std::uint32_t BS_CENTER = 0x0300;
constexpr std::uint32_t SS_GRAYFRAME = 0x0008;

constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

struct WindowClass {
    std::string name;
    std::uint32_t style = 0;
    WindowProc procedure = nullptr;
    const ModuleResources* instance = nullptr;
    int iconId = 0;  // 0: none
    bool hasBackground = false;
    ColourRef background = 0;
};

struct ScrollInfo {
    int min = 0;
    int max = 0;
    int page = 0;
    int pos = 0;
    int trackPos = 0;
};

struct Window {
    const WindowClass* windowClass = nullptr;
    WindowProc procedure = nullptr;
    std::string text;
    std::optional<LogFont> font;  // a button's caption font (WM_SETFONT); none: the toolkit's
    // A button's mnemonic: the letter of its caption that Alt with that letter presses, shown as
    // the toolkit shows mnemonics; 0 for none. The caption's text stays as it is.
    char mnemonic = 0;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    Window* parent = nullptr;  // for a child control
    Window* owner = nullptr;   // for a top-level window
    int id = 0;                // a child control's id
    Rect rect;                 // outer rectangle: screen pixels, or the parent's client pixels
    Rect clientInScreen;       // where the client area lies on the screen (top-level windows)
    int clientWidth = 0;
    int clientHeight = 0;
    bool visible = false;
    bool enabled = true;
    bool destroying = false;
    std::vector<Window*> children;
    Menu* menu = nullptr;
    bool hasVerticalScrollBar = false;
    ScrollInfo verticalScroll;
    // The backing surface of a top-level window's client area, at the scale of its screen: the
    // client size times the screen's device pixel ratio.
    Bitmap surface;
    Rect updateArea;  // marked for repainting, client pixels
    // The rectangles marked, apart, that updateArea bounds: a few small marks far from each other
    // (a cell, the status line, a ship) are painted without all that lies between them.
    std::vector<Rect> updatePieces;
    bool eraseRequested = false;  // the next paint first erases the background
    bool paintRequested = false;  // a paint request was fetched and not yet answered
    void* hostData = nullptr;     // the host's own object for this window
};

// Registers a class; false when a class of that name exists already (the first stays in force).
bool RegisterClassEx(const WindowClass& windowClass);

// Creates a window; its procedure receives WM_CREATE before this returns. For a top-level window
// parentOrOwner is its owner, for a WS_CHILD window its parent. The classes "BUTTON" and "STATIC"
// are built in. Returns null when the class is unknown or WM_CREATE answered -1.
Window* CreateWindowEx(std::uint32_t exStyle, const std::string& className, const std::string& text,
                       std::uint32_t style, int x, int y, int width, int height,
                       Window* parentOrOwner, int id, const ModuleResources* instance);
// Sends WM_DESTROY to the window and its children, then removes it and everything queued for it.
bool DestroyWindow(Window* window);
bool IsWindow(const Window* window);
LRESULT DefWindowProc(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam);

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;
bool ShowWindow(Window* window, int showCommand);

constexpr std::uint32_t SWP_NOSIZE = 0x0001;
constexpr std::uint32_t SWP_NOMOVE = 0x0002;
constexpr std::uint32_t SWP_NOZORDER = 0x0004;
constexpr std::uint32_t SWP_FRAMECHANGED = 0x0020;
inline Window* const HWND_TOP = nullptr;
bool SetWindowPos(Window* window, Window* insertAfter, int x, int y, int width, int height,
                  std::uint32_t flags);

bool GetClientRect(const Window* window, Rect* rect);
// The owner of a top-level window, the parent of a child.
Window* GetParent(const Window* window);
int GetDlgCtrlID(const Window* window);
bool EnableWindow(Window* window, bool enable);
// Gives a button its mnemonic (Window::mnemonic), a letter of its caption.
void SetMnemonic(Window* window, char letter);
bool IsWindowEnabled(const Window* window);

// Calls the callback for each child window in creation order until it returns false.
using EnumChildProc = bool (*)(Window* child, LPARAM value);
bool EnumChildWindows(Window* parent, EnumChildProc callback, LPARAM value);

// For hosts: the window now shows on a screen of this many device pixels per logical pixel. Its
// surface is made again at that resolution and all of it marked for repainting; nothing changes
// for the game, which places everything in logical pixels, but WM_DPICHANGED is posted to the
// window so it can fetch pictures drawn for the new ratio. Ratios are kept within 1 to 4.
void SetSurfaceScale(Window* window, double pixelRatio);

// The top-level windows that exist, in creation order (for hosts and tests).
std::vector<Window*> TopLevelWindows();

}  // namespace platform
