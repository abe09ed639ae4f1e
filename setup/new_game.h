// setup/new_game.h: bringing the game to the start of the placement phase.
#pragma once

#include "platform/window.h"

namespace setup {

// Lays out the sea, both boards and the ten docks from the window's client size, puts every ship
// back in its dock afloat, horizontal and shown, resets the game state, disables START, enables
// Place Random, sets the first status text and sounds the siren.
void NewGame(platform::Window* window);

}  // namespace setup
