// shell/program.cpp: start-up, the main message loop, and the exit code.
#include "shell/program.h"

#include "platform/messages.h"
#include "platform/quit_request.h"
#include "shell/display_check.h"
#include "shell/main_window.h"

namespace shell {

int RunProgram(const platform::ModuleResources& instance, int showCommand) {
    if (!CheckDisplay()) return 0;
    platform::ResetQuitRequest();
    if (InitInstance(&instance, showCommand)) {
        // No keystroke translation and no accelerators: the keyboard does only what the desktop's
        // default handling gives, such as Alt+F4.
        platform::Message message;
        while (platform::GetMessage(&message, nullptr, 0, 0)) platform::DispatchMessage(&message);
    }
    return 0;
}

}  // namespace shell
