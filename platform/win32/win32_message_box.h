// platform/win32/win32_message_box.h: message boxes and the text box as windows of our own on the
// program's one thread. The system's MessageBoxW would run a loop of its own until the player
// answers, and the core's timers and paints would stop behind it; ours returns at once, and the
// core waits for the answer in its own loop.
#pragma once

#include <string>

namespace platform {

// Shows a box with a text and the buttons of `type` (MB_OK, MB_OKCANCEL, MB_YESNO), and a line
// to edit when `editable`; every other window of ours takes no input until it closes.
void WIN_OpenMessageBox(const std::string& text, const std::string& caption, unsigned type,
                        bool editable, const std::string& editText);
bool WIN_MessageBoxUp();
// The button that closed the box last; the text of its line as the player left it.
int WIN_MessageBoxAnswer();
std::string WIN_MessageBoxText();
// Gives the box the keys a dialog takes (Tab, Return, Escape); true when it took the message
// (a pointer to a MSG).
bool WIN_IsMessageBoxMessage(void* message);

}  // namespace platform
