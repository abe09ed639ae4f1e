// tools/make_data/sea_pictures.h: the pictures behind the play: the sea under the whole window
// and the two boards, the player's home waters and the enemy's waters.
#pragma once

#include <QImage>

namespace make_data {

constexpr int BoardWidth = 480;   // 12 cells of 40
constexpr int BoardHeight = 504;  // 12 cells of 42

// Each drawn at `factor` times its size (1 or 2), for screens of more pixels than the largest.
QImage SeaBackPicture(int factor = 1);     // 1024 by 768
QImage HomeBoardPicture(int factor = 1);   // Grid1: green-blue water, the player's
QImage EnemyBoardPicture(int factor = 1);  // Grid2: dark red-tinted water, the enemy's

}  // namespace make_data
