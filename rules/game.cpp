// rules/game.cpp: a new game and the count of ships afloat.
#include "rules/game.h"

namespace rules {

Game NewGame(Level level) {
    Game game;
    game.level = level;
    for (Fleet& fleet : game.fleets) {
        for (int k = 0; k < ShipsPerSide; ++k) fleet[k].length = ShipLengths[k];
    }
    return game;
}

int ShipsAfloat(const Game& game, Side side) {
    int afloat = 0;
    for (const ShipState& ship : game.fleets[side]) {
        if (!ship.IsSunk()) ++afloat;
    }
    return afloat;
}

}  // namespace rules
