// tests/scenarios/salvo_test.cpp: assembling a salvo by clicks on the test host: which clicks aim a
// shot, the shot count on the status line, and the slots of sunk ships.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fleet/program_objects.h"
#include "rules/game.h"
#include "setup/controls.h"
#include "setup/status_line.h"
#include "tests/scenarios/battle_scenario.h"
#include "windows/program_handles.h"

namespace {

using namespace scenario;

int AimedCells(int side) {
    int aimed = 0;
    for (const auto& column : TheGame().boards[side]) {
        for (std::int32_t code : column) aimed += code >= 10 && code <= 15;
    }
    return aimed;
}

TEST(Salvo, OnlyClicksOnUntouchedCellsInsideTheBoardAimAShot) {
    BattleGame game;
    game.StartBattle();
    struct Case {
        const char* where;
        int x, y;         // client pixels, from the enemy board's rectangle
        int column, row;  // the cell aimed, or -1 for a click that is ignored
    };
    std::vector<Case> cases;
    game.Then([&] {
        const imaging::Picture& board = fleet::Pictures.BoardPictures[rules::Enemy];
        const int l = board.GetLeft(), t = board.GetTop(), r = board.GetRight(),
                  b = board.GetBottom();
        const int midX = (l + r) / 2, midY = (t + b) / 2;
        cases = {
            {"right edge line", r, midY, -1, -1},
            {"bottom edge line", midX, b, -1, -1},
            {"left of the board", l - 1, midY, -1, -1},
            {"above the board", midX, t - 1, -1, -1},
            {"top-left corner", l, t, 0, 0},
            {"the same cell again", l + 2, t + 2, -1, -1},
            {"last pixel inside", r - 1, b - 1, 11, 11},
        };
    });
    // Each case clicks in one step and checks in the next, which then starts the next case.
    std::function<void(std::size_t)> runCase = [&](std::size_t i) {
        if (i == cases.size()) return;
        const Case c = cases[i];
        const int shotsBefore = TheGame().shotsLeft;
        const int slotBefore = TheGame().salvoSlot;
        const int aimedBefore = AimedCells(rules::Enemy);
        const std::string statusBefore = setup::Status.StatusText;
        game.host.Click(windows::App.MainWindow, c.x, c.y);
        game.Then([=, &runCase] {
            SCOPED_TRACE(c.where);
            if (c.column < 0) {
                EXPECT_EQ(TheGame().shotsLeft, shotsBefore);
                EXPECT_EQ(TheGame().salvoSlot, slotBefore);
                EXPECT_EQ(AimedCells(rules::Enemy), aimedBefore);
                EXPECT_EQ(setup::Status.StatusText, statusBefore);
            } else {
                EXPECT_EQ(TheGame().shotsLeft, shotsBefore - 1);
                const rules::Shot& shot = TheGame().salvo[slotBefore];
                EXPECT_EQ(shot.side, rules::Enemy);
                EXPECT_EQ(shot.x, c.column);
                EXPECT_EQ(shot.y, c.row);
                const std::int32_t code = TheGame().boards[rules::Enemy][c.column][c.row];
                EXPECT_TRUE(code >= 10 && code <= 15) << code;
                // The computer's shot of the same fleet index follows at once.
                EXPECT_EQ(TheGame().salvo[slotBefore + 1].side, rules::Player);
                EXPECT_EQ(TheGame().salvoSlot, slotBefore + 2);
            }
            runCase(i + 1);
        });
    };
    game.Then([&] { runCase(0); });
    EXPECT_EQ(game.Run(), 0);
}

TEST(Salvo, TheShotCountSaysShotForOneAndShotsForEveryOtherCount) {
    BattleGame game;
    game.StartBattle();
    struct Case {
        int shotsBefore;
        const char* prompt;
    };
    const Case cases[] = {
        {5, "You Have 4 Shots Remaining..."},
        {2, "You Have 1 Shot Remaining..."},
        {1, "You Have 0 Shots Remaining..."},
    };
    game.Then([] { EXPECT_STREQ(setup::Status.StatusText, "You Have 5 Shots Remaining..."); });
    for (int i = 0; i < 3; ++i) {
        game.Then([&, i] {
            TheGame().shotsLeft = cases[i].shotsBefore;
            ClickEnemyCell(game.host, i, 0);
        });
        game.Then([&, i] {
            EXPECT_STREQ(setup::Status.StatusText, cases[i].prompt);
            EXPECT_EQ(game.host.shown.back().text, cases[i].prompt);
        });
    }
    EXPECT_EQ(game.Run(), 0);
}

TEST(Salvo, TheSlotsOfSunkShipsStayEmpty) {
    BattleGame game;
    game.StartBattle();
    game.Then([&] {
        SinkInPlace(rules::Enemy, 3);
        for (int i = 0; i < 4; ++i) ClickEnemyCell(game.host, i, 0);
    });
    game.Then([&] {
        // The enemy ship 3 is sunk: its slot 7 is passed without a shot, the player's count is
        // untouched by it.
        EXPECT_EQ(TheGame().salvoSlot, 8);
        EXPECT_EQ(TheGame().shotsLeft, 1);
        for (int slot : {1, 3, 5}) EXPECT_EQ(TheGame().salvo[slot].side, rules::Player) << slot;
        EXPECT_EQ(TheGame().salvo[7].side, rules::NoShot);
        // The player's ship 0 goes down before the salvo ends.
        SinkInPlace(rules::Player, 0);
        ClickEnemyCell(game.host, 4, 0);
    });
    game.Then([&] {
        // The new salvo opens past the sunk ship 0: its slot stays empty and the computer's slot
        // behind it is filled at once; the player has four shots, the next click fills slot 2.
        EXPECT_EQ(TheGame().phase, rules::Firing);
        EXPECT_EQ(TheGame().salvo[0].side, rules::NoShot);
        EXPECT_EQ(TheGame().salvo[1].side, rules::Player);
        EXPECT_EQ(TheGame().salvoSlot, 2);
        EXPECT_EQ(TheGame().shotsLeft, 4);
        EXPECT_STREQ(setup::Status.StatusText, "You Have 4 Shots Remaining...");
        ClickEnemyCell(game.host, 5, 0);
    });
    game.Then([&] {
        EXPECT_EQ(TheGame().salvo[2].side, rules::Enemy);
        EXPECT_EQ(TheGame().salvo[2].x, 5);
        EXPECT_EQ(TheGame().salvoSlot, 4);
    });
    EXPECT_EQ(game.Run(), 0);
}

TEST(Salvo, StartHidesTheEnemyFleetAndDisablesStartAndPlaceRandom) {
    BattleGame game;
    game.StartBattle();
    game.Then([&] {
        EXPECT_EQ(TheGame().phase, rules::Firing);
        EXPECT_STREQ(setup::Status.StatusText, "You Have 5 Shots Remaining...");
        for (int k = 0; k < rules::ShipsPerSide; ++k) EXPECT_EQ(ShipAt(rules::Enemy, k).visible, 0);
        int enemyShipCells = 0;
        for (const auto& column : TheGame().boards[rules::Enemy]) {
            for (std::int32_t code : column) enemyShipCells += code >= 1 && code <= 5;
        }
        EXPECT_EQ(enemyShipCells, 17);
        for (platform::Window* child : windows::App.MainWindow->children) {
            if (child->id == setup::ID_START || child->id == setup::ID_PLACE_RANDOM) {
                EXPECT_FALSE(child->enabled) << child->id;
            }
        }
        // A START command that arrives by other means in the middle of a battle changes nothing.
        const auto boards = TheGame().boards;
        platform::PostMessage(windows::App.MainWindow, platform::WM_COMMAND, setup::ID_START, 0);
        game.Then([&, boards] {
            EXPECT_EQ(TheGame().boards, boards);
            EXPECT_EQ(TheGame().phase, rules::Firing);
        });
    });
    EXPECT_EQ(game.Run(), 0);
}

}  // namespace
