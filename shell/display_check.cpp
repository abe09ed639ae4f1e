// shell/display_check.cpp: refuses a display with too few colours or too small for the game, and
// otherwise chooses the screen size.
#include "shell/display_check.h"

#include <cstdio>

#include "platform/message_box.h"
#include "platform/repaint.h"
#include "platform/screen.h"
#include "setup/layout_scale.h"

namespace shell {

namespace {

constexpr const char* kColourMessage =
    "Tidewrack requires a screen mode with at least 16-bit High Color.\n"
    "Please change your screen mode and try again.";
constexpr const char* kSizeMessage =
    "Tidewrack requires a screen size of at least 640 by 480 pixels.\n"
    "Please change your screen mode and try again.";

struct ScreenSize {
    int width;
    int height;
};
constexpr ScreenSize kScreenSizes[] = {{1024, 768}, {800, 600}, {640, 480}};

// A toolkit may be unable to paint on a display it refuses, so the reason also goes to standard
// error, where a player starting the game from a terminal sees it.
void Refuse(const char* message) {
    std::fprintf(stderr, "%s\n", message);
    platform::MessageBox(nullptr, message, "", platform::MB_OK);
}

}  // namespace

bool CheckDisplay() {
    const int screenWidth = platform::GetSystemMetrics(platform::SM_CXSCREEN);
    const int screenHeight = platform::GetSystemMetrics(platform::SM_CYSCREEN);
    platform::DeviceContext* screen = platform::GetDC(nullptr);
    const int bitsPerPixel = platform::GetDeviceCaps(screen, platform::BITSPIXEL);
    const int planes = platform::GetDeviceCaps(screen, platform::PLANES);

    if (bitsPerPixel < 16 && planes < 16) {
        Refuse(kColourMessage);
        platform::ReleaseDC(nullptr, screen);
        return false;
    }
    for (const ScreenSize& size : kScreenSizes) {
        if (screenWidth >= size.width && screenHeight >= size.height) {
            setup::Layout.ScreenWidth = size.width;
            setup::Layout.ScreenHeight = size.height;
            platform::ReleaseDC(nullptr, screen);
            return true;
        }
    }
    Refuse(kSizeMessage);
    platform::ReleaseDC(nullptr, screen);
    return false;
}

}  // namespace shell
