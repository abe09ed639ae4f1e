// tests/scenarios/reentry_test.cpp: messages that arrive while a salvo is being resolved: a new
// game stops it after the current shot and leaves nothing behind; File > Exit and the close box
// stop it too, and the program ends with code 0.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fleet/fleet.h"
#include "resources/resource_ids.h"
#include "rules/game.h"
#include "setup/controls.h"
#include "setup/status_line.h"
#include "tests/scenarios/battle_scenario.h"
#include "windows/program_handles.h"

namespace {

using namespace scenario;

// Menu choices are posted, and the queue hands out posted messages before input, so a choice
// queued together with the clicks would be carried out before them. A choice reaches a salvo
// being resolved when the player makes it while the program waits inside the resolution: here the
// salvo's last click is followed by a second press, and the double-click this makes waits, while
// the messages between shots are handled, for its release. The player chooses then.
void InterruptTheResolution(BattleGame& game, std::function<void()> choose) {
    game.Then([&game] {
        const std::vector<Cell> cells = UntouchedCells(rules::Enemy, /*shipsFirst=*/false);
        platform::Point at;
        for (int i = 0; i < TheGame().shotsLeft; ++i) {
            at = CellCentre(rules::Enemy, cells[i].x, cells[i].y);
            game.host.Click(windows::App.MainWindow, at.x, at.y);
        }
        game.host.Press(windows::App.MainWindow, at.x, at.y);
    });
    game.Then([&game, choose] {
        EXPECT_EQ(TheGame().phase, rules::Resolving);
        const platform::Point at = CellCentre(rules::Enemy, 0, 0);
        game.host.Release(windows::App.MainWindow, at.x, at.y);
        choose();
    });
}

int OutcomeMessagesShown(const BattleGame& game) {
    int outcomes = 0;
    for (const ShownStatus& s : game.host.shown) {
        outcomes +=
            s.text.find("Missed") != std::string::npos || s.text.find("Hit") != std::string::npos;
    }
    return outcomes;
}

TEST(Reentry, NewGameDuringAResolutionStopsItAfterTheCurrentShot) {
    BattleGame game;
    game.StartBattle();
    InterruptTheResolution(
        game, [&] { game.host.ChooseMenu(windows::App.MainWindow, resources::IDM_NEW); });
    game.Then([&] {
        EXPECT_EQ(SoundsStarted(game.audio, "drop.wav"), 1);
        EXPECT_EQ(OutcomeMessagesShown(game), 1);
        EXPECT_EQ(TheGame().phase, rules::Placing);
        EXPECT_EQ(TheGame().salvoSlot, 0);
        EXPECT_EQ(TheGame().shotsLeft, 5);
        for (const rules::Shot& shot : TheGame().salvo) EXPECT_EQ(shot.side, rules::NoShot);
        for (const rules::Board& board : TheGame().boards) {
            for (const auto& column : board) {
                for (std::int32_t code : column) ASSERT_EQ(code, rules::Water);
            }
        }
        EXPECT_STREQ(setup::Status.StatusText, "You Have 5 More Ships, Select Ship To Place...");
        for (const rules::Fleet& fleet : TheGame().fleets) {
            for (const rules::ShipState& ship : fleet) EXPECT_EQ(ship.hits, 0);
        }
        for (const fleet::Ship& ship : fleet::Ships) {
            EXPECT_EQ(ship.visible, 1);
            EXPECT_EQ(ship.currentPicture, &ship.boatPicture);
        }
        // On the screen: no aim, miss, hit or wreck left anywhere.
        platform::InvalidateRect(windows::App.MainWindow, nullptr, false);
        platform::UpdateWindow(windows::App.MainWindow);
        int leftovers = 0;
        for (fixtures::Rgb24 c : {fixtures::TargetColour, fixtures::MissColour, fixtures::HitColour,
                                  fixtures::SunkColour}) {
            const platform::Pixel mark = platform::PixelOf(platform::Rgb(c.red, c.green, c.blue));
            for (platform::Pixel p : windows::App.MainWindow->surface.pixels)
                leftovers += p == mark;
        }
        EXPECT_EQ(leftovers, 0);
    });
    EXPECT_EQ(game.Run(), 0);
}

// New, Place Random and START all reach the window while the old salvo is being resolved, and
// the player aims the first shot of the new battle: the old resolution must stop there and leave
// the new salvo to be assembled, not resolve its first shots early.
TEST(Reentry, ANewBattleStartedDuringAResolutionKeepsItsSalvo) {
    BattleGame game;
    game.StartBattle();
    InterruptTheResolution(game, [&] {
        platform::Window* window = windows::App.MainWindow;
        platform::PostMessage(window, platform::WM_COMMAND, resources::IDM_NEW, 0);
        platform::PostMessage(window, platform::WM_COMMAND, setup::ID_PLACE_RANDOM, 0);
        platform::PostMessage(window, platform::WM_COMMAND, setup::ID_START, 0);
        const platform::Point at = CellCentre(rules::Enemy, 5, 5);
        game.host.Click(window, at.x, at.y);
    });
    game.Then([&] {
        EXPECT_EQ(SoundsStarted(game.audio, "drop.wav"), 1);
        EXPECT_EQ(TheGame().phase, rules::Firing);
        EXPECT_EQ(TheGame().salvoSlot, 2);
        EXPECT_EQ(TheGame().shotsLeft, 4);
        for (int slot : {0, 1}) {
            const rules::Shot& shot = TheGame().salvo[slot];
            ASSERT_NE(shot.side, rules::NoShot) << slot;
            const std::int32_t code = TheGame().boards[shot.side][shot.x][shot.y];
            EXPECT_TRUE(code >= 10 && code <= 15) << "slot " << slot << " code " << code;
        }
        for (const rules::Board& board : TheGame().boards) {
            for (const auto& column : board) {
                for (std::int32_t code : column) EXPECT_LT(code, 20);
            }
        }
    });
    EXPECT_EQ(game.Run(), 0);
}

// How the player asks to leave in the middle of a resolution.
enum class Leave { FileExit, CloseBox };

class LeaveDuringResolution : public testing::TestWithParam<Leave> {};

TEST_P(LeaveDuringResolution, EndsTheProgramWithCodeZeroAfterTheCurrentShot) {
    BattleGame game;
    game.StartBattle();
    bool ranOn = false;
    InterruptTheResolution(game, [&] {
        if (GetParam() == Leave::FileExit) {
            game.host.ChooseMenu(windows::App.MainWindow, resources::IDM_EXIT);
        } else {
            game.host.RequestClose(windows::App.MainWindow);
        }
    });
    game.Then([&] { ranOn = true; });
    EXPECT_EQ(game.Run(), 0);
    EXPECT_FALSE(ranOn);
    EXPECT_EQ(SoundsStarted(game.audio, "drop.wav"), 1);
}

INSTANTIATE_TEST_SUITE_P(ByMenuOrCloseBox, LeaveDuringResolution,
                         testing::Values(Leave::FileExit, Leave::CloseBox),
                         [](const testing::TestParamInfo<Leave>& info) {
                             return info.param == Leave::FileExit ? "FileExit" : "CloseBox";
                         });

}  // namespace
