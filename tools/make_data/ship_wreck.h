// tools/make_data/ship_wreck.h: turns the drawing of a ship afloat into its wreck.
#pragma once

#include <QImage>

namespace make_data {

// `intact` is the ship drawn over a transparent background, `length` by `beam` design units
// spread over the whole image; the result has the same size.
QImage Wreck(const QImage& intact, int shipId, double length, double beam);

}  // namespace make_data
