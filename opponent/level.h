// opponent/level.h: how strongly the computer plays. The level chosen in the menu is taken up by
// the next new game; the game in progress keeps the level it started with.
#pragma once

#include <cstdint>

namespace opponent {

enum class Level : std::int32_t { Standard = 0, Expert = 1 };

// Written by the shell alone: the saved settings, the Options > Opponent menu and the start of
// each new game.
struct LevelChoice {
    // The level the player has chosen (Options > Opponent); Standard until changed.
    Level ChosenLevel = Level::Standard;
    // The level of the game in progress, copied from ChosenLevel when a new game starts.
    Level GameLevel = Level::Standard;
};

extern LevelChoice Levels;

}  // namespace opponent
