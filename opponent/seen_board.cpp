// opponent/seen_board.cpp: the player's board with what the computer cannot know taken out.
#include "opponent/seen_board.h"

namespace opponent {

SeenBoard SeeBoard(const rules::Game& game) {
    SeenBoard seen;
    const rules::Board& board = game.boards[rules::Player];
    for (int x = 0; x < rules::BoardSize; ++x) {
        for (int y = 0; y < rules::BoardSize; ++y) {
            const std::int32_t code = board[x][y];
            std::int32_t& cell = seen.cells[x][y];
            if (rules::IsUntouched(code)) {
                cell = rules::Water;
            } else if (code < rules::Miss) {
                cell = rules::AimedStage;
            } else if (code == rules::Miss || rules::IsHitShipAfloat(code)) {
                cell = code == rules::Miss ? rules::Miss : rules::HitStage + 1;
            } else {
                cell = code;  // a sunk ship's cell names the ship
            }
        }
    }
    for (int k = 0; k < rules::ShipsPerSide; ++k) {
        seen.lengths[k] = game.fleets[rules::Player][k].length;
    }
    seen.computerShipsAfloat = rules::ShipsAfloat(game, rules::Enemy);
    return seen;
}

}  // namespace opponent
