// platform/win32/win32_host.cpp: screen facts from the system at the screen's own scale, the clock,
// and the wait: MsgWaitForMultipleObjectsEx on the window messages and on the sockets the core
// watches, so an idle game takes no CPU.
#include "platform/win32/win32_host.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "platform/message_box.h"
#include "platform/sockets.h"
#include "platform/win32/win32_message_box.h"
#include "platform/win32/win32_windows.h"

// clang-format off
// The system's header comes after ours: it would turn the names ours share with it into macros.
#include <windows.h>
// clang-format on

namespace platform {

namespace {

int LogicalMetric(int metric, UINT dpi, double ratio) {
    return static_cast<int>(std::lround(GetSystemMetricsForDpi(metric, dpi) / ratio));
}

ScreenFacts ReadScreenFacts() {
    ScreenFacts facts;
    const UINT dpi = GetDpiForSystem();
    const double ratio = dpi / 96.0;
    facts.pixelRatio = ratio;
    // Sizes are logical, as the game lays out and plays at scale 1; the logical resolution stays
    // 96 dpi and the ratio carries the screen's own.
    facts.width = static_cast<int>(std::lround(GetSystemMetrics(SM_CXSCREEN) / ratio));
    facts.height = static_cast<int>(std::lround(GetSystemMetrics(SM_CYSCREEN) / ratio));
    HDC screen = GetDC(nullptr);
    facts.bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
    facts.planes = GetDeviceCaps(screen, PLANES);
    facts.widthMillimetres = GetDeviceCaps(screen, HORZSIZE);
    facts.heightMillimetres = GetDeviceCaps(screen, VERTSIZE);
    ReleaseDC(nullptr, screen);
    facts.logicalDpiX = 96;
    facts.logicalDpiY = 96;
    const int padding = GetSystemMetricsForDpi(SM_CXPADDEDBORDER, dpi);
    facts.frameX = static_cast<int>(
        std::lround((GetSystemMetricsForDpi(SM_CXSIZEFRAME, dpi) + padding) / ratio));
    facts.frameY = static_cast<int>(
        std::lround((GetSystemMetricsForDpi(SM_CYSIZEFRAME, dpi) + padding) / ratio));
    facts.fixedFrameX = static_cast<int>(
        std::lround((GetSystemMetricsForDpi(SM_CXFIXEDFRAME, dpi) + padding) / ratio));
    facts.fixedFrameY = static_cast<int>(
        std::lround((GetSystemMetricsForDpi(SM_CYFIXEDFRAME, dpi) + padding) / ratio));
    facts.captionHeight = LogicalMetric(SM_CYCAPTION, dpi, ratio);
    facts.menuHeight = LogicalMetric(SM_CYMENU, dpi, ratio);
    facts.verticalScrollWidth = LogicalMetric(SM_CXVSCROLL, dpi, ratio);
    facts.doubleClickMilliseconds = static_cast<int>(GetDoubleClickTime());
    facts.doubleClickWidth = LogicalMetric(SM_CXDOUBLECLK, dpi, ratio);
    facts.doubleClickHeight = LogicalMetric(SM_CYDOUBLECLK, dpi, ratio);
    // The sea's surround is the game's own colour on every desktop, not the player's wallpaper.
    facts.desktopColour = Rgb(58, 110, 165);
    return facts;
}

}  // namespace

Win32Host::Win32Host() : facts_(ReadScreenFacts()) { WIN_RegisterClasses(); }

Win32Host::~Win32Host() = default;

std::uint64_t Win32Host::TickMilliseconds() { return GetTickCount64(); }

std::int64_t Win32Host::CalendarSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

bool Win32Host::PumpMessages() {
    bool any = false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        any = true;
        if (message.message == WM_QUIT) continue;  // the core's own quit request ends the game
        if (WIN_IsMessageBoxMessage(&message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return any;
}

void Win32Host::WaitForMessagesOrSockets(std::uint32_t milliseconds) {
    // Asking what the sockets wait for sets their event at once when one is ready already; the
    // event also ends the wait when a name lookup is done.
    SocketsToWatch();
    HANDLE event = static_cast<HANDLE>(SocketsEvent());
    const DWORD count = event != nullptr ? 1 : 0;
    MsgWaitForMultipleObjectsEx(count, count != 0 ? &event : nullptr, milliseconds, QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
}

void Win32Host::WaitForInput(std::optional<std::uint64_t> untilTick) {
    if (ServiceSockets()) return;
    if (PumpMessages()) {
        ServiceSockets();
        return;
    }
    DWORD milliseconds = INFINITE;
    if (untilTick) {
        const std::uint64_t now = TickMilliseconds();
        if (*untilTick <= now) return;
        milliseconds = static_cast<DWORD>(std::min<std::uint64_t>(*untilTick - now, 1u << 30));
    }
    WaitForMessagesOrSockets(milliseconds);
    PumpMessages();
    ServiceSockets();
}

void Win32Host::PollInput() {
    PumpMessages();
    ServiceSockets();
}

void Win32Host::WindowCreated(Window& window) { WIN_CreateWindow(window, facts_.menuHeight); }

void Win32Host::WindowDestroyed(Window& window) { WIN_DestroyWindow(window); }

void Win32Host::WindowChanged(Window& window) { WIN_UpdateWindow(window); }

void Win32Host::MenuChanged(Window& window) { WIN_RebuildMenu(window); }

void Win32Host::ScrollBarChanged(Window& window) { WIN_ShowScrollInfo(window); }

void Win32Host::Present(Window& window, const Rect& area) { WIN_PresentSurface(window, area); }

void Win32Host::CaptureChanged(Window* window) {
    HWND handle = window != nullptr ? static_cast<HWND>(WIN_HandleOf(*window)) : nullptr;
    // A window that takes no input (the start-up picture) gets no capture of the system's: the
    // core routes the mouse to it all the same, and the desktop stays alive meanwhile.
    if (handle != nullptr && window->enabled) {
        ::SetCapture(handle);
    } else if (::GetCapture() != nullptr) {
        ::ReleaseCapture();
    }
}

void Win32Host::OpenMessageBox(const std::string& text, const std::string& caption, unsigned type) {
    WIN_OpenMessageBox(text, caption, type, false, std::string());
}

void Win32Host::OpenTextBox(const std::string& prompt, const std::string& caption,
                            const std::string& text) {
    WIN_OpenMessageBox(prompt, caption, MB_OKCANCEL, true, text);
}

bool Win32Host::MessageBoxOpen() { return WIN_MessageBoxUp(); }

int Win32Host::MessageBoxAnswer() { return WIN_MessageBoxAnswer(); }

std::string Win32Host::TextBoxText() { return WIN_MessageBoxText(); }

}  // namespace platform
