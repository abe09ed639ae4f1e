// shell/settings.h: the player's choices kept between runs in settings.ini: the opponent level
// and, once the player has switched it, the sound.
#pragma once

#include <cstdint>

#include "rules/game.h"

namespace shell {

// Reads the file into TheSession.chosenLevel and returns the sound switch it keeps: 1 on, 0
// off, -1 when the player has never switched it. No file gives Standard and -1.
int LoadSettings();

void SaveOpponentLevel(rules::Level level);
void SaveSoundSwitch(std::uint8_t on);

}  // namespace shell
