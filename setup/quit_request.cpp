// setup/quit_request.cpp: the request to end the program, as a loop that drops input or a wait for
// a sound sees it.
#include "setup/quit_request.h"

#include "platform/host.h"
#include "resources/resource_ids.h"
#include "windows/program_handles.h"

namespace setup {

bool AsksToEndTheProgram(const platform::Message& message) {
    return (message.message == platform::WM_SYSCOMMAND &&
            (message.wParam & 0xFFF0) == platform::SC_CLOSE) ||
           (message.message == platform::WM_COMMAND && message.wParam == resources::IDM_EXIT);
}

bool QuitRequestWaiting() {
    platform::CurrentHost().PollInput();
    // Closing an instructions viewer is no request to end the program.
    return platform::IsMessageWaiting([](const platform::Message& message) {
        return message.message == platform::WM_QUIT ||
               (message.window == windows::App.MainWindow && AsksToEndTheProgram(message));
    });
}

}  // namespace setup
