// shell/session.h: the game in the main window and what goes with it from game to game. Written by
// the shell, and by setup and battle through the arguments the shell hands them.
#pragma once

#include "opponent/targeting.h"
#include "rules/game.h"
#include "rules/random.h"

namespace shell {

struct Session {
    rules::Game game;
    // Seeded once, as the main window is created: with the time, or the seed the command line
    // gives.
    rules::Random random;
    // Kept from game to game: a new game does not reset it.
    opponent::TargetingMemory memory;
    // Options > Opponent; the next new game takes it up, the game in progress keeps its own.
    rules::Level chosenLevel = rules::Level::Standard;
};

extern Session TheSession;

}  // namespace shell
