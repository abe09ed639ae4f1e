// opponent/expert_targeting.h: the Expert opponent's aim. It weighs every layout of the player's
// ships still afloat that fits what the computer has seen, and fires where ships most likely lie.
#pragma once

#include <optional>

#include "opponent/seen_board.h"
#include "rules/game.h"
#include "rules/random.h"

namespace opponent {

// The Expert level of ChooseEnemyShot: the cell for the slot being aimed, or nothing when no cell
// of the player's board is left untouched.
std::optional<rules::Cell> ChooseExpertShot(const SeenBoard& seen, rules::Random& random);

}  // namespace opponent
