// tests/support/game_on_test_host.h: the real program run on the headless test host, with the
// fake audio device and the data folder of the build tree.
#pragma once

#include <functional>

#include "platform/host.h"
#include "platform/test/fake_audio.h"
#include "platform/test/test_host.h"
#include "rules/game.h"
#include "shell/session.h"

namespace testing_support {

class GameOnTestHost {
  public:
    // Unless told otherwise, the script starts by letting the start-up picture close (it holds
    // the mouse for its five seconds, as it does for a player).
    // The game works in dataFolder (the build tree's data folder when none is given).
    explicit GameOnTestHost(platform::ScreenFacts screen = platform::ScreenFacts{},
                            bool waitForStartUpPicture = true, const char* dataFolder = nullptr);
    ~GameOnTestHost();

    // Runs the program from entry to exit; the script (host.Then) drives it meanwhile.
    int Run();
    // Adds a step to the script.
    void Then(std::function<void()> step) { host.Then(std::move(step)); }

    platform::TestHost host;
    platform::FakeAudio audio{host.Clock()};
};

// The game in the main window of the program being run.
inline rules::Game& TheGame() { return shell::TheSession.game; }

// The folder the build writes the game's data into; the game's relative paths resolve there.
const char* DataFolder();

}  // namespace testing_support
