// windows/picture_popup.cpp: minimal stand-in until the pop-up is written.
#include "windows/picture_popup.h"

namespace windows {

platform::Window* ShowPicturePopup(const platform::ModuleResources*, platform::Window*, int,
                                   std::uint32_t) {
    return nullptr;
}

}  // namespace windows
