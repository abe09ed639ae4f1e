// opponent/random_placement.h: laying out a whole fleet at random positions and orientations.
#pragma once

#include "fleet/game_state.h"

namespace platform {
struct Window;
}

namespace opponent {

// Lays the side's five ships, in fleet order, on its board (the grid of BoardPictures[side]):
// per ship one orientation draw, then (column, row) draws until the ship fits. The window, when
// given, is asked to repaint what the ships leave and enter. Ships not yet laid out in this call
// keep their old cells and are obstacles until their turn.
void PlaceFleetAtRandom(fleet::Side side, platform::Window* window);

}  // namespace opponent
