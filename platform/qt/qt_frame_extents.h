// platform/qt/qt_frame_extents.h: how tall a caption the X window manager draws over a window,
// asked before any window of the game is shown.
#pragma once

#include <optional>

namespace platform {

// The top of the frame the window manager of the X display in $DISPLAY would draw round an
// ordinary window, in screen pixels: 0 when no window manager runs, none when the one that runs
// does not say (it may not know _NET_REQUEST_FRAME_EXTENTS) or the display cannot be reached.
// Waits a fifth of a second at most for the answer.
std::optional<int> AskCaptionHeight();

}  // namespace platform
