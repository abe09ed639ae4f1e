// platform/host.h: what the portable core needs of the system underneath it. A host turns the
// toolkit's events into queued messages (through input.h) and shows what the core draws; it never
// calls game code. Hosts: QtHost (real windows), TestHost (headless, deterministic).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/types.h"

namespace platform {

struct Window;

// Facts about the screen and the window frames, in pixels.
struct ScreenFacts {
    int width = 1024;
    int height = 768;
    int bitsPerPixel = 32;
    int planes = 1;
    int logicalDpiX = 96;
    int logicalDpiY = 96;
    int widthMillimetres = 271;
    int heightMillimetres = 203;
    int frameX = 4;  // sizing border
    int frameY = 4;
    int fixedFrameX = 3;  // border of a window with a caption but no sizing border
    int fixedFrameY = 3;
    int captionHeight = 19;
    int menuHeight = 19;
    int verticalScrollWidth = 17;
    int doubleClickMilliseconds = 500;
    int doubleClickWidth = 4;
    int doubleClickHeight = 4;
    ColourRef desktopColour = Rgb(58, 110, 165);
    // Device pixels per logical pixel on the screen the program starts on; every size above is
    // logical. A window that moves to a screen of another ratio is told by SetSurfaceScale.
    double pixelRatio = 1.0;
};

class Host {
  public:
    virtual ~Host() = default;

    virtual ScreenFacts Screen() const = 0;

    // Milliseconds on a steady clock: timers and double-clicks are measured on it.
    virtual std::uint64_t TickMilliseconds() = 0;
    // The calendar time in whole seconds, as the standard library's time() gives it.
    virtual std::int64_t CalendarSeconds() = 0;

    // Blocks, using no CPU, until the toolkit has input to queue or the tick is reached (no tick:
    // until input). Queues what arrived through input.h before returning.
    virtual void WaitForInput(std::optional<std::uint64_t> untilTick) = 0;
    // Queues toolkit input that has already arrived, without waiting.
    virtual void PollInput() = 0;

    // Window life and looks. The core owns the window; the host shows it.
    virtual void WindowCreated(Window& window) = 0;
    virtual void WindowDestroyed(Window& window) = 0;
    virtual void WindowChanged(Window& window) = 0;  // shown, hidden, moved, enabled, text
    virtual void MenuChanged(Window& window) = 0;    // menu attached, check marks, graying
    virtual void ScrollBarChanged(Window& window) = 0;
    // The core has drawn this part of the window's backing surface (client coordinates).
    virtual void Present(Window& window, const Rect& area) = 0;
    // The window now holding the mouse capture, or none.
    virtual void CaptureChanged(Window* window) = 0;

    // Shows a text with an OK button, in front of and closed to input for every other window of
    // the program, and returns at once: the core waits for the player and goes on dispatching
    // timers and paints meanwhile (platform/message_box.cpp). One box at a time.
    // `type` is MB_OK, MB_OKCANCEL or MB_YESNO (platform/message_box.h).
    virtual void OpenMessageBox(const std::string& text, const std::string& caption,
                                unsigned type) = 0;
    // The same with a line of text for the player to edit, OK and Cancel.
    virtual void OpenTextBox(const std::string& prompt, const std::string& caption,
                             const std::string& text) = 0;
    // Whether the box opened last is still waiting for the player.
    virtual bool MessageBoxOpen() = 0;
    // Once it is closed: the button that closed it (IDOK, IDCANCEL, IDYES or IDNO; a box closed
    // by its window's close box answers IDCANCEL, or IDNO when it has no Cancel), and the text
    // of a text box.
    virtual int MessageBoxAnswer() = 0;
    virtual std::string TextBoxText() = 0;
};

// The host in use; set once at start-up, before any window exists.
void SetHost(Host* host);
Host& CurrentHost();
// Whether a host is installed: a sound played by a tool with no window has none to ask.
bool HasHost();

}  // namespace platform
