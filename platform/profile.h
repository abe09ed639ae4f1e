// platform/profile.h: the game's small files of sections and keys (settings, record of play), in
// the shape of the classic profile functions, made safe: whole-file atomic writes under a lock,
// and a damaged file set aside instead of trusted.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>

namespace platform {

// "$XDG_CONFIG_HOME/tidewrack/<name>" (~/.config when unset) and "$XDG_DATA_HOME/tidewrack/<name>"
// (~/.local/share when unset); empty when neither the variable nor HOME is set. On Windows both
// are "%APPDATA%\Tidewrack\<name>", empty when APPDATA is not set.
std::string ConfigFilePath(const char* name);
std::string DataFilePath(const char* name);

// Sections of keys and their values, as read from a file or about to be written to one.
using ProfileEntries = std::map<std::string, std::map<std::string, std::string>>;

// A missing key, or a missing file, gives the default. A file that is not a settings file (not a
// regular file, over 64 KiB, binary, or a line that is no section, key or comment) is set aside
// first (SetProfileAside). Whitespace around keys and values is dropped.
// Copies at most size - 1 characters and a terminating zero; returns the characters copied.
std::size_t GetPrivateProfileString(const char* section, const char* key, const char* defaultValue,
                                    char* returned, std::size_t size, const std::string& file);
// Sets one key, keeping the others; false (with one line on standard error) when the file could
// not be written. Creates the folder when needed.
bool WritePrivateProfileString(const char* section, const char* key, const char* value,
                               const std::string& file);

// Reads the file, lets `change` edit the entries, and writes them back, holding a lock (a
// "<file>.lock" beside it) from the read to the rename, so two games never lose each other's
// changes. The new text goes to a temporary file in the same folder, is flushed to the disk and
// then renamed over the file: a kill at any moment leaves the old file or the new one. On false
// errno tells why, and the file is as it was.
bool UpdatePrivateProfile(const std::string& file,
                          const std::function<void(ProfileEntries&)>& change);

// Renames the file "<file>.damaged" (replacing an older one) and says so in one line on standard
// error; the game then starts afresh as if there were no file. `why` is a few words.
void SetProfileAside(const std::string& file, const char* why);

}  // namespace platform
