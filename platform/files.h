// platform/files.h: the one door through which the game opens its files, and movable memory
// blocks, under the names the game's code calls them by. Game paths separate folders with a
// backslash
// ("Pictures\P1024\Hit.bmp"); HostPath maps them.
//
// Every file the program reads (pictures, sounds, instructions, settings) comes through CreateFile
// or ReadWholeFile. A data folder can hold anything under a file's name: a named pipe, a folder, a
// symlink to a device or to nowhere, a file that grows while it is read. The door opens without
// blocking, keeps only regular files (after following symlinks), and never reads past the size
// the file had when it was opened. Anything else "cannot be read": a null handle, or no bytes, and
// each caller acts as it does for a missing file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A game path with backslash separators as a path of this system (forward slashes).
std::string HostPath(std::string_view gamePath);

struct FileHandle;  // an open file; CloseHandle deletes it

constexpr std::uint32_t GENERIC_READ = 0x80000000;
constexpr std::uint32_t FILE_SHARE_READ = 0x00000001;
constexpr std::uint32_t OPEN_EXISTING = 3;
constexpr std::uint32_t OPEN_ALWAYS = 4;
constexpr std::uint32_t FILE_ATTRIBUTE_NORMAL = 0x00000080;
constexpr std::uint32_t FILE_FLAG_SEQUENTIAL_SCAN = 0x08000000;

// Opens a regular file for reading (the only access the game asks for). The path is a game path
// and goes through HostPath. creation is OPEN_EXISTING, or OPEN_ALWAYS to create an empty file when
// nothing at all is under the name (a dangling symlink is something: it is never followed to make
// a file elsewhere). Returns null when the file cannot be read.
FileHandle* CreateFile(std::string_view path, std::uint32_t access, std::uint32_t shareMode,
                       std::uint32_t creation, std::uint32_t flags);
// Reads up to count bytes at the file position; *bytesRead tells how many came (0 at the end, which
// is where the file ended when it was opened). False only on a read error or a null handle.
bool ReadFile(FileHandle* file, void* buffer, std::uint32_t count, std::uint32_t* bytesRead);
// The file's size in bytes when it was opened, or -1 for a null handle.
std::int64_t GetFileSize(FileHandle* file);
bool CloseHandle(FileHandle* file);

// The whole file at a game path, for a reader that wants its bytes at once (sounds, settings).
// None when it cannot be read, as above, or holds more than maxBytes.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::string_view path, std::size_t maxBytes);
// Replaces the file at a game path by bytes: they go to a new file beside it, flushed to the disk,
// which then takes the name, so a reader never sees half a file and a kill at any moment leaves the
// old file or the new one. Refuses (false) when something other than a regular file, or a symlink,
// is under the name.
bool WriteWholeFile(std::string_view path, const std::vector<std::uint8_t>& bytes);
// For tests: called once the new file is written and flushed, before it takes the name.
extern void (*BeforeReplacingFile)();

// A movable memory block. Its bytes are reached through GlobalLock while locked.
struct GlobalBlock {
    std::vector<std::uint8_t> bytes;
    int lockCount = 0;
};

constexpr std::uint32_t GMEM_MOVEABLE = 0x0002;
constexpr std::uint32_t GMEM_ZEROINIT = 0x0040;
constexpr std::uint32_t GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// Null when the block cannot be had. Blocks always start zero-filled.
GlobalBlock* GlobalAlloc(std::uint32_t flags, std::size_t size);
void* GlobalLock(GlobalBlock* block);
// True while the block stays locked by an earlier GlobalLock.
bool GlobalUnlock(GlobalBlock* block);
std::size_t GlobalSize(const GlobalBlock* block);
// Frees the block; returns null, as the platform does on success.
GlobalBlock* GlobalFree(GlobalBlock* block);

}  // namespace platform
