// battle/salvo.h: the START command and the player's aimed shots.
#pragma once

#include "platform/window.h"

namespace battle {

// Hides the enemy fleet, starts the firing phase and lays the enemy fleet out at random.
void StartBattle(platform::Window* window);
// One click on the enemy board: one aimed shot of the salvo, followed by the computer's.
void AimPlayerShot(platform::Window* window, int x, int y);

}  // namespace battle
