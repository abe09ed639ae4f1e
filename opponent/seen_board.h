// opponent/seen_board.h: all the computer may know of the player's board: the outcome of each of
// its shots, and, once a ship has sunk, which ship it was and where it lay. Never where an unhit
// ship lies, nor which ship a hit belongs to. Both levels aim from this alone.
#pragma once

#include <array>
#include <cstdint>

#include "rules/game.h"

namespace opponent {

// A view of the game it was made from, which must outlive it; it copies nothing, so a shot's
// choice costs no more than reading the cells it reads.
class SeenBoard {
  public:
    explicit SeenBoard(const rules::Game& game);

    // The code of cell (x, y) as the computer knows it: Water where nothing is known, AimedStage
    // where a shot of this salvo waits, Miss, HitStage + 1 for every hit on a ship afloat, and
    // SunkStage + shipId for a sunk ship.
    std::int32_t At(int x, int y) const {
        const std::int32_t code = (*board_)[x][y];
        if (rules::IsUntouched(code)) return rules::Water;
        if (code < rules::Miss) return rules::AimedStage;
        if (rules::IsHitShipAfloat(code)) return rules::HitStage + 1;
        return code;
    }

    // The player's ships, by shipId - 1.
    const std::array<std::int32_t, rules::ShipsPerSide>& Lengths() const { return lengths_; }
    // The computer's own ships afloat.
    int ComputerShipsAfloat() const { return computerShipsAfloat_; }

  private:
    const rules::Board* board_;
    std::array<std::int32_t, rules::ShipsPerSide> lengths_{};
    int computerShipsAfloat_ = 0;
};

}  // namespace opponent
