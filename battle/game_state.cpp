// battle/game_state.cpp: the game record, its reset for a new game, and the ship lookups the
// battle and the computer opponent share.
#include "battle/game_state.h"

#include "fleet/fleet.h"

namespace battle {

GameStateRecord GameState;

void ResetGameState() {
    for (Board& board : GameState.boards) {
        for (auto& column : board) column.fill(Water);
    }
    GameState.phase = Placing;
    GameState.salvoSlot = 0;
    GameState.shotsLeft = 5;
    GameState.salvosResolved = 0;
    for (Shot& shot : GameState.salvo) shot.side = NoShot;
}

fleet::Ship& ShipOfCell(Side side, std::int32_t code) {
    return fleet::Ships[fleet::ShipIndex(side, code % 10)];
}

int ShipsAfloat(Side side) {
    int afloat = 0;
    for (std::uint32_t shipId = 1; shipId <= ShipsPerSide; ++shipId) {
        if (!fleet::Ships[fleet::ShipIndex(side, shipId)].IsSunk()) ++afloat;
    }
    return afloat;
}

}  // namespace battle
