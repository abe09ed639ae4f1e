// battle/salvo.h: the START command and the assembly of a salvo: the player's aimed shots, each
// followed at once by the computer's shot of the same fleet index.
#pragma once

#include "platform/window.h"

namespace battle {

// The START command: hides the enemy fleet, starts the firing phase, lays the enemy fleet out at
// random (still hidden), disables START and Place Random, and paints. Only a game still in its
// placement phase is started; otherwise the command only paints.
void StartBattle(platform::Window* window);

// One left-button release at client pixel (x, y) in the firing phase: a click on an untouched cell
// of the enemy board aims the shot of the player's current salvo slot; anything else is ignored.
void AimPlayerShot(platform::Window* window, int x, int y);

// Fills the computer's slot behind the player's, skips the slots of the player's sunk ships, and
// resolves the salvo once all ten slots are passed (then checks for the end of the game).
void FillComputerSlots(platform::Window* window);

// Formats the salvo prompt for GameState.shotsLeft into the status line and marks it for
// repainting: "Shot" for exactly one, "Shots" for every other count, 0 included.
void ShowShotsRemaining(platform::Window* window);

}  // namespace battle
