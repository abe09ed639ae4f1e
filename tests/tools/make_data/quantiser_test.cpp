// tests/tools/make_data/quantiser_test.cpp: the colour reduction behind the 8-bit built-in pictures
// always gives a table of the exact size asked for, and keeps colours the picture uses exactly.
#include "tools/make_data/quantiser.h"

#include <gtest/gtest.h>

#include <QImage>
#include <set>

#include "tools/make_data/bmp_writer.h"

namespace {

TEST(QuantiserTest, FewColoursKeepTheirValuesAndTheTableIsPaddedToItsSize) {
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(qRgb(10, 120, 200));
    image.setPixel(3, 1, qRgb(250, 40, 0));
    for (int colours : {121, 256}) {
        SCOPED_TRACE(colours);
        const make_data::IndexedImage reduced = make_data::Quantise(image, colours);
        ASSERT_EQ(reduced.palette.size(), static_cast<std::size_t>(colours));
        EXPECT_EQ(std::set<QRgb>(reduced.palette.begin(), reduced.palette.end()).size(),
                  static_cast<std::size_t>(colours));
        const QImage back = make_data::ExpandIndexed(reduced);
        EXPECT_EQ(back.pixel(3, 1) & 0xFFFFFF, qRgb(250, 40, 0) & 0xFFFFFF);
        EXPECT_EQ(back.pixel(0, 0) & 0xFFFFFF, qRgb(10, 120, 200) & 0xFFFFFF);
    }
}

TEST(QuantiserTest, ManyColoursStayCloseOnAverage) {
    QImage image(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) image.setPixel(x, y, qRgb(x * 4, y * 4, (x + y) * 2));
    }
    const make_data::IndexedImage reduced = make_data::Quantise(image, 121);
    ASSERT_EQ(reduced.palette.size(), 121u);
    const QImage back = make_data::ExpandIndexed(reduced);
    double error = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const QRgb a = image.pixel(x, y);
            const QRgb b = back.pixel(x, y);
            error += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                     std::abs(qBlue(a) - qBlue(b));
        }
    }
    EXPECT_LT(error / (64.0 * 64.0 * 3.0), 12.0);
}

}  // namespace
