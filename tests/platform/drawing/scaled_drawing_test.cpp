// tests/platform/drawing/scaled_drawing_test.cpp: drawing on bitmaps of a scaled screen: logical
// rectangles land on device pixels edge to edge, pictures of the target's scale copy pixel for
// pixel, and text is drawn at the device size of its font.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/drawing/drawing.h"
#include "platform/qt/qt_text.h"
#include "platform/text_service.h"

namespace {

using namespace platform;

// A memory context holding a colour bitmap of the given logical size at a scale.
struct Scaled {
    Scaled(int width, int height, double scale, Pixel fill = 0) {
        DeviceContext* like = CreateCompatibleDC(nullptr);
        Bitmap probe{1, 1, 32, {0}, {}, scale};
        SelectObject(like, &probe);
        bitmap = CreateCompatibleBitmap(like, width, height);
        DeleteDC(like);
        std::fill(bitmap->pixels.begin(), bitmap->pixels.end(), fill);
        dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, bitmap);
    }
    ~Scaled() {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    Bitmap* bitmap = nullptr;
    DeviceContext* dc = nullptr;
};

constexpr double Scales[] = {1.25, 1.5, 1.75, 2.0};

// Scale 2 takes a path of its own in integers: it must give the edges and lengths the rounding
// rule gives, out to the clamp far beyond any surface.
TEST(ScaledDrawingTest, DoubleScaleEdgesAndLengthsFollowTheRoundingRule) {
    const auto rounded = [](int logical) {
        const double device = std::floor(logical * 2.0 + 0.5);
        return static_cast<int>(std::clamp(device, -1073741824.0, 1073741824.0));
    };
    for (int v : {0, 1, -1, 7, -7, 513, -513, (1 << 29) - 1, 1 << 29, (1 << 29) + 1, -(1 << 29),
                  -(1 << 29) - 1, 1 << 30, -(1 << 30), 0x7FFFFFFF, -0x7FFFFFFF - 1}) {
        SCOPED_TRACE(v);
        EXPECT_EQ(DeviceEdge(v, 2.0), rounded(v));
    }
    for (int device : {0, 1, 2, 3, 4, 1459, 2048, 0x7FFFFFFF}) {
        SCOPED_TRACE(device);
        const Bitmap b{device, 1, 32, {}, {}, 2.0};
        EXPECT_EQ(b.LogicalWidth(), static_cast<int>(std::floor(device / 2.0 + 0.5)));
    }
}

TEST(ScaledDrawingTest, LogicalRectanglesMeetEdgeToEdgeInDevicePixels) {
    for (double scale : Scales) {
        SCOPED_TRACE(scale);
        Scaled s(21, 3, scale);
        EXPECT_EQ(s.bitmap->width, DeviceEdge(21, scale));
        EXPECT_EQ(GetObject(s.bitmap).width, 21);  // the game sees logical sizes
        // Cells of 7 logical pixels, each its own colour: no device pixel is left or shared.
        for (int cell = 0; cell < 3; ++cell)
            FillRect(s.dc, Rect{cell * 7, 0, cell * 7 + 7, 3}, Rgb(0, 0, cell + 1));
        std::vector<int> counts(4, 0);
        for (Pixel p : s.bitmap->pixels) ++counts[p & 0xFF];
        EXPECT_EQ(counts[0], 0);
        for (int cell = 0; cell < 3; ++cell) {
            const int width = DeviceEdge(cell * 7 + 7, scale) - DeviceEdge(cell * 7, scale);
            EXPECT_EQ(counts[cell + 1], width * s.bitmap->height);
        }
        EXPECT_EQ(s.dc->drawn, (Rect{0, 0, 21, 3}));  // reported in logical pixels
    }
}

TEST(ScaledDrawingTest, APictureOfTheTargetsScaleIsCopiedPixelForPixel) {
    for (double scale : Scales) {
        SCOPED_TRACE(scale);
        Scaled picture(8, 6, scale);
        for (std::size_t i = 0; i < picture.bitmap->pixels.size(); ++i)
            picture.bitmap->pixels[i] = static_cast<Pixel>(i + 1);
        Scaled target(20, 20, scale);
        // A corner whose device position is whole at every scale here.
        ASSERT_TRUE(BitBlt(target.dc, 4, 4, 8, 6, picture.dc, 0, 0, SRCCOPY));
        const int at = DeviceEdge(4, scale);
        for (int y = 0; y < picture.bitmap->height; ++y)
            for (int x = 0; x < picture.bitmap->width; ++x)
                ASSERT_EQ(target.bitmap->Row(at + y)[at + x], picture.bitmap->Row(y)[x]);
    }
}

TEST(ScaledDrawingTest, AOneToOnePictureOnADoubleSurfaceIsEnlargedAndAMaskedOneKeepsItsPixels) {
    Scaled target(4, 4, 2.0);
    Bitmap* small = CreateBitmap(2, 2, 1, 32, nullptr);
    small->pixels = {1, 2, 3, 4};
    DeviceContext* source = CreateCompatibleDC(nullptr);
    SelectObject(source, small);
    ASSERT_TRUE(BitBlt(target.dc, 1, 1, 2, 2, source, 0, 0, SRCCOPY));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(target.bitmap->Row(2 + y)[2 + x], static_cast<Pixel>(1 + y / 2 * 2 + x / 2));
    DeleteDC(source);
    DeleteObject(small);

    // A masked picture is in the target's own pixels: placed by its logical corner, not enlarged.
    Bitmap image{2, 1, 32, {0x111111, 0x222222}, {}, 2.0};
    Bitmap mask{2, 1, 1, {}, {0, 1}, 2.0};
    ASSERT_TRUE(BitBltMasked(target.dc, 3, 0, image, mask));
    EXPECT_EQ(target.bitmap->Row(0)[6], 0x111111u);
    EXPECT_EQ(target.bitmap->Row(0)[7], 0u);  // the mask keeps the target
}

// The share of the 2 by 2 blocks an edge of the text passes through that hold more than one
// value: none for text drawn at one pixel and doubled.
double DetailedBlocks(const Bitmap& bitmap) {
    int edged = 0;
    int detailed = 0;
    for (int y = 0; y + 1 < bitmap.height; y += 2) {
        for (int x = 0; x + 1 < bitmap.width; x += 2) {
            const Pixel a = bitmap.Row(y)[x], b = bitmap.Row(y)[x + 1];
            const Pixel c = bitmap.Row(y + 1)[x], d = bitmap.Row(y + 1)[x + 1];
            const bool blank = a == 0xFFFFFF && b == a && c == a && d == a;
            const bool solid = a == b && a == c && a == d;
            if (blank) continue;
            ++edged;
            if (!solid) ++detailed;
        }
    }
    return edged == 0 ? 0 : static_cast<double>(detailed) / edged;
}

TEST(ScaledDrawingTest, TextOnADoubleSurfaceIsDrawnAtTheDeviceSizeOfItsFont) {
    QtText text;
    SetTextService(&text);
    Scaled target(120, 40, 2.0, 0xFFFFFF);
    LogFont description;
    description.height = -16;
    description.weight = FW_BOLD;
    description.faceName = "Arial";
    Font* font = CreateFontIndirect(description);
    SelectObject(target.dc, font);
    SetBkMode(target.dc, TRANSPARENT);
    SetTextColor(target.dc, Rgb(85, 85, 0));
    Point size;
    ASSERT_TRUE(GetTextExtentPoint32(target.dc, "Hit!!!", &size));
    ASSERT_TRUE(TextOut(target.dc, 5, 5, "Hit!!!"));
    // Measured and reported in logical pixels; the ink fills the device cell.
    EXPECT_GE(target.dc->drawn.left, 4);
    EXPECT_LE(target.dc->drawn.right, 5 + size.x + 2);
    int right = 0;
    for (int y = 0; y < target.bitmap->height; ++y)
        for (int x = 0; x < target.bitmap->width; ++x)
            if (target.bitmap->Row(y)[x] != 0xFFFFFF) right = std::max(right, x);
    EXPECT_GT(right, 2 * (5 + size.x) - 8);
    EXPECT_GT(DetailedBlocks(*target.bitmap), 0.25);
    SelectObject(target.dc, GetStockObject(StockObject::SystemFont));
    DeleteObject(font);
    SetTextService(nullptr);
}

}  // namespace
