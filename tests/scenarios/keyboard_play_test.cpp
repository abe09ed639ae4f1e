// tests/scenarios/keyboard_play_test.cpp: the game played with the keyboard alone on the test host:
// placing the fleet by keys (picking up, moving, turning, a refused drop, putting back), firing
// with the cell cursor to the end of a game, and a seeded game giving the computer the same shots
// whether fired by keys or by clicks.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "fleet/board_cell.h"
#include "platform/repaint.h"
#include "platform/virtual_keys.h"
#include "rules/game.h"
#include "setup/controls.h"
#include "setup/status_line.h"
#include "shell/command_line.h"
#include "shell/session.h"
#include "tests/scenarios/battle_scenario.h"
#include "windows/program_handles.h"

namespace {

using namespace scenario;
using platform::WPARAM;

// Presses the keys one script step each, so that every key meets the game idle (a key that meets a
// salvo playing out does nothing, as a click there does); then runs `then`. The steps go after
// those already in the script.
void PressKeys(BattleGame& game, const std::vector<WPARAM>& keys, std::function<void()> then) {
    for (WPARAM key : keys) {
        game.Then([&game, key] { game.host.PressKey(windows::App.MainWindow, key); });
    }
    game.Then(std::move(then));
}

std::vector<WPARAM> Repeat(WPARAM key, int times) { return std::vector<WPARAM>(times, key); }

std::vector<WPARAM> Joined(std::initializer_list<std::vector<WPARAM>> parts) {
    std::vector<WPARAM> keys;
    for (const auto& part : parts) keys.insert(keys.end(), part.begin(), part.end());
    return keys;
}

// Five ships laid along the left edge by keys: ship k on row 2(k - 1), ship 3 turned and moved to
// the right edge.
std::vector<WPARAM> FleetByKeys() {
    using namespace platform;
    return Joined({{'1', VK_RETURN},
                   {'2'},
                   Repeat(VK_DOWN, 2),
                   {VK_SPACE},
                   {'3', 'R'},
                   Repeat(VK_RIGHT, 15),
                   {VK_RETURN},
                   {'4'},
                   Repeat(VK_DOWN, 6),
                   {VK_RETURN},
                   {'5'},
                   Repeat(VK_DOWN, 8),
                   {VK_RETURN}});
}

bool StartEnabled() {
    for (platform::Window* child : windows::App.MainWindow->children) {
        if (child->id == setup::ID_START && child->windowClass->name == "BUTTON") {
            return child->enabled;
        }
    }
    return false;
}

bool LiesAt(std::int32_t shipId, int column, int row, bool vertical) {
    const rules::ShipState& ship = TheGame().ShipOf(rules::Player, shipId);
    return ship.OnBoard() && ship.column == column && ship.row == row && ship.vertical == vertical;
}

bool ShowsFrameColour(int side, int x, int y) {
    const platform::Rect cell = fleet::CellRect(static_cast<rules::Side>(side), x, y);
    const platform::Window* window = windows::App.MainWindow;
    const platform::Pixel pixel =
        window->surface.pixels[static_cast<std::size_t>(cell.top) * window->surface.width +
                               static_cast<std::size_t>(cell.left)];
    return (pixel & 0xFFFFFFu) == 0xFFDD00u;
}

// How many rows of the frame's colour run down from the top edge of a rectangle, in its middle.
int FrameThicknessAtTop(const platform::Rect& r) {
    const platform::Window* window = windows::App.MainWindow;
    const int x = (r.left + r.right) / 2;
    int rows = 0;
    for (int y = r.top; y < r.bottom; ++y, ++rows) {
        const platform::Pixel pixel =
            window->surface.pixels[static_cast<std::size_t>(y) * window->surface.width +
                                   static_cast<std::size_t>(x)];
        if ((pixel & 0xFFFFFFu) != 0xFFDD00u) break;
    }
    return rows;
}

// The carrier's frame is as thin lying along a row as standing in a column.
TEST(KeyboardPlay, TheFrameOfACarriedShipIsThinWhicheverWayItLies) {
    BattleGame game;
    game.Then([&] { game.host.Clock().Advance(5000); });
    using namespace platform;
    int across = 0;
    PressKeys(game, {'1'}, [&] {
        UpdateWindow(windows::App.MainWindow);
        const Rect first = fleet::CellRect(rules::Player, 0, 0);
        const Rect last = fleet::CellRect(rules::Player, 4, 0);
        across = FrameThicknessAtTop({first.left, first.top, last.right, last.bottom});
        PressKeys(game, {'R'}, [&] {
            UpdateWindow(windows::App.MainWindow);
            const Rect top = fleet::CellRect(rules::Player, 0, 0);
            const Rect bottom = fleet::CellRect(rules::Player, 0, 4);
            const int down = FrameThicknessAtTop({top.left, top.top, top.right, bottom.bottom});
            EXPECT_GE(across, 2);
            EXPECT_EQ(across, down);
            EXPECT_LE(across, (top.right - top.left) / 8);
        });
    });
    EXPECT_EQ(game.Run(), 0);
}

TEST(KeyboardPlay, PlacesTheFleetByKeys) {
    BattleGame game;
    game.Then([&] { game.host.Clock().Advance(5000); });
    using namespace platform;
    // A carried ship shows where it would lie; a drop over another ship is refused and it stays
    // carried; Escape puts it back in its dock.
    PressKeys(game, {'1', VK_RETURN, '5'}, [&] {
        EXPECT_TRUE(LiesAt(1, 0, 0, false));
        EXPECT_EQ(setup::Status.ShipsToPlace, 4);
        EXPECT_STREQ(setup::Status.StatusText, "Place Ship On Map...");
        platform::UpdateWindow(windows::App.MainWindow);
        EXPECT_TRUE(ShowsFrameColour(rules::Player, 0, 0));
        PressKeys(game, {VK_RETURN}, [&] {
            EXPECT_STREQ(setup::Status.StatusText, "That Ship Does Not Fit There...");
            game.host.PressKey(windows::App.MainWindow, VK_ESCAPE);
        });
        PressKeys(game, {}, [&] {
            EXPECT_FALSE(TheGame().ShipOf(rules::Player, 5).OnBoard());
            EXPECT_EQ(setup::Status.ShipsToPlace, 4);
            PressKeys(game, Joined({Repeat(VK_DOWN, 8), {VK_RETURN}}), [&] {
                // Escape left no carried ship behind: these keys moved nothing.
                EXPECT_FALSE(TheGame().ShipOf(rules::Player, 5).OnBoard());
                PressKeys(game, FleetByKeys(), [&] {
                    EXPECT_TRUE(LiesAt(1, 0, 0, false));
                    EXPECT_TRUE(LiesAt(2, 0, 2, false));
                    EXPECT_TRUE(LiesAt(3, 11, 0, true));
                    EXPECT_TRUE(LiesAt(4, 0, 6, false));
                    EXPECT_TRUE(LiesAt(5, 0, 8, false));
                    EXPECT_EQ(setup::Status.ShipsToPlace, 0);
                    EXPECT_STREQ(setup::Status.StatusText,
                                 "Select Ship To Reposition or Press Start To Begin...");
                    EXPECT_TRUE(StartEnabled());
                });
            });
        });
    });
    EXPECT_EQ(game.Run(), 0);
}

// The cursor walks the enemy board row by row, firing at every cell, until the game is over.
class KeyboardFiring {
  public:
    explicit KeyboardFiring(BattleGame& game) : game_(game) {}

