// network/commitment.h: a player's promise about the fleet, made before the first shot and kept
// at the end: the hash of the layout and 32 secret random bytes goes out at START, the layout and
// the bytes themselves at the end, and the other side checks both against every outcome it was
// told.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "network/messages.h"
#include "rules/events.h"
#include "rules/game.h"

namespace network {

// Where a ship of the game lies, as the wire carries it.
ShipPlace PlaceOf(const rules::ShipState& ship);
// The fleet as the game laid it out on the side's board.
FleetLayout LayoutOf(const rules::Game& game, rules::Side side);
// What a settled shot tells the side that fired it: a miss, a hit, or the ship it sank and where
// that ship lay.
ShotOutcome OutcomeOf(const rules::Game& game, const rules::Event& settled);

// SHA-256 over "TIDEWRACK FLEET 1", the layout's 15 bytes as a Reveal carries them, and the
// nonce.
Digest CommitmentOf(const FleetLayout& layout, const Nonce& nonce);

// One salvo of ours at the peer's fleet and the outcomes the peer reported for it.
struct ReportedSalvo {
    std::vector<rules::Cell> shots;
    std::vector<ShotOutcome> outcomes;
};

// Checks the peer's reveal: a legal fleet (every ship on the board, none overlapping), the
// commitment it made, and every outcome it reported, settled again by the game's own rules
// against the revealed fleet. Nothing when all holds; otherwise what did not.
std::optional<std::string> CheckReveal(const Digest& committed, const Reveal& reveal,
                                       const std::vector<ReportedSalvo>& salvos);

}  // namespace network
