// platform/win32/win32_application.cpp: the process's scale awareness, the host's life, and the
// entry's view of the system in wide characters.
#include "platform/win32/win32_application.h"

#include <cstdlib>

#include "platform/host.h"
#include "platform/messages.h"
#include "platform/wide_text.h"
#include "platform/win32/win32_host.h"

// clang-format off
// The system's headers come after ours: they would turn the names ours share with them into
// macros.
#include <windows.h>
#include <shellapi.h>
// clang-format on

namespace platform {

void RunOnWin32Host(const std::function<void()>& program) {
    // The manifest asks for this too; a system that read it already refuses the second asking,
    // and an older one without v2 keeps the system-wide scale.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    Win32Host host;
    SetHost(&host);
    program();
    ResetMessageQueue();
    SetHost(nullptr);
}

std::vector<std::string> WIN_Arguments() {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return arguments;
    for (int i = 0; i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
    LocalFree(wide);
    return arguments;
}

std::filesystem::path WIN_ProgramFolder() {
    // Long paths are allowed: the buffer grows until the whole name fits.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) return {};
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name).parent_path();
        }
        if (name.size() >= 32768) return {};
        name.resize(name.size() * 2);
    }
}

std::optional<std::string> WIN_Environment(const char* name) {
    const wchar_t* value = _wgetenv(WideFromUtf8(name).c_str());
    if (value == nullptr) return std::nullopt;
    return Utf8FromWide(value);
}

void WIN_ShowStartError(const std::string& text) {
    MessageBoxW(nullptr, WideFromUtf8(text).c_str(), L"Tidewrack", MB_OK | MB_ICONERROR);
}

}  // namespace platform
