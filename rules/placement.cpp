// rules/placement.cpp: the moves of the placement phase: a ship laid or turned, a fleet laid out
// at random, and START.
#include <algorithm>

#include "rules/moves.h"

namespace rules {

namespace {

Event Refusal() { return Event{}; }

Events One(const Event& event) {
    Events events;
    events.Add(event);
    return events;
}

bool IsShipId(std::int32_t shipId) { return shipId >= 1 && shipId <= ShipsPerSide; }
bool IsSide(Side side) { return side == Player || side == Enemy; }

}  // namespace

Events PlaceShip(Game& game, Side side, std::int32_t shipId, Cell cell) {
    if (!IsSide(side) || !IsShipId(shipId)) return One(Refusal());
    if (cell.x < 0 || cell.x >= BoardSize || cell.y < 0 || cell.y >= BoardSize) {
        return One(Refusal());
    }
    ShipState& ship = game.ShipOf(side, shipId);
    const int length = std::clamp(ship.length, 1, BoardSize);
    const int stepX = ship.vertical ? 0 : 1;
    const int stepY = ship.vertical ? 1 : 0;
    const int firstX = ship.vertical ? cell.x : std::min(cell.x, BoardSize - length);
    const int firstY = ship.vertical ? std::min(cell.y, BoardSize - length) : cell.y;

    Board& board = game.boards[side];
    for (int k = 0; k < length; ++k) {
        const std::int32_t code = board[firstX + k * stepX][firstY + k * stepY];
        if (code != Water && code != shipId) return One(Refusal());
    }
    for (auto& column : board) std::replace(column.begin(), column.end(), shipId, Water);
    for (int k = 0; k < length; ++k) board[firstX + k * stepX][firstY + k * stepY] = shipId;
    ship.column = firstX;
    ship.row = firstY;
    return One(
        Event{.kind = EventKind::ShipPlaced, .shot = {side, firstX, firstY}, .shipId = shipId});
}

Events TurnShip(Game& game, Side side, std::int32_t shipId) {
    if (!IsSide(side) || !IsShipId(shipId)) return One(Refusal());
    ShipState& ship = game.ShipOf(side, shipId);
    ship.vertical = !ship.vertical;
    return One(Event{
        .kind = EventKind::ShipTurned, .shot = {side, ship.column, ship.row}, .shipId = shipId});
}

Events PlaceFleetAtRandom(Game& game, Side side, Random& random) {
    if (!IsSide(side)) return One(Refusal());
    for (std::int32_t shipId = 1; shipId <= ShipsPerSide; ++shipId) {
        ShipState& ship = game.ShipOf(side, shipId);
        ship.vertical = random.Below(2) == 0;
        const int span = std::clamp(ship.length, 1, BoardSize) - 1;
        const int spanX = ship.vertical ? 0 : span;
        const int spanY = ship.vertical ? span : 0;
        // Every draw keeps the ship on the board, so only an overlap is refused; the board always
        // has room for the next ship, so drawing again ends.
        bool placed = false;
        while (!placed) {
            const int x = random.Below(BoardSize - spanX);
            const int y = random.Below(BoardSize - spanY);
            placed = !PlaceShip(game, side, shipId, Cell{x, y}).Refused();
        }
    }
    return One(Event{.kind = EventKind::FleetPlaced, .shot = {side, 0, 0}});
}

bool FleetLaidOut(const Game& game, Side side) {
    return IsSide(side) && std::all_of(game.fleets[side].begin(), game.fleets[side].end(),
                                       [](const ShipState& ship) { return ship.OnBoard(); });
}

Events StartBattle(Game& game, Random& random) {
    if (game.phase != Placing || !FleetLaidOut(game, Player)) return One(Refusal());
    game.phase = Firing;
    PlaceFleetAtRandom(game, Enemy, random);
    return One(Event{.kind = EventKind::BattleStarted});
}

}  // namespace rules
