// battle/salvo.h: the battle as the player sees it: the START command and the player's aimed
// shots, with the computer's shots behind each and a complete salvo settled on screen.
#pragma once

#include <optional>

#include "battle/salvo_driver.h"
#include "platform/window.h"
#include "rules/game.h"
#include "rules/random.h"

namespace battle {

// The START command: starts the firing phase with the enemy fleet laid out at random, hides the
// enemy fleet, disables START and Place Random, and paints. Only a game still in its placement
// phase is started; otherwise the command only paints.
void StartBattle(platform::Window* window, rules::Game& game, rules::Random& random);

// One left-button release at client pixel (x, y) in the firing phase: a click on an untouched cell
// of the enemy board aims the shot of the player's current salvo slot, and the game goes on from
// there; anything else is ignored. The game's end when this shot ended it: the caller records it
// and shows it (ShowGameOver).
std::optional<rules::GameOutcome> AimPlayerShot(platform::Window* window, rules::Game& game,
                                                Computer computer, int x, int y);
// The same for a cell of the enemy board, as the keyboard's cursor names it.
std::optional<rules::GameOutcome> AimPlayerShotAt(platform::Window* window, rules::Game& game,
                                                  Computer computer, rules::Cell cell);

}  // namespace battle
