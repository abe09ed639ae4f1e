// setup/new_game.h: bringing the game to the start of the placement phase.
#pragma once

#include "platform/window.h"
#include "rules/game.h"

namespace setup {

// Lays out the sea, both boards and the ten docks from the window's client size, puts every ship
// back in its dock afloat, horizontal and shown, makes `game` a new game at the level given,
// disables START, enables Place Random, sets the first status text and sounds the siren.
void NewGame(platform::Window* window, rules::Game& game, rules::Level level);

}  // namespace setup
