// fleet/program_objects.h: the program-wide pictures: the two boards, the three marks and the sea.
// They and the ten ships (fleet/fleet.h) are built before start-up and destroyed after the message
// loop, all in one translation unit so the order is fixed.
#pragma once

#include "imaging/picture.h"

namespace fleet {

// Loaded and laid out by setup (the pictures for a screen size, the layout of a new game); the
// rest of the game only measures and draws them.
struct ProgramPictures {
    // Indexed by Side: 0 the player's board ("Grid1.bmp", left), 1 the enemy's ("Grid2.bmp").
    imaging::Picture BoardPictures[2];
    imaging::Picture TargetPicture;
    imaging::Picture MissPicture;
    imaging::Picture HitPicture;
    imaging::Picture SeaBackPicture;
};

extern ProgramPictures Pictures;

}  // namespace fleet
