// battle/game_over.h: the end-of-game test after every resolved salvo.
#pragma once

#include "platform/window.h"

namespace battle {

// Ends the game when a fleet is sunk: "YOU WON!!!" (picture 105, win sound), "YOU LOST!!!" (the
// enemy's survivors shown, picture 106, lose sound) or, with both fleets sunk, "A TIE!!!" (picture
// 107, no sound); the phase becomes GameOver. Otherwise nothing happens.
void CheckGameOver(platform::Window* window);

}  // namespace battle
