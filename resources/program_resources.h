// resources/program_resources.h: the resources compiled into the program (menu 101, icon 104 and
// the pop-up bitmaps 102, 103, 105, 106, 107), reached the way the platform looks resources up.
#pragma once

#include "platform/module_resources.h"
#include "resources/resource_ids.h"

namespace resources {

// The one set of the program's resources; it lives for the whole run.
const platform::ModuleResources& ProgramResources();

}  // namespace resources