    void Start() {
        // The first key shows the cursor at the top-left cell, and aims nothing.
        game_.host.PressKey(windows::App.MainWindow, platform::VK_SPACE);
        game_.Then([this] {
            EXPECT_EQ(TheGame().shotsLeft, 5);
            platform::UpdateWindow(windows::App.MainWindow);
            EXPECT_TRUE(ShowsFrameColour(rules::Enemy, 0, 0));
            Step();
        });
    }

  private:
    void Step() {
        if (TheGame().phase == rules::GameOver) {
            platform::UpdateWindow(windows::App.MainWindow);
            for (int x = 0; x < rules::BoardSize; ++x) {
                for (int y = 0; y < rules::BoardSize; ++y) {
                    EXPECT_FALSE(ShowsFrameColour(rules::Enemy, x, y))
                        << "the cursor outlived the game";
                }
            }
            return;
        }
        if (cell_ >= rules::BoardSize * rules::BoardSize) return;
        // Space at the cursor, then on to the next cell: right along the row, or down and back.
        std::vector<WPARAM> keys = {platform::VK_SPACE};
        if ((cell_ + 1) % rules::BoardSize != 0) {
            keys.push_back(platform::VK_RIGHT);
        } else {
            keys.push_back(platform::VK_DOWN);
            for (int k = 0; k < rules::BoardSize - 1; ++k) keys.push_back(platform::VK_LEFT);
        }
        ++cell_;
        PressKeys(game_, keys, [this] { Step(); });
    }

