// tools/make_data/bmp_writer.h: our own Windows bitmap writer: 24-bit pictures and 8-bit pictures
// with a colour table of an exact size, both bottom-up with the pixel rows straight after the
// headers, as the game's reader expects.
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

namespace make_data {

// An 8-bit picture: one palette index per pixel, rows top to bottom.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;
    std::vector<QRgb> palette;  // every entry is written, so its size is the colour count
};

std::vector<std::uint8_t> EncodeBmp24(const QImage& image);
std::vector<std::uint8_t> EncodeBmp8(const IndexedImage& image);

// A QImage of an 8-bit picture, for looking at it (contact sheet, tests of the quantiser).
QImage ExpandIndexed(const IndexedImage& image);

}  // namespace make_data
