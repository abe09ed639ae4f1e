// platform/qt/qt_platform_choice.h: which of Qt's platforms the game runs on when the player has
// chosen none: an X display wherever one is reachable, Wayland sessions included.
#pragma once

#include <string>

namespace platform {

// The value to give QT_QPA_PLATFORM from the player's own setting of it and the X display named
// in DISPLAY (either may be null); empty when Qt's own choice should stand.
std::string QtPlatformToRequest(const char* playerChoice, const char* xDisplay);

// Puts that choice into the environment; call it before the QApplication exists.
void RequestQtPlatform();

}  // namespace platform
