// platform/profile_files_posix.cpp: the settings and the record under the XDG folders, the
// writers' lock by flock(), the set-aside by rename().
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/profile.h"
#include "platform/profile_files.h"

namespace platform {

namespace {

std::string FolderPath(const char* variable, const char* underHome, const char* name) {
    const char* base = std::getenv(variable);
    std::string folder;
    if (base != nullptr && base[0] == '/') {
        folder = base;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] == '\0') return {};
        folder = std::string(home) + underHome;
    }
    return folder + "/tidewrack/" + name;
}

}  // namespace

std::string ConfigFilePath(const char* name) {
    return FolderPath("XDG_CONFIG_HOME", "/.config", name);
}

std::string DataFilePath(const char* name) {
    return FolderPath("XDG_DATA_HOME", "/.local/share", name);
}

NameHolds LookAtName(const std::string& file) {
    struct stat named;
    if (::lstat(file.c_str(), &named) == 0) return NameHolds::Something;
    return errno == ENOENT || errno == ENOTDIR ? NameHolds::Nothing : NameHolds::CannotTell;
}

bool MakeFoldersAbove(const std::string& file) {
    for (std::size_t slash = file.find('/', 1); slash != std::string::npos;
         slash = file.find('/', slash + 1)) {
        const std::string folder = file.substr(0, slash);
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return true;
}

std::intptr_t LockProfile(const std::string& file) {
    const std::string lockFile = file + ".lock";
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return -1;
    for (int attempt = 0; attempt < 300; ++attempt) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
        if (errno != EWOULDBLOCK && errno != EINTR) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::close(fd);
    return -1;
}

void UnlockProfile(std::intptr_t lock) {
    ::close(static_cast<int>(lock));  // and with it the lock
}

bool RenameReplacing(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace platform
