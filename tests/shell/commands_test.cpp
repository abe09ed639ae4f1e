// tests/shell/commands_test.cpp: the command table, the mouse rows outside placement, the
// pump, and the ways the program ends.
#include <gtest/gtest.h>

#include <string>

#include "battle/message_pump.h"
#include "fleet/fleet.h"
#include "platform/menus.h"
#include "platform/messages.h"
#include "platform/quit_request.h"
#include "resources/resource_ids.h"
#include "rules/game.h"
#include "setup/controls.h"
#include "setup/layout_scale.h"
#include "setup/ship_placement.h"
#include "setup/status_line.h"
#include "shell/main_window.h"
#include "sound/sound_effects.h"
#include "tests/support/game_on_test_host.h"
#include "windows/program_handles.h"

namespace {

using platform::Window;
using testing_support::TheGame;

Window* Control(int id) {
    for (Window* child : windows::App.MainWindow->children) {
        if (child->id == id && child->windowClass->name == "BUTTON") return child;
    }
    return nullptr;
}

TEST(Commands, FileExitEndsTheProgramThroughItsOwnQuitRequest) {
    testing_support::GameOnTestHost game;
    bool stepAfterExitRan = false;
    game.Then([&] { game.host.ChooseMenu(windows::App.MainWindow, resources::IDM_EXIT); });
    game.Then([&] { stepAfterExitRan = true; });
    EXPECT_EQ(game.Run(), 0);
    EXPECT_FALSE(stepAfterExitRan) << "the loop ended at the fetch after the command";
    EXPECT_EQ(game.host.QuitRequests(), 0);
}

TEST(Commands, TheCloseBoxEndsTheProgram) {
    testing_support::GameOnTestHost game;
    game.Then([&] { game.host.RequestClose(windows::App.MainWindow); });
    EXPECT_EQ(game.Run(), 0);
    EXPECT_EQ(game.host.QuitRequests(), 0);
    EXPECT_FALSE(platform::IsWindow(windows::App.MainWindow));
}

TEST(Commands, SoundOnAndOffSwitchTheFlagAndTheMarks) {
    testing_support::GameOnTestHost game;
    auto marks = [] {
        return std::pair{
            platform::FindMenuItem(windows::App.MainMenu, resources::IDM_SOUND_ON)->checked,
            platform::FindMenuItem(windows::App.MainMenu, resources::IDM_SOUND_OFF)->checked};
    };
    game.Then([&] { game.host.ChooseMenu(windows::App.MainWindow, resources::IDM_SOUND_OFF); });
    game.Then([&] {
        EXPECT_EQ(sound::SoundOn, 0);
        EXPECT_EQ(marks(), std::pair(false, true));
        game.host.ChooseMenu(windows::App.MainWindow, resources::IDM_SOUND_ON);
    });
    game.Then([&] {
        EXPECT_EQ(sound::SoundOn, 1);
        EXPECT_EQ(marks(), std::pair(true, false));
    });
    EXPECT_EQ(game.Run(), 0);
}

// A command value carries a notification code in its high word; only code 0 matches.
TEST(Commands, AValueWithANotificationCodeMatchesNothingAndOnlyRepaints) {
    testing_support::GameOnTestHost game;
    game.Then([&] {
        setup::Status.ShipsToPlace = 3;
        platform::PostMessage(windows::App.MainWindow, platform::WM_COMMAND,
                              platform::MakeLong(setup::ID_PLACE_RANDOM, 1), 0);
        platform::PostMessage(windows::App.MainWindow, platform::WM_COMMAND, 12345, 0);
    });
    game.Then([&] {
        EXPECT_EQ(setup::Status.ShipsToPlace, 3);
        EXPECT_FALSE(Control(setup::ID_START)->enabled);
    });
    EXPECT_EQ(game.Run(), 0);
}

TEST(Commands, PlaceRandomLaysTheFleetOnTheBoardAndEnablesStart) {
    testing_support::GameOnTestHost game;
    game.Then([&] { game.host.ClickControl(windows::App.MainWindow, setup::ID_PLACE_RANDOM); });
    game.Then([&] {
        EXPECT_EQ(setup::Status.ShipsToPlace, 0);
        EXPECT_TRUE(Control(setup::ID_START)->enabled);
        EXPECT_EQ(std::string(setup::Status.StatusText),
                  "Select Ship To Reposition or Press Start To Begin...");
        int shipCells = 0;
        for (const auto& column : TheGame().boards[rules::Player]) {
            for (std::int32_t code : column) shipCells += code != rules::Water;
        }
        EXPECT_EQ(shipCells, 17);
    });
    EXPECT_EQ(game.Run(), 0);
}

struct SizeCommand {
    int command, width, height;
    double factor;
};

class ScreenSizeCommand : public ::testing::TestWithParam<SizeCommand> {};

// The menu grays these items; a window that receives the command by other means carries it out.
TEST_P(ScreenSizeCommand, ChangesTheSettingMovesTheWindowAndStartsANewGame) {
    const SizeCommand& c = GetParam();
    testing_support::GameOnTestHost game;
    platform::Rect startButton;
    game.Then([&] {
        startButton = Control(setup::ID_START)->rect;
        TheGame().phase = rules::Firing;
        platform::PostMessage(windows::App.MainWindow, platform::WM_COMMAND,
                              static_cast<platform::WPARAM>(c.command), 0);
    });
    game.Then([&] {
        EXPECT_EQ(setup::Layout.ScreenWidth, c.width);
        EXPECT_EQ(setup::Layout.ScreenHeight, c.height);
        EXPECT_EQ(setup::Layout.ScaleX, c.factor);
        EXPECT_EQ(setup::Layout.ScaleY, c.factor);
        EXPECT_EQ(windows::App.MainWindow->rect.Width(), c.width + 8);
        EXPECT_EQ(windows::App.MainWindow->rect.Height(), c.height + 8);
        EXPECT_EQ(TheGame().phase, rules::Placing);
        EXPECT_EQ(Control(setup::ID_START)->rect, startButton) << "controls never move";
        EXPECT_TRUE(platform::FindMenuItem(windows::App.MainMenu, c.command)->checked);
    });
    EXPECT_EQ(game.Run(), 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScreenSizeCommand,
                         ::testing::Values(SizeCommand{resources::IDM_SIZE_640, 640, 480, 0.625},
                                           SizeCommand{resources::IDM_SIZE_800, 800, 600, 0.78125},
                                           SizeCommand{resources::IDM_SIZE_1024, 1024, 768, 1.0}),
                         [](const ::testing::TestParamInfo<SizeCommand>& info) {
                             return "To" + std::to_string(info.param.width);
                         });

// Outside placement a right click or a double-click on a ship does nothing, but the double-click
// still takes its following release from the queue.
TEST(MouseOutsidePlacement, DoubleClicksAndRightClicksDoNothingButTheReleaseIsTaken) {
    for (rules::GamePhase phase : {rules::Firing, rules::Resolving, rules::GameOver}) {
        testing_support::GameOnTestHost game;
        int x = 0;
        int y = 0;
        game.Then([&] {
            TheGame().phase = phase;
            const fleet::Ship& carrier = fleet::Ships[0];
            x = carrier.boatPicture.GetLeft() + 5;
            y = carrier.boatPicture.GetTop() + 5;
            game.host.RightClick(windows::App.MainWindow, x, y);
            game.host.Press(windows::App.MainWindow, x, y);
            game.host.Release(windows::App.MainWindow, x, y);
            platform::PostMessage(windows::App.MainWindow, platform::WM_LBUTTONDBLCLK, 0,
                                  platform::MakePointParam(x, y));
            game.host.Release(windows::App.MainWindow, x, y);
            platform::PostMessage(windows::App.MainWindow, platform::WM_COMMAND, 9999, 0);
        });
        game.Then([&] {
            EXPECT_EQ(fleet::Ships[0].orientation, 0) << "phase " << phase;
            EXPECT_EQ(TheGame().phase, phase);
            platform::Message left;
            EXPECT_FALSE(platform::PeekMessage(&left, windows::App.MainWindow,
                                               platform::WM_LBUTTONUP, platform::WM_LBUTTONUP,
                                               platform::PM_NOREMOVE));
        });
        EXPECT_EQ(game.Run(), 0);
    }
}

TEST(Pump, HandsOnWaitingMessagesAndPostsAQuitRequestAgain) {
    testing_support::GameOnTestHost game;
    game.Then([&] {
        setup::Status.ShipsToPlace = 4;
        platform::PostMessage(windows::App.MainWindow, platform::WM_COMMAND, setup::ID_PLACE_RANDOM,
                              0);
        platform::PostQuitMessage(0);
        EXPECT_FALSE(battle::PumpPendingMessages());
        EXPECT_EQ(setup::Status.ShipsToPlace, 0)
            << "the command before the quit request was handled";
        platform::Message quit;
        EXPECT_TRUE(platform::PeekMessage(&quit, nullptr, 0, 0, platform::PM_NOREMOVE));
        EXPECT_EQ(quit.message, platform::WM_QUIT);
    });
    EXPECT_EQ(game.Run(), 0);
    EXPECT_EQ(game.host.QuitRequests(), 0);
}

TEST(QuitRequest, ClosingAViewerIsNoRequestToEndTheProgram) {
    testing_support::GameOnTestHost game;
    game.Then([&] { game.host.ClickControl(windows::App.MainWindow, setup::ID_INSTRUCTIONS); });
    game.Then([&] {
        Window* viewer = nullptr;
        for (Window* top : platform::TopLevelWindows()) {
            if (top->text == "Tidewrack Instructions") viewer = top;
        }
        ASSERT_NE(viewer, nullptr);
        EXPECT_FALSE(platform::QuitRequestWaiting());
        game.host.RequestClose(viewer);
        EXPECT_FALSE(platform::QuitRequestWaiting()) << "closing a viewer ends nothing else";
        game.host.RequestClose(windows::App.MainWindow);
        EXPECT_TRUE(platform::QuitRequestWaiting());
    });
    EXPECT_EQ(game.Run(), 0);
}

}  // namespace
