// platform/qt/qt_core_x_message_box.h: a message box with an OK button drawn with core X requests
// only, for a display whose visual Qt cannot paint (8-bit and below).
#pragma once

#include <string>

namespace platform {

// Shows the text under the caption on the X display of $DISPLAY and returns once the box is
// dismissed (OK, Return, Space, Escape or its close box). False, with nothing shown, when no X
// display can be reached.
bool ShowCoreXMessageBox(const std::string& text, const std::string& caption);

}  // namespace platform
