// battle/network_battle.cpp: a network game's START, aims and salvos, shown as a game against the
// computer shows them.
#include "battle/network_battle.h"

#include <utility>

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
    NetworkPresenter(platform::Window* window, const rules::Game& game,
                     std::weak_ptr<network::Match> match = {})
        : ScreenPresenter(window, game), window_(window), game_(game), match_(std::move(match)) {}

    void Present(const rules::Event& event) override {
        if (event.kind == rules::EventKind::Sunk && event.shot.side == rules::Enemy) {
            fleet::Ships[fleet::ShipIndex(rules::Enemy, static_cast<std::uint32_t>(event.shipId))]
                .ShowWhereItLies(game_.ShipOf(rules::Enemy, event.shipId), window_);
        }
        ScreenPresenter::Present(event);
    }

    bool SameGame(const rules::Game& game) const override {
        return !match_.expired() && ScreenPresenter::SameGame(game);
    }

  private:
    platform::Window* window_;
    const rules::Game& game_;
    std::weak_ptr<network::Match> match_;
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
                                                   const std::weak_ptr<network::Match>& match) {
    NetworkPresenter presenter(window, game, match);
    // Each shot is settled by what the match holds now; the presenter stops the salvo before a
    // shot could be settled without it.
    const std::optional<rules::GameOutcome> end =
        SettleSalvo(game, presenter, [&match](const rules::Shot& shot) {
            const std::shared_ptr<network::Match> held = match.lock();
            return held ? held->ReportOf(shot) : std::nullopt;
        });
    const std::shared_ptr<network::Match> held = match.lock();
    if (held && !end && game.phase == rules::Firing) held->NextSalvo(game);
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
