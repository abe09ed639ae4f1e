// windows/instructions_viewer.h: the scrolling window that shows "instruct.txt".
#pragma once

#include "platform/module_resources.h"
#include "platform/window.h"

namespace windows {

// Opens a new viewer owned by the window and returns at once; false when it cannot be created.
bool OpenInstructionsViewer(platform::Window* owner, const platform::ModuleResources* instance);

}  // namespace windows
