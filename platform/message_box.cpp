// platform/message_box.cpp: a message box, and the loop that waits for the player meanwhile: as
// on the classic desktop it goes on dispatching the program's timers and paints, so a picture on
// a timer still closes on time and windows uncovered by the box are drawn again.
#include "platform/message_box.h"

#include "platform/core_state.h"
#include "platform/host.h"
#include "platform/input.h"
#include "platform/messages.h"

namespace platform {

using core::Core;
using core::IsLive;

namespace {

// A due timer or a paint request, dispatched; false when there is none. A quit request met on the
// way is posted again for the main loop, and ends the dispatching while this box is up.
bool DispatchTimerOrPaint(bool* quitSeen) {
    Message message;
    if (!PeekMessage(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE) &&
        !PeekMessage(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
        return false;
    }
    if (message.message == WM_QUIT) {
        PostMessage(message.window, message.message, message.wParam, message.lParam);
        *quitSeen = true;
        return false;
    }
    DispatchMessage(&message);
    return true;
}

// The next timer due, for the wait: the box's own input wakes the host as well.
std::optional<std::uint64_t> NextTimer() {
    std::optional<std::uint64_t> next;
    for (const core::Timer& timer : Core().timers) {
        if (!next || timer.due < *next) next = timer.due;
    }
    return next;
}

// Waits in a loop of the core for the box the host has just opened.
int WaitForAnswer(Host& host, Window* held) {
    bool quitSeen = false;
    while (host.MessageBoxOpen()) {
        if (quitSeen || !DispatchTimerOrPaint(&quitSeen)) {
            host.WaitForInput(quitSeen ? std::nullopt : NextTimer());
        }
    }
    --Core().messageBoxesOpen;
    if (Core().messageBoxesOpen == 0 && IsLive(held) && GetCapture() == nullptr) SetCapture(held);
    return host.MessageBoxAnswer();
}

// A window holding the mouse (a picture pop-up) lets the box have it, and gets it back after.
Window* TakeMouseForBox() {
    Window* held = GetCapture();
    ++Core().messageBoxesOpen;
    ReleaseCapture();
    return held;
}

}  // namespace

int MessageBox(Window* /*owner*/, const std::string& text, const std::string& caption,
               unsigned type) {
    Host& host = CurrentHost();
    Window* held = TakeMouseForBox();
    host.OpenMessageBox(text, caption.empty() ? std::string("Error") : caption, type);
    return WaitForAnswer(host, held);
}

std::optional<std::string> AskForText(Window* /*owner*/, const std::string& prompt,
                                      const std::string& caption, const std::string& text) {
    Host& host = CurrentHost();
    Window* held = TakeMouseForBox();
    host.OpenTextBox(prompt, caption, text);
    if (WaitForAnswer(host, held) != IDOK) return std::nullopt;
    return host.TextBoxText();
}

}  // namespace platform
