// platform/wide_text.h: the game's UTF-8 strings as the UTF-16 the Windows API takes, and back.
// Windows only (platform/wide_text_win32.cpp): every path and text handed to the system goes
// through here, so a user folder with letters beyond ASCII works.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Bytes that are not UTF-8 become U+FFFD rather than being dropped or stopping the conversion.
std::wstring WideFromUtf8(std::string_view text);
// An unpaired surrogate becomes U+FFFD.
std::string Utf8FromWide(std::wstring_view text);

}  // namespace platform
