// platform/win32/win32_windows.cpp: top-level windows, controls, menus and scroll bars as the
// system's windows. Everything they report goes through the core's input functions.
#include "platform/win32/win32_windows.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "platform/drawing/bitmap.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "platform/wide_text.h"
#include "platform/win32/win32_message_box.h"
#include "platform/win32/win32_text.h"

// clang-format off
// The system's header comes after ours: it would turn the names ours share with it into macros.
#include <windows.h>
#include <windowsx.h>
// clang-format on

namespace platform {

namespace {

const wchar_t* const TopLevelClass = L"TidewrackWindow";
const wchar_t* const FrameClass = L"TidewrackFrame";
constexpr int FrameEdge = 2;  // the width of a sunken edge

// What the host keeps for each of our windows.
struct WindowData {
    HWND handle = nullptr;
    HMENU menu = nullptr;
    HFONT font = nullptr;  // a button's caption font, at its window's scale
    Rect placed;           // the logical client rectangle last given to the system
    double placedScale = 0;
};

WindowData* DataOf(const Window& window) { return static_cast<WindowData*>(window.hostData); }

Window* WindowOf(HWND handle) {
    return reinterpret_cast<Window*>(GetWindowLongPtrW(handle, GWLP_USERDATA));
}

bool IsTopLevel(const Window& window) { return (window.style & WS_CHILD) == 0; }

double ScaleOf(const Window& window) {
    const Window* top = IsTopLevel(window) ? &window : window.parent;
    return top != nullptr && top->surface.scale > 0 ? top->surface.scale : 1.0;
}

UINT DpiOf(double scale) { return static_cast<UINT>(std::lround(96 * scale)); }

int Logical(int device, double scale) { return LogicalEdgeAtOrBelow(device, scale); }

// The keys the game plays with, as the system names them; 0 for any other.
WPARAM GameKey(WPARAM key) {
    switch (key) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_SPACE:
        case VK_RETURN:
        case VK_ESCAPE:
            return key;
        default:
            break;
    }
    // Letters and digits are their capital ASCII codes in both.
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return key;
    return 0;
}

// A button's caption, its mnemonic marked as the system marks one (an ampersand before it).
std::wstring CaptionOf(const Window& window) {
    std::string caption;
    bool marked = window.mnemonic == 0;
    for (char c : window.text) {
        if (c == '&') caption += '&';
        if (!marked && std::toupper(static_cast<unsigned char>(c)) ==
                           std::toupper(static_cast<unsigned char>(window.mnemonic))) {
            caption += '&';
            marked = true;
        }
        caption += c;
    }
    return WideFromUtf8(caption);
}

void AddItems(HMENU menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (item.separator) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const std::wstring text = WideFromUtf8(item.text);
        const UINT state = (item.checked ? MF_CHECKED : 0u) | (item.grayed ? MF_GRAYED : 0u);
        if (!item.items.empty()) {
            HMENU submenu = CreatePopupMenu();
            AddItems(submenu, item.items);
            AppendMenuW(menu, MF_POPUP | state, reinterpret_cast<UINT_PTR>(submenu), text.c_str());
        } else {
            AppendMenuW(menu, MF_STRING | state, static_cast<UINT_PTR>(item.id), text.c_str());
        }
    }
}

// Presents the part of the surface the system asks for.
void PaintSurface(HWND handle, Window& window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(handle, &paint);
    const Bitmap& surface = window.surface;
    const Rect area = Intersect(
        Rect{paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom},
        surface.Bounds());
    if (!area.IsEmpty() && !surface.IsMonochrome()) {
        // The rows of the area alone, as a top-down picture of the surface's width.
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = surface.width;
        info.bmiHeader.biHeight = -area.Height();
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc, area.left, area.top, static_cast<DWORD>(area.Width()),
                          static_cast<DWORD>(area.Height()), area.left, 0, 0,
                          static_cast<UINT>(area.Height()), surface.Row(area.top), &info,
                          DIB_RGB_COLORS);
    }
    EndPaint(handle, &paint);
}

