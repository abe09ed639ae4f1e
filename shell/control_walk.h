// shell/control_walk.h: enabling and disabling one of the main window's buttons by walking its
// child controls, and the START check after a placement action.
#pragma once

#include "platform/window.h"

namespace shell {

// Callbacks for the walk over the main window's children: on the child whose id matches they
// enable (or disable) it and stop the walk; otherwise the walk goes on.
bool EnableControl(platform::Window* child, platform::LPARAM id);
bool DisableControl(platform::Window* child, platform::LPARAM id);

// "Enable control n" and "disable control n": the walk over the window's children.
void EnableControlById(platform::Window* window, int id);
void DisableControlById(platform::Window* window, int id);

// Enables START once every player ship lies on the player's board; never disables it.
void EnableStartIfFleetPlaced(platform::Window* window);

}  // namespace shell
