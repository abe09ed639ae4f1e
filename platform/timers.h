// platform/timers.h: window timers. A due timer produces WM_TIMER (wParam: its id) when nothing
// else waits; its next period starts when the message is fetched.
#pragma once

#include <cstdint>

#include "platform/window.h"

namespace platform {

bool SetTimer(Window* window, std::uintptr_t id, std::uint32_t milliseconds);
bool KillTimer(Window* window, std::uintptr_t id);

}  // namespace platform
