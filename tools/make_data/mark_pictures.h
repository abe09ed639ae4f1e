// tools/make_data/mark_pictures.h: the three board marks of a picture set, each one cell large:
// the aim crosshair, the splash of a miss and the fire of a hit.
#pragma once

#include <QImage>

#include "tools/make_data/ship_pictures.h"

namespace make_data {

QImage TargetPicture(CellSize cell);
QImage MissPicture(CellSize cell);
QImage HitPicture(CellSize cell);

}  // namespace make_data
