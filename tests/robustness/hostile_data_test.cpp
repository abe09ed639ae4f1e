// tests/robustness/hostile_data_test.cpp: the game in a data folder where every picture, every
// sound or the instructions file is replaced by something hostile. Whatever it is, the game starts,
// plays a salvo, shows the instructions and exits 0, in bounded time and memory.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "fleet/program_objects.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sound.h"
#include "resources/resource_ids.h"
#include "rules/game.h"
#include "setup/controls.h"
#include "shell/main_window.h"
#include "tests/support/game_on_test_host.h"
#include "tests/support/wave_header.h"
#include "windows/program_handles.h"

namespace {

namespace fs = std::filesystem;

// Far below what the failures found in the field took (gigabytes), far above a game's needs.
constexpr long kMemoryBoundKilobytes = 1024 * 1024;
// A hang fails the test instead of holding the suite.
constexpr unsigned kTimeLimitSeconds = 120;

using testing_support::PutLittleEndian;

// A wave whose header claims rate and data bytes, followed by presentBytes of silence.
void WriteWave(const fs::path& path, std::uint32_t rate, std::uint32_t dataBytes,
               std::uint32_t presentBytes) {
    std::ofstream out(path, std::ios::binary);
    testing_support::WriteWaveHeader(out, {.rate = rate, .dataBytes = dataBytes});
    for (std::uint32_t i = 0; i < presentBytes; ++i) out.put('\0');
}

// A bitmap header that claims a huge image and a 2 GB pixel part over a few bytes.
void WriteAbsurdBitmap(const fs::path& path) {
    std::ofstream out(path, std::ios::binary);
    out.write("BM", 2);
    PutLittleEndian(out, 0x7FFFFFFF, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 54, 4);
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, 0x7FFFFFFF, 4);
    PutLittleEndian(out, 0x7FFFFFFF, 4);
    PutLittleEndian(out, 1, 2);
    PutLittleEndian(out, 8, 2);
    for (int i = 0; i < 24; ++i) out.put('\xFF');
}

using Replace = std::function<void(const fs::path&)>;

struct Case {
    const char* kind;  // "pictures", "sounds" or "instructions"
    const char* what;
    Replace replace;
};

const Case kCases[] = {
    {"pictures", "named pipe", [](const fs::path& p) { ::mkfifo(p.c_str(), 0600); }},
    {"pictures", "directory", [](const fs::path& p) { fs::create_directory(p); }},
    {"pictures", "dangling symlink", [](const fs::path& p) { fs::create_symlink("nowhere", p); }},
    {"pictures", "looping symlink", [](const fs::path& p) { fs::create_symlink(p.filename(), p); }},
    {"pictures", "symlink to /dev/zero",
     [](const fs::path& p) { fs::create_symlink("/dev/zero", p); }},
    {"pictures", "symlink to /dev/urandom",
     [](const fs::path& p) { fs::create_symlink("/dev/urandom", p); }},
    {"pictures", "absurd header", &WriteAbsurdBitmap},
    {"sounds", "named pipe", [](const fs::path& p) { ::mkfifo(p.c_str(), 0600); }},
    {"sounds", "directory", [](const fs::path& p) { fs::create_directory(p); }},
    {"sounds", "dangling symlink", [](const fs::path& p) { fs::create_symlink("nowhere", p); }},
    {"sounds", "looping symlink", [](const fs::path& p) { fs::create_symlink(p.filename(), p); }},
    {"sounds", "symlink to /dev/zero",
     [](const fs::path& p) { fs::create_symlink("/dev/zero", p); }},
    {"sounds", "a rate of 1 Hz", [](const fs::path& p) { WriteWave(p, 1, 400000, 400000); }},
    {"sounds", "a gigabyte declared",
     [](const fs::path& p) { WriteWave(p, 44100, 1u << 30, 8192); }},
    {"instructions", "named pipe", [](const fs::path& p) { ::mkfifo(p.c_str(), 0600); }},
    {"instructions", "directory", [](const fs::path& p) { fs::create_directory(p); }},
    {"instructions", "dangling symlink",
     [](const fs::path& p) { fs::create_symlink("missing/instruct.txt", p); }},
    {"instructions", "looping symlink",
     [](const fs::path& p) { fs::create_symlink(p.filename(), p); }},
    {"instructions", "symlink to /dev/zero",
     [](const fs::path& p) { fs::create_symlink("/dev/zero", p); }},
    {"instructions", "a gigabyte without a line end",
     [](const fs::path& p) {
         std::ofstream(p, std::ios::binary).put('x');
         fs::resize_file(p, std::uintmax_t{1} << 30);  // sparse: no room on the disk
     }},
};

