// tests/tools/make_data/icon_file_test.cpp: the Windows icon file's directory, as a resource
// compiler and the system's loader read it.
#include "tools/make_data/icon_file.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

std::uint32_t Little(const std::vector<std::uint8_t>& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

TEST(IconFile, DirectoryPointsAtEachPictureInTurn) {
    const std::vector<make_data::IconImage> images = {
        {16, {1, 2, 3}}, {48, {4, 5}}, {256, {6, 7, 8, 9}}};
    const std::vector<std::uint8_t> file = make_data::IconFile(images);
    ASSERT_EQ(file.size(), 6u + 3 * 16 + 9);
    EXPECT_EQ(Little(file, 2, 2), 1u);  // an icon
    EXPECT_EQ(Little(file, 4, 2), 3u);
    std::uint32_t expectedOffset = 6 + 3 * 16;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const std::size_t entry = 6 + 16 * i;
        const std::uint32_t side = images[i].size == 256 ? 0 : images[i].size;
        EXPECT_EQ(file[entry], side) << "width of picture " << i;
        EXPECT_EQ(file[entry + 1], side) << "height of picture " << i;
        EXPECT_EQ(Little(file, entry + 6, 2), 32u);
        const std::uint32_t size = Little(file, entry + 8, 4);
        const std::uint32_t offset = Little(file, entry + 12, 4);
        EXPECT_EQ(size, images[i].png.size());
        EXPECT_EQ(offset, expectedOffset);
        EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + offset, file.begin() + offset + size),
                  images[i].png);
        expectedOffset += size;
    }
}

TEST(IconFile, RefusesWhatNoIconHolds) {
    EXPECT_THROW(make_data::IconFile({}), std::invalid_argument);
    EXPECT_THROW(make_data::IconFile({{257, {1}}}), std::invalid_argument);
    EXPECT_THROW(make_data::IconFile({{0, {1}}}), std::invalid_argument);
}

}  // namespace
