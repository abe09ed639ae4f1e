// tests/support/user_folders.cpp: built into every test program, before its tests run: the
// game's settings and record go to a fresh folder of the process's own, removed as it ends, never
// to the user's own. Tests of those files point the variables at folders of their own.
#ifndef _WIN32
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// Saves succeed, as on a player's computer: a save that fails is told to the player in a box.
struct UserFolders {
    UserFolders() {
#ifdef _WIN32
        // NUL is a device in every folder: nothing can be made under it. The Windows build runs
        // only the tests of single folders, which never save.
        _putenv_s("APPDATA", "NUL\\tidewrack-tests");
#else
        char pattern[] = "/tmp/tidewrack-test-home-XXXXXX";
        if (::mkdtemp(pattern) == nullptr) std::abort();
        folder = pattern;
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        setenv("XDG_DATA_HOME", folder.c_str(), 1);
#endif
    }
    ~UserFolders() {
        // Only the process that made it: a test's forked child leaves by _exit, skipping this.
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::string folder;
};

const UserFolders userFolders;

}  // namespace
