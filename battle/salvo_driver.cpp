// battle/salvo_driver.cpp: the order of a salvo's moves, written once.
#include "battle/salvo_driver.h"

namespace battle {

void Present(SalvoPresenter& presenter, const rules::Events& events) {
    for (const rules::Event& event : events) presenter.Present(event);
}

bool FillComputerSlots(rules::Game& game, Computer computer, SalvoPresenter& presenter) {
    const rules::Events events = rules::FillComputerSlots(game, [&](const rules::Game& now) {
        return opponent::ChooseEnemyShot(opponent::SeenBoard(now), now.level, computer.memory,
                                         computer.random);
    });
    Present(presenter, events);
    return game.phase == rules::Resolving;
}

std::optional<rules::GameOutcome> SettleSalvo(rules::Game& game, SalvoPresenter& presenter,
                                              const rules::ReportOf& reportOf) {
    const rules::Shown shown = [&presenter](const rules::Events& events) {
        Present(presenter, events);
    };
    // Each move empties a slot, so this ends after the salvo's last.
    for (rules::Events settled = rules::SettleNextShot(game, shown, reportOf); !settled.empty();
         settled = rules::SettleNextShot(game, shown, reportOf)) {
        // A report found untrue as it came never reaches here; one that does is dropped unshown.
        if (settled.Refused()) continue;
        if (!presenter.BetweenShots(settled.front().shot)) break;
        // A new game (and perhaps a new battle after it) started from the windows owns the game.
        if (!presenter.SameGame(game)) return std::nullopt;
    }
    if (game.phase != rules::Resolving) return std::nullopt;
    Present(presenter, rules::EndSalvo(game));
    const rules::Events end = rules::DecideGame(game);
    if (end.empty()) return std::nullopt;
    return end.front().outcome;
}

std::optional<rules::GameOutcome> FirePlayerShot(rules::Game& game, rules::Cell cell,
                                                 Computer computer, SalvoPresenter& presenter) {
    const rules::Events aimed = rules::AimShot(game, cell);
    Present(presenter, aimed);
    if (aimed.Refused()) return std::nullopt;
    while (FillComputerSlots(game, computer, presenter)) {
        if (const std::optional<rules::GameOutcome> end = SettleSalvo(game, presenter)) return end;
        if (game.phase != rules::Firing || !rules::PlayerSlotPassed(game)) break;
    }
    return std::nullopt;
}

}  // namespace battle
