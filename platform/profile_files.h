// platform/profile_files.h: what the profile functions (platform/profile.cpp) ask of the system,
// given on each in a file of its own (profile_files_posix.cpp, profile_files_win32.cpp): looking at
// a name, making folders, the lock of the writers, and setting a file aside.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

enum class NameHolds { Nothing, Something, CannotTell };
// Whether anything at all (a file, a folder, a link to nowhere) is under the name.
NameHolds LookAtName(const std::string& file);

// Makes the folders above the file that are missing; false when one cannot be made.
bool MakeFoldersAbove(const std::string& file);

// An exclusive lock on "<file>.lock", waited for a few seconds at most: a game that hangs with
// the lock must not hang this one. -1 when it could not be had; UnlockProfile lets it go.
std::intptr_t LockProfile(const std::string& file);
void UnlockProfile(std::intptr_t lock);

// Renames the file, replacing whatever the new name holds; false when that failed.
bool RenameReplacing(const std::string& from, const std::string& to);

}  // namespace platform
