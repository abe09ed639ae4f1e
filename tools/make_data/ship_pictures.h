// tools/make_data/ship_pictures.h: the five warships seen from above, afloat and wrecked, drawn
// at a picture set's cell size: aircraft carrier, battleship, cruiser, submarine, patrol boat.
#pragma once

#include <QImage>

namespace make_data {

struct CellSize {
    int width = 0;
    int height = 0;
};

// Ships 1 to 5 are 5, 4, 3, 3 and 2 cells long.
int ShipLength(int shipId);

// A horizontal ship is length cells wide and one high, bow to the right; a vertical one is one
// cell wide and length cells high, bow up. Everything around the ship is pure white.
QImage ShipPicture(int shipId, bool sunk, bool vertical, CellSize cell);

}  // namespace make_data
