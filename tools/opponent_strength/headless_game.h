// tools/opponent_strength/headless_game.h: whole games on the real game state with no window,
// no pictures and no sound, for the strength tool, the benchmarks and the long-run tests. The
// salvo order and the resolution follow the game's own rules; only the screen work is left out.
#pragma once

#include <cstdint>

#include "battle/game_state.h"
#include "fleet/fleet.h"
#include "opponent/random_placement.h"
#include "opponent/targeting.h"
#include "setup/program_objects.h"

namespace headless {

// The board rectangles of a 1024 by 730 client area, where the layout puts them.
inline constexpr int PlayerGrid[4] = {17, 78, 498, 582};
inline constexpr int EnemyGrid[4] = {527, 78, 1007, 582};

// A new game as far as the state goes: ships back in the dock orientation, afloat and on their
// grids, boards and salvo cleared. The targeting memory is cleared too, so that a game depends
// only on its seed. Needs LoadHeadlessShips first.
inline void StartHeadlessGame() {
    const int* grids[2] = {PlayerGrid, EnemyGrid};
    for (int s = 0; s < 2; ++s) {
        for (std::uint32_t shipId = 1; shipId <= battle::ShipsPerSide; ++shipId) {
            fleet::Ship& ship = fleet::Ships[fleet::ShipIndex(battle::Side(s), shipId)];
            ship.Reset();
            ship.SetGrid(grids[s][0], grids[s][1], grids[s][2], grids[s][3], battle::Side(s));
        }
    }
    battle::ResetGameState();
    opponent::focusX = 0;
    opponent::focusY = 0;
    opponent::aiShotCounter = 0;
}

// What loading the assets and laying out the boards give the state: the ships' lengths and
// numbers, the board rectangles, and pictures sized by the layout rather than by their files.
inline void LoadHeadlessShips() {
    static constexpr std::int32_t lengths[battle::ShipsPerSide] = {5, 4, 3, 3, 2};
    const int* grids[2] = {PlayerGrid, EnemyGrid};
    for (int s = 0; s < 2; ++s) {
        imaging::Picture& board = setup::BoardPictures[s];
        board.SetScale(0, nullptr);
        board.SetBounds(grids[s][0], grids[s][1], grids[s][2], grids[s][3], nullptr);
        for (std::uint32_t shipId = 1; shipId <= battle::ShipsPerSide; ++shipId) {
            fleet::Ship& ship = fleet::Ships[fleet::ShipIndex(battle::Side(s), shipId)];
            ship.SetIdentity(lengths[shipId - 1], shipId);
            ship.SetScale(0, nullptr);
        }
    }
}

inline void NewHeadlessGame() {
    LoadHeadlessShips();
    StartHeadlessGame();
}

struct SalvoResult {
    int shotsAtPlayer = 0;  // resolved shots on the player's board
    // Of those, how many it took to sink the player's last ship; 0 while a ship is afloat.
    int shotsToSinkPlayerFleet = 0;
};

// Settles the queued salvo in slot order: miss, hit, and the sinking of a ship whose every cell
// is hit; then the player's next salvo size.
inline SalvoResult ResolveHeadlessSalvo() {
    SalvoResult result;
    for (battle::Shot& shot : battle::GameState.salvo) {
        if (shot.side == battle::NoShot) continue;
        const auto side = static_cast<battle::Side>(shot.side);
        shot.side = battle::NoShot;
        if (side == battle::Player) ++result.shotsAtPlayer;
        battle::Board& board = battle::GameState.boards[side];
        std::int32_t& cell = board[shot.x][shot.y];
        if (cell == battle::AimedStage) {
            cell = battle::Miss;
            continue;
        }
        fleet::Ship& ship = battle::ShipOfCell(side, cell);
        ship.AddHit();
        cell += 10;
        if (!ship.IsSunk()) continue;
        const std::int32_t hitCode = cell;
        for (auto& column : board) {
            for (std::int32_t& code : column) {
                if (code == hitCode) code += 10;
            }
        }
        ship.SetVisible(1, nullptr);
        ship.Sink(nullptr);
        if (side == battle::Player && result.shotsToSinkPlayerFleet == 0 &&
            battle::ShipsAfloat(battle::Player) == 0) {
            result.shotsToSinkPlayerFleet = result.shotsAtPlayer;
        }
    }
    battle::GameState.shotsLeft = battle::ShipsAfloat(battle::Player);
    return result;
}

// Fills one salvo: the player's ships afloat aim the even slots through `aimPlayerShot` (which
// may queue into salvo[salvoSlot], marking the enemy cell aimed, or leave the slot empty), the
// computer's ships afloat the odd ones, in slot order.
template <typename AimPlayerShot>
void FillHeadlessSalvo(AimPlayerShot aimPlayerShot) {
    battle::GameState.phase = battle::Firing;
    for (int k = 0; k < battle::ShipsPerSide; ++k) {
        battle::GameState.salvoSlot = 2 * k;
        if (!fleet::Ships[k].IsSunk()) aimPlayerShot();
        battle::GameState.salvoSlot = 2 * k + 1;
        if (!fleet::Ships[battle::ShipsPerSide + k].IsSunk()) opponent::ChooseEnemyShot();
    }
    battle::GameState.salvoSlot = battle::SalvoSize;
}

// One whole salvo, aimed and then resolved.
template <typename AimPlayerShot>
SalvoResult PlayHeadlessSalvo(AimPlayerShot aimPlayerShot) {
    FillHeadlessSalvo(aimPlayerShot);
    battle::GameState.phase = battle::Resolving;
    const SalvoResult result = ResolveHeadlessSalvo();
    battle::GameState.phase = battle::Firing;
    battle::GameState.salvoSlot = 0;
    return result;
}

}  // namespace headless
