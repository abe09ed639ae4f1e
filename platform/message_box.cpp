// platform/message_box.cpp: message boxes go to the host, which waits for the player.
#include "platform/message_box.h"

#include "platform/host.h"

namespace platform {

int MessageBox(Window* /*owner*/, const std::string& text, const std::string& caption,
               unsigned /*type*/) {
    CurrentHost().ShowMessageBox(text, caption.empty() ? std::string("Error") : caption);
    return IDOK;
}

}  // namespace platform
