// fleet/fleet.h: the ten ships of the program, the player's fleet first, and where a ship of a
// side stands in that array.
#pragma once

#include <cstdint>

#include "fleet/game_state.h"
#include "fleet/ship.h"

namespace fleet {

constexpr int ShipCount = 10;

// The length of each side's ship by shipId - 1: the largest first.
constexpr std::int32_t ShipLengths[ShipsPerSide] = {5, 4, 3, 3, 2};

// Entries 0..4 are the player's fleet, 5..9 the enemy's; defined with the other program-wide
// objects in fleet/program_objects.cpp so that construction and destruction keep their order.
extern Ship Ships[ShipCount];

// The entry of the ship of the side whose shipId is 1..5.
constexpr int ShipIndex(Side side, std::uint32_t shipId) {
    return static_cast<int>(side) * ShipsPerSide + static_cast<int>(shipId) - 1;
}

}  // namespace fleet
