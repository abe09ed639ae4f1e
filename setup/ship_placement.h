// setup/ship_placement.h: the player laying out the fleet by hand: pick a ship up, turn it,
// carry it, lay it down.
#pragma once

#include <cstdint>

#include "platform/window.h"

namespace setup {

// The player's ships still in their docks: it chooses the status text only.
extern std::int32_t ShipsToPlace;

// Picks up the player's ship under (x, y), if any, and carries it until a valid drop, a
// double-click or a quit request.
void SelectAndPlaceShip(platform::Window* window, int x, int y);
// Picks up the player's ship under (x, y), if any, turns it, and carries it until a valid drop or
// a quit request.
void RotateAndPlaceShip(platform::Window* window, int x, int y);

}  // namespace setup
