// platform/quit_request.h: knowing the player's request to end the program from the queue alone,
// for the loops and waits that take no input (a carried ship, a long synchronous sound).
#pragma once

#include <cstdint>

#include "platform/messages.h"
#include "platform/window.h"

namespace platform {

// Names what ends the program besides the quit request itself: closing `window` (its close box or
// Alt+F4) and the command `exitCommand` (File > Exit) sent to it. Set once by the program as its
// main window is made; nothing ends it before that.
void SetProgramExit(Window* window, WPARAM exitCommand);

// The close or the command above, for the program's window.
bool EndsTheProgram(const Message& message);

// Takes the desktop's waiting input into the queue and tells whether the quit request or one of
// the messages above is among the waiting messages. Nothing is taken from the queue; without a
// host there is no queue to look at, and the answer is no.
bool QuitRequestWaiting();

// For a device blocked on a sound: QuitRequestWaiting, but once it has said yes the answer stays
// yes, the waiting sound is cut off, and every later play counts as played at once in silence: a
// program on its way out plays nothing more.
bool QuitRequested();
// What QuitRequested last said, without looking at the queue again.
bool QuitSeen();
// Forgets an earlier yes and the program's window (a new run of the program in the same process,
// as tests make).
void ResetQuitRequest();

}  // namespace platform
