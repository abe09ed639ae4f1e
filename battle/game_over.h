// battle/game_over.h: how the end of a game is shown.
#pragma once

#include "platform/window.h"
#include "rules/game.h"

namespace battle {

// Shows the end on the board, painted before this returns: "YOU WON!!!", "YOU LOST!!!" (the
// enemy's survivors come up one by one) or "A TIE!!!".
void ShowGameOver(platform::Window* window, const rules::Game& game, rules::GameOutcome outcome);

// Then the end's picture (105 won, 106 lost, 107 tied), left up until the player clicks it, and
// its sound (win or lose; a tie has none).
void AnnounceGameOver(platform::Window* window, rules::GameOutcome outcome);

}  // namespace battle
