// platform/files.cpp: reading files through POSIX descriptors, and movable memory blocks kept as
// plain byte vectors.
#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>

namespace platform {

struct FileHandle {
    int descriptor = -1;
};

std::string HostPath(std::string_view gamePath) {
    std::string path(gamePath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

FileHandle* CreateFile(std::string_view path, std::uint32_t access, std::uint32_t /*shareMode*/,
                       std::uint32_t creation, std::uint32_t /*flags*/) {
    if (access != GENERIC_READ || creation != OPEN_EXISTING || path.empty()) return nullptr;
    const std::string hostPath = HostPath(path);
    const int descriptor = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    // Only regular files: a folder cannot be read and a pipe could block for ever.
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return nullptr;
    }
    ::posix_fadvise(descriptor, 0, 0, POSIX_FADV_SEQUENTIAL);
    return new FileHandle{descriptor};
}

bool ReadFile(FileHandle* file, void* buffer, std::uint32_t count, std::uint32_t* bytesRead) {
    if (bytesRead != nullptr) *bytesRead = 0;
    if (file == nullptr || (buffer == nullptr && count > 0)) return false;
    auto* out = static_cast<char*>(buffer);
    std::uint32_t total = 0;
    while (total < count) {
        const ssize_t got = ::read(file->descriptor, out + total, count - total);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        total += static_cast<std::uint32_t>(got);
    }
    if (bytesRead != nullptr) *bytesRead = total;
    return true;
}

std::int64_t GetFileSize(FileHandle* file) {
    if (file == nullptr) return -1;
    struct stat status {};
    if (::fstat(file->descriptor, &status) != 0) return -1;
    return status.st_size;
}

bool CloseHandle(FileHandle* file) {
    if (file == nullptr) return false;
    ::close(file->descriptor);
    delete file;
    return true;
}

GlobalBlock* GlobalAlloc(std::uint32_t /*flags*/, std::size_t size) {
    auto* block = new (std::nothrow) GlobalBlock;
    if (block == nullptr) return nullptr;
    try {
        block->bytes.assign(size, 0);
    } catch (const std::bad_alloc&) {
        delete block;
        return nullptr;
    }
    return block;
}

void* GlobalLock(GlobalBlock* block) {
    if (block == nullptr) return nullptr;
    ++block->lockCount;
    // A block of no bytes still locks to a valid address.
    return block->bytes.empty() ? static_cast<void*>(block) : block->bytes.data();
}

bool GlobalUnlock(GlobalBlock* block) {
    if (block == nullptr || block->lockCount == 0) return false;
    return --block->lockCount > 0;
}

std::size_t GlobalSize(const GlobalBlock* block) {
    return block == nullptr ? 0 : block->bytes.size();
}

GlobalBlock* GlobalFree(GlobalBlock* block) {
    delete block;
    return nullptr;
}

}  // namespace platform