    BattleGame& game_;
    int cell_ = 0;
};

// A shot fired by a click takes the cursor along: the keys go on from there.
TEST(KeyboardPlay, TheCursorFollowsAShotFiredByTheMouse) {
    BattleGame game;
    game.StartBattle();
    game.Then([&] { game.host.PressKey(windows::App.MainWindow, platform::VK_SPACE); });
    game.Then([&] { ClickEnemyCell(game.host, 5, 6); });
    game.Then([&] {
        platform::UpdateWindow(windows::App.MainWindow);
        EXPECT_TRUE(ShowsFrameColour(rules::Enemy, 5, 6));
        EXPECT_FALSE(ShowsFrameColour(rules::Enemy, 0, 0));
        game.host.PressKey(windows::App.MainWindow, platform::VK_RIGHT);
    });
    game.Then([&] {
        platform::UpdateWindow(windows::App.MainWindow);
        EXPECT_TRUE(ShowsFrameColour(rules::Enemy, 6, 6));
    });
    EXPECT_EQ(game.Run(), 0);
}

TEST(KeyboardPlay, AWholeGamePlacedAndFiredByKeysReachesItsEnd) {
    BattleGame game;
    game.Then([&] { game.host.Clock().Advance(5000); });
    KeyboardFiring firing(game);
    PressKeys(game, FleetByKeys(), [&] {
        game.host.ClickControl(windows::App.MainWindow, setup::ID_START);
        game.Then([&] {
            ASSERT_EQ(TheGame().phase, rules::Firing);
            firing.Start();
        });
    });
    EXPECT_EQ(game.Run(), 0);
    EXPECT_EQ(TheGame().phase, rules::GameOver);
    EXPECT_GT(TheGame().salvosResolved, 0);
}

// Three salvos at the same cells of a seeded game, fired by keys or by clicks: the computer's
// shots at the player's board come out the same.
rules::Board PlayerBoardAfterThreeSalvos(bool byKeys) {
    shell::TheSession = shell::Session{};
    shell::Options =
        shell::CommandLine{.seed = 2026u, .showSplash = false, .hostPort = {}, .join = {}};
    rules::Board board{};
    {
        BattleGame game;
        game.Then([&] { game.host.ClickControl(windows::App.MainWindow, setup::ID_PLACE_RANDOM); });
        game.Then([&] { game.host.ClickControl(windows::App.MainWindow, setup::ID_START); });
        // Cells (0, 0) to (14 mod 12, 1): the first fifteen of the board, row by row.
        std::vector<WPARAM> keys = {platform::VK_SPACE};
        for (int cell = 0; cell < 15; ++cell) {
            keys.push_back(platform::VK_SPACE);
            if (cell == 11) {
                keys.push_back(platform::VK_DOWN);
                for (int k = 0; k < 11; ++k) keys.push_back(platform::VK_LEFT);
            } else {
                keys.push_back(platform::VK_RIGHT);
            }
        }
        auto finish = [&] {
            board = TheGame().boards[rules::Player];
            EXPECT_EQ(TheGame().salvosResolved, 3);
        };
        if (byKeys) {
            PressKeys(game, keys, finish);
        } else {
            for (int cell = 0; cell < 15; ++cell) {
                game.Then([&game, cell] { ClickEnemyCell(game.host, cell % 12, cell / 12); });
            }
            game.Then(finish);
        }
        EXPECT_EQ(game.Run(), 0);
    }
    shell::Options = shell::CommandLine{};
    return board;
}

TEST(KeyboardPlay, ASeededGameFiredByKeysGetsTheShotsItGetsByClicks) {
    const rules::Board byKeys = PlayerBoardAfterThreeSalvos(true);
    const rules::Board byClicks = PlayerBoardAfterThreeSalvos(false);
    EXPECT_EQ(byKeys, byClicks);
    int shotAt = 0;
    for (const auto& column : byKeys) {
        for (std::int32_t code : column) shotAt += !rules::IsUntouched(code);
    }
    EXPECT_EQ(shotAt, 15);
}

}  // namespace
