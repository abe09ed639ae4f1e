// battle/windowless_game.h: whole games on the game state with no window, picture or sound, for
// the whole-game tests, the opponent benchmark and the strength tool. They run the salvo rules the
// windowed game runs; only the layout a window would give is stood in for.
#pragma once

#include <array>

#include "battle/salvo_rules.h"
#include "fleet/game_state.h"

namespace battle {

// The board rectangles of a 1024 by 730 client area, where the layout puts them.
inline constexpr int WindowlessPlayerGrid[4] = {17, 78, 498, 582};
inline constexpr int WindowlessEnemyGrid[4] = {527, 78, 1007, 582};

// What loading the pictures and laying out the boards give the state: the ships' lengths and
// numbers and the board rectangles, with pictures sized by the layout rather than by their files.
void LoadWindowlessShips();

// A new game as far as the state goes: ships back in the dock orientation, afloat and on their
// grids, boards and salvo cleared. The computer's targeting memory is cleared too, so that a game
// depends only on its seed. Needs LoadWindowlessShips first.
void StartWindowlessGame();

// Both of the above.
void NewWindowlessGame();

using SettledSalvo = std::array<SettledShot, fleet::SalvoSize>;

// Settles the complete salvo as the windowed game does, with nothing shown: every slot in order,
// a sinking ship turned at once, then the end of the salvo.
SettledSalvo SettleSalvo();

// One whole salvo, aimed and settled. `aimPlayerShot` stands for the player's clicks: it is
// called at each of the player's slots that waits for a shot and may call AimShot, or leave the
// slot empty. The caller tests for the end with DecideGame.
template <typename AimPlayerShot>
SettledSalvo PlayWindowlessSalvo(AimPlayerShot&& aimPlayerShot) {
    do {
        if (!PlayerSlotPassed()) aimPlayerShot();
    } while (!FillComputerSlots());
    return SettleSalvo();
}

}  // namespace battle
