// battle/salvo.cpp: START and the player's aimed shots, played by the salvo driver and shown on
// screen.
#include "battle/salvo.h"

#include "battle/salvo_on_screen.h"
#include "fleet/board_cell.h"
#include "fleet/fleet.h"
#include "platform/repaint.h"
#include "rules/moves.h"
#include "setup/controls.h"
#include "setup/ship_placement.h"
#include "setup/status_line.h"

namespace battle {

void StartBattle(platform::Window* window, rules::Game& game, rules::Random& random) {
    // START is enabled only while the fleet is being placed, but a command can arrive by other
    // means.
    if (rules::StartBattle(game, random).Refused()) {
        platform::UpdateWindow(window);
        return;
    }
    setup::SetStatus(window, "Placing Enemy Ships...");
    for (std::uint32_t shipId = 1; shipId <= rules::ShipsPerSide; ++shipId) {
        fleet::Ship& ship = fleet::Ships[fleet::ShipIndex(rules::Enemy, shipId)];
        ship.SetVisible(0, nullptr);
        ship.Invalidate(window);
        platform::UpdateWindow(window);
    }
    ShowShotsRemaining(window, game);
    // Hidden where the game laid them out: shown one by one as they sink, or all at a loss.
    setup::ShowFleetWhereItLies(window, game, rules::Enemy);
    setup::DisableControlById(window, setup::ID_START);
    setup::DisableControlById(window, setup::ID_PLACE_RANDOM);
    platform::UpdateWindow(window);
}

std::optional<rules::GameOutcome> AimPlayerShot(platform::Window* window, rules::Game& game,
                                                Computer computer, int x, int y) {
    int column = 0;
    int row = 0;
    if (!fleet::CellAt(rules::Enemy, x, y, &column, &row)) return std::nullopt;
    return AimPlayerShotAt(window, game, computer, rules::Cell{column, row});
}

std::optional<rules::GameOutcome> AimPlayerShotAt(platform::Window* window, rules::Game& game,
                                                  Computer computer, rules::Cell cell) {
    ScreenPresenter presenter(window, game);
    return FirePlayerShot(game, cell, computer, presenter);
}

}  // namespace battle
