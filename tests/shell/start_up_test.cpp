// tests/shell/start_up_test.cpp: what InitInstance builds: the factors, the five controls at
// their design rectangles, the menu's marks and graying, the window's client size.
#include <gtest/gtest.h>

#include <string>

#include "platform/drawing/drawing.h"
#include "platform/menus.h"
#include "platform/window.h"
#include "resources/resource_ids.h"
#include "setup/controls.h"
#include "setup/layout_scale.h"
#include "shell/command_line.h"
#include "shell/main_window.h"
#include "shell/session.h"
#include "tests/support/game_on_test_host.h"
#include "windows/program_handles.h"

namespace {

using platform::Rect;
using platform::Window;

platform::ScreenFacts ScreenOf(int width, int height) {
    platform::ScreenFacts facts;
    facts.width = width;
    facts.height = height;
    facts.captionHeight = 19;
    facts.menuHeight = 19;
    return facts;
}

Window* Control(int id) {
    for (Window* child : windows::App.MainWindow->children) {
        if (child->id == id && child->windowClass->name != "STATIC") return child;
    }
    return nullptr;
}

Window* StatusFrame() {
    for (Window* child : windows::App.MainWindow->children) {
        if (child->windowClass->name == "STATIC") return child;
    }
    return nullptr;
}

struct Expected {
    int screenWidth, screenHeight;
    double scaleY;
    Rect start, placeRandom, about, instructions, frame;
    const char* placeRandomText;
};

class StartUp : public ::testing::TestWithParam<Expected> {};

TEST_P(StartUp, BuildsTheWindowFromTheDesignLayout) {
    const Expected& e = GetParam();
    testing_support::GameOnTestHost game(ScreenOf(e.screenWidth, e.screenHeight));
    game.Then([&] {
        EXPECT_DOUBLE_EQ(setup::Layout.ScaleX, e.screenWidth / 1024.0);
        EXPECT_DOUBLE_EQ(setup::Layout.ScaleY, e.scaleY);
        Rect client;
        platform::GetClientRect(windows::App.MainWindow, &client);
        EXPECT_EQ(client.right, e.screenWidth);
        EXPECT_EQ(client.bottom, e.screenHeight - 38);
        EXPECT_EQ(Control(setup::ID_START)->rect, e.start);
        EXPECT_EQ(Control(setup::ID_PLACE_RANDOM)->rect, e.placeRandom);
        EXPECT_EQ(Control(setup::ID_ABOUT)->rect, e.about);
        EXPECT_EQ(Control(setup::ID_INSTRUCTIONS)->rect, e.instructions);
        EXPECT_EQ(StatusFrame()->rect, e.frame);
        EXPECT_EQ(Control(setup::ID_PLACE_RANDOM)->text, e.placeRandomText);
        EXPECT_FALSE(Control(setup::ID_START)->enabled);
        EXPECT_TRUE(Control(setup::ID_PLACE_RANDOM)->enabled);
        EXPECT_EQ(windows::App.MainWindow->text, "Tidewrack");
        EXPECT_TRUE(windows::App.MainWindow->visible);
    });
    EXPECT_EQ(game.Run(), 0);
}

// The caption font follows the layout factor, and each caption leaves room for the button's
// edges and margins (some eight pixels a side in the toolkit's style).
TEST_P(StartUp, EveryCaptionFitsItsButton) {
    const Expected& e = GetParam();
    testing_support::GameOnTestHost game(ScreenOf(e.screenWidth, e.screenHeight));
    game.Then([&] {
        platform::DeviceContext* dc = platform::CreateCompatibleDC(nullptr);
        for (int id :
             {setup::ID_START, setup::ID_PLACE_RANDOM, setup::ID_ABOUT, setup::ID_INSTRUCTIONS}) {
            const Window* button = Control(id);
            ASSERT_TRUE(button->font.has_value()) << id;
            EXPECT_EQ(button->font->height, -static_cast<int>(15 * setup::Layout.ScaleX)) << id;
            platform::Font* font = platform::CreateFontIndirect(*button->font);
            platform::SelectObject(dc, font);
            platform::Point size;
            ASSERT_TRUE(platform::GetTextExtentPoint32(dc, button->text, &size));
            EXPECT_LE(size.x, button->rect.Width() - 16) << button->text;
            EXPECT_LE(size.y, button->rect.Height() - 4) << button->text;
            platform::SelectObject(dc, platform::GetStockObject(platform::StockObject::SystemFont));
            platform::DeleteObject(font);
        }
        platform::DeleteDC(dc);
    });
    EXPECT_EQ(game.Run(), 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, StartUp,
                         ::testing::Values(Expected{1024,
                                                    768,
                                                    1.0,
                                                    {10, 10, 135, 50},
                                                    {155, 10, 280, 50},
                                                    {745, 10, 870, 50},
                                                    {890, 10, 1015, 50},
                                                    {300, 10, 725, 50},
                                                    "Place Random"},
                                           // 125 x 0.78125 = 97.65625 gives 97: each extent is
                                           // converted on its own and truncated.
                                           Expected{800,
                                                    600,
                                                    562.0 / 730.0,
                                                    {7, 7, 104, 37},
                                                    {121, 7, 218, 37},
                                                    {582, 7, 679, 37},
                                                    {695, 7, 792, 37},
                                                    {234, 7, 566, 37},
                                                    "Place Random"},
                                           Expected{640,
                                                    480,
                                                    442.0 / 730.0,
                                                    {6, 6, 84, 30},
                                                    {96, 6, 174, 30},
                                                    {465, 6, 543, 30},
                                                    {556, 6, 634, 30},
                                                    {187, 6, 452, 30},
                                                    "Place Random"}),
                         [](const ::testing::TestParamInfo<Expected>& info) {
                             return "Screen" + std::to_string(info.param.screenWidth);
                         });

TEST(StartUpMenu, ChecksSoundOnAndTheCurrentSizeAndGraysEverySize) {
    testing_support::GameOnTestHost game(ScreenOf(800, 600));
    game.Then([&] {
        platform::Menu* menu = windows::App.MainMenu;
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(platform::FindMenuItem(menu, resources::IDM_SOUND_ON)->checked);
        EXPECT_FALSE(platform::FindMenuItem(menu, resources::IDM_SOUND_OFF)->checked);
        EXPECT_FALSE(platform::FindMenuItem(menu, resources::IDM_SOUND_ON)->grayed);
        for (int item :
             {resources::IDM_SIZE_640, resources::IDM_SIZE_800, resources::IDM_SIZE_1024}) {
            EXPECT_TRUE(platform::FindMenuItem(menu, item)->grayed);
            EXPECT_EQ(platform::FindMenuItem(menu, item)->checked, item == resources::IDM_SIZE_800);
        }
    });
    EXPECT_EQ(game.Run(), 0);
}

}  // namespace

namespace {

// --seed and --no-splash as the program's entry leaves them: the generator starts from the seed,
// and the main window comes up with no picture over it.
TEST(StartUpOptions, ASeedStartsTheGeneratorAndNoSplashOpensNoPicture) {
    shell::Options =
        shell::CommandLine{.seed = 1234u, .showSplash = false, .hostPort = {}, .join = {}};
    testing_support::GameOnTestHost game(ScreenOf(1024, 768), /*waitForStartUpPicture=*/false);
    game.Then([&] {
        EXPECT_EQ(shell::TheSession.random, rules::Random(1234u));
        for (platform::Window* window : platform::TopLevelWindows()) {
            EXPECT_EQ(window, windows::App.MainWindow) << "only the main window is open";
        }
    });
    EXPECT_EQ(game.Run(), 0);
    shell::Options = shell::CommandLine{};
}

}  // namespace
