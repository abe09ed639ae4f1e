// platform/quit_request.cpp: the request to end the program, as the waiting messages show it.
#include "platform/quit_request.h"

#include "platform/host.h"

namespace platform {

namespace {

Window* programWindow = nullptr;
WPARAM programExitCommand = 0;
bool quitSeen = false;

bool IsQuitRequest(const Message& message) {
    return message.message == WM_QUIT ||
           (message.window == programWindow && EndsTheProgram(message));
}

}  // namespace

void SetProgramExit(Window* window, WPARAM exitCommand) {
    programWindow = window;
    programExitCommand = exitCommand;
}

bool EndsTheProgram(const Message& message) {
    if (programWindow == nullptr) return false;
    return (message.message == WM_SYSCOMMAND && (message.wParam & 0xFFF0) == SC_CLOSE) ||
           (message.message == WM_COMMAND && message.wParam == programExitCommand);
}

bool QuitRequestWaiting() {
    if (!HasHost()) return false;
    CurrentHost().PollInput();
    return IsMessageWaiting(&IsQuitRequest);
}

bool QuitRequested() {
    if (!quitSeen) quitSeen = QuitRequestWaiting();
    return quitSeen;
}

bool QuitSeen() { return quitSeen; }

void ResetQuitRequest() {
    quitSeen = false;
    programWindow = nullptr;
    programExitCommand = 0;
}

}  // namespace platform
