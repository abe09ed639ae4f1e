// battle/shot_resolution.h: settling a complete salvo, shot by shot in slot order.
#pragma once

#include "platform/window.h"

namespace battle {

// Resolves every filled slot in slot order: miss or hit, sinking, the status message, the marks
// and, with sound on, the drop and outcome sounds. Waiting window messages are let through after
// each shot; a quit request or a new game met there ends the salvo after that shot. When the
// salvo was settled in full, the player's next salvo size is the player's ships afloat and the
// prompt shows it. Called with the phase Resolving, which it leaves as it found it unless a
// message handled between shots changed it.
void ResolveSalvo(platform::Window* window);

}  // namespace battle
