// opponent/board_view.h: the player's board as the Expert reads it, one plain value that a salvo's
// plan is made from alone, so the same view always leads to the same salvo.
#pragma once

#include <array>
#include <cstdint>

#include "opponent/seen_board.h"
#include "rules/game.h"

namespace opponent {

// What the computer knows of one cell of the player's board.
enum class Seen : std::uint8_t { Unknown, Aimed, Miss, Hit, Sunk };

// All the computer may know of the player's board: the outcome of each shot, and, once a ship
// has sunk, which ship it was and where it lay. Never where an unhit ship lies, nor which ship
// a hit belongs to.
struct PlayerBoardView {
    std::array<std::array<Seen, rules::BoardSize>, rules::BoardSize> cells{};  // [x][y]
    std::array<std::int32_t, rules::ShipsPerSide> lengths{};                   // by shipId - 1
    std::array<bool, rules::ShipsPerSide> afloat{};                            // by shipId - 1
    // The shipId of each cell of a sunk ship, 0 elsewhere: where the ships it sank lay.
    std::array<std::array<std::int8_t, rules::BoardSize>, rules::BoardSize> sunkIds{};  // [x][y]
};

PlayerBoardView ViewPlayerBoard(const SeenBoard& seen);

}  // namespace opponent
