// opponent/expert_targeting.h: the Expert opponent's aim. At the first slot of a salvo it plans
// the whole salvo from what the computer has seen (salvo_plan.h), then fires it slot by slot.
#pragma once

#include <optional>

#include "opponent/fleet_memory.h"
#include "opponent/salvo_plan.h"
#include "opponent/seen_board.h"
#include "rules/game.h"
#include "rules/random.h"

namespace opponent {

// The Expert level of ChooseEnemyShot: the cell for the slot being aimed, or nothing when no cell
// of the player's board is left untouched. `plan` is the salvo being fired; a slot that finds it
// no longer matching the board (a new salvo, a new game) plans afresh, for as many shots as the
// computer has ships afloat, less those already aimed.
// `fleets` are the player's fleets of earlier games, as the computer saw them.
std::optional<rules::Cell> ChooseExpertShot(const SeenBoard& seen, SalvoPlan& plan,
                                            const FleetMemory& fleets, rules::Random& random);

}  // namespace opponent
