// network/commitment.cpp: the commitment's bytes, and the check of a reveal against what the peer
// reported, settled again with the rules.
#include "network/commitment.h"

#include "rules/moves.h"

namespace network {

namespace {

constexpr char Domain[] = "TIDEWRACK FLEET 1";

// The revealed fleet laid on the enemy board of a game in its firing phase; nothing when a ship
// lies off the board or over another.
std::optional<rules::Game> GameWith(const FleetLayout& layout) {
    rules::Game game = rules::NewGame(rules::Level::Standard);
    for (std::int32_t shipId = 1; shipId <= rules::ShipsPerSide; ++shipId) {
        const ShipPlace& place = layout[shipId - 1];
        if (place.vertical) rules::TurnShip(game, rules::Enemy, shipId);
        const rules::Cell first{place.column, place.row};
        // A ship placed by hand is pulled back onto the board; a revealed one must fit as given.
        if (rules::PlaceShip(game, rules::Enemy, shipId, first).Refused()) return std::nullopt;
        const rules::ShipState& laid = game.ShipOf(rules::Enemy, shipId);
        if (laid.column != first.x || laid.row != first.y) return std::nullopt;
    }
    return game;
}

}  // namespace

ShipPlace PlaceOf(const rules::ShipState& ship) {
    return ShipPlace{static_cast<std::uint8_t>(ship.column), static_cast<std::uint8_t>(ship.row),
                     ship.vertical};
}

FleetLayout LayoutOf(const rules::Game& game, rules::Side side) {
    FleetLayout layout;
    for (std::int32_t shipId = 1; shipId <= rules::ShipsPerSide; ++shipId) {
        layout[shipId - 1] = PlaceOf(game.ShipOf(side, shipId));
    }
    return layout;
}

ShotOutcome OutcomeOf(const rules::Game& game, const rules::Event& settled) {
    const auto side = static_cast<rules::Side>(settled.shot.side);
    switch (settled.kind) {
        case rules::EventKind::Hit:
            return ShotOutcome{ShotResult::Hit, 0, {}};
        case rules::EventKind::Sinking:
            return ShotOutcome{ShotResult::Sunk, static_cast<std::uint8_t>(settled.shipId),
                               PlaceOf(game.ShipOf(side, settled.shipId))};
        default:
            return ShotOutcome{ShotResult::Miss, 0, {}};
    }
}

Digest CommitmentOf(const FleetLayout& layout, const Nonce& nonce) {
    std::vector<std::uint8_t> bytes(Domain, Domain + sizeof Domain - 1);
    const std::vector<std::uint8_t> reveal = Encode(Reveal{layout, nonce});
    // The reveal's body without its length and type: the layout, then the nonce.
    bytes.insert(bytes.end(), reveal.begin() + 3, reveal.end());
    return Sha256(bytes);
}

std::optional<std::string> CheckReveal(const Digest& committed, const Reveal& reveal,
                                       const std::vector<ReportedSalvo>& salvos) {
    if (CommitmentOf(reveal.layout, reveal.nonce) != committed) {
        return "the fleet revealed is not the one committed to";
    }
    std::optional<rules::Game> game = GameWith(reveal.layout);
    if (!game) return "the fleet revealed does not fit on the board";
    for (const ReportedSalvo& salvo : salvos) {
        if (salvo.shots.size() != salvo.outcomes.size() ||
            salvo.shots.size() > static_cast<std::size_t>(rules::ShipsPerSide)) {
            return "a salvo's outcomes do not match its shots";
        }
        if (rules::AimWholeSalvo(*game, salvo.shots).Refused()) {
            return "a shot was reported twice";
        }
        for (const ShotOutcome& reported : salvo.outcomes) {
            const rules::Events settled = rules::SettleNextShot(*game);
            if (settled.empty() || OutcomeOf(*game, settled.front()) != reported) {
                return "a reported outcome does not match the fleet";
            }
        }
        rules::EndSalvo(*game);
    }
    return std::nullopt;
}

}  // namespace network
