// tools/make_data/icon_file.cpp: an ICONDIR header, one 16-byte entry per image, then the images.
#include "tools/make_data/icon_file.h"

#include <stdexcept>

namespace make_data {

namespace {

void PutLittle(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> IconFile(const std::vector<IconImage>& images) {
    if (images.empty() || images.size() > 255) {
        throw std::invalid_argument("an icon file holds 1 to 255 pictures");
    }
    std::vector<std::uint8_t> out;
    PutLittle(out, 0, 2);  // reserved
    PutLittle(out, 1, 2);  // an icon, not a cursor
    PutLittle(out, static_cast<std::uint32_t>(images.size()), 2);
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (const IconImage& image : images) {
        if (image.size < 1 || image.size > 256) {
            throw std::invalid_argument("an icon picture is 1 to 256 pixels wide");
        }
        // 256 is written as 0: the field is one byte.
        const auto side = static_cast<std::uint32_t>(image.size == 256 ? 0 : image.size);
        PutLittle(out, side, 1);  // width
        PutLittle(out, side, 1);  // height
        PutLittle(out, 0, 1);     // no palette
        PutLittle(out, 0, 1);     // reserved
        PutLittle(out, 1, 2);     // colour planes
        PutLittle(out, 32, 2);    // bits per pixel
        PutLittle(out, static_cast<std::uint32_t>(image.png.size()), 4);
        PutLittle(out, offset, 4);
        offset += static_cast<std::uint32_t>(image.png.size());
    }
    for (const IconImage& image : images) out.insert(out.end(), image.png.begin(), image.png.end());
    return out;
}

}  // namespace make_data
