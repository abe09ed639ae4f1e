// opponent/targeting.h: how the computer aims its shots at the player's board: hunt at random
// until a ship is hit, then follow the line of hits or probe around the hit.
#pragma once

#include <array>
#include <cstdint>

namespace opponent {

// The targeting memory, kept for the program's whole run (a new game does not reset it). Written
// by ChooseEnemyShot alone.
struct TargetingMemory {
    // The hit cell chosen by the latest ChooseEnemyShot (0, 0 when there was none).
    std::int32_t focusX = 0;
    std::int32_t focusY = 0;
    // Counts the computer's shots, wrapping to 0 once it exceeds the enemy ships afloat; at 2 or
    // more a blocked line gets a random shot instead of a probe.
    std::int32_t aiShotCounter = 0;
};

extern TargetingMemory Memory;

// Aims the shot of the current salvo slot (fleet::GameState.salvoSlot) at the player's board
// and marks the cell aimed. Called by the salvo loop for each afloat enemy ship's slot. Leaves the
// slot empty only when no cell of the player's board is left untouched. At the Expert level
// (GameLevel) the choice is ChooseExpertShot's, and the memory above is left as it was.
void ChooseEnemyShot();

// The codes of the player's board around (x, y): left, up, right, down; OffBoard beyond an edge.
std::array<std::int32_t, 4> ReadNeighbours(int x, int y);

}  // namespace opponent
