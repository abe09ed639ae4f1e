// rules/salvo.cpp: the moves of a salvo: the player's aim, the computer's slots, each shot
// settled, a ship sunk, the salvo's end and the end of the game.
#include <array>

#include "rules/moves.h"

namespace rules {

namespace {

Events One(const Event& event) {
    Events events;
    events.Add(event);
    return events;
}

bool OnBoard(int x, int y) { return x >= 0 && x < BoardSize && y >= 0 && y < BoardSize; }

bool IsShipSunk(const Game& game, Side side, int fleetIndex) {
    return game.fleets[side][fleetIndex].IsSunk();
}

// Marks the cell aimed and names it in the slot being filled.
Shot QueueShot(Game& game, Side side, Cell cell) {
    game.boards[side][cell.x][cell.y] += AimedStage;
    const Shot shot{side, cell.x, cell.y};
    game.salvo[game.salvoSlot] = shot;
    return shot;
}

// A filled slot always names an aimed cell of a board; anything else is dropped unsettled rather
// than read outside the boards.
bool IsAimedCell(const Game& game, const Shot& shot) {
    if (shot.side != Player && shot.side != Enemy) return false;
    if (!OnBoard(shot.x, shot.y)) return false;
    const std::int32_t code = game.boards[shot.side][shot.x][shot.y];
    return code >= AimedStage && code <= AimedStage + ShipsPerSide;
}

// The shot held in the slot settled by the rules against the fleet the game holds.
Events SettleByRules(Game& game, const Shot& shot) {
    Events events;
    const auto side = static_cast<Side>(shot.side);
    std::int32_t& cell = game.boards[side][shot.x][shot.y];
    if (cell == AimedStage) {
        cell = Miss;
        events.Add(Event{.kind = EventKind::Missed, .shot = shot});
        return events;
    }
    const std::int32_t shipId = cell - AimedStage;
    ShipState& ship = game.ShipOf(side, shipId);
    ship.hits += 1;
    cell = HitStage + shipId;
    events.Add(Event{.kind = ship.IsSunk() ? EventKind::Sinking : EventKind::Hit,
                     .shot = shot,
                     .shipId = shipId});
    return events;
}

// Where a reported wreck lies; nothing when it does not lie wholly on the board.
std::optional<std::array<Cell, BoardSize>> WreckCells(const ShipState& ship, const Report& report) {
    std::array<Cell, BoardSize> cells{};
    if (ship.length < 1 || ship.length > BoardSize) return std::nullopt;
    for (int k = 0; k < ship.length; ++k) {
        cells[k] = Cell{report.first.x + (report.vertical ? 0 : k),
                        report.first.y + (report.vertical ? k : 0)};
        if (!OnBoard(cells[k].x, cells[k].y)) return std::nullopt;
    }
    return cells;
}

// Our shot at a person's board settled by what they reported. The wreck of a sinking must lie
// over the shot and over hits of ours alone, and a ship sinks only once; otherwise the report
// cannot be true of any fleet and nothing changes.
std::optional<Events> SettleByReport(Game& game, const Shot& shot, const Report& report) {
    Board& board = game.boards[Enemy];
    std::int32_t& cell = board[shot.x][shot.y];
    if (report.kind == EventKind::Missed) {
        cell = Miss;
        return One(Event{.kind = EventKind::Missed, .shot = shot});
    }
    if (report.kind == EventKind::Hit) {
        cell = HitUnknownShip;
        return One(Event{.kind = EventKind::Hit, .shot = shot});
    }
    if (report.kind != EventKind::Sinking || report.shipId < 1 || report.shipId > ShipsPerSide) {
        return std::nullopt;
    }
    ShipState& ship = game.ShipOf(Enemy, report.shipId);
    const auto wreck = WreckCells(ship, report);
    if (ship.IsSunk() || !wreck) return std::nullopt;
    bool coversShot = false;
    for (int k = 0; k < ship.length; ++k) {
        const Cell at = (*wreck)[k];
        const bool isShot = at.x == shot.x && at.y == shot.y;
        coversShot = coversShot || isShot;
        if (!isShot && board[at.x][at.y] != HitUnknownShip) return std::nullopt;
    }
    if (!coversShot) return std::nullopt;
    // The wreck's cells all carry the ship's own hit code, so that sinking it turns them.
    for (int k = 0; k < ship.length; ++k)
        board[(*wreck)[k].x][(*wreck)[k].y] = HitStage + report.shipId;
    ship.column = report.first.x;
    ship.row = report.first.y;
    ship.vertical = report.vertical;
    ship.hits = ship.length;
    return One(Event{.kind = EventKind::Sinking, .shot = shot, .shipId = report.shipId});
}

// After Sinking: every cell of its ship becomes a cell of a sunk ship.
Events SinkShip(Game& game, const Event& sinking) {
    const Shot& shot = sinking.shot;
    // Every cell of the ship has been hit, so turning each cell with the last hit's code turns the
    // whole ship.
    Board& board = game.boards[shot.side];
    const std::int32_t hitCode = board[shot.x][shot.y];
    if (!IsHitShipAfloat(hitCode)) return {};
    for (auto& column : board) {
        for (std::int32_t& code : column) {
            if (code == hitCode) code = SunkStage + (hitCode - HitStage);
        }
    }
    return One(Event{.kind = EventKind::Sunk, .shot = shot, .shipId = sinking.shipId});
}

}  // namespace

Events AimShot(Game& game, Cell cell) {
    if (game.phase != Firing || !OnBoard(cell.x, cell.y)) return One(Event{});
    if (!IsUntouched(game.boards[Enemy][cell.x][cell.y])) return One(Event{});
    // Between the player's shots the slot being filled is always the player's, 0 to 8.
    if (game.salvoSlot < 0 || game.salvoSlot >= SalvoSize) return One(Event{});
    const Shot shot = QueueShot(game, Enemy, cell);
    game.shotsLeft -= 1;
    return One(Event{.kind = EventKind::Aimed, .shot = shot});
}

bool PlayerSlotPassed(const Game& game) {
    return game.salvoSlot >= 0 && game.salvoSlot < SalvoSize &&
           IsShipSunk(game, Player, game.salvoSlot / 2);
}

Events FillComputerSlots(Game& game, const ComputerAim& aim) {
    Events events;
    do {
        game.salvoSlot += 1;
        if (!IsShipSunk(game, Enemy, game.salvoSlot / 2)) {
            const std::optional<Cell> cell = aim(game);
            if (cell && OnBoard(cell->x, cell->y) &&
                IsUntouched(game.boards[Player][cell->x][cell->y])) {
                events.Add(Event{.kind = EventKind::ComputerAimed,
                                 .shot = QueueShot(game, Player, *cell)});
            }
        }
        game.salvoSlot += 1;
        if (game.salvoSlot >= SalvoSize) {
            game.phase = Resolving;
            events.Add(Event{.kind = EventKind::SalvoComplete});
            return events;
        }
    } while (PlayerSlotPassed(game));
    return events;
}

Events SettleNextShot(Game& game, const Shown& shown, const ReportOf& reportOf) {
    for (Shot& held : game.salvo) {
        if (held.side == NoShot) continue;
        const Shot shot = held;
        held.side = NoShot;
        if (!IsAimedCell(game, shot)) continue;
        const std::optional<Report> report =
            shot.side == Enemy && reportOf ? reportOf(shot) : std::nullopt;
        Events events;
        if (report) {
            std::optional<Events> settled = SettleByReport(game, shot, *report);
            if (!settled) return One(Event{});
            events = *settled;
        } else {
            events = SettleByRules(game, shot);
        }
        if (shown) shown(events);
        if (events.front().kind == EventKind::Sinking) {
            const Events sunk = SinkShip(game, events.front());
            if (shown) shown(sunk);
            for (const Event& event : sunk) events.Add(event);
        }
        return events;
    }
    return {};
}

Events EndSalvo(Game& game) {
    game.shotsLeft = ShipsAfloat(game, Player);
    ++game.salvosResolved;
    game.phase = Firing;
    game.salvoSlot = 0;
    return One(Event{.kind = EventKind::SalvoEnded});
}

Events DecideGame(Game& game) {
    Events events;
    const bool playerSunk = ShipsAfloat(game, Player) == 0;
    const bool enemySunk = ShipsAfloat(game, Enemy) == 0;
    if (!playerSunk && !enemySunk) return events;
    game.phase = GameOver;
    const GameOutcome outcome = playerSunk && enemySunk ? GameOutcome::Tied
                                : enemySunk             ? GameOutcome::Won
                                                        : GameOutcome::Lost;
    events.Add(Event{.kind = EventKind::GameOver, .outcome = outcome});
    return events;
}

}  // namespace rules
