// setup/program_objects.h: the program-wide pictures: the two boards, the three marks and the sea.
// They and the ten ships (fleet/fleet.h) are built before start-up and destroyed after the message
// loop, all in one translation unit so the order is fixed.
#pragma once

#include "fleet/fleet.h"
#include "imaging/picture.h"

namespace setup {

// Indexed by battle::Side: 0 the player's board ("Grid1.bmp", left), 1 the enemy's ("Grid2.bmp").
extern imaging::Picture BoardPictures[2];
extern imaging::Picture TargetPicture;
extern imaging::Picture MissPicture;
extern imaging::Picture HitPicture;
extern imaging::Picture SeaBackPicture;

}  // namespace setup
