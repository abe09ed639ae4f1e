// opponent/seen_board.cpp: the player's board with what the computer cannot know taken out.
#include "opponent/seen_board.h"

namespace opponent {

SeenBoard::SeenBoard(const rules::Game& game)
    : board_(&game.boards[rules::Player]),
      computerShipsAfloat_(rules::ShipsAfloat(game, rules::Enemy)) {
    for (int k = 0; k < rules::ShipsPerSide; ++k) {
        lengths_[k] = game.fleets[rules::Player][k].length;
    }
}

}  // namespace opponent
