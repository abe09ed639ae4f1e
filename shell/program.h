// shell/program.h: the program's life from entry to exit, on whatever host is installed.
#pragma once

#include "platform/module_resources.h"

namespace shell {

// The display test, InitInstance, then the one message loop until the quit request. Returns the
// exit code, which is 0 on every path.
int RunProgram(const platform::ModuleResources& instance, int showCommand);

}  // namespace shell
