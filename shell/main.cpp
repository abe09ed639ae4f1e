// shell/main.cpp: the program's entry: finds the data folder, installs the Qt host, its text
// service and the SDL audio device, and runs the game. The exit code is 0 on every path but a
// malformed option of the game's own (2).
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "platform/qt/qt_application.h"
#include "platform/qt/qt_text.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sound.h"
#include "platform/text_service.h"
#include "platform/window.h"
#include "resources/program_resources.h"
#include "shell/command_line.h"
#include "shell/program.h"

namespace {

bool HoldsGameData(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_directory(folder / "Pictures", error) ||
           std::filesystem::is_directory(folder / "Sounds", error);
}

// The game opens its files by relative paths, so it works in its data folder: the one named by
// TIDEWRACK_DATA when a player sets it, beside the executable in a build tree, the installed
// data folder otherwise. That one is looked for from where the executable lies first, so a
// whole installed tree that was moved or unpacked elsewhere still finds its data.
void EnterDataFolder() {
    const char* chosen = std::getenv("TIDEWRACK_DATA");
    if (chosen != nullptr && *chosen != '\0') {
        if (HoldsGameData(chosen) && chdir(chosen) == 0) return;
        std::fprintf(stderr,
                     "tidewrack: TIDEWRACK_DATA=%s holds no game data; using the "
                     "installed data instead\n",
                     chosen);
    }
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path beside = error ? std::filesystem::path() : executable.parent_path();
    const std::filesystem::path candidates[] = {
        beside,
        beside.empty() ? beside : beside / TIDEWRACK_DATA_FROM_PROGRAM,
        std::filesystem::path(TIDEWRACK_INSTALLED_DATA_DIR),
    };
    for (const auto& folder : candidates) {
        if (!folder.empty() && HoldsGameData(folder) && chdir(folder.c_str()) == 0) return;
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<shell::CommandLine> options = shell::ReadCommandLine(argc, argv, &error);
    if (!options) {
        std::fprintf(stderr, "tidewrack: %s\n", error.c_str());
        return 2;
    }
    shell::Options = *options;
    EnterDataFolder();
    platform::QtText text;
    platform::SetTextService(&text);
    platform::RunOnQtHost(argc, argv, [] {
        platform::SdlAudio audio;
        platform::SetAudioDevice(&audio);
        shell::RunProgram(resources::ProgramResources(), platform::SW_SHOWNORMAL);
        platform::SetAudioDevice(nullptr);
    });
    return 0;
}
