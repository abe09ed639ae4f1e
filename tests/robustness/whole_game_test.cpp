// tests/robustness/whole_game_test.cpp: a whole game played to its end; a game with no data
// folder at all still starts (after one message per ship) and plays to its end without pictures;
// a folder of malformed pictures breaks nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "fleet/program_objects.h"
#include "resources/resource_ids.h"
#include "rules/game.h"
#include "setup/controls.h"
#include "shell/main_window.h"
#include "tests/support/game_on_test_host.h"
#include "windows/program_handles.h"

namespace {

namespace fs = std::filesystem;

class TemporaryFolder {
  public:
    TemporaryFolder() {
        path_ = fs::temp_directory_path() /
                ("tidewrack-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& Path() const { return path_; }

  private:
    fs::path path_;
};

// Aims at every enemy cell in turn until the game is over; clicks after the end change nothing.
void FireUntilTheEnd(testing_support::GameOnTestHost& game) {
    game.Then([&game] { game.host.ClickControl(windows::App.MainWindow, setup::ID_PLACE_RANDOM); });
    game.Then([&game] { game.host.ClickControl(windows::App.MainWindow, setup::ID_START); });
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            game.Then([&game, x, y] {
                // Without pictures the boards have no size; click where the board would be.
                const imaging::Picture& board = fleet::Pictures.BoardPictures[rules::Enemy];
                const int left = board.GetLeft();
                const int top = board.GetTop();
                const double w = (board.GetRight() - left) / 12.0;
                const double h = (board.GetBottom() - top) / 12.0;
                game.host.Click(windows::App.MainWindow, static_cast<int>(left + (x + 0.5) * w),
                                static_cast<int>(top + (y + 0.5) * h));
            });
        }
    }
}

// Run under valgrind's memcheck by the suite: a whole game with the real data folder.
TEST(WholeGame, PlayedToItsEnd) {
    testing_support::GameOnTestHost game;
    FireUntilTheEnd(game);
    EXPECT_EQ(game.Run(), 0);
    EXPECT_EQ(testing_support::TheGame().phase, rules::GameOver);
}

TEST(MissingData, TenShipMessagesThenAGameWithoutPicturesThatStillEnds) {
    TemporaryFolder empty;
    testing_support::GameOnTestHost game(platform::ScreenFacts{}, true, empty.Path().c_str());
    FireUntilTheEnd(game);
    EXPECT_EQ(game.Run(), 0);
    int shipMessages = 0;
    for (const auto& box : game.host.MessageBoxes()) {
        if (box.text == "Ship Bitmap Load Error!" && box.caption == "Error") ++shipMessages;
    }
    EXPECT_EQ(shipMessages, 10);
    EXPECT_EQ(testing_support::TheGame().phase, rules::GameOver);
    EXPECT_FALSE(fs::exists(empty.Path() / "Pictures")) << "nothing is created in its place";
}

TEST(MalformedData, EveryPictureReplacedByGarbageBreaksNothing) {
    TemporaryFolder folder;
    const fs::path source = testing_support::DataFolder();
    std::uint32_t noise = 12345;
    for (const auto& entry : fs::recursive_directory_iterator(source / "Pictures")) {
        if (!entry.is_regular_file()) continue;
        const fs::path target = folder.Path() / fs::relative(entry.path(), source);
        fs::create_directories(target.parent_path());
        // A plausible header with absurd fields, then noise: the worst a broken file can be.
        std::ofstream out(target, std::ios::binary);
        const unsigned char header[] = {'B',  'M',  0x10, 0, 0, 0, 0,    0,    0, 0, 0xFF, 0xFF,
                                        0xFF, 0x7F, 40,   0, 0, 0, 0xFF, 0xFF, 0, 0, 0x01, 0,
                                        0,    0x80, 1,    0, 8, 0, 1,    0,    0, 0};
        out.write(reinterpret_cast<const char*>(header), sizeof header);
        for (int i = 0; i < 4096; ++i) {
            noise = noise * 1103515245u + 12345u;
            out.put(static_cast<char>(noise >> 24));
        }
    }
    testing_support::GameOnTestHost game(platform::ScreenFacts{}, true, folder.Path().c_str());
    FireUntilTheEnd(game);
    game.Then([&game] { game.host.ChooseMenu(windows::App.MainWindow, resources::IDM_EXIT); });
    EXPECT_EQ(game.Run(), 0);
}

}  // namespace
