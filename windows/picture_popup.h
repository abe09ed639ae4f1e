// windows/picture_popup.h: a picture from the program's resources in a borderless pop-up.
#pragma once

#include <cstdint>

#include "platform/module_resources.h"
#include "platform/window.h"

namespace windows {

// Opens the pop-up, centred on the screen and owned by the window, and returns at once. With a
// display time it closes itself after that many milliseconds, or earlier on a left-button release
// anywhere; with 0 on the release alone.
// None when the bitmap cannot be loaded or the window cannot be created.
platform::Window* ShowPicturePopup(const platform::ModuleResources* instance,
                                   platform::Window* owner, int bitmapId,
                                   std::uint32_t displayTime);

// The pop-up's window procedure: holds the mouse capture until the pop-up closes.
platform::LRESULT PicturePopupProc(platform::Window* window, std::uint32_t message,
                                   platform::WPARAM wParam, platform::LPARAM lParam);

}  // namespace windows
