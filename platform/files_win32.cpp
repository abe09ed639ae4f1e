// platform/files_win32.cpp: the file door on Windows handles, with wide paths.
// clang-format off
// The game's headers come before the system's, whose macros (CreateFile, PostMessage,
// GENERIC_READ) would otherwise rename what they declare; the system's in the order they
// need each other.
#include "platform/files.h"
#include "platform/wide_text.h"

#include <windows.h>
// clang-format on

#include <algorithm>
#include <new>

// The game's own CreateFile is meant below, not the system's wide one.
#undef CreateFile

namespace platform {

struct FileHandle {
    HANDLE handle = INVALID_HANDLE_VALUE;
    std::int64_t size = 0;  // the size when opened: reading stops there
    std::int64_t position = 0;
};

// Game paths already separate folders with the system's own backslash.
std::string HostPath(std::string_view gamePath) { return std::string(gamePath); }

namespace {

// Another game writing the settings at the same moment replaces the file by a rename, so the
// file is shared for writing and deletion too: our open must not stop it.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A device name ("COM1", "\\.\pipe\x") or a folder opens as something other than a disk file:
// only a disk file that is not a folder is kept. A reparse point (a symlink) is followed, as on
// POSIX, to what it names.
HANDLE OpenRegularFile(const std::wstring& path, bool createWhenAbsent, std::int64_t* size) {
    const DWORD creation = createWhenAbsent ? OPEN_ALWAYS : OPEN_EXISTING;
    HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, creation,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return handle;
    BY_HANDLE_FILE_INFORMATION info{};
    LARGE_INTEGER bytes{};
    if (::GetFileType(handle) != FILE_TYPE_DISK || !::GetFileInformationByHandle(handle, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
        !::GetFileSizeEx(handle, &bytes)) {
        ::CloseHandle(handle);
        return INVALID_HANDLE_VALUE;
    }
    *size = bytes.QuadPart;
    return handle;
}

}  // namespace

FileHandle* CreateFile(std::string_view path, std::uint32_t access, std::uint32_t /*shareMode*/,
                       std::uint32_t creation, std::uint32_t /*flags*/) {
    if (access != GENERIC_READ || path.empty()) return nullptr;
    if (creation != OPEN_EXISTING && creation != OPEN_ALWAYS) return nullptr;
    std::int64_t size = 0;
    HANDLE handle = OpenRegularFile(WideFromUtf8(HostPath(path)), creation == OPEN_ALWAYS, &size);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    auto* file = new (std::nothrow) FileHandle{handle, size, 0};
    if (file == nullptr) ::CloseHandle(handle);
    return file;
}

bool ReadFile(FileHandle* file, void* buffer, std::uint32_t count, std::uint32_t* bytesRead) {
    if (bytesRead != nullptr) *bytesRead = 0;
    if (file == nullptr || (buffer == nullptr && count > 0)) return false;
    auto* out = static_cast<char*>(buffer);
    const std::int64_t left = std::max<std::int64_t>(0, file->size - file->position);
    const auto wanted = static_cast<DWORD>(std::min<std::int64_t>(count, left));
    DWORD total = 0;
    while (total < wanted) {
        DWORD got = 0;
        if (!::ReadFile(file->handle, out + total, wanted - total, &got, nullptr)) return false;
        if (got == 0) break;
        total += got;
    }
    file->position += total;
    if (bytesRead != nullptr) *bytesRead = total;
    return true;
}

std::int64_t GetFileSize(FileHandle* file) { return file == nullptr ? -1 : file->size; }

bool CloseHandle(FileHandle* file) {
    if (file == nullptr) return false;
    ::CloseHandle(file->handle);
    delete file;
    return true;
}

namespace {

bool WriteAndFlush(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    std::size_t written = 0;
    bool failed = false;
    while (written < bytes.size()) {
        const auto chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 30));
        DWORD put = 0;
        if (!::WriteFile(handle, bytes.data() + written, chunk, &put, nullptr) || put == 0) {
            failed = true;
            break;
        }
        written += put;
    }
    if (!::FlushFileBuffers(handle)) failed = true;
    if (!::CloseHandle(handle)) failed = true;
    return !failed;
}

}  // namespace

bool WriteWholeFile(std::string_view path, const std::vector<std::uint8_t>& bytes) {
    if (path.empty()) return false;
    const std::wstring target = WideFromUtf8(HostPath(path));
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes &
         (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return false;
    }
    // A name of its own for the new file, so a writer that died half-way never leaves a file in
    // the way of the next one.
    const std::wstring temporary = target + L"." + std::to_wstring(::GetCurrentProcessId()) + L"." +
                                   std::to_wstring(::GetTickCount64()) + L".new";
    bool done = WriteAndFlush(temporary, bytes);
    if (done && BeforeReplacingFile != nullptr) BeforeReplacingFile();
    // Write-through: the rename has reached the disk when the call returns.
    done = done && ::MoveFileExW(temporary.c_str(), target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!done) ::DeleteFileW(temporary.c_str());
    return done;
}

}  // namespace platform
