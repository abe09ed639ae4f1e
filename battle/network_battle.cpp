// battle/network_battle.cpp: a network game's START, aims and salvos, shown as a game against the
// computer shows them.
#include "battle/network_battle.h"

#include "battle/salvo_on_screen.h"
#include "fleet/fleet.h"
#include "platform/repaint.h"
#include "setup/controls.h"
#include "setup/ship_placement.h"

namespace battle {

namespace {

// A friend's ship is nowhere on our side until it sinks: the sinking tells where it lay, and its
// wreck comes up there.
class NetworkPresenter : public ScreenPresenter {
  public:
    NetworkPresenter(platform::Window* window, const rules::Game& game)
        : ScreenPresenter(window, game), window_(window), game_(game) {}

    void Present(const rules::Event& event) override {
        if (event.kind == rules::EventKind::Sunk && event.shot.side == rules::Enemy) {
            fleet::Ships[fleet::ShipIndex(rules::Enemy, static_cast<std::uint32_t>(event.shipId))]
                .ShowWhereItLies(game_.ShipOf(rules::Enemy, event.shipId), window_);
        }
        ScreenPresenter::Present(event);
    }

  private:
    platform::Window* window_;
    const rules::Game& game_;
};

}  // namespace

bool StartNetworkBattle(platform::Window* window, rules::Game& game, network::Match& match) {
    if (!match.Start(game)) return false;
    for (std::uint32_t shipId = 1; shipId <= rules::ShipsPerSide; ++shipId) {
        fleet::Ship& ship = fleet::Ships[fleet::ShipIndex(rules::Enemy, shipId)];
        ship.SetVisible(0, nullptr);
        ship.Invalidate(window);
    }
    ShowShotsRemaining(window, game);
    setup::DisableControlById(window, setup::ID_START);
    setup::DisableControlById(window, setup::ID_PLACE_RANDOM);
    platform::UpdateWindow(window);
    return true;
}

void AimNetworkShot(platform::Window* window, rules::Game& game, network::Match& match,
                    rules::Cell cell) {
    NetworkPresenter presenter(window, game);
    Present(presenter, match.Aim(game, cell));
}

std::optional<rules::GameOutcome> PlayNetworkSalvo(platform::Window* window, rules::Game& game,
                                                   network::Match& match) {
    NetworkPresenter presenter(window, game);
    const std::optional<rules::GameOutcome> end = SettleSalvo(
        game, presenter, [&match](rules::Game& now, int slot) { return match.Settle(now, slot); });
    if (!end && game.phase == rules::Firing) match.NextSalvo(game);
    return end;
}

void PlaceRevealedFleet(platform::Window* window, const rules::Game& game) {
    for (std::int32_t shipId = 1; shipId <= rules::ShipsPerSide; ++shipId) {
        const rules::ShipState& ship = game.ShipOf(rules::Enemy, shipId);
        if (ship.IsSunk() || !ship.OnBoard()) continue;
        fleet::Ships[fleet::ShipIndex(rules::Enemy, static_cast<std::uint32_t>(shipId))]
            .ShowWhereItLies(ship, window);
    }
}

}  // namespace battle
