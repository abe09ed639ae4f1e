// setup/ship_placement.h: the player laying out the fleet by hand: pick a ship up, turn it,
// carry it, lay it down.
#pragma once

#include <cstdint>

#include "platform/window.h"
#include "rules/game.h"
#include "rules/random.h"

namespace setup {

// Picks up the player's ship under (x, y), if any, and carries it until a valid drop, a
// double-click, Escape (which puts it back) or a quit request. While it is carried its frame
// follows the pointer over the board, and a refused drop says so on the status line.
void SelectAndPlaceShip(platform::Window* window, rules::Game& game, int x, int y);
// Picks up the player's ship under (x, y), if any, turns it, and carries it until a valid drop,
// Escape (which puts it back as it was) or a quit request.
void RotateAndPlaceShip(platform::Window* window, rules::Game& game, int x, int y);
// The Place Random button: the whole fleet laid out at random, and START enabled. The caller
// paints.
void PlaceFleetRandomly(platform::Window* window, rules::Game& game, rules::Random& random);

// Moves the pictures of the side's ships to where the game lays them (after a random layout).
void ShowFleetWhereItLies(platform::Window* window, const rules::Game& game, rules::Side side);

// The player's ship carried by keys: which one, and where and how it would lie if put down now.
// Written by setup alone (the keys below); the painter draws its cells.
struct KeyCarry {
    std::int32_t shipId = 0;  // 1..5; 0 while no ship is carried by keys
    rules::Cell at;           // its first cell
    bool vertical = false;
};

extern KeyCarry CarriedByKeys;
// Where the ship carried by the mouse would lie if dropped now: shipId 0 while none is carried or
// the pointer is off the board. Written by the mouse's carry alone; the painter draws its cells.
extern KeyCarry CarriedByMouse;

// The status text of a drop that was refused, by the mouse or by keys.
inline constexpr char DoesNotFit[] = "That Ship Does Not Fit There...";

// Keys 1 to 5 pick up the player's ship of that place in the fleet, wherever it lies: on the
// board where it lies, from its dock at the board's top-left cell. A ship carried before is put
// back first.
void PickUpByKey(platform::Window* window, const rules::Game& game, std::int32_t shipId);
// A key while a ship is carried by keys: an arrow moves it a cell (never off the board), R turns
// it, Space or Return puts it down as a click on its first cell would (refused where it does not
// fit, and then it stays carried), Escape puts it back where it was. False, doing nothing, when
// no ship is carried or the key is none of these.
bool CarryByKey(platform::Window* window, rules::Game& game, platform::WPARAM key);
// Puts a ship carried by keys back where it was, and the placing prompt on the status line (a
// click, START or a new game comes first).
void PutBackCarriedShip(platform::Window* window);

}  // namespace setup
