// opponent/level.cpp: the chosen level and the level of the game in progress.
#include "opponent/level.h"

namespace opponent {

Level ChosenLevel = Level::Standard;
Level GameLevel = Level::Standard;

}  // namespace opponent
