// windows/instructions_viewer.h: the scrolling window that shows "instruct.txt".
#pragma once

#include <cstdint>

#include "platform/module_resources.h"
#include "platform/window.h"

namespace windows {

// Opens a new viewer owned by the window and returns at once; false when it cannot be created.
// Every call opens another viewer; each reads the file when it is created and keeps its own lines
// until it is closed.
bool OpenInstructionsViewer(platform::Window* owner, const platform::ModuleResources* instance);

// The viewer's window procedure: reads the file on creation, scrolls by the scroll bar only.
platform::LRESULT InstructionsViewerProc(platform::Window* window, std::uint32_t message,
                                         platform::WPARAM wParam, platform::LPARAM lParam);

}  // namespace windows
