// rules/moves.h: the moves of a game. Each applies to the game it is given, reads and writes
// nothing else, and returns what happened; a move that cannot be made changes nothing and says
// Refused.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <vector>

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

// True when every ship of the side lies on its board: START waits for it.
bool FleetLaidOut(const Game& game, Side side);

// START: from the placement phase only, with the player's fleet laid out, the firing phase begins
// and the enemy fleet is laid out at random. Refused in any other phase (a new layout in
// mid-battle would scramble its board) and with a ship of the player's still in its dock.
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

// What the other side said of one of our shots at its fleet, in a game against a person: Missed,
// Hit, or Sinking with the ship and where it lay (its first cell and whether it stands upright).
struct Report {
    EventKind kind = EventKind::Missed;
    std::int32_t shipId = 0;
    Cell first{};
    bool vertical = false;
    friend bool operator==(const Report&, const Report&) = default;
};
// How our shot at the enemy board is settled: nothing to settle it by the rules against the fleet
// the game holds, a report to settle it by what a person told of it.
using ReportOf = std::function<std::optional<Report>(const Shot&)>;
// Hands on the events of one step of a move as the game comes to hold them.
using Shown = std::function<void(const Events&)>;

// Empties the salvo's next filled slot and settles the shot it held: Missed, Hit or Sinking, and
// after a Sinking every cell of that ship becomes a cell of a sunk ship (Sunk). `shown` sees the
// settled shot while its hit still shows, then the sinking: the hit is shown before the ship goes
// down. Returns every event of both steps; nothing once the salvo is settled. A slot that does
// not name an aimed cell is emptied unsettled, and so is one whose report cannot be true of any
// fleet (a ship sunk twice, a wreck that does not lie over its hits): that one says Refused.
Events SettleNextShot(Game& game, const Shown& shown = {}, const ReportOf& reportOf = {});
// After the last slot: the player's next salvo has a shot for each of the player's ships afloat,
// the salvo is counted, and the next one is filled from its first slot.
Events EndSalvo(Game& game);
// The end test after every salvo: once a fleet is sunk (both at once: a tie) the game is over.
Events DecideGame(Game& game);

// Against a person, whose fleet is known only by what they report.
// START with the enemy fleet unknown: as StartBattle, but nothing is laid out on the enemy board.
Events StartAgainstPerson(Game& game);
// Why the other side's salvo cannot be taken, or Fits.
enum class SalvoFit { Fits, WrongCount, CellShotAt };
// A salvo at our board needs one shot for each of the other side's ships afloat (fewer only when
// fewer untouched cells are left), each at a cell not yet aimed at or shot.
SalvoFit FitOfOtherSalvo(const Game& game, std::span<const Cell> cells);
// Once our salvo is complete: the other side's shots at our board, in their order, queued behind
// our ships (ComputerAimed for each). Refused unless they fit.
Events TakeOtherSalvo(Game& game, std::span<const Cell> cells);
// Our shots of the salvo in play, in the order they are settled.
std::vector<Cell> OurShots(const Game& game);
// A whole salvo aimed at the enemy board in any phase, whatever our fleet, ready to be settled:
// for replaying what a person reported against the fleet they revealed. Refused, with the cells
// before the refused one left aimed, at a cell off the board, already aimed at or shot, or past a
// salvo's size.
Events AimWholeSalvo(Game& game, std::span<const Cell> cells);
// The other side's ships still afloat come up where they lay: each ship's first cell and
// orientation, by shipId - 1, for a fleet revealed at the end.
struct Placement {
    Cell first{};
    bool vertical = false;
};
void TakeRevealedFleet(Game& game, std::span<const Placement, ShipsPerSide> fleet);

}  // namespace rules
