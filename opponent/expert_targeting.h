// opponent/expert_targeting.h: the Expert opponent's aim. It weighs every layout of the player's
// ships still afloat that fits what the computer has seen, and fires where ships most likely lie.
#pragma once

#include <array>
#include <cstdint>

#include "fleet/game_state.h"

namespace opponent {

// What the computer knows of one cell of the player's board.
enum class Seen : std::uint8_t { Unknown, Aimed, Miss, Hit, Sunk };

// All the computer may know of the player's board: the outcome of each shot, and, once a ship
// has sunk, which ship it was and where it lay. Never where an unhit ship lies, nor which ship
// a hit belongs to.
struct PlayerBoardView {
    std::array<std::array<Seen, fleet::BoardSize>, fleet::BoardSize> cells{};  // [x][y]
    std::array<std::int32_t, fleet::ShipsPerSide> lengths{};                   // by shipId - 1
    std::array<bool, fleet::ShipsPerSide> afloat{};                            // by shipId - 1
};

PlayerBoardView ViewPlayerBoard();

// The next cell of the salvo being aimed. It weighs the cells already Aimed in it as either hit or
// miss, and prefers a cell that tells apart what they leave alike, so the salvo spreads over the
// likely places instead of piling onto one. Draws from the game's generator (a seed for its
// samples, then the choice among equally scored cells), so a seeded game replays. False only when
// no Unknown cell is left.
bool ChooseExpertCell(const PlayerBoardView& view, int* x, int* y);

// The Expert level of ChooseEnemyShot: aims the current salvo slot, or leaves it empty when no
// cell of the player's board is left untouched.
void ChooseExpertShot();

}  // namespace opponent
