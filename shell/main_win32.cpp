// shell/main_win32.cpp: the program's entry on Windows: enters the data folder beside the .exe,
// installs the Windows host, its text service and the wave output, and runs the game. The exit code
// is 0 on every path but a malformed option of the game's own (2), as on Linux.
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/sound.h"
#include "platform/text_service.h"
#include "platform/waveout/waveout_audio.h"
#include "platform/win32/win32_application.h"
#include "platform/win32/win32_text.h"
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

bool Enter(const std::filesystem::path& folder) {
    std::error_code error;
    if (folder.empty() || !HoldsGameData(folder)) return false;
    std::filesystem::current_path(folder, error);
    return !error;
}

// The game opens its files by relative paths, so it works in its data folder: the one named by
// TIDEWRACK_DATA when a player sets it, else the folder of the .exe, where the installer and the
// .zip put the data.
void EnterDataFolder() {
    if (const std::optional<std::string> chosen = platform::WIN_Environment("TIDEWRACK_DATA");
        chosen && !chosen->empty()) {
        // UTF-8 to a path in the system's wide characters.
        if (Enter(std::filesystem::path(std::u8string(chosen->begin(), chosen->end())))) return;
    }
    Enter(platform::WIN_ProgramFolder());
}

}  // namespace

int main() {
    const std::vector<std::string> arguments = platform::WIN_Arguments();
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    std::string error;
    const std::optional<shell::CommandLine> options =
        shell::ReadCommandLine(static_cast<int>(arguments.size()), argv.data(), &error);
    if (!options) {
        platform::WIN_ShowStartError("tidewrack: " + error);
        return 2;
    }
    shell::Options = *options;
    EnterDataFolder();
    platform::GdiText text;
    platform::SetTextService(&text);
    platform::RunOnWin32Host([] {
        platform::WaveOutAudio audio;
        platform::SetAudioDevice(&audio);
        shell::RunProgram(resources::ProgramResources(), platform::SW_SHOWNORMAL);
        platform::SetAudioDevice(nullptr);
    });
    platform::SetTextService(nullptr);
    return 0;
}
