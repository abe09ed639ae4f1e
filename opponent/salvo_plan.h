// opponent/salvo_plan.h: the Expert's salvo chosen as a whole. It weighs the layouts of the
// player's afloat ships that fit what the computer has seen, builds a few candidate salvos cell by
// cell, and keeps the one that promises the most hits over this salvo and the next.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "opponent/board_view.h"
#include "opponent/fleet_memory.h"
#include "rules/game.h"

namespace opponent {

// A choice among n >= 1 possibilities, 0..n - 1, from the game's generator.
using DrawBelow = std::function<int(int n)>;

// The cells of a salvo of `shots` shots at the player's board, in the order to fire them (likely
// hits first), or fewer when fewer cells are untouched. Cells already Aimed in the view count as
// part of the salvo, their outcome unknown. Draws from `draw` few times and in a fixed order (a
// seed for the samples, then the choice among equally scored cells), so the same view, memory and
// generator give the same salvo. The layouts are weighed by how the player laid out the fleets
// in `memory` (player_model.h).
std::vector<rules::Cell> PlanSalvo(const PlayerBoardView& view, int shots, const DrawBelow& draw,
                                   const FleetMemory& memory = FleetMemory{});

// The salvo planned at the computer's first slot, handed out slot by slot. Plain data: the
// computer keeps it between its slots.
struct SalvoPlan {
    std::array<rules::Cell, rules::ShipsPerSide> cells{};
    int count = 0;
    int handedOut = 0;

    // True when the view shows exactly the cells handed out so far aimed, and the next one still
    // untouched: the salvo is still the one planned.
    bool Continues(const PlayerBoardView& view) const;
};

}  // namespace opponent
