// battle/game_over.h: how the end of a game is shown.
#pragma once

#include "platform/window.h"
#include "rules/game.h"

namespace battle {

// Shows the end of the game: "YOU WON!!!" (picture 105, win sound), "YOU LOST!!!" (the enemy's
// survivors shown, picture 106, lose sound) or "A TIE!!!" (picture 107, no sound).
void ShowGameOver(platform::Window* window, const rules::Game& game, rules::GameOutcome outcome);

}  // namespace battle
