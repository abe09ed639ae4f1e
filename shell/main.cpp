// shell/main.cpp: the program's entry: finds the data folder, installs the Qt host and the SDL
// audio device, and runs the game. The exit code is 0 on every path.
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "platform/qt/qt_application.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sound.h"
#include "platform/window.h"
#include "resources/program_resources.h"
#include "shell/program.h"

namespace {

bool HoldsGameData(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_directory(folder / "Pictures", error) ||
           std::filesystem::is_directory(folder / "Sounds", error);
}

// The game opens its files by relative paths, so it works in its data folder: beside the
// executable in a build tree, the installed share folder otherwise (found from where the
// executable lies, so an install under any prefix works).
void EnterDataFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path beside = error ? std::filesystem::path() : executable.parent_path();
    const std::filesystem::path candidates[] = {
        beside,
        beside.empty() ? beside : beside.parent_path() / "share" / "tidewrack",
        std::filesystem::path(TIDEWRACK_INSTALLED_DATA_DIR),
    };
    for (const auto& folder : candidates) {
        if (!folder.empty() && HoldsGameData(folder) && chdir(folder.c_str()) == 0) return;
    }
}

}  // namespace

int main(int argc, char** argv) {
    EnterDataFolder();
    platform::RunOnQtHost(argc, argv, [] {
        platform::SdlAudio audio;
        platform::SetAudioDevice(&audio);
        shell::RunProgram(resources::ProgramResources(), platform::SW_SHOWNORMAL);
        platform::SetAudioDevice(nullptr);
    });
    return 0;
}
