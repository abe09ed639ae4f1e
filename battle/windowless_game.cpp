// battle/windowless_game.cpp: the state of a new game without a window, and a salvo settled with
// nothing shown.
#include "battle/windowless_game.h"

#include "fleet/fleet.h"
#include "fleet/program_objects.h"
#include "opponent/targeting.h"

namespace battle {

namespace {

const int* GridOf(int side) {
    return side == fleet::Player ? WindowlessPlayerGrid : WindowlessEnemyGrid;
}

}  // namespace

void LoadWindowlessShips() {
    for (int s = fleet::Player; s <= fleet::Enemy; ++s) {
        const int* grid = GridOf(s);
        imaging::Picture& board = fleet::Pictures.BoardPictures[s];
        board.SetScale(0, nullptr);
        board.SetBounds(grid[0], grid[1], grid[2], grid[3], nullptr);
        for (std::uint32_t shipId = 1; shipId <= fleet::ShipsPerSide; ++shipId) {
            fleet::Ship& ship = fleet::Ships[fleet::ShipIndex(fleet::Side(s), shipId)];
            ship.SetIdentity(fleet::ShipLengths[shipId - 1], shipId);
            ship.SetScale(0, nullptr);
        }
    }
}

void StartWindowlessGame() {
    for (int s = fleet::Player; s <= fleet::Enemy; ++s) {
        const int* grid = GridOf(s);
        for (std::uint32_t shipId = 1; shipId <= fleet::ShipsPerSide; ++shipId) {
            fleet::Ship& ship = fleet::Ships[fleet::ShipIndex(fleet::Side(s), shipId)];
            ship.Reset();
            ship.SetGrid(grid[0], grid[1], grid[2], grid[3], fleet::Side(s));
        }
    }
    fleet::ResetGameState();
    BeginBattle();
    opponent::Memory = opponent::TargetingMemory{};
}

void NewWindowlessGame() {
    LoadWindowlessShips();
    StartWindowlessGame();
}

SettledSalvo SettleSalvo() {
    SettledSalvo settled;
    BeginSettling();
    for (int slot = 0; slot < fleet::SalvoSize; ++slot) {
        settled[slot] = SettleShot(slot);
        if (settled[slot].outcome == ShotOutcome::Sinking) SinkShip(settled[slot]);
    }
    EndSalvo();
    return settled;
}

}  // namespace battle
