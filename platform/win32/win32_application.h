// platform/win32/win32_application.h: the Windows host around one run of the program, and what
// the program's entry needs of the system: its wide command line, its folder and environment, and
// a way to tell the player why it cannot start (a windowed program has no console).
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Makes the process aware of each screen's own scale (v2), installs a Win32Host for the run of
// `program` and takes it away again.
void RunOnWin32Host(const std::function<void()>& program);

// The program's arguments in UTF-8, its own name first.
std::vector<std::string> WIN_Arguments();
// The folder the program's .exe lies in; empty when the system cannot say.
std::filesystem::path WIN_ProgramFolder();
// An environment variable in UTF-8; none when it is not set.
std::optional<std::string> WIN_Environment(const char* name);
void WIN_ShowStartError(const std::string& text);

}  // namespace platform
