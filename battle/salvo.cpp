// battle/salvo.cpp: minimal stand-in until the battle is written.
#include "battle/salvo.h"

#include "battle/game_state.h"

namespace battle {

void StartBattle(platform::Window*) { GameState.phase = Firing; }

void AimPlayerShot(platform::Window*, int, int) {}

}  // namespace battle
