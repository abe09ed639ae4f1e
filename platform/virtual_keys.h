// platform/virtual_keys.h: the keys a WM_KEYDOWN names in its wParam. Letters and digits are their
// capital ASCII codes ('R', '1'), as on the classic platform.
#pragma once

#include "platform/window.h"

namespace platform {

constexpr WPARAM VK_RETURN = 0x0D;
constexpr WPARAM VK_ESCAPE = 0x1B;
constexpr WPARAM VK_SPACE = 0x20;
constexpr WPARAM VK_PRIOR = 0x21;  // Page Up
constexpr WPARAM VK_NEXT = 0x22;   // Page Down
constexpr WPARAM VK_END = 0x23;
constexpr WPARAM VK_HOME = 0x24;
constexpr WPARAM VK_LEFT = 0x25;
constexpr WPARAM VK_UP = 0x26;
constexpr WPARAM VK_RIGHT = 0x27;
constexpr WPARAM VK_DOWN = 0x28;

}  // namespace platform
