// opponent/targeting.h: how the computer aims its shots at the player's board. Standard hunts at
// random until a ship is hit, then follows the line of hits or probes around the hit; Expert
// weighs every layout that fits what it has seen (expert_targeting.h).
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "opponent/fleet_memory.h"
#include "opponent/salvo_plan.h"
#include "opponent/seen_board.h"
#include "rules/game.h"
#include "rules/random.h"

namespace opponent {

// What the computer keeps from shot to shot. The windowed game keeps one for the program's whole
// run (a new game does not reset it); written by ChooseEnemyShot alone, but for the fleets, which
// the game's end adds to (RememberFleet) and the record of play keeps between runs.
struct TargetingMemory {
    // The hit cell chosen by the latest Standard choice (0, 0 when there was none).
    std::int32_t focusX = 0;
    std::int32_t focusY = 0;
    // Counts the computer's shots, wrapping to 0 once it exceeds the computer's ships afloat; at 2
    // or more a blocked line gets a random shot instead of a probe.
    std::int32_t aiShotCounter = 0;
    // The Expert's salvo, planned at its first slot and fired slot by slot.
    SalvoPlan expertPlan;
    // The player's fleets of earlier games, as the Expert saw them.
    FleetMemory fleets;
};

// The cell of the computer's next shot at the player's board, at the level given, or nothing when
// no cell is left untouched. Every random draw comes from `random`, in a fixed order (one per line
// direction, one per probe attempt, two per random-cell attempt), so a seed and the same player
// actions give the same shots. The Expert keeps only its salvo's plan there.
std::optional<rules::Cell> ChooseEnemyShot(const SeenBoard& seen, rules::Level level,
                                           TargetingMemory& memory, rules::Random& random);

// The codes the computer sees around (x, y): left, up, right, down; OffBoard beyond an edge.
std::array<std::int32_t, 4> ReadNeighbours(const SeenBoard& board, int x, int y);

}  // namespace opponent
