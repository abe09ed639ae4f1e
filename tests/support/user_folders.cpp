// tests/support/user_folders.cpp: built into every test program, before its tests run: the
// game's settings and record go to folders that cannot exist, never to the user's own. Tests of
// those files point the variables at folders of their own.
#include <cstdlib>

namespace {

struct UserFolders {
    UserFolders() {
#ifdef _WIN32
        // NUL is a device in every folder: nothing can be made under it.
        _putenv_s("APPDATA", "NUL\\tidewrack-tests");
#else
        setenv("XDG_CONFIG_HOME", "/dev/null/tidewrack-tests", 1);
        setenv("XDG_DATA_HOME", "/dev/null/tidewrack-tests", 1);
#endif
    }
};

const UserFolders userFolders;

}  // namespace
