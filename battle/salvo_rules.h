// battle/salvo_rules.h: what a salvo does to the game state, with no window, picture or sound:
// the player's aim, the computer's slots, settling each shot and the end of the game. Each step
// says what happened; the windowed game shows it (salvo.cpp), and games played with no window
// (windowless_game.h) run the very same steps.
#pragma once

#include <optional>

#include "battle/play_record.h"
#include "fleet/game_state.h"

namespace fleet {
class Ship;
}

namespace battle {

// START: the firing phase begins, from a game still in its placement phase. False, changing
// nothing, in any other phase: laying the enemy fleet out again in the middle of a battle would
// scramble its board.
bool BeginBattle();

// The player's shot of the slot being filled, at cell (column, row) of the enemy board: the cell
// is aimed at, the slot filled and one shot fewer is left. False, changing nothing, on a cell
// already aimed at or shot, or with no slot being filled.
bool AimShot(int column, int row);

// Passes the player's slot, filled or not, and aims the computer's slot behind it when the
// computer's ship of that fleet index is afloat; then the same past each slot of a sunk ship of
// the player. True when every slot of the salvo is passed; false when the player's next slot
// waits for a shot.
bool FillComputerSlots();

// True at a slot of the player's whose ship is sunk: play passes it without waiting for a shot.
// After a salvo this opens the next one with the computer's shots.
bool PlayerSlotPassed();

enum class ShotOutcome { Empty, Miss, Hit, Sinking };

struct SettledShot {
    ShotOutcome outcome = ShotOutcome::Empty;
    fleet::Shot shot;
    fleet::Ship* ship = nullptr;  // the ship hit
};

// The salvo is complete: from now on only its shots are settled.
void BeginSettling();

// Empties the slot and settles the shot it held. A miss marks the water; a hit marks the cell and
// counts on its ship, and is Sinking when no cell of the ship is left unhit. An empty slot, or
// one that does not name an aimed cell, is Empty and changes nothing more.
SettledShot SettleShot(int slot);

// After a Sinking shot: every cell of its ship becomes a cell of a sunk ship. Kept apart from
// SettleShot so that the hit can be shown before the ship goes down.
void SinkShip(const SettledShot& settled);

// After the last slot: the player's next salvo has a shot for each of the player's ships afloat,
// the salvo is counted, and the next one is filled from its first slot.
void EndSalvo();

// The end test after every salvo: once a fleet is sunk (both at once: a tie) the game is over and
// this says how it ended; while both fleets sail, nothing.
std::optional<GameOutcome> DecideGame();

}  // namespace battle
