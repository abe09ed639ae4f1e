// tests/windows/windows_in_game_test.cpp: the pop-up and the viewer in the running program on the
// test host, with the program's own pictures and the data folder's instructions.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/input.h"
#include "platform/message_box.h"
#include "platform/scroll_bars.h"
#include "platform/test/test_host.h"
#include "platform/virtual_keys.h"
#include "setup/controls.h"
#include "shell/main_window.h"
#include "tests/support/game_on_test_host.h"
#include "windows/instruction_lines.h"
#include "windows/program_handles.h"

namespace {

using namespace platform;
using testing_support::GameOnTestHost;

std::vector<Window*> WindowsOfClass(const std::string& name) {
    std::vector<Window*> found;
    for (Window* w : TopLevelWindows()) {
        if (w->windowClass != nullptr && w->windowClass->name == name) found.push_back(w);
    }
    return found;
}

Window* OnlyWindowOfClass(const std::string& name) {
    const auto found = WindowsOfClass(name);
    return found.size() == 1 ? found.front() : nullptr;
}

// Whether the surface holds more than one colour: a picture, not a plain background.
bool ShowsAPicture(const Window* window) {
    const auto& pixels = window->surface.pixels;
    return !pixels.empty() && std::find_if(pixels.begin(), pixels.end(), [&](Pixel p) {
                                  return p != pixels.front();
                              }) != pixels.end();
}

TEST(WindowsInGame, StartupPictureShowsForFiveSecondsOverTheNewGame) {
    GameOnTestHost game(ScreenFacts{}, /*waitForStartUpPicture=*/false);
    bool shown = false;
    game.Then([&] {
        Window* popup = OnlyWindowOfClass("Splash");
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->rect, (Rect{192, 144, 832, 624}));
        EXPECT_TRUE(ShowsAPicture(popup));
        EXPECT_EQ(GetParent(popup), windows::App.MainWindow);
        shown = true;
    });
    // With the script used up the host moves the clock to the pop-up's timer, then asks to quit.
    EXPECT_EQ(game.Run(), 0);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(WindowsOfClass("Splash").empty());
    EXPECT_EQ(game.host.Clock().NowMilliseconds(), 5000u);
}

