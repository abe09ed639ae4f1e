// windows/picture_popup.h: a picture from the program's resources in a borderless pop-up.
#pragma once

#include <cstdint>

#include "platform/module_resources.h"
#include "platform/window.h"

namespace windows {

// Opens the pop-up, centred on the screen and owned by the window, and returns at once. With a
// display time it closes itself after that many milliseconds; with 0 on a left-button release.
platform::Window* ShowPicturePopup(const platform::ModuleResources* instance,
                                   platform::Window* owner, int bitmapId,
                                   std::uint32_t displayTime);

}  // namespace windows