void QueueMouse(Window& window, MouseAction action, LPARAM position) {
    const double scale = ScaleOf(window);
    QueueMouseInput(&window, action, Logical(GET_X_LPARAM(position), scale),
                    Logical(GET_Y_LPARAM(position), scale));
}

// A click on a button becomes the press and release the core turns into its command, and the
// keyboard goes back to the main window: Space and Return there aim and place, not press the
// button again.
void QueueButtonClick(HWND parent, HWND button) {
    Window* control = WindowOf(button);
    if (control == nullptr) return;
    const int x = control->rect.Width() / 2;
    const int y = control->rect.Height() / 2;
    QueueMouseInput(control, MouseAction::LeftDown, x, y);
    QueueMouseInput(control, MouseAction::LeftUp, x, y);
    SetFocus(parent);
}

// Alt with a button's mnemonic presses it, as the classic desktop's dialogs do.
bool PressMnemonic(Window& window, WPARAM character) {
    const int wanted = std::toupper(static_cast<int>(character & 0xFF));
    for (Window* child : window.children) {
        if (child->mnemonic == 0 || !child->visible || !child->enabled) continue;
        if (std::toupper(static_cast<unsigned char>(child->mnemonic)) != wanted) continue;
        if (WindowData* data = DataOf(*child)) SendMessageW(data->handle, BM_CLICK, 0, 0);
        return true;
    }
    return false;
}

void ScrollTo(HWND handle, Window& window, WPARAM request) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(handle, SB_VERT, &info);
    QueueVerticalScroll(&window, LOWORD(request), info.nTrackPos);
}

void Place(Window& window);

// The window came onto a screen of another scale: its surface is made again there (and the core
// tells the game), its size follows the scale, and so do its controls and their fonts.
void ChangeScale(HWND handle, Window& window, UINT dpi, const RECT& suggested) {
    SetSurfaceScale(&window, dpi / 96.0);
    if (WindowData* data = DataOf(window)) {
        data->placed = window.clientInScreen;
        data->placedScale = ScaleOf(window);
    }
    RECT frame{0, 0, window.surface.width, window.surface.height};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongW(handle, GWL_STYLE)),
                             GetMenu(handle) != nullptr,
                             static_cast<DWORD>(GetWindowLongW(handle, GWL_EXSTYLE)), dpi);
    if (window.hasVerticalScrollBar) frame.right += GetSystemMetricsForDpi(SM_CXVSCROLL, dpi);
    SetWindowPos(handle, nullptr, suggested.left, suggested.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (Window* child : window.children) WIN_UpdateWindow(*child);
    InvalidateRect(handle, nullptr, FALSE);
}

LRESULT CALLBACK TopLevelProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = WindowOf(handle);
    if (window == nullptr) return DefWindowProcW(handle, message, wParam, lParam);
    switch (message) {
        case WM_PAINT:
            PaintSurface(handle, *window);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the surface covers the whole client area
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:  // the core decides what a second press is
            QueueMouse(*window, MouseAction::LeftDown, lParam);
            return 0;
        case WM_LBUTTONUP:
            QueueMouse(*window, MouseAction::LeftUp, lParam);
            return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            QueueMouse(*window, MouseAction::RightDown, lParam);
            return 0;
        case WM_RBUTTONUP:
            QueueMouse(*window, MouseAction::RightUp, lParam);
            return 0;
        case WM_KEYDOWN:
            // Keys with Alt come as WM_SYSKEYDOWN and stay the system's (menus, mnemonics,
            // Alt+F4); so do keys with Ctrl.
            if (const WPARAM key = GameKey(wParam); key != 0 && GetKeyState(VK_CONTROL) >= 0) {
                QueueKeyInput(window, key);
                return 0;
            }
            break;
        case WM_SYSCHAR:
            if (PressMnemonic(*window, wParam)) return 0;
            break;
        case WM_COMMAND:
            if (lParam != 0) {
                if (HIWORD(wParam) == BN_CLICKED)
                    QueueButtonClick(handle, reinterpret_cast<HWND>(lParam));
            } else if (HIWORD(wParam) == 0) {
                QueueMenuCommand(window, LOWORD(wParam));
            }
            return 0;
        case WM_VSCROLL:
            ScrollTo(handle, *window, wParam);
            return 0;
        case WM_CLOSE:
            // The desktop's close request goes through the game's own default handling.
            QueueCloseRequest(window);
            return 0;
        case WM_MOUSEACTIVATE:
            // A picture pop-up asks for no focus of its own: the core routes keys to it while it
            // holds the mouse, and the main window keeps the keyboard when it closes.
            if ((window->style & WS_CAPTION) != WS_CAPTION) return MA_NOACTIVATE;
            break;
        case WM_DPICHANGED:
            ChangeScale(handle, *window, HIWORD(wParam), *reinterpret_cast<RECT*>(lParam));
            return 0;
        default:
            break;
    }
    return DefWindowProcW(handle, message, wParam, lParam);
}

