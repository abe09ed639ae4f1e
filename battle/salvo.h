// battle/salvo.h: the battle as the player sees it: the START command, the player's aimed shots,
// the computer's shots behind each, and a complete salvo settled on screen.
#pragma once

#include "platform/window.h"

namespace battle {

// The START command: hides the enemy fleet, starts the firing phase, lays the enemy fleet out at
// random (still hidden), disables START and Place Random, and paints. Only a game still in its
// placement phase is started; otherwise the command only paints.
void StartBattle(platform::Window* window);

// One left-button release at client pixel (x, y) in the firing phase: a click on an untouched cell
// of the enemy board aims the shot of the player's current salvo slot, and the computer's slots
// behind it are filled; anything else is ignored.
void AimPlayerShot(platform::Window* window, int x, int y);

}  // namespace battle
