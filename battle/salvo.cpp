// battle/salvo.cpp: StartBattle, the player's aimed shots and the salvo loop that interleaves
// the computer's shots, skips sunk ships and hands a complete salvo to resolution.
#include "battle/salvo.h"

#include <cstdio>

#include "battle/board_cell.h"
#include "battle/game_over.h"
#include "battle/game_state.h"
#include "battle/shot_resolution.h"
#include "fleet/fleet.h"
#include "opponent/random_placement.h"
#include "opponent/targeting.h"
#include "platform/repaint.h"
#include "setup/program_objects.h"
#include "setup/status_line.h"
#include "shell/board_painting.h"
#include "shell/control_walk.h"
#include "shell/main_window.h"

namespace battle {

namespace {

constexpr double Twelfth = 0.08333333333333333;

bool IsShipSunk(Side side, int fleetIndex) {
    return fleet::Ships[side * ShipsPerSide + fleetIndex].IsSunk();
}

// The enemy board's cell under client pixel (x, y); false off the board and on its right and
// bottom edge lines, where the column or row comes out as 12.
bool EnemyCellAt(int x, int y, int* column, int* row) {
    const imaging::Picture& board = setup::BoardPictures[Enemy];
    const double w = (board.GetRight() - board.GetLeft()) * Twelfth;
    const double h = (board.GetBottom() - board.GetTop()) * Twelfth;
    if (!board.Contains(x, y)) return false;
    // A board squeezed to no width would divide by zero; it has no cells to click.
    if (!(w > 0) || !(h > 0)) return false;
    const int cx = static_cast<int>((x - board.GetLeft()) / w);
    const int cy = static_cast<int>((y - board.GetTop()) / h);
    if (cx >= BoardSize || cy >= BoardSize) return false;
    *column = cx;
    *row = cy;
    return true;
}

void ResolveCompleteSalvo(platform::Window* window) {
    GameState.phase = Resolving;
    setup::SetStatus(window, "Please Wait...");
    platform::UpdateWindow(window);
    ResolveSalvo(window);
    // A new game started while the salvo was resolved has already reset everything.
    if (GameState.phase != Resolving) return;
    ++GameState.salvosResolved;
    GameState.phase = Firing;
    GameState.salvoSlot = 0;
    CheckGameOver(window);
}

}  // namespace

void ShowShotsRemaining(platform::Window* window) {
    const char* pattern = GameState.shotsLeft == 1 ? "You Have %i Shot Remaining..."
                                                   : "You Have %i Shots Remaining...";
    std::snprintf(setup::StatusText, sizeof setup::StatusText, pattern,
                  static_cast<int>(GameState.shotsLeft));
    setup::SetStatus(window, nullptr);
}

void StartBattle(platform::Window* window) {
    // START is enabled only while the fleet is being placed, but a command can arrive by other
    // means; laying the enemy fleet out again in the middle of a battle would scramble its board.
    if (GameState.phase != Placing) {
        shell::PaintBoard(window);
        return;
    }
    setup::SetStatus(window, "Placing Enemy Ships...");
    for (int k = 0; k < ShipsPerSide; ++k) {
        fleet::Ship& ship = fleet::Ships[Enemy * ShipsPerSide + k];
        ship.SetVisible(0, nullptr);
        ship.Invalidate(window);
        platform::UpdateWindow(window);
    }
    GameState.phase = Firing;
    ShowShotsRemaining(window);
    opponent::PlaceFleetAtRandom(Enemy, window);
    shell::DisableControlById(window, shell::ID_START);
    shell::DisableControlById(window, shell::ID_PLACE_RANDOM);
    shell::PaintBoard(window);
}

void AimPlayerShot(platform::Window* window, int x, int y) {
    int cx = 0;
    int cy = 0;
    if (!EnemyCellAt(x, y, &cx, &cy)) return;
    std::int32_t& cell = GameState.boards[Enemy][cx][cy];
    if (!IsUntouched(cell)) return;
    // Between clicks the slot being filled is always the player's, 0 to 8.
    if (GameState.salvoSlot < 0 || GameState.salvoSlot >= SalvoSize) return;

    cell += AimedStage;
    GameState.salvo[GameState.salvoSlot] = Shot{Enemy, cx, cy};
    // The painter draws the Target mark on the cell of every filled player's slot.
    InvalidateDrawnCell(window, Enemy, cx, cy);
    GameState.shotsLeft -= 1;
    ShowShotsRemaining(window);
    FillComputerSlots(window);
}

void FillComputerSlots(platform::Window* window) {
    do {
        GameState.salvoSlot += 1;
        if (!IsShipSunk(Enemy, GameState.salvoSlot / 2)) opponent::ChooseEnemyShot();
        GameState.salvoSlot += 1;
        if (GameState.salvoSlot > SalvoSize - 1) ResolveCompleteSalvo(window);
        // Passing the player's sunk ships fills the computer's slots behind them at once; this
        // also opens a new salvo whose first ships are sunk.
    } while (GameState.phase == Firing && GameState.salvoSlot < SalvoSize &&
             IsShipSunk(Player, GameState.salvoSlot / 2));
}

}  // namespace battle
