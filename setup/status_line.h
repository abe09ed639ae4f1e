// setup/status_line.h: the one line of text through which the game talks to the player.
#pragma once

#include <cstdint>

#include "platform/window.h"

namespace setup {

// Written by setup alone, through SetStatus and the placement moves.
struct StatusLine {
    // Zero-terminated. Setup's own counted texts are formatted into it, then shown by SetStatus
    // with no text.
    char StatusText[1024] = "";
    // The player's ships still in their docks: it chooses the placement prompt only.
    std::int32_t ShipsToPlace = 5;
};

extern StatusLine Status;

// Copies the text (when given) into StatusText and marks the status rectangle for repainting.
void SetStatus(platform::Window* window, const char* text);

}  // namespace setup
