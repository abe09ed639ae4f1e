// battle/game_over.h: how the end of a game is shown and recorded.
#pragma once

#include "battle/play_record.h"
#include "platform/window.h"

namespace battle {

// Records the game, then shows its end: "YOU WON!!!" (picture 105, win sound), "YOU LOST!!!" (the
// enemy's survivors shown, picture 106, lose sound) or "A TIE!!!" (picture 107, no sound).
void ShowGameOver(platform::Window* window, GameOutcome outcome);

}  // namespace battle
