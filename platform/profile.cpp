// platform/profile.cpp: parsing and writing the small section-and-key files, serialising the
// writers, and setting damaged files aside.
#include "platform/profile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/files.h"
#include "platform/profile_files.h"

namespace platform {

namespace {

constexpr std::size_t MaxProfileBytes = 64 * 1024;

enum class ReadOutcome { Missing, Read, Damaged };

// Nothing at all under the name is a missing file; anything the file door will not read (a
// folder, a pipe, a device, a link to nothing, more than MaxProfileBytes) is a damaged one.
ReadOutcome ReadProfileText(const std::string& file, std::string* text, const char** why) {
    switch (LookAtName(file)) {
        case NameHolds::Nothing:
            return ReadOutcome::Missing;
        case NameHolds::CannotTell:
            *why = "cannot be read";
            return ReadOutcome::Damaged;
        case NameHolds::Something:
            break;
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

}  // namespace

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
    std::intptr_t lock = -1;
    if (MakeFoldersAbove(file)) lock = LockProfile(file);
    int error = errno;
    if (lock >= 0) {
        ProfileEntries entries = ReadProfile(file);
        change(entries);
        const std::string text = Format(entries);
        done = WriteWholeFile(file, std::vector<std::uint8_t>(text.begin(), text.end()));
        error = errno;
        UnlockProfile(lock);
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
    if (RenameReplacing(file, aside)) {
        std::fprintf(stderr, "tidewrack: %s was %s; set aside as %s, starting afresh\n",
                     file.c_str(), why, aside.c_str());
    } else {
        std::fprintf(stderr, "tidewrack: %s was %s and could not be set aside; ignoring it\n",
                     file.c_str(), why);
    }
}

}  // namespace platform
