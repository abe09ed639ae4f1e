// platform/profile_files_win32.cpp: the settings and the record in %APPDATA%\Tidewrack, the
// writers' lock by LockFileEx, the set-aside by MoveFileExW; every path in wide characters.
// clang-format off
// The game's headers come before the system's, whose macros (CreateFile, PostMessage,
// GENERIC_READ) would otherwise rename what they declare; the system's in the order they
// need each other.
#include "platform/profile.h"
#include "platform/profile_files.h"
#include "platform/wide_text.h"

#include <windows.h>
// clang-format on

#include <chrono>
#include <thread>

namespace platform {

namespace {

// The roaming application data folder, as the player's environment names it; tests point it at a
// folder of their own.
std::string FolderPath(const char* name) {
    wchar_t folder[MAX_PATH * 2];
    const DWORD length = ::GetEnvironmentVariableW(L"APPDATA", folder, MAX_PATH * 2);
    if (length == 0 || length >= MAX_PATH * 2) return {};
    return Utf8FromWide(std::wstring_view(folder, length)) + "\\Tidewrack\\" + name;
}

}  // namespace

std::string ConfigFilePath(const char* name) { return FolderPath(name); }

std::string DataFilePath(const char* name) { return FolderPath(name); }

NameHolds LookAtName(const std::string& file) {
    if (::GetFileAttributesW(WideFromUtf8(file).c_str()) != INVALID_FILE_ATTRIBUTES) {
        return NameHolds::Something;
    }
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? NameHolds::Nothing
                                                                          : NameHolds::CannotTell;
}

bool MakeFoldersAbove(const std::string& file) {
    const std::wstring path = WideFromUtf8(file);
    // The first separator after a drive ("C:\") or a share ("\\server\share\") is not a folder to
    // make; creating it fails harmlessly with "already exists" or "access denied" and is skipped.
    for (std::size_t slash = path.find(L'\\', 3); slash != std::wstring::npos;
         slash = path.find(L'\\', slash + 1)) {
        const std::wstring folder = path.substr(0, slash);
        if (::CreateDirectoryW(folder.c_str(), nullptr)) continue;
        const DWORD attributes = ::GetFileAttributesW(folder.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            return false;
        }
    }
    return true;
}

std::intptr_t LockProfile(const std::string& file) {
    const std::wstring lockFile = WideFromUtf8(file + ".lock");
    HANDLE handle = ::CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return -1;
    for (int attempt = 0; attempt < 300; ++attempt) {
        OVERLAPPED whole{};
        if (::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                         &whole)) {
            return reinterpret_cast<std::intptr_t>(handle);
        }
        if (::GetLastError() != ERROR_LOCK_VIOLATION) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::CloseHandle(handle);
    return -1;
}

void UnlockProfile(std::intptr_t lock) {
    // Closing the handle lets the lock go with it.
    ::CloseHandle(reinterpret_cast<HANDLE>(lock));
}

bool RenameReplacing(const std::string& from, const std::string& to) {
    return ::MoveFileExW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace platform
