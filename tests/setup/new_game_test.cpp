// tests/setup/new_game_test.cpp: the board layout at the three screen sizes, to the pixel, and
// the state a new game starts from.
#include "setup/new_game.h"

#include <gtest/gtest.h>

#include <string>

#include "fleet/fleet.h"
#include "fleet/program_objects.h"
#include "platform/repaint.h"
#include "platform/sound.h"
#include "resources/resource_ids.h"
#include "rules/game.h"
#include "setup/ship_placement.h"
#include "setup/status_line.h"
#include "shell/main_window.h"
#include "tests/setup/placement_moves.h"
#include "tests/support/game_on_test_host.h"
#include "windows/program_handles.h"

namespace placement_test {
namespace {

using platform::Rect;

Rect BoundsOf(const imaging::Picture& picture) {
    Rect r;
    picture.GetBounds(&r);
    return r;
}

struct Layout {
    int width, height;
    Rect board0, board1;
    int ship;
    Rect dock;
};

class BoardLayout : public ::testing::TestWithParam<Layout> {};

TEST_P(BoardLayout, PutsBoardsAndDocksToThePixelAtEachSize) {
    const Layout& l = GetParam();
    platform::ScreenFacts screen;
    screen.width = l.width;
    screen.height = l.height;
    testing_support::GameOnTestHost game(screen);
    game.Then([&] {
        EXPECT_EQ(BoundsOf(fleet::Pictures.BoardPictures[0]), l.board0);
        EXPECT_EQ(BoundsOf(fleet::Pictures.BoardPictures[1]), l.board1);
        EXPECT_EQ(BoundsOf(fleet::Ships[l.ship].boatPicture), l.dock);
        EXPECT_EQ(BoundsOf(fleet::Ships[l.ship].sunkPicture), l.dock);
        for (const fleet::Ship& ship : fleet::Ships) {
            EXPECT_GT(ship.GetBottom(), fleet::Pictures.BoardPictures[0].GetBottom())
                << "every dock lies below the boards";
        }
    });
    EXPECT_EQ(game.Run(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, BoardLayout,
    ::testing::Values(
        Layout{1024, 768, {17, 78, 498, 582}, {527, 78, 1007, 582}, 0, {32, 609, 232, 651}},
        Layout{1024, 768, {17, 78, 498, 582}, {527, 78, 1007, 582}, 1, {314, 615, 474, 657}},
        Layout{1024, 768, {17, 78, 498, 582}, {527, 78, 1007, 582}, 9, {560, 667, 640, 709}},
        Layout{800, 600, {14, 60, 389, 448}, {412, 60, 787, 448}, 0, {25, 469, 181, 501}},
        Layout{800, 600, {14, 60, 389, 448}, {412, 60, 787, 448}, 4, {296, 514, 358, 546}},
        Layout{640, 480, {11, 47, 311, 352}, {329, 47, 629, 352}, 5, {492, 369, 617, 394}}),
    [](const ::testing::TestParamInfo<Layout>& info) {
        return "Screen" + std::to_string(info.param.width) + "Ship" +
               std::to_string(info.param.ship);
    });

TEST(NewGame, StartsFromACleanState) {
    testing_support::GameOnTestHost game;
    game.Then([&] {
        testing_support::TheGame().phase = rules::GameOver;
        testing_support::TheGame().boards[1][3][4] = 31;
        testing_support::TheGame().salvo[2] = rules::Shot{rules::Enemy, 7, 8};
        testing_support::TheGame().salvoSlot = 6;
        testing_support::TheGame().shotsLeft = 1;
        fleet::Ships[3].Rotate();
        testing_support::TheGame().fleets[rules::Player][3].hits = 1;
        fleet::Ships[7].SetVisible(0, nullptr);
        setup::Status.ShipsToPlace = 0;
        game.audio.ClearRecord();
        game.host.ChooseMenu(windows::App.MainWindow, resources::IDM_NEW);
    });
    game.Then([&] {
        const rules::Game& state = testing_support::TheGame();
        EXPECT_EQ(state.phase, rules::Placing);
        EXPECT_EQ(state.salvoSlot, 0);
        EXPECT_EQ(state.shotsLeft, 5);
        EXPECT_EQ(setup::Status.ShipsToPlace, 5);
        EXPECT_EQ(CellsHolding(rules::Player, 0) + CellsHolding(rules::Enemy, 0), 288);
        for (const rules::Shot& shot : state.salvo) EXPECT_EQ(shot.side, rules::NoShot);
        for (const rules::Fleet& fleet : state.fleets) {
            for (const rules::ShipState& ship : fleet) {
                EXPECT_EQ(ship.hits, 0);
                EXPECT_FALSE(ship.vertical);
                EXPECT_FALSE(ship.OnBoard());
            }
        }
        for (const fleet::Ship& ship : fleet::Ships) {
            EXPECT_EQ(ship.orientation, fleet::OrientationHorizontal);
            EXPECT_EQ(ship.visible, 1);
            EXPECT_EQ(ship.currentPicture, &ship.boatPicture);
        }
        EXPECT_EQ(std::string(setup::Status.StatusText),
                  "You Have 5 More Ships, Select Ship To Place...");
        ASSERT_FALSE(game.audio.Calls().empty());
        EXPECT_EQ(game.audio.Calls()[0].file, "siren.wav");
        EXPECT_EQ(game.audio.Calls()[0].flags, platform::SND_ASYNC | platform::SND_NOSTOP);
    });
    EXPECT_EQ(game.Run(), 0);
}

}  // namespace
}  // namespace placement_test
