// tools/make_data/quantiser.h: turns a drawn picture into an 8-bit one with a colour table of an
// exact size: median cut for the table, Floyd-Steinberg error diffusion for the pixels.
#pragma once

#include <QImage>

#include "tools/make_data/bmp_writer.h"

namespace make_data {

// The table always has exactly `colours` entries, all different, even when the picture uses
// fewer colours (the rest are unused greys). Deterministic: equal input gives equal output.
IndexedImage Quantise(const QImage& image, int colours);

}  // namespace make_data
