// opponent/expert_targeting.h: the Expert opponent's aim. It weighs every layout of the player's
// ships still afloat that fits what the computer has seen, and fires where ships most likely lie.
#pragma once

namespace opponent {

// The Expert level of ChooseEnemyShot: aims the current salvo slot, or leaves it empty when no
// cell of the player's board is left untouched.
void ChooseExpertShot();

}  // namespace opponent
