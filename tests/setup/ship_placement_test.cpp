// tests/setup/ship_placement_test.cpp: picking up, turning, carrying and dropping ships with the
// mouse: the counting of ships still to place, the status texts, and what a carry drops.
#include "setup/ship_placement.h"

#include <gtest/gtest.h>

#include <string>

#include "fleet/board_cell.h"
#include "fleet/fleet.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/virtual_keys.h"
#include "resources/resource_ids.h"
#include "rules/game.h"
#include "setup/controls.h"
#include "setup/status_line.h"
#include "shell/main_window.h"
#include "sound/sound_effects.h"
#include "tests/setup/placement_moves.h"
#include "tests/support/game_on_test_host.h"
#include "windows/program_handles.h"

namespace placement_test {
namespace {

using platform::Point;
using rules::Player;

std::string Status() { return setup::Status.StatusText; }

bool StartEnabled() {
    for (platform::Window* child : windows::App.MainWindow->children) {
        if (child->id == setup::ID_START && child->windowClass->name == "BUTTON") {
            return child->enabled;
        }
    }
    return false;
}

class Placement : public ::testing::Test {
  protected:
    void Click(Point p) { game.host.Click(windows::App.MainWindow, p.x, p.y); }
    // Picks the ship up and drops it at the cell, as two clicks.
    void Move(int ship, int column, int row) {
        Click(OnShip(ship));
        Click(CellCentre(Player, column, row));
    }
    testing_support::GameOnTestHost game;
};

TEST_F(Placement, CountsShipsLeftInTheDocksAndEnablesStartWithTheLastOne) {
    const char* expected[] = {
        "You Have 4 More Ships, Select Ship To Place...",
        "You Have 3 More Ships, Select Ship To Place...",
        "You Have 2 More Ships, Select Ship To Place...",
        "You Have 1 More Ship, Select Ship To Place...",
        "Select Ship To Reposition or Press Start To Begin...",
    };
    for (int ship = 0; ship < 5; ++ship) {
        game.Then([this, ship] { Move(ship, 0, ship * 2); });
        game.Then([ship, &expected] {
            EXPECT_EQ(Status(), expected[ship]);
            EXPECT_EQ(setup::Status.ShipsToPlace, 4 - ship);
            EXPECT_EQ(StartEnabled(), ship == 4) << "after ship " << ship;
        });
    }
    // Moving a ship that is already on the board leaves the count alone.
    game.Then([this] { Move(2, 6, 6); });
    game.Then([] {
        EXPECT_EQ(setup::Status.ShipsToPlace, 0);
        EXPECT_EQ(CellsHolding(Player, 3), 3);
        EXPECT_EQ(testing_support::TheGame().boards[Player][6][6], 3);
    });
    EXPECT_EQ(game.Run(), 0);
}

// Press, release, double-click, release: the select operation ends on the double-click without a
// drop, then the turn operation picks the same ship up again, turned.
TEST_F(Placement, ADoubleClickTurnsTheShipAndCountsItOnce) {
    game.Then([this] {
        const Point ship = OnShip(1);
        game.host.DoubleClick(windows::App.MainWindow, ship.x, ship.y);
    });
    game.Then([] {
        EXPECT_EQ(Status(), "Place Ship On Map...");
        EXPECT_EQ(setup::Status.ShipsToPlace, 4);
        EXPECT_EQ(fleet::Ships[1].orientation, fleet::OrientationVertical);
    });
    game.Then([this] { Click(CellCentre(Player, 3, 2)); });
    game.Then([] {
        EXPECT_EQ(setup::Status.ShipsToPlace, 4);
        EXPECT_EQ(Status(), "You Have 4 More Ships, Select Ship To Place...");
        for (int row = 2; row < 6; ++row)
            EXPECT_EQ(testing_support::TheGame().boards[Player][3][row], 2);
    });
    EXPECT_EQ(game.Run(), 0);
}

TEST_F(Placement, ARightClickInTheDockCountsAtOnceAndAWrongDropKeepsTheShipCarried) {
    game.Then([this] {
        const Point ship = OnShip(0);
        game.host.RightClick(windows::App.MainWindow, ship.x, ship.y);
    });
    game.Then([this] {
        EXPECT_EQ(setup::Status.ShipsToPlace, 4) << "counted before the drop";
        EXPECT_EQ(Status(), "Place Ship On Map...");
        Click(CellCentre(rules::Enemy, 2, 2));  // not the player's board
    });
    game.Then([this] {
        EXPECT_EQ(Status(), "That Ship Does Not Fit There...");
        EXPECT_EQ(CellsHolding(Player, 1), 0);
        Click(CellCentre(Player, 11, 11));  // pulled back inside: rows 7 to 11
    });
    game.Then([] {
        EXPECT_EQ(CellsHolding(Player, 1), 5);
        for (int row = 7; row < 12; ++row)
            EXPECT_EQ(testing_support::TheGame().boards[Player][11][row], 1);
    });
    EXPECT_EQ(game.Run(), 0);
}

// The carried ship's frame follows the pointer over the board, pulled back onto it as a drop would
// be; a refused drop says why and keeps the ship carried; Escape puts it back as it was, turned
// back after a right click, and still to place.
TEST_F(Placement, TheMouseCarryShowsWhereTheShipWouldLieAndEscapePutsItBack) {
    const auto moveTo = [](Point p) {
        platform::QueueMouseInput(windows::App.MainWindow, platform::MouseAction::Move, p.x, p.y);
    };
    game.Then([this] { Move(1, 0, 0); });  // ship 2 on row 0, columns 0 to 3
    game.Then([&] {
        Click(OnShip(0));
        moveTo(CellCentre(Player, 10, 5));
    });
    game.Then([&] {
        const setup::KeyCarry& frame = setup::CarriedByMouse;
        EXPECT_EQ(frame.shipId, 1);
        EXPECT_EQ(frame.at, (rules::Cell{7, 5})) << "a carrier pulled back inside the board";
        EXPECT_FALSE(frame.vertical);
        const platform::Rect cell = fleet::CellRect(Player, 7, 5);
        const platform::Window* window = windows::App.MainWindow;
        EXPECT_EQ(window->surface.Row(cell.top)[cell.left] & 0xFFFFFFu, 0xFFDD00u);
        moveTo(CellCentre(rules::Enemy, 3, 3));
    });
    game.Then([&] {
        EXPECT_EQ(setup::CarriedByMouse.shipId, 0) << "off the board no frame";
        Click(CellCentre(Player, 2, 0));  // over ship 2
    });
    game.Then([&] {
        EXPECT_EQ(Status(), "That Ship Does Not Fit There...");
        EXPECT_EQ(CellsHolding(Player, 1), 0);
        game.host.PressKey(windows::App.MainWindow, platform::VK_ESCAPE);
    });
    game.Then([&] {
        EXPECT_EQ(setup::CarriedByMouse.shipId, 0);
        EXPECT_EQ(CellsHolding(Player, 1), 0);
        EXPECT_EQ(setup::Status.ShipsToPlace, 4);
        EXPECT_EQ(Status(), "You Have 4 More Ships, Select Ship To Place...");
        const Point ship = OnShip(0);
        game.host.RightClick(windows::App.MainWindow, ship.x, ship.y);
    });
    game.Then([&] {
        EXPECT_EQ(fleet::Ships[0].orientation, fleet::OrientationVertical);
        game.host.PressKey(windows::App.MainWindow, platform::VK_ESCAPE);
    });
    game.Then([&] {
        EXPECT_EQ(fleet::Ships[0].orientation, fleet::OrientationHorizontal);
        EXPECT_FALSE(testing_support::TheGame().ShipOf(Player, 1).vertical);
        EXPECT_EQ(setup::Status.ShipsToPlace, 4);
        // The ship is no longer held: a click on the board picks nothing up and drops nothing.
        Click(CellCentre(Player, 6, 6));
    });
    game.Then([] {
        EXPECT_EQ(CellsHolding(Player, 1), 0);
        EXPECT_EQ(Status(), "You Have 4 More Ships, Select Ship To Place...");
    });
    EXPECT_EQ(game.Run(), 0);
}

// Buttons, menu choices and keys made while a ship is carried are lost, not queued.
TEST_F(Placement, ClicksAndMenuChoicesDuringACarryHaveNoEffectEvenAfterwards) {
    game.Then([this] { Click(OnShip(4)); });
    game.Then([this] {
        game.host.ClickControl(windows::App.MainWindow, setup::ID_PLACE_RANDOM);
        game.host.ChooseMenu(windows::App.MainWindow, resources::IDM_SOUND_OFF);
        game.host.ChooseMenu(windows::App.MainWindow, resources::IDM_NEW);
        platform::PostMessage(windows::App.MainWindow, platform::WM_KEYDOWN, 'N', 0);
        Click(CellCentre(Player, 5, 5));
    });
    game.Then([] {
        EXPECT_EQ(setup::Status.ShipsToPlace, 4);
        EXPECT_EQ(sound::SoundOn, 1);
        EXPECT_EQ(CellsHolding(Player, 5), 2);
        EXPECT_EQ(CellsHolding(Player, 1), 0) << "no random layout";
        EXPECT_EQ(Status(), "You Have 4 More Ships, Select Ship To Place...");
    });
    EXPECT_EQ(game.Run(), 0);
}

// The window moved to a screen of scale 2 while a ship is carried: once the ship is down, every
// picture comes from the double set, the carried ship's among them.
TEST_F(Placement, AScaleChangeDuringACarryTakesEffectOnceTheShipIsDown) {
    game.Then([this] { Click(OnShip(4)); });
    game.Then([this] {
        platform::SetSurfaceScale(windows::App.MainWindow, 2.0);
        Click(CellCentre(Player, 5, 5));
    });
    game.Then([] {
        EXPECT_EQ(CellsHolding(Player, 5), 2);
        const imaging::Picture& ship = *fleet::Ships[fleet::ShipIndex(Player, 5)].currentPicture;
        const imaging::Picture& dock = *fleet::Ships[fleet::ShipIndex(Player, 1)].currentPicture;
        ASSERT_NE(ship.bitmap, nullptr);
        ASSERT_NE(dock.bitmap, nullptr);
        EXPECT_GE(ship.bitmap->width, 2 * (ship.GetRight() - ship.GetLeft()));
        EXPECT_GE(dock.bitmap->width, 2 * (dock.GetRight() - dock.GetLeft()));
    });
    EXPECT_EQ(game.Run(), 0);
}

TEST_F(Placement, PlaceRandomAfterMovesByHandLaysOutTheWholeFleetAgain) {
    game.Then([this] { Move(0, 0, 0); });
    game.Then([this] { game.host.ClickControl(windows::App.MainWindow, setup::ID_PLACE_RANDOM); });
    game.Then([] {
        EXPECT_EQ(setup::Status.ShipsToPlace, 0);
        EXPECT_TRUE(StartEnabled());
        for (std::int32_t id = 1; id <= 5; ++id) {
            EXPECT_EQ(CellsHolding(Player, id), fleet::Ships[id - 1].GetLength());
        }
    });
    EXPECT_EQ(game.Run(), 0);
}

TEST_F(Placement, EmptyWaterPicksNothingUp) {
    game.Then([this] {
        Click(CellCentre(Player, 4, 4));
        const Point water = CellCentre(Player, 8, 8);
        game.host.DoubleClick(windows::App.MainWindow, water.x, water.y);
    });
    game.Then([] {
        EXPECT_EQ(Status(), "You Have 5 More Ships, Select Ship To Place...");
        EXPECT_EQ(setup::Status.ShipsToPlace, 5);
    });
    EXPECT_EQ(game.Run(), 0);
}

// Asking to end the program is honoured even while a ship is carried.
TEST(PlacementEnd, ExitOrTheCloseBoxDuringACarryEndTheProgram) {
    for (bool closeBox : {false, true}) {
        testing_support::GameOnTestHost own;
        own.Then([&own] {
            const Point ship = OnShip(2);
            own.host.Click(windows::App.MainWindow, ship.x, ship.y);
        });
        own.Then([&own, closeBox] {
            EXPECT_EQ(Status(), "Place Ship On Map...");
            if (closeBox) {
                own.host.RequestClose(windows::App.MainWindow);
            } else {
                own.host.ChooseMenu(windows::App.MainWindow, resources::IDM_EXIT);
            }
        });
        bool ranOn = false;
        own.Then([&ranOn] { ranOn = true; });
        EXPECT_EQ(own.Run(), 0);
        EXPECT_FALSE(ranOn) << (closeBox ? "close box" : "File > Exit");
        EXPECT_EQ(own.host.QuitRequests(), 0);
    }
}

}  // namespace
}  // namespace placement_test
