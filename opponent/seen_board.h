// opponent/seen_board.h: all the computer may know of the player's board: the outcome of each of
// its shots, and, once a ship has sunk, which ship it was and where it lay. Never where an unhit
// ship lies, nor which ship a hit belongs to. Both levels aim from this alone.
#pragma once

#include <array>
#include <cstdint>

#include "rules/game.h"

namespace opponent {

struct SeenBoard {
    // Indexed [x][y]. Water where nothing is known, AimedStage where a shot of this salvo waits,
    // Miss, HitStage + 1 for every hit on a ship afloat, SunkStage + shipId for a sunk ship.
    rules::Board cells{};
    std::array<std::int32_t, rules::ShipsPerSide> lengths{};  // the player's ships, by shipId - 1
    int computerShipsAfloat = 0;                              // the computer's own fleet
};

// What the computer has seen of the player's board in this game.
SeenBoard SeeBoard(const rules::Game& game);

}  // namespace opponent
