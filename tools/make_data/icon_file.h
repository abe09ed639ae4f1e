// tools/make_data/icon_file.h: the Windows icon file (.ico) of the program, its pictures held as
// PNG images, as Windows takes them from Vista on; a resource compiler puts it into the .exe.
#pragma once

#include <cstdint>
#include <vector>

namespace make_data {

struct IconImage {
    int size;                       // width and height, 1 to 256
    std::vector<std::uint8_t> png;  // the picture as a PNG file
};

// The .ico file holding the images in the order given. Throws std::invalid_argument for no image,
// a size outside 1 to 256, or more than 255 images.
std::vector<std::uint8_t> IconFile(const std::vector<IconImage>& images);

}  // namespace make_data