bool OfKind(const fs::path& relative, const std::string& kind) {
    const std::string top = relative.begin()->string();
    if (kind == "pictures") return top == "Pictures";
    if (kind == "sounds") return top == "Sounds";
    return relative == "instruct.txt";
}

class HostileData : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        ::alarm(kTimeLimitSeconds);
        folder_ = fs::temp_directory_path() / ("tidewrack-hostile-" + std::to_string(::getpid()) +
                                               "-" + std::to_string(GetParam()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        ::alarm(0);
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    // The build's data folder, with every file of the case's kind replaced.
    void MakeFolder(const Case& c) {
        const fs::path source = testing_support::DataFolder();
        for (const char* top : {"Pictures", "Sounds", "instruct.txt"}) {
            if (!fs::exists(source / top)) continue;
            fs::copy(source / top, folder_ / top, fs::copy_options::recursive);
        }
        std::vector<fs::path> targets;
        for (const auto& entry : fs::recursive_directory_iterator(folder_)) {
            const fs::path relative = fs::relative(entry.path(), folder_);
            if (entry.is_regular_file() && OfKind(relative, c.kind))
                targets.push_back(entry.path());
        }
        if (std::string(c.kind) == "instructions" && targets.empty()) {
            targets.push_back(folder_ / "instruct.txt");
        }
        ASSERT_FALSE(targets.empty());
        for (const fs::path& target : targets) {
            fs::remove(target);
            c.replace(target);
        }
    }

    fs::path folder_;
};

TEST_P(HostileData, TheGameStartsPlaysASalvoAndExits) {
    const Case& c = kCases[GetParam()];
    SCOPED_TRACE(std::string(c.kind) + ": " + c.what);
    MakeFolder(c);

    testing_support::GameOnTestHost game(platform::ScreenFacts{}, true, folder_.c_str());
    // The real audio device reads the sound files (to nowhere, on SDL's dummy driver); with every
    // sound hostile nothing plays for real, so the virtual clock stays in step.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    platform::SdlAudio realAudio;
    if (std::string(c.kind) == "sounds") platform::SetAudioDevice(&realAudio);

    game.Then([&game] { game.host.ClickControl(windows::App.MainWindow, setup::ID_PLACE_RANDOM); });
    game.Then([&game] { game.host.ClickControl(windows::App.MainWindow, setup::ID_START); });
    for (int x = 0; x < 5; ++x) {
        game.Then([&game, x] {
            const imaging::Picture& board = fleet::Pictures.BoardPictures[rules::Enemy];
            const double w = (board.GetRight() - board.GetLeft()) / 12.0;
            const double h = (board.GetBottom() - board.GetTop()) / 12.0;
            game.host.Click(windows::App.MainWindow,
                            static_cast<int>(board.GetLeft() + (x + 0.5) * w),
                            static_cast<int>(board.GetTop() + 0.5 * h));
        });
    }
    game.Then([&game] { game.host.ClickControl(windows::App.MainWindow, setup::ID_INSTRUCTIONS); });
    game.Then([&game] { game.host.ChooseMenu(windows::App.MainWindow, resources::IDM_EXIT); });
    EXPECT_EQ(game.Run(), 0);
    platform::SetAudioDevice(nullptr);

    // Five shots were resolved on the enemy's board.
    int resolved = 0;
    for (const auto& column : testing_support::TheGame().boards[rules::Enemy]) {
        for (std::int32_t code : column) resolved += code >= rules::Miss ? 1 : 0;
    }
    EXPECT_EQ(resolved, 5);

    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss, kMemoryBoundKilobytes);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, HostileData,
                         ::testing::Range(0, static_cast<int>(std::size(kCases))),
                         [](const ::testing::TestParamInfo<int>& info) {
                             std::string name = std::string(kCases[info.param].kind) + "_" +
                                                kCases[info.param].what;
                             for (char& ch : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             }
                             return name;
                         });

}  // namespace
