// rules/moves.h: the moves of a game. Each applies to the game it is given, reads and writes
// nothing else, and returns what happened; a move that cannot be made changes nothing and says
// Refused.
#pragma once

#include <functional>
#include <optional>

#include "rules/events.h"
#include "rules/game.h"
#include "rules/random.h"

namespace rules {

// Placing.
// Lays the side's ship with its first cell at `cell`, pulled back along its length until the
// whole ship fits on the board, and clears the cells it lay on before. Refused off the board or
// where another ship of the fleet lies.
Events PlaceShip(Game& game, Side side, std::int32_t shipId, Cell cell);
// Turns the ship; where it lies does not change until it is placed again.
Events TurnShip(Game& game, Side side, std::int32_t shipId);
// Lays the side's five ships in fleet order: per ship one orientation draw, then (column, row)
// draws until the ship fits. Ships not yet laid out keep their old cells and are obstacles until
// their turn.
Events PlaceFleetAtRandom(Game& game, Side side, Random& random);

// START: from the placement phase only, the firing phase begins and the enemy fleet is laid out
// at random. Refused in any other phase: a new layout in mid-battle would scramble its board.
Events StartBattle(Game& game, Random& random);

// The salvo.
// The player's shot of the slot being filled, at a cell of the enemy board. Refused on a cell
// already aimed at or shot, or with no slot being filled.
Events AimShot(Game& game, Cell cell);

// The computer's choice of a cell on the player's board; nothing when it has none to give.
using ComputerAim = std::function<std::optional<Cell>(const Game&)>;

// Passes the player's slot, filled or not, and fills the computer's slot behind it when the
// computer's ship of that fleet index is afloat (a cell that is not untouched leaves it empty);
// then the same past each slot of a sunk ship of the player. Ends with SalvoComplete, the phase
// then Resolving, when every slot is passed.
Events FillComputerSlots(Game& game, const ComputerAim& aim);

// True at a slot of the player's whose ship is sunk: play passes it without waiting for a shot.
bool PlayerSlotPassed(const Game& game);

// Empties the slot and settles the shot it held: Missed, Hit or Sinking. An empty slot, or one
// that does not name an aimed cell, causes nothing more.
Events SettleShot(Game& game, int slot);
// After Sinking: every cell of its ship becomes a cell of a sunk ship. Apart from SettleShot so
// that the hit can be shown before the ship goes down.
Events SinkShip(Game& game, const Event& sinking);
// After the last slot: the player's next salvo has a shot for each of the player's ships afloat,
// the salvo is counted, and the next one is filled from its first slot.
Events EndSalvo(Game& game);
// The end test after every salvo: once a fleet is sunk (both at once: a tie) the game is over.
Events DecideGame(Game& game);

}  // namespace rules
