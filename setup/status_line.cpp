// setup/status_line.cpp: SetStatus.
#include "setup/status_line.h"

#include <cstring>

#include "platform/repaint.h"
#include "setup/layout_scale.h"

namespace setup {

StatusLine Status;

void SetStatus(platform::Window* window, const char* text) {
    if (text != nullptr) {
        std::strncpy(Status.StatusText, text, sizeof Status.StatusText - 1);
        Status.StatusText[sizeof Status.StatusText - 1] = '\0';
    }
    // Two design units inside the status frame, from the factors in force now.
    const platform::Rect statusRect{DesignX(302), DesignY(12), DesignX(723), DesignY(48)};
    platform::InvalidateRect(window, &statusRect, false);
}

}  // namespace setup
