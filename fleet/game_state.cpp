// fleet/game_state.cpp: the game record, its reset for a new game, and the ship lookups the
// battle and the computer opponent share.
#include "fleet/game_state.h"

#include "fleet/fleet.h"

namespace fleet {

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

void QueueShot(Side side, int x, int y) {
    GameState.boards[side][x][y] += AimedStage;
    GameState.salvo[GameState.salvoSlot] = Shot{side, x, y};
}

Ship& ShipOfCell(Side side, std::int32_t code) { return Ships[ShipIndex(side, code % 10)]; }

int ShipsAfloat(Side side) {
    int afloat = 0;
    for (std::uint32_t shipId = 1; shipId <= ShipsPerSide; ++shipId) {
        if (!Ships[ShipIndex(side, shipId)].IsSunk()) ++afloat;
    }
    return afloat;
}

}  // namespace fleet
