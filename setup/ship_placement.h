// setup/ship_placement.h: the player laying out the fleet by hand: pick a ship up, turn it,
// carry it, lay it down.
#pragma once

#include <cstdint>

#include "platform/window.h"
#include "rules/game.h"
#include "rules/random.h"

namespace setup {

// Picks up the player's ship under (x, y), if any, and carries it until a valid drop, a
// double-click or a quit request.
void SelectAndPlaceShip(platform::Window* window, rules::Game& game, int x, int y);
// Picks up the player's ship under (x, y), if any, turns it, and carries it until a valid drop or
// a quit request.
void RotateAndPlaceShip(platform::Window* window, rules::Game& game, int x, int y);
// The Place Random button: the whole fleet laid out at random, and START enabled. The caller
// paints.
void PlaceFleetRandomly(platform::Window* window, rules::Game& game, rules::Random& random);

// Moves the pictures of the side's ships to where the game lays them (after a random layout).
void ShowFleetWhereItLies(platform::Window* window, const rules::Game& game, rules::Side side);

}  // namespace setup
