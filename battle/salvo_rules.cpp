// battle/salvo_rules.cpp: the state changes of a salvo, shared by the windowed game and the games
// played with no window.
#include "battle/salvo_rules.h"

#include "fleet/fleet.h"
#include "opponent/targeting.h"

namespace battle {

namespace {

using fleet::GameState;

bool IsShipSunk(fleet::Side side, int fleetIndex) {
    return fleet::Ships[fleet::ShipIndex(side, fleetIndex + 1)].IsSunk();
}

// A filled slot always names an aimed cell of a board; anything else is dropped unsettled rather
// than read outside the boards.
bool IsAimedCell(const fleet::Shot& shot) {
    if (shot.side != fleet::Player && shot.side != fleet::Enemy) return false;
    if (shot.x < 0 || shot.x >= fleet::BoardSize || shot.y < 0 || shot.y >= fleet::BoardSize) {
        return false;
    }
    const std::int32_t code = GameState.boards[shot.side][shot.x][shot.y];
    return code >= fleet::AimedStage && code <= fleet::AimedStage + fleet::ShipsPerSide;
}

}  // namespace

bool BeginBattle() {
    if (GameState.phase != fleet::Placing) return false;
    GameState.phase = fleet::Firing;
    return true;
}

bool AimShot(int column, int row) {
    if (column < 0 || column >= fleet::BoardSize || row < 0 || row >= fleet::BoardSize) {
        return false;
    }
    if (!fleet::IsUntouched(GameState.boards[fleet::Enemy][column][row])) return false;
    // Between clicks the slot being filled is always the player's, 0 to 8.
    if (GameState.salvoSlot < 0 || GameState.salvoSlot >= fleet::SalvoSize) return false;
    fleet::QueueShot(fleet::Enemy, column, row);
    GameState.shotsLeft -= 1;
    return true;
}

bool PlayerSlotPassed() {
    return GameState.salvoSlot < fleet::SalvoSize &&
           IsShipSunk(fleet::Player, GameState.salvoSlot / 2);
}

bool FillComputerSlots() {
    do {
        GameState.salvoSlot += 1;
        if (!IsShipSunk(fleet::Enemy, GameState.salvoSlot / 2)) opponent::ChooseEnemyShot();
        GameState.salvoSlot += 1;
        if (GameState.salvoSlot >= fleet::SalvoSize) return true;
    } while (PlayerSlotPassed());
    return false;
}

void BeginSettling() { GameState.phase = fleet::Resolving; }

SettledShot SettleShot(int slot) {
    SettledShot settled;
    fleet::Shot& held = GameState.salvo[slot];
    if (held.side == fleet::NoShot) return settled;
    settled.shot = held;
    held.side = fleet::NoShot;
    if (!IsAimedCell(settled.shot)) return settled;

    const auto side = static_cast<fleet::Side>(settled.shot.side);
    std::int32_t& cell = GameState.boards[side][settled.shot.x][settled.shot.y];
    if (cell == fleet::AimedStage) {
        cell = fleet::Miss;
        settled.outcome = ShotOutcome::Miss;
        return settled;
    }
    fleet::Ship& ship = fleet::ShipOfCell(side, cell);
    ship.AddHit();
    cell += 10;
    settled.ship = &ship;
    settled.outcome = ship.IsSunk() ? ShotOutcome::Sinking : ShotOutcome::Hit;
    return settled;
}

void SinkShip(const SettledShot& settled) {
    // Every cell of the ship has been hit, so turning each cell with the last hit's code turns the
    // whole ship.
    fleet::Board& board = GameState.boards[settled.shot.side];
    const std::int32_t hitCode = board[settled.shot.x][settled.shot.y];
    for (auto& column : board) {
        for (std::int32_t& code : column) {
            if (code == hitCode) code += 10;
        }
    }
}

void EndSalvo() {
    GameState.shotsLeft = fleet::ShipsAfloat(fleet::Player);
    ++GameState.salvosResolved;
    GameState.phase = fleet::Firing;
    GameState.salvoSlot = 0;
}

std::optional<GameOutcome> DecideGame() {
    const bool playerSunk = fleet::ShipsAfloat(fleet::Player) == 0;
    const bool enemySunk = fleet::ShipsAfloat(fleet::Enemy) == 0;
    if (!playerSunk && !enemySunk) return std::nullopt;
    GameState.phase = fleet::GameOver;
    if (playerSunk && enemySunk) return GameOutcome::Tied;
    return enemySunk ? GameOutcome::Won : GameOutcome::Lost;
}

}  // namespace battle
