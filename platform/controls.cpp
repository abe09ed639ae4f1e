// platform/controls.cpp: the built-in "BUTTON" and "STATIC" classes. A push button turns a left
// button release into a command to its parent; the host draws both as real toolkit widgets.
#include "platform/core_state.h"
#include "platform/host.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace platform {

namespace {

LRESULT ButtonProc(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONUP) {
        // Mouse input never reaches a disabled control, so a click always means the command.
        const WPARAM command = MakeLong(static_cast<std::uint16_t>(window->id), BN_CLICKED);
        SendMessage(window->parent, WM_COMMAND, command, reinterpret_cast<LPARAM>(window));
        return 0;
    }
    if (message == WM_SETFONT) {
        const Font* font = reinterpret_cast<const Font*>(wParam);
        if (font != nullptr) {
            window->font = font->description;
        } else {
            window->font.reset();
        }
        CurrentHost().WindowChanged(*window);
        return 0;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

LRESULT StaticProc(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace

void RegisterBuiltInControlClasses() {
    if (core::Core().classes.count("BUTTON") > 0) return;
    RegisterClassEx(WindowClass{.name = "BUTTON", .procedure = ButtonProc});
    RegisterClassEx(WindowClass{.name = "STATIC", .procedure = StaticProc});
}

}  // namespace platform
