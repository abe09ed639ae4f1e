// platform/qt/qt_platform_choice.cpp: an X display first, when the player has not said otherwise.
#include "platform/qt/qt_platform_choice.h"

#include <cstdlib>

namespace platform {

// In a Wayland session Qt takes its Wayland platform by itself. There a window cannot place
// itself, and a pop-up cannot hold the mouse beyond the game's own windows, so the start-up, About
// and end pictures would neither sit centred nor close on a release anywhere. The session's X
// server (XWayland) gives the game all of that. Qt tries the list in order: when the X display
// cannot be reached, it goes on to Wayland as it would have anyway.
std::string QtPlatformToRequest(const char* playerChoice, const char* xDisplay) {
    const bool playerChose = playerChoice != nullptr && *playerChoice != '\0';
    const bool xDisplayNamed = xDisplay != nullptr && *xDisplay != '\0';
    if (playerChose || !xDisplayNamed) return {};
    return "xcb;wayland";
}

void RequestQtPlatform() {
    const std::string request =
        QtPlatformToRequest(std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"));
    if (!request.empty()) setenv("QT_QPA_PLATFORM", request.c_str(), 1);
}

}  // namespace platform
