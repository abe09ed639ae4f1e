// platform/files_posix.cpp: the file door on POSIX descriptors.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>

#include "platform/files.h"

namespace platform {

struct FileHandle {
    int descriptor = -1;
    std::int64_t size = 0;  // the size when opened: reading stops there
    std::int64_t position = 0;
};

std::string HostPath(std::string_view gamePath) {
    std::string path(gamePath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

namespace {

// Opening a named pipe waits for a writer, and opening a device can have effects of its own, so
// the name is looked at first and only a regular file is opened, without blocking. The open file
// is looked at again: something else could have been put under the name in between.
int OpenRegularFile(const std::string& hostPath, bool createWhenAbsent, std::int64_t* size) {
    struct stat named {};
    if (::stat(hostPath.c_str(), &named) != 0) {
        struct stat link {};
        if (!createWhenAbsent || errno != ENOENT || ::lstat(hostPath.c_str(), &link) == 0) {
            return -1;
        }
        // O_EXCL: should a symlink appear meanwhile, the open fails rather than follow it.
        const int created =
            ::open(hostPath.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0644);
        if (created < 0) return -1;
        *size = 0;
        return created;
    }
    if (!S_ISREG(named.st_mode)) return -1;
    const int descriptor = ::open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) return -1;
    struct stat opened {};
    if (::fstat(descriptor, &opened) != 0 || !S_ISREG(opened.st_mode) ||
        opened.st_dev != named.st_dev || opened.st_ino != named.st_ino) {
        ::close(descriptor);
        return -1;
    }
    *size = opened.st_size;
    return descriptor;
}

}  // namespace

FileHandle* CreateFile(std::string_view path, std::uint32_t access, std::uint32_t /*shareMode*/,
                       std::uint32_t creation, std::uint32_t /*flags*/) {
    if (access != GENERIC_READ || path.empty()) return nullptr;
    if (creation != OPEN_EXISTING && creation != OPEN_ALWAYS) return nullptr;
    std::int64_t size = 0;
    const int descriptor = OpenRegularFile(HostPath(path), creation == OPEN_ALWAYS, &size);
    if (descriptor < 0) return nullptr;
    ::posix_fadvise(descriptor, 0, 0, POSIX_FADV_SEQUENTIAL);
    auto* file = new (std::nothrow) FileHandle{descriptor, size, 0};
    if (file == nullptr) ::close(descriptor);
    return file;
}

bool ReadFile(FileHandle* file, void* buffer, std::uint32_t count, std::uint32_t* bytesRead) {
    if (bytesRead != nullptr) *bytesRead = 0;
    if (file == nullptr || (buffer == nullptr && count > 0)) return false;
    auto* out = static_cast<char*>(buffer);
    const std::int64_t left = std::max<std::int64_t>(0, file->size - file->position);
    const auto wanted = static_cast<std::uint32_t>(std::min<std::int64_t>(count, left));
    std::uint32_t total = 0;
    while (total < wanted) {
        const ssize_t got = ::read(file->descriptor, out + total, wanted - total);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        total += static_cast<std::uint32_t>(got);
    }
    file->position += total;
    if (bytesRead != nullptr) *bytesRead = total;
    return true;
}

std::int64_t GetFileSize(FileHandle* file) { return file == nullptr ? -1 : file->size; }

bool CloseHandle(FileHandle* file) {
    if (file == nullptr) return false;
    ::close(file->descriptor);
    delete file;
    return true;
}

bool WriteWholeFile(std::string_view path, const std::vector<std::uint8_t>& bytes) {
    if (path.empty()) return false;
    const std::string hostPath = HostPath(path);
    struct stat existing {};
    if (::lstat(hostPath.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) return false;
    // A name of its own for the new file, so a writer that died half-way never leaves a file in
    // the way of the next one.
    std::string temporary = hostPath + ".XXXXXX";
    const int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor < 0) return false;
    std::size_t written = 0;
    bool failed = false;
    while (written < bytes.size()) {
        const ssize_t put = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            failed = true;
            break;
        }
        written += static_cast<std::size_t>(put);
    }
    if (::fsync(descriptor) != 0) failed = true;
    if (::close(descriptor) != 0) failed = true;
    if (!failed && BeforeReplacingFile != nullptr) BeforeReplacingFile();
    if (failed || ::rename(temporary.c_str(), hostPath.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself reaches the disk only with its folder.
    const std::size_t slash = hostPath.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : hostPath.substr(0, slash);
    const int folderDescriptor =
        ::open(folder.empty() ? "/" : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderDescriptor >= 0) {
        ::fsync(folderDescriptor);
        ::close(folderDescriptor);
    }
    return true;
}

}  // namespace platform