// The status line's sunken edge. Its window is the edge alone (a region without the inside), so
// the main window's surface shows through and the status text drawn there stays the game's.
LRESULT CALLBACK FrameProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(handle, &paint);
            RECT edge;
            GetClientRect(handle, &edge);
            DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
            EndPaint(handle, &paint);
            return 0;
        }
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        default:
            return DefWindowProcW(handle, message, wParam, lParam);
    }
}

void ShapeFrame(HWND handle, int width, int height, double scale) {
    const int edge = std::max(1, static_cast<int>(std::lround(FrameEdge * scale)));
    HRGN outer = CreateRectRgn(0, 0, width, height);
    HRGN inner =
        CreateRectRgn(edge, edge, std::max(edge, width - edge), std::max(edge, height - edge));
    CombineRgn(outer, outer, inner, RGN_DIFF);
    DeleteObject(inner);
    SetWindowRgn(handle, outer, TRUE);  // the system owns the region from here
}

DWORD TopLevelStyle(const Window& window) {
    DWORD style = WS_CLIPCHILDREN;
    if ((window.style & WS_CAPTION) == WS_CAPTION) {
        style |= WS_CAPTION | (window.style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    } else {
        style |= WS_POPUP;
    }
    if (window.hasVerticalScrollBar) style |= WS_VSCROLL;
    return style;
}

// Puts the client area where the core has it, at the size of its surface; only when the core
// moved it, so that a window the player dragged stays where it was put.
void Place(Window& window) {
    WindowData* data = DataOf(window);
    const double scale = ScaleOf(window);
    if (data->placedScale == scale && data->placed == window.clientInScreen) return;
    data->placed = window.clientInScreen;
    data->placedScale = scale;
    const UINT dpi = DpiOf(scale);
    const int width = DeviceEdge(window.clientWidth, scale);
    const int height = DeviceEdge(window.clientHeight, scale);
    const DWORD style = static_cast<DWORD>(GetWindowLongW(data->handle, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(data->handle, GWL_EXSTYLE));
    const int scrollWidth =
        window.hasVerticalScrollBar ? GetSystemMetricsForDpi(SM_CXVSCROLL, dpi) : 0;
    const int left = DeviceEdge(window.clientInScreen.left, scale);
    const int top = DeviceEdge(window.clientInScreen.top, scale);
    // A menu bar that wraps takes more than one line: a second try gives the client its height.
    for (int attempt = 0; attempt < 2; ++attempt) {
        RECT frame{left, top, left + width, top + height};
        AdjustWindowRectExForDpi(&frame, style, data->menu != nullptr, exStyle, dpi);
        RECT client{};
        if (attempt == 1) {
            GetClientRect(data->handle, &client);
            frame.bottom += height - client.bottom;
        }
        SetWindowPos(data->handle, nullptr, frame.left, frame.top,
                     frame.right - frame.left + scrollWidth, frame.bottom - frame.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        GetClientRect(data->handle, &client);
        if (client.bottom == height) break;
    }
}

void CreateTopLevel(Window& window, WindowData& data) {
    HWND owner = window.owner != nullptr ? static_cast<HWND>(WIN_HandleOf(*window.owner)) : nullptr;
    const std::wstring title = WideFromUtf8(window.text);
    data.handle = CreateWindowExW(0, TopLevelClass, title.c_str(), TopLevelStyle(window), 0, 0, 1,
                                  1, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (data.handle == nullptr) return;
    SetWindowLongPtrW(data.handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&window));
    const WindowClass* windowClass = window.windowClass;
    if (windowClass != nullptr && windowClass->iconId != 0) {
        // The program's icon among its own resources, where the build put it.
        HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(windowClass->iconId));
        if (icon != nullptr) {
            SendMessageW(data.handle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
            SendMessageW(data.handle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        }
    }
    Place(window);
}

void CreateControl(Window& window, WindowData& data) {
    HWND parent =
        window.parent != nullptr ? static_cast<HWND>(WIN_HandleOf(*window.parent)) : nullptr;
    if (parent == nullptr) return;
    const bool button = window.windowClass != nullptr && window.windowClass->name == "BUTTON";
    const std::wstring caption = button ? CaptionOf(window) : std::wstring();
    const DWORD style = WS_CHILD | (button ? (WS_TABSTOP | BS_PUSHBUTTON) : 0u);
    data.handle =
        CreateWindowExW(0, button ? L"BUTTON" : FrameClass, caption.c_str(), style, 0, 0, 1, 1,
                        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(window.id)),
                        GetModuleHandleW(nullptr), nullptr);
    if (data.handle != nullptr)
        SetWindowLongPtrW(data.handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&window));
}

void UpdateControl(Window& window, WindowData& data) {
    const double scale = ScaleOf(window);
    const Rect device = DeviceRect(window.rect, scale);
    SetWindowPos(data.handle, nullptr, device.left, device.top, device.Width(), device.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const bool button = window.windowClass != nullptr && window.windowClass->name == "BUTTON";
    if (button) {
        SetWindowTextW(data.handle, CaptionOf(window).c_str());
        // The caption in the font the game gave it, the very one its text is measured in.
        HFONT font = window.font ? static_cast<HFONT>(WIN_CreateFont(*window.font, scale))
                                 : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        SendMessageW(data.handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (data.font != nullptr) DeleteObject(data.font);
        data.font = window.font ? font : nullptr;
    } else {
        ShapeFrame(data.handle, device.Width(), device.Height(), scale);
    }
    // The system would hand the focus of a control being disabled to nothing; keys pressed
    // meanwhile must reach the main window, where they do nothing during a salvo.
    if (!window.enabled && GetFocus() == data.handle) SetFocus(GetParent(data.handle));
    EnableWindow(data.handle, window.enabled ? TRUE : FALSE);
    ShowWindow(data.handle, window.visible ? SW_SHOWNA : SW_HIDE);
}

void UpdateTopLevel(Window& window, WindowData& data) {
    SetWindowTextW(data.handle, WideFromUtf8(window.text).c_str());
    Place(window);
    EnableWindow(data.handle, window.enabled && !WIN_MessageBoxUp() ? TRUE : FALSE);
    const bool appearing = window.visible && !IsWindowVisible(data.handle);
    const bool captioned = (window.style & WS_CAPTION) == WS_CAPTION;
    if (!window.visible) {
        ShowWindow(data.handle, SW_HIDE);
        return;
    }
    // A captioned window comes up active with the keyboard, as the board plays by keys from the
    // start; a picture pop-up asks for none.
    ShowWindow(data.handle, captioned ? SW_SHOW : SW_SHOWNOACTIVATE);
    SetWindowPos(data.handle, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | (captioned ? 0u : SWP_NOACTIVATE));
    if (appearing && captioned) {
        SetForegroundWindow(data.handle);
        SetFocus(data.handle);
    }
}

}  // namespace

void WIN_RegisterClasses() {
    WNDCLASSEXW top{};
    top.cbSize = sizeof(top);
    top.lpfnWndProc = TopLevelProc;
    top.hInstance = GetModuleHandleW(nullptr);
    top.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    top.lpszClassName = TopLevelClass;
    RegisterClassExW(&top);
    WNDCLASSEXW frame{};
    frame.cbSize = sizeof(frame);
    frame.lpfnWndProc = FrameProc;
    frame.hInstance = GetModuleHandleW(nullptr);
    frame.lpszClassName = FrameClass;
    RegisterClassExW(&frame);
}

void* WIN_HandleOf(const Window& window) {
    const WindowData* data = DataOf(window);
    return data != nullptr ? data->handle : nullptr;
}

void WIN_CreateWindow(Window& window, int) {
    auto* data = new WindowData;
    window.hostData = data;
    if (IsTopLevel(window)) {
        CreateTopLevel(window, *data);
    } else {
        CreateControl(window, *data);
        if (data->handle != nullptr) UpdateControl(window, *data);
    }
}

void WIN_DestroyWindow(Window& window) {
    WindowData* data = DataOf(window);
    window.hostData = nullptr;
    if (data == nullptr) return;
    if (data->handle != nullptr) {
        SetWindowLongPtrW(data->handle, GWLP_USERDATA, 0);
        if (::GetCapture() == data->handle) ::ReleaseCapture();
        DestroyWindow(data->handle);  // its menu goes with it
    }
    if (data->font != nullptr) DeleteObject(data->font);
    delete data;
}

void WIN_UpdateWindow(Window& window) {
    WindowData* data = DataOf(window);
    if (data == nullptr || data->handle == nullptr) return;
    if (IsTopLevel(window)) {
        UpdateTopLevel(window, *data);
    } else {
        UpdateControl(window, *data);
    }
}

void WIN_RebuildMenu(Window& window) {
    WindowData* data = DataOf(window);
    if (data == nullptr || data->handle == nullptr || !IsTopLevel(window)) return;
    HMENU menu = nullptr;
    if (window.menu != nullptr) {
        menu = CreateMenu();
        AddItems(menu, window.menu->items);
    }
    SetMenu(data->handle, menu);
    if (data->menu != nullptr) DestroyMenu(data->menu);
    data->menu = menu;
    DrawMenuBar(data->handle);
    data->placedScale = 0;  // the client area must keep its size under the new bar
    Place(window);
}

void WIN_ShowScrollInfo(Window& window) {
    WindowData* data = DataOf(window);
    if (data == nullptr || data->handle == nullptr || !window.hasVerticalScrollBar) return;
    const ScrollInfo& model = window.verticalScroll;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = model.min;
    info.nMax = model.max;
    info.nPage = static_cast<UINT>(std::max(0, model.page));
    info.nPos = model.pos;
    SetScrollInfo(data->handle, SB_VERT, &info, TRUE);
}

void WIN_PresentSurface(Window& window, const Rect& area) {
    WindowData* data = DataOf(window);
    if (data == nullptr || data->handle == nullptr || !IsTopLevel(window)) return;
    const Rect device = DeviceRect(area, ScaleOf(window));
    const RECT rect{device.left, device.top, device.right, device.bottom};
    InvalidateRect(data->handle, &rect, FALSE);
    // Shown now, not when the program next waits: a salvo shows each shot before its sound.
    UpdateWindow(data->handle);
}

void WIN_EnableTopLevelWindows(bool enable) {
    for (Window* window : TopLevelWindows()) {
        if (HWND handle = static_cast<HWND>(WIN_HandleOf(*window)))
            EnableWindow(handle, enable && window->enabled ? TRUE : FALSE);
    }
}

}  // namespace platform
