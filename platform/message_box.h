// platform/message_box.h: a text with an OK button, shown until the player dismisses it.
#pragma once

#include <string>

#include "platform/window.h"

namespace platform {

constexpr unsigned MB_OK = 0;
constexpr int IDOK = 1;
// An empty caption gives the platform's default one, "Error".
int MessageBox(Window* owner, const std::string& text, const std::string& caption, unsigned type);

}  // namespace platform
