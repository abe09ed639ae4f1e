// setup/status_line.cpp: SetStatus and InvalidateCell.
#include "setup/status_line.h"

#include <cstring>

#include "platform/repaint.h"
#include "setup/program_objects.h"
#include "shell/layout_scale.h"

namespace setup {

char StatusText[1024] = "";

void SetStatus(platform::Window* window, const char* text) {
    if (text != nullptr) {
        std::strncpy(StatusText, text, sizeof StatusText - 1);
        StatusText[sizeof StatusText - 1] = '\0';
    }
    // Two design units inside the status frame, from the factors in force now.
    const platform::Rect statusRect{shell::DesignX(302), shell::DesignY(12), shell::DesignX(723),
                                    shell::DesignY(48)};
    platform::InvalidateRect(window, &statusRect, false);
}

void InvalidateCell(platform::Window* window, int board, int column, int row) {
    platform::Rect bounds;
    BoardPictures[board].GetBounds(&bounds);
    const int cellWidth = static_cast<int>((bounds.right - bounds.left) * 0.08333333333333333);
    const int cellHeight = static_cast<int>((bounds.bottom - bounds.top) * 0.08333333333333333);
    const platform::Rect cell{bounds.left + cellWidth * column, bounds.top + cellHeight * row,
                              bounds.left + cellWidth * (column + 1),
                              bounds.top + cellHeight * (row + 1)};
    platform::InvalidateRect(window, &cell, false);
}

}  // namespace setup
