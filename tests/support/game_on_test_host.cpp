// tests/support/game_on_test_host.cpp: installs the test host and the fake audio device, runs the
// real program, and puts the platform back as it was.
#include "tests/support/game_on_test_host.h"

#include <unistd.h>

#include "platform/messages.h"
#include "platform/sound.h"
#include "platform/window.h"
#include "resources/program_resources.h"
#include "shell/program.h"

namespace testing_support {

const char* DataFolder() { return TIDEWRACK_TEST_DATA_DIR; }

namespace {
constexpr std::uint64_t kStartUpPictureTime = 5000;
}

GameOnTestHost::GameOnTestHost(platform::ScreenFacts screen, bool waitForStartUpPicture,
                               const char* dataFolder)
    : host(screen) {
    platform::SetHost(&host);
    platform::SetAudioDevice(&audio);
    if (chdir(dataFolder != nullptr ? dataFolder : DataFolder()) != 0) {
        // Without the data folder the game still runs, just without pictures and sounds.
    }
    if (waitForStartUpPicture) {
        host.Then([this] { host.Clock().Advance(kStartUpPictureTime); });
    }
}

GameOnTestHost::~GameOnTestHost() {
    platform::ResetMessageQueue();
    platform::SetAudioDevice(nullptr);
    platform::SetHost(nullptr);
}

int GameOnTestHost::Run() {
    return shell::RunProgram(resources::ProgramResources(), platform::SW_SHOWNORMAL);
}

}  // namespace testing_support
