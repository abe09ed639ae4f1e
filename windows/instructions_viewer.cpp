// windows/instructions_viewer.cpp: minimal stand-in until the viewer is written.
#include "windows/instructions_viewer.h"

namespace windows {

bool OpenInstructionsViewer(platform::Window*, const platform::ModuleResources*) { return false; }

}  // namespace windows
