// rules/against_person.cpp: the moves of a game against a person, whose fleet the game knows only
// by what they report: START with that fleet unknown, their salvo taken in whole, our salvo as a
// list of cells, and their fleet as revealed at the end.
#include <algorithm>

#include "rules/moves.h"

namespace rules {

namespace {

Events One(const Event& event) {
    Events events;
    events.Add(event);
    return events;
}

bool OnBoard(const Cell& cell) {
    return cell.x >= 0 && cell.x < BoardSize && cell.y >= 0 && cell.y < BoardSize;
}

int UntouchedCells(const Board& board) {
    int count = 0;
    for (const auto& column : board) {
        count += static_cast<int>(std::count_if(column.begin(), column.end(), IsUntouched));
    }
    return count;
}

// Slot 2k is the player's ship k, 2k + 1 the enemy's ship k.
constexpr int OurSlot(int fleetIndex) { return 2 * fleetIndex; }
constexpr int TheirSlot(int fleetIndex) { return 2 * fleetIndex + 1; }

}  // namespace

Events StartAgainstPerson(Game& game) {
    if (game.phase != Placing || !FleetLaidOut(game, Player)) return One(Event{});
    game.phase = Firing;
    game.shotsLeft = ShipsAfloat(game, Player);
    game.salvoSlot = 0;
    return One(Event{.kind = EventKind::BattleStarted});
}

SalvoFit FitOfOtherSalvo(const Game& game, std::span<const Cell> cells) {
    const int shots = std::min(ShipsAfloat(game, Enemy), UntouchedCells(game.boards[Player]));
    if (cells.size() != static_cast<std::size_t>(shots)) return SalvoFit::WrongCount;
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const Cell& cell = cells[k];
        if (!OnBoard(cell) || !IsUntouched(game.boards[Player][cell.x][cell.y]) ||
            std::find(cells.begin(), cells.begin() + static_cast<std::ptrdiff_t>(k), cell) !=
                cells.begin() + static_cast<std::ptrdiff_t>(k)) {
            return SalvoFit::CellShotAt;
        }
    }
    return SalvoFit::Fits;
}

Events TakeOtherSalvo(Game& game, std::span<const Cell> cells) {
    if (game.phase != Resolving || FitOfOtherSalvo(game, cells) != SalvoFit::Fits) {
        return One(Event{});
    }
    Events events;
    std::size_t next = 0;
    for (int k = 0; k < ShipsPerSide && next < cells.size(); ++k) {
        if (game.fleets[Enemy][k].IsSunk()) continue;
        const Cell cell = cells[next++];
        game.boards[Player][cell.x][cell.y] += AimedStage;
        const Shot shot{Player, cell.x, cell.y};
        game.salvo[TheirSlot(k)] = shot;
        events.Add(Event{.kind = EventKind::ComputerAimed, .shot = shot});
    }
    return events;
}

std::vector<Cell> OurShots(const Game& game) {
    std::vector<Cell> cells;
    for (int k = 0; k < ShipsPerSide; ++k) {
        const Shot& shot = game.salvo[OurSlot(k)];
        if (shot.side == Enemy) cells.push_back(Cell{shot.x, shot.y});
    }
    return cells;
}

Events AimWholeSalvo(Game& game, std::span<const Cell> cells) {
    if (cells.size() > static_cast<std::size_t>(ShipsPerSide)) return One(Event{});
    Events events;
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const Cell& cell = cells[k];
        if (!OnBoard(cell) || !IsUntouched(game.boards[Enemy][cell.x][cell.y])) return One(Event{});
        game.boards[Enemy][cell.x][cell.y] += AimedStage;
        const Shot shot{Enemy, cell.x, cell.y};
        game.salvo[OurSlot(static_cast<int>(k))] = shot;
        events.Add(Event{.kind = EventKind::Aimed, .shot = shot});
    }
    game.salvoSlot = SalvoSize;
    game.phase = Resolving;
    return events;
}

void TakeRevealedFleet(Game& game, std::span<const Placement, ShipsPerSide> fleet) {
    for (std::int32_t shipId = 1; shipId <= ShipsPerSide; ++shipId) {
        ShipState& ship = game.ShipOf(Enemy, shipId);
        if (ship.IsSunk()) continue;
        const Placement& place = fleet[shipId - 1];
        ship.column = place.first.x;
        ship.row = place.first.y;
        ship.vertical = place.vertical;
    }
}

}  // namespace rules