TEST(WindowsInGame, AboutPictureStaysUntilAReleaseAnywhere) {
    GameOnTestHost game;
    Window* about = nullptr;
    game.Then([&] { game.host.ClickControl(windows::App.MainWindow, setup::ID_ABOUT); });
    game.Then([&] {
        about = OnlyWindowOfClass("Splash");
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(about->rect, (Rect{312, 184, 712, 584}));
        EXPECT_TRUE(ShowsAPicture(about));
        game.host.Press(windows::App.MainWindow, 20, 700);
        game.host.Clock().Advance(60'000);
    });
    game.Then([&] {
        EXPECT_TRUE(IsWindow(about)) << "a press and time alone leave it open";
        game.host.Release(windows::App.MainWindow, 20, 700);
    });
    game.Then([&] { EXPECT_FALSE(IsWindow(about)); });
    EXPECT_EQ(game.Run(), 0);
    EXPECT_TRUE(game.host.ScriptFinished());
}

TEST(WindowsInGame, InstructionsButtonShowsTheDataFoldersTextAndScrolls) {
    const std::filesystem::path file =
        std::filesystem::path(testing_support::DataFolder()) / "instruct.txt";
    // The viewer would create the file if it were missing; this test wants the generated one.
    ASSERT_TRUE(std::filesystem::is_regular_file(file)) << "build the tidewrack_data target";
    std::ifstream stream(file, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(stream), {}};
    const auto lines = windows::SplitInstructionLines(text);

    GameOnTestHost game;
    Window* viewer = nullptr;
    game.Then([&] { game.host.ClickControl(windows::App.MainWindow, setup::ID_INSTRUCTIONS); });
    game.Then([&] {
        viewer = OnlyWindowOfClass("TextScroll");
        ASSERT_NE(viewer, nullptr);
        EXPECT_EQ(GetScrollPos(viewer, SB_VERT), 0);
        ScrollBarInfo info;
        GetScrollInfo(viewer, SB_VERT, &info);
        EXPECT_EQ(info.max, static_cast<int>(lines.size()) - 1);
        EXPECT_TRUE(ShowsAPicture(viewer));
        QueueVerticalScroll(viewer, SB_LINEDOWN, 0);
    });
    game.Then([&] {
        EXPECT_EQ(GetScrollPos(viewer, SB_VERT), 1);
        game.host.RequestClose(viewer);
    });
    game.Then([&] {
        EXPECT_FALSE(IsWindow(viewer));
        EXPECT_TRUE(IsWindow(windows::App.MainWindow));
    });
    EXPECT_EQ(game.Run(), 0);
    EXPECT_TRUE(game.host.ScriptFinished());
}

// Escape closes what a click closes: the start-up and About pictures (whichever window had the
// keyboard, since the picture holds it) and the viewer.
TEST(WindowsInGame, EscapeClosesThePicturesAndTheViewer) {
    GameOnTestHost game(ScreenFacts{}, /*waitForStartUpPicture=*/false);
    Window* picture = nullptr;
    Window* viewer = nullptr;
    game.Then([&] {
        picture = OnlyWindowOfClass("Splash");
        ASSERT_NE(picture, nullptr);
        game.host.PressKey(windows::App.MainWindow, VK_ESCAPE);
    });
    game.Then([&] {
        EXPECT_FALSE(IsWindow(picture));
        EXPECT_EQ(game.host.Clock().NowMilliseconds(), 0u);
        game.host.ClickControl(windows::App.MainWindow, setup::ID_ABOUT);
    });
    game.Then([&] {
        picture = OnlyWindowOfClass("Splash");
        ASSERT_NE(picture, nullptr);
        game.host.PressKey(windows::App.MainWindow, VK_ESCAPE);
    });
    game.Then([&] {
        EXPECT_FALSE(IsWindow(picture));
        game.host.ClickControl(windows::App.MainWindow, setup::ID_INSTRUCTIONS);
    });
    game.Then([&] {
        viewer = OnlyWindowOfClass("TextScroll");
        ASSERT_NE(viewer, nullptr);
        game.host.PressKey(viewer, VK_ESCAPE);
    });
    game.Then([&] {
        EXPECT_FALSE(IsWindow(viewer));
        EXPECT_TRUE(IsWindow(windows::App.MainWindow));
    });
    EXPECT_EQ(game.Run(), 0);
    EXPECT_TRUE(game.host.ScriptFinished());
}

// Without a sound device the "No Sound" box comes over the start-up picture, which holds the mouse:
// the box has the mouse while it waits, the picture's timer still closes it on time, and the
// capture goes back to a picture still open when the box closes.
TEST(WindowsInGame, AMessageBoxHasTheMouseAndTheStartUpPictureClosesOnTimeMeanwhile) {
    GameOnTestHost game(ScreenFacts{}, /*waitForStartUpPicture=*/false);
    game.audio.SetWaveOutput(false);
    game.host.holdMessageBoxes = true;
    Window* picture = nullptr;
    game.Then([&] {
        ASSERT_TRUE(game.host.MessageBoxOpen());
        EXPECT_EQ(game.host.MessageBoxes().back().caption, "No Sound");
        picture = OnlyWindowOfClass("Splash");
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(GetCapture(), nullptr) << "the box has the mouse";
        game.host.Clock().Advance(5000);
    });
    game.Then([&] {
        EXPECT_TRUE(game.host.MessageBoxOpen());
        EXPECT_FALSE(IsWindow(picture)) << "the picture closed on time behind the box";
        game.host.AnswerMessageBox();
    });
    game.Then([&] {
        EXPECT_TRUE(windows::App.MainWindow->visible);
        EXPECT_EQ(GetCapture(), nullptr);
        // A box over the About picture: the picture has the mouse back once the box is answered.
        game.host.ClickControl(windows::App.MainWindow, setup::ID_ABOUT);
    });
    game.Then([&] {
        picture = OnlyWindowOfClass("Splash");
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(GetCapture(), picture);
        game.host.holdMessageBoxes = false;
        MessageBox(windows::App.MainWindow, "A word", "Note", MB_OK);
        EXPECT_EQ(GetCapture(), picture);
    });
    EXPECT_EQ(game.Run(), 0);
    EXPECT_TRUE(game.host.ScriptFinished());
}

}  // namespace
