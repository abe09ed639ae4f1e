// battle/shot_resolution.h: settling a complete salvo on screen, shot by shot in slot order.
#pragma once

#include "platform/window.h"

namespace battle {

// Settles every filled slot in slot order, each shown with its status message, its mark and, with
// sound on, the drop and outcome sounds. Waiting window messages are let through after each shot;
// a quit request or a new game met there ends the salvo after that shot. Called with the phase
// Resolving, which it leaves as it found it unless a message handled between shots changed it.
void ResolveSalvo(platform::Window* window);

}  // namespace battle
