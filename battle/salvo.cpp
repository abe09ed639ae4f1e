// battle/salvo.cpp: StartBattle, the player's aimed shots and the salvo loop: the computer's
// slots filled behind each shot, a complete salvo settled, and the end of the game shown.
#include "battle/salvo.h"

#include <cstdio>

#include "battle/game_over.h"
#include "battle/salvo_rules.h"
#include "battle/shot_resolution.h"
#include "fleet/board_cell.h"
#include "fleet/fleet.h"
#include "fleet/game_state.h"
#include "opponent/random_placement.h"
#include "platform/repaint.h"
#include "setup/controls.h"
#include "setup/status_line.h"

namespace battle {

namespace {

using fleet::GameState;

// The salvo prompt for GameState.shotsLeft: "Shot" for exactly one, "Shots" for every other
// count, 0 included.
void ShowShotsRemaining(platform::Window* window) {
    const char* pattern = GameState.shotsLeft == 1 ? "You Have %i Shot Remaining..."
                                                   : "You Have %i Shots Remaining...";
    char text[64];
    std::snprintf(text, sizeof text, pattern, static_cast<int>(GameState.shotsLeft));
    setup::SetStatus(window, text);
}

void ResolveCompleteSalvo(platform::Window* window) {
    BeginSettling();
    setup::SetStatus(window, "Please Wait...");
    platform::UpdateWindow(window);
    ResolveSalvo(window);
    // A new game started while the salvo was settled has already reset everything.
    if (GameState.phase != fleet::Resolving) return;
    EndSalvo();
    ShowShotsRemaining(window);
    if (const auto outcome = DecideGame()) ShowGameOver(window, *outcome);
}

// Behind the player's shot; passing the player's sunk ships fills the computer's slots behind
// them at once, which also opens a new salvo whose first ships are sunk.
void PlayComputerSlots(platform::Window* window) {
    while (FillComputerSlots()) {
        ResolveCompleteSalvo(window);
        if (GameState.phase != fleet::Firing || !PlayerSlotPassed()) return;
    }
}

}  // namespace

void StartBattle(platform::Window* window) {
    // START is enabled only while the fleet is being placed, but a command can arrive by other
    // means.
    if (!BeginBattle()) {
        platform::UpdateWindow(window);
        return;
    }
    setup::SetStatus(window, "Placing Enemy Ships...");
    for (std::uint32_t shipId = 1; shipId <= fleet::ShipsPerSide; ++shipId) {
        fleet::Ship& ship = fleet::Ships[fleet::ShipIndex(fleet::Enemy, shipId)];
        ship.SetVisible(0, nullptr);
        ship.Invalidate(window);
        platform::UpdateWindow(window);
    }
    ShowShotsRemaining(window);
    opponent::PlaceFleetAtRandom(fleet::Enemy, window);
    setup::DisableControlById(window, setup::ID_START);
    setup::DisableControlById(window, setup::ID_PLACE_RANDOM);
    platform::UpdateWindow(window);
}

void AimPlayerShot(platform::Window* window, int x, int y) {
    int column = 0;
    int row = 0;
    if (!fleet::CellAt(fleet::Enemy, x, y, &column, &row)) return;
    if (!AimShot(column, row)) return;
    // The painter draws the Target mark on the cell of every filled player's slot.
    fleet::InvalidateCell(window, fleet::Enemy, column, row);
    ShowShotsRemaining(window);
    PlayComputerSlots(window);
}

}  // namespace battle
