// soak_games: plays whole games one after another in a single run of the program on the headless
// host, and prints the resident memory after every stage of games. Run it in the data folder.
// Usage: soak_games [games] [games-per-stage]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "fleet/program_objects.h"
#include "platform/host.h"
#include "platform/messages.h"
#include "platform/sound.h"
#include "platform/test/fake_audio.h"
#include "platform/test/test_host.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "rules/game.h"
#include "setup/controls.h"
#include "shell/main_window.h"
#include "shell/program.h"
#include "shell/session.h"
#include "windows/program_handles.h"

namespace {

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

// One game: a new game, the fleet laid at random, then the enemy's cells in turn until it is over.
void ScriptGame(platform::TestHost& host) {
    host.Then([&host] { host.ChooseMenu(windows::App.MainWindow, resources::IDM_NEW); });
    host.Then([&host] { host.ClickControl(windows::App.MainWindow, setup::ID_PLACE_RANDOM); });
    host.Then([&host] { host.ClickControl(windows::App.MainWindow, setup::ID_START); });
    for (int cell = 0; cell < 144; ++cell) {
        host.Then([&host, cell] {
            if (shell::TheSession.game.phase != rules::Firing) return;
            const imaging::Picture& board = fleet::Pictures.BoardPictures[rules::Enemy];
            const double w = (board.GetRight() - board.GetLeft()) / 12.0;
            const double h = (board.GetBottom() - board.GetTop()) / 12.0;
            host.Click(windows::App.MainWindow,
                       static_cast<int>(board.GetLeft() + (cell % 12 + 0.5) * w),
                       static_cast<int>(board.GetTop() + (cell / 12 + 0.5) * h));
        });
    }
    // The end picture goes with a click; the next step's menu would wait behind its capture.
    host.Then([&host] { host.Click(windows::App.MainWindow, 1, 1); });
}

}  // namespace

int main(int argc, char** argv) {
    const int games = argc > 1 ? std::atoi(argv[1]) : 500;
    const int perStage = argc > 2 ? std::max(1, std::atoi(argv[2])) : 50;
    platform::TestHost host;
    platform::FakeAudio audio(host.Clock());
    platform::SetHost(&host);
    platform::SetAudioDevice(&audio);

    host.Then([&host] { host.Clock().Advance(5000); });  // the start-up picture
    int finished = 0;
    for (int game = 1; game <= games; ++game) {
        ScriptGame(host);
        host.Then([game, perStage, &finished, &audio] {
            if (shell::TheSession.game.phase == rules::GameOver) ++finished;
            audio.ClearRecord();  // the fake device's own record is no part of the game
            if (game % perStage == 0) {
                std::printf("games %4d  finished %4d  resident %6ld kB\n", game, finished,
                            ResidentKilobytes());
                std::fflush(stdout);
            }
        });
    }
    host.Then([&host] { host.ChooseMenu(windows::App.MainWindow, resources::IDM_EXIT); });
    const int code = shell::RunProgram(resources::ProgramResources(), platform::SW_SHOWNORMAL);
    platform::ResetMessageQueue();
    platform::SetAudioDevice(nullptr);
    platform::SetHost(nullptr);
    return finished == games ? code : 1;
}
