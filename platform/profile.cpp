// platform/profile.cpp: parsing and writing the small section-and-key files, the lock that
// serialises writers, and setting damaged files aside.
#include "platform/profile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/files.h"

namespace platform {

namespace {

constexpr std::size_t MaxProfileBytes = 64 * 1024;

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

enum class ReadOutcome { Missing, Read, Damaged };

// Nothing at all under the name is a missing file; anything the file door will not read (a
// folder, a pipe, a device, a link to nothing, more than MaxProfileBytes) is a damaged one.
ReadOutcome ReadProfileText(const std::string& file, std::string* text, const char** why) {
    struct stat named;
    if (::lstat(file.c_str(), &named) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return ReadOutcome::Missing;
        *why = "cannot be read";
        return ReadOutcome::Damaged;
    }
    const auto bytes = ReadWholeFile(file, MaxProfileBytes);
    if (!bytes) {
        *why = "cannot be read";
        return ReadOutcome::Damaged;
    }
    text->assign(bytes->begin(), bytes->end());
    return ReadOutcome::Read;
}

std::string Trimmed(const std::string& s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const std::size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// False at the first line that is no section header, key line, comment or blank, or at any
// control character but a tab.
bool ParseProfile(const std::string& text, ProfileEntries* entries) {
    std::string section;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        for (unsigned char c : line) {
            if ((c < 0x20 && c != '\t') || c == 0x7F) return false;
        }
        line = Trimmed(line);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 3) return false;
            section = Trimmed(line.substr(1, line.size() - 2));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0 || section.empty()) return false;
        (*entries)[section][Trimmed(line.substr(0, equals))] = Trimmed(line.substr(equals + 1));
    }
    return true;
}

// The file's entries; none for a missing file, and none, after setting it aside, for a damaged
// one.
ProfileEntries ReadProfile(const std::string& file) {
    ProfileEntries entries;
    if (file.empty()) return entries;
    std::string text;
    const char* why = "";
    const ReadOutcome outcome = ReadProfileText(file, &text, &why);
    if (outcome == ReadOutcome::Missing) return entries;
    if (outcome == ReadOutcome::Read && ParseProfile(text, &entries)) return entries;
    SetProfileAside(file, outcome == ReadOutcome::Damaged ? why : "not a settings file");
    return {};
}

std::string Format(const ProfileEntries& entries) {
    std::string text;
    for (const auto& [section, keys] : entries) {
        if (!text.empty()) text += '\n';
        text += '[' + section + "]\n";
        for (const auto& [key, value] : keys) text += key + '=' + value + '\n';
    }
    return text;
}

bool MakeFolders(const std::string& file) {
    for (std::size_t slash = file.find('/', 1); slash != std::string::npos;
         slash = file.find('/', slash + 1)) {
        const std::string folder = file.substr(0, slash);
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return true;
}

// An exclusive lock on "<file>.lock", waited for a few seconds at most: a game that hangs with
// the lock must not hang this one. -1 when it could not be had.
int Lock(const std::string& file) {
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

}  // namespace

std::string ConfigFilePath(const char* name) {
    return FolderPath("XDG_CONFIG_HOME", "/.config", name);
}

std::string DataFilePath(const char* name) {
    return FolderPath("XDG_DATA_HOME", "/.local/share", name);
}

std::size_t GetPrivateProfileString(const char* section, const char* key, const char* defaultValue,
                                    char* returned, std::size_t size, const std::string& file) {
    if (returned == nullptr || size == 0) return 0;
    const ProfileEntries entries = ReadProfile(file);
    std::string value = defaultValue != nullptr ? defaultValue : "";
    const auto found = entries.find(section);
    if (found != entries.end()) {
        const auto keyFound = found->second.find(key);
        if (keyFound != found->second.end()) value = keyFound->second;
    }
    const std::size_t n = std::min(value.size(), size - 1);
    std::memcpy(returned, value.data(), n);
    returned[n] = '\0';
    return n;
}

bool WritePrivateProfileString(const char* section, const char* key, const char* value,
                               const std::string& file) {
    return UpdatePrivateProfile(file,
                                [&](ProfileEntries& entries) { entries[section][key] = value; });
}

bool UpdatePrivateProfile(const std::string& file,
                          const std::function<void(ProfileEntries&)>& change) {
    if (file.empty()) return false;
    bool done = false;
    int lock = -1;
    if (MakeFolders(file)) lock = Lock(file);
    int error = errno;
    if (lock >= 0) {
        ProfileEntries entries = ReadProfile(file);
        change(entries);
        const std::string text = Format(entries);
        done = WriteWholeFile(file, std::vector<std::uint8_t>(text.begin(), text.end()));
        error = errno;
        ::close(lock);  // and with it the lock
    }
    if (!done) {
        std::fprintf(stderr, "tidewrack: could not save %s: %s\n", file.c_str(),
                     std::strerror(error));
    }
    errno = error;  // the caller may name the reason
    return done;
}

void SetProfileAside(const std::string& file, const char* why) {
    const std::string aside = file + ".damaged";
    if (::rename(file.c_str(), aside.c_str()) == 0) {
        std::fprintf(stderr, "tidewrack: %s was %s; set aside as %s, starting afresh\n",
                     file.c_str(), why, aside.c_str());
    } else {
        std::fprintf(stderr, "tidewrack: %s was %s and could not be set aside; ignoring it\n",
                     file.c_str(), why);
    }
}

}  // namespace platform
