// opponent/targeting.h: how the computer aims its shots at the player's board: hunt at random
// until a ship is hit, then follow the line of hits or probe around the hit.
#pragma once

#include <array>
#include <cstdint>

namespace opponent {

// The targeting memory, kept for the program's whole run (a new game does not reset it).
// focusX, focusY: the hit cell chosen by the latest ChooseEnemyShot (0, 0 when there was none).
extern std::int32_t focusX;
extern std::int32_t focusY;
// Counts the computer's shots, wrapping to 0 once it exceeds the enemy ships afloat; at 2 or more
// a blocked line gets a random shot instead of a probe.
extern std::int32_t aiShotCounter;

// Aims the shot of the current salvo slot (battle::GameState.salvoSlot) at the player's board
// and marks the cell aimed. Called by the salvo loop for each afloat enemy ship's slot. Leaves the
// slot empty only when no cell of the player's board is left untouched. At the Expert level
// (GameLevel) the choice is ChooseExpertShot's, and the memory above is left as it was.
void ChooseEnemyShot();

// The codes of the player's board around (x, y): left, up, right, down; OffBoard beyond an edge.
std::array<std::int32_t, 4> ReadNeighbours(int x, int y);

// Marks (x, y) of the player's board aimed and stores the shot in the current salvo slot.
void QueueEnemyShot(int x, int y);

// Each returns true when it has queued a shot.
// A random untouched cell; false (nothing queued, nothing drawn) when none is left.
bool FireAtRandom();
// A random untouched neighbour of (x, y).
bool ProbeAround(int x, int y);
// The first untouched cell past the run of hit or sunk cells through (x, y), along the row
// (X) or the column (Y), trying a random end first.
bool ExtendAlongX(int x, int y);
bool ExtendAlongY(int x, int y);

}  // namespace opponent
