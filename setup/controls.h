// setup/controls.h: the main window's four buttons, enabling and disabling one of them by walking
// the window's child controls, and the START check after a placement action.
#pragma once

#include "platform/window.h"

namespace setup {

constexpr int ID_START = 1;
constexpr int ID_PLACE_RANDOM = 2;
constexpr int ID_ABOUT = 3;
constexpr int ID_INSTRUCTIONS = 4;

// "Enable control n" and "disable control n": the walk over the window's children.
void EnableControlById(platform::Window* window, int id);
void DisableControlById(platform::Window* window, int id);

// Enables START once every player ship lies on the player's board; never disables it.
void EnableStartIfFleetPlaced(platform::Window* window);

}  // namespace setup
