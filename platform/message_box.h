// platform/message_box.h: a text with its buttons, or a line of text to edit, shown until the
// player answers.
#pragma once

#include <optional>
#include <string>

#include "platform/window.h"

namespace platform {

constexpr unsigned MB_OK = 0;
constexpr unsigned MB_OKCANCEL = 1;
constexpr unsigned MB_YESNO = 4;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
// An empty caption gives the platform's default one, "Error". The button pressed.
int MessageBox(Window* owner, const std::string& text, const std::string& caption, unsigned type);
// A prompt over a line holding `text` for the player to edit: the text as the player left it on
// OK, nothing on Cancel.
std::optional<std::string> AskForText(Window* owner, const std::string& prompt,
                                      const std::string& caption, const std::string& text);

}  // namespace platform
