// fleet/fleet.h: the ten ships on the screen, the player's fleet first, and where a ship of a side
// stands in that array.
#pragma once

#include <cstdint>

#include "fleet/ship.h"
#include "rules/game.h"

namespace fleet {

constexpr int ShipCount = 2 * rules::ShipsPerSide;

// Entries 0..4 are the player's fleet, 5..9 the enemy's; defined with the other program-wide
// objects in fleet/program_objects.cpp so that construction and destruction keep their order.
// Written by setup (their pictures and docks) and battle (shown, hidden, sunk).
extern Ship Ships[ShipCount];

// The entry of the ship of the side whose shipId is 1..5.
constexpr int ShipIndex(rules::Side side, std::uint32_t shipId) {
    return static_cast<int>(side) * rules::ShipsPerSide + static_cast<int>(shipId) - 1;
}

}  // namespace fleet
