// platform/win32/win32_host.h: the Windows host, over the system's own API. Top-level windows
// present their backing surfaces with SetDIBitsToDevice; the main window has a real menu bar,
// BUTTON controls and a sunken status frame; message boxes are windows of our own on the program's
// one thread, so the core's timers and paints go on behind them. The system's messages only become
// queued messages: no window procedure of ours ever calls game code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/host.h"

namespace platform {

class Win32Host final : public Host {
  public:
    // Registers the host's window classes; the process is per-monitor DPI aware (v2) by then.
    Win32Host();
    ~Win32Host() override;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    ScreenFacts Screen() const override { return facts_; }
    std::uint64_t TickMilliseconds() override;
    std::int64_t CalendarSeconds() override;
    void WaitForInput(std::optional<std::uint64_t> untilTick) override;
    void PollInput() override;
    void WindowCreated(Window& window) override;
    void WindowDestroyed(Window& window) override;
    void WindowChanged(Window& window) override;
    void MenuChanged(Window& window) override;
    void ScrollBarChanged(Window& window) override;
    void Present(Window& window, const Rect& area) override;
    void CaptureChanged(Window* window) override;
    void OpenMessageBox(const std::string& text, const std::string& caption,
                        unsigned type) override;
    void OpenTextBox(const std::string& prompt, const std::string& caption,
                     const std::string& text) override;
    bool MessageBoxOpen() override;
    int MessageBoxAnswer() override;
    std::string TextBoxText() override;

  private:
    // Dispatches every message the system has for our windows; true when there were any.
    bool PumpMessages();
    // Blocks until a message or a watched socket is ready, or the milliseconds pass.
    void WaitForMessagesOrSockets(std::uint32_t milliseconds);

    ScreenFacts facts_;
};

}  // namespace platform
