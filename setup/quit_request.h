// setup/quit_request.h: recognising the player's request to end the program, for the loops and
// waits that otherwise take no input.
#pragma once

#include "platform/messages.h"

namespace setup {

// The close box or Alt+F4 (a close system command), or File > Exit.
bool AsksToEndTheProgram(const platform::Message& message);

// Takes the desktop's waiting input into the queue and tells whether a request to end the program
// (one of the above, for the main window) or the quit request itself is among the waiting
// messages. Nothing is taken from the queue.
bool QuitRequestWaiting();

}  // namespace setup
