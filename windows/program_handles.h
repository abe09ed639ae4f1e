// windows/program_handles.h: the handles the program keeps for its whole run.
#pragma once

#include "platform/menus.h"
#include "platform/module_resources.h"
#include "platform/window.h"

namespace windows {

// Set by the shell as it builds the main window, and never changed after: the program's
// resources, the main window and its menu. The rest of the game reads them to open its windows.
struct ProgramHandles {
    const platform::ModuleResources* AppInstance = nullptr;
    platform::Window* MainWindow = nullptr;
    platform::Menu* MainMenu = nullptr;
};

extern ProgramHandles App;

}  // namespace windows
