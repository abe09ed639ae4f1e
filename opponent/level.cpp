// opponent/level.cpp: the chosen level and the level of the game in progress.
#include "opponent/level.h"

namespace opponent {

LevelChoice Levels;

}  // namespace opponent
