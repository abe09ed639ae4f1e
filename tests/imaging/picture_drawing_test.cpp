// tests/imaging/picture_drawing_test.cpp: the pixels a Picture leaves on a target surface, opaque
// and transparent, and when it draws nothing at all.
#include <gtest/gtest.h>

#include <vector>

#include "imaging/picture.h"
#include "platform/drawing/drawing.h"
#include "platform/test/test_host.h"

namespace {

using imaging::Picture;
using platform::Pixel;

constexpr Pixel Sea = 0x204080;
constexpr Pixel White = 0xFFFFFF;

// A target surface of 16 by 16 filled with the sea colour.
class PictureDrawingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::SetHost(&host);
        surface = platform::CreateBitmap(16, 16, 1, 32, nullptr);
        std::fill(surface->pixels.begin(), surface->pixels.end(), Sea);
        target = platform::CreateCompatibleDC(nullptr);
        platform::SelectObject(target, surface);
    }
    void TearDown() override {
        platform::DeleteDC(target);
        platform::DeleteObject(surface);
        platform::SetHost(nullptr);
    }

    // The picture's bitmap from rows of pixels.
    static void Give(Picture& picture, int width, int height, const std::vector<Pixel>& pixels) {
        picture.bitmap = platform::CreateBitmap(width, height, 1, 32, pixels.data());
    }

    int CountOf(Pixel colour) const {
        return static_cast<int>(std::count(surface->pixels.begin(), surface->pixels.end(), colour));
    }

    platform::TestHost host;
    platform::Bitmap* surface = nullptr;
    platform::DeviceContext* target = nullptr;
};

TEST_F(PictureDrawingTest, TransparentDrawLeavesWhiteOutAndKeepsNearWhite) {
    // Red, white, near-white (254, 255, 255), blue: stretched to twice the size.
    Picture picture;
    Give(picture, 2, 2, {0xFF0000, White, 0xFEFFFF, 0x0000FF});
    picture.SetDrawMode(imaging::DrawModeTransparent);
    picture.SetBounds(4, 4, 0, 0);
    picture.SetScale(2.0f);
    picture.Draw(target);  // builds the mask on this draw
    ASSERT_NE(picture.mask, nullptr);
    EXPECT_EQ(picture.mask->width, 4);
    EXPECT_EQ(surface->Row(4)[4], 0xFF0000u);
    EXPECT_EQ(surface->Row(5)[7], Sea);  // the white quarter shows the sea
    EXPECT_EQ(surface->Row(7)[4], 0xFEFFFFu);
    EXPECT_EQ(surface->Row(7)[7], 0x0000FFu);
    EXPECT_EQ(CountOf(Sea), 256 - 12);
    EXPECT_EQ(target->drawn, (platform::Rect{4, 4, 8, 8}));
}

TEST_F(PictureDrawingTest, AllWhiteLeavesTheTargetAndNoWhiteCoversLikeOpaque) {
    Picture blank;
    Give(blank, 3, 3, std::vector<Pixel>(9, White));
    blank.SetDrawMode(imaging::DrawModeTransparent);
    blank.SetBounds(2, 2, 0, 0);
    blank.Draw(target);
    EXPECT_EQ(CountOf(Sea), 256);

    Picture solid;
    Give(solid, 3, 3, std::vector<Pixel>(9, 0x000000));
    solid.SetDrawMode(imaging::DrawModeTransparent);
    solid.scale = 0;
    solid.SetBounds(1, 1, 11, 6);
    solid.Draw(target);
    EXPECT_EQ(CountOf(0x000000), 10 * 5);
    EXPECT_EQ(surface->Row(6)[1], Sea);
}

TEST_F(PictureDrawingTest, OpaqueDrawStretchesOverTheWholeRectangle) {
    Picture picture;
    Give(picture, 2, 1, {White, 0x00FF00});
    picture.scale = 0;
    picture.SetBounds(0, 0, 4, 2);
    picture.Draw(target);
    EXPECT_EQ(surface->Row(1)[1], White);
    EXPECT_EQ(surface->Row(1)[2], 0x00FF00u);
    EXPECT_EQ(CountOf(Sea), 256 - 8);
}

TEST_F(PictureDrawingTest, ShrinkingAveragesTheColoursUnderEachPixel) {
    std::vector<Pixel> pixels(8 * 8, White);
    for (int x = 0; x < 8; ++x) pixels[3 * 8 + x] = 0x000000;  // row 3
    for (int y = 0; y < 8; ++y) pixels[y * 8 + 6] = 0x000000;  // column 6
    Picture picture;
    Give(picture, 8, 8, pixels);
    picture.scale = 0.25f;
    picture.SetBounds(0, 0, 0, 0);
    picture.Draw(target);
    // Each target pixel takes four by four source pixels: 4, 7, 0 and 4 of them black.
    EXPECT_EQ(surface->Row(0)[0], 0xBFBFBFu);
    EXPECT_EQ(surface->Row(0)[1], 0x8F8F8Fu);
    EXPECT_EQ(surface->Row(1)[0], White);
    EXPECT_EQ(surface->Row(1)[1], 0xBFBFBFu);
}

// A ship's edge shrunk: the mask keeps white only where all of it was white, and the drawn
// pixels take the ship's colours alone, with no pale fringe of averaged-in white.
TEST_F(PictureDrawingTest, TransparentShrinkKeepsTheKeyExactAndLeavesNoHalo) {
    constexpr Pixel Hull = 0x506070;
    std::vector<Pixel> pixels(9 * 3, White);
    for (int x = 1; x < 7; ++x) pixels[1 * 9 + x] = Hull;  // a hull across the middle row
    pixels[1 * 9 + 4] = 0x000000;
    Picture picture;
    Give(picture, 9, 3, pixels);
    picture.SetDrawMode(imaging::DrawModeTransparent);
    picture.scale = 0;
    picture.SetBounds(0, 0, 3, 1);
    picture.Draw(target);
    // Columns 0-2, 3-5 and 6-8: hull and white, hull and black, hull and white.
    EXPECT_EQ(surface->Row(0)[0], Hull);
    EXPECT_EQ(surface->Row(0)[1], 0x35404Bu);  // two thirds hull, one third black
    EXPECT_EQ(surface->Row(0)[2], Hull);
    EXPECT_EQ(CountOf(Sea), 256 - 3);

    Picture edge;  // one hull pixel among eight white ones: drawn, and drawn as hull
    std::vector<Pixel> corner(3 * 3, White);
    corner[8] = Hull;
    Give(edge, 3, 3, corner);
    edge.SetDrawMode(imaging::DrawModeTransparent);
    edge.scale = 0;
    edge.SetBounds(5, 5, 7, 6);
    edge.Draw(target);
    EXPECT_EQ(surface->Row(5)[5], Sea);
    EXPECT_EQ(surface->Row(5)[6], Hull);
}

TEST_F(PictureDrawingTest, NothingIsDrawnWhenHiddenOfUnknownModeOrEmpty) {
    struct Case {
        std::uint8_t visible;
        std::uint32_t mode;
        double right, bottom;
    };
    const Case cases[] = {{0, 1, 8, 8}, {2, 1, 8, 8}, {0, 2, 8, 8}, {2, 2, 8, 8}, {1, 0, 8, 8},
                          {1, 3, 8, 8}, {1, 1, 0, 8}, {1, 2, 8, 0}, {1, 2, 0, 0}};
    for (const Case& c : cases) {
        Picture picture;
        Give(picture, 2, 2, std::vector<Pixel>(4, 0x00FF00));
        picture.scale = 0;
        picture.visible = c.visible;
        picture.drawMode = c.mode;
        picture.SetBounds(0, 0, c.right, c.bottom);
        picture.Draw(target);
        EXPECT_EQ(CountOf(Sea), 256) << int(c.visible) << " " << c.mode << " " << c.right;
        EXPECT_TRUE(target->drawn.IsEmpty());
    }
    Picture huge;  // a rectangle no surface could hold draws nothing rather than overflowing
    Give(huge, 2, 2, std::vector<Pixel>(4, 0));
    huge.scale = 0;
    huge.SetDrawMode(imaging::DrawModeTransparent);
    huge.SetBounds(-1e12, -1e12, 1e12, 1e12);
    huge.Draw(target);
    Picture empty;
    empty.Draw(target);
    empty.DrawTransparent(target);
    Picture noTarget;
    Give(noTarget, 1, 1, {0});
    noTarget.Draw(nullptr);
    EXPECT_EQ(CountOf(Sea), 256);
}

TEST_F(PictureDrawingTest, MaskIsBuiltBySetBoundsAndKeptByDraws) {
    Picture picture;
    Give(picture, 2, 2, {White, 0, 0, White});
    picture.SetDrawMode(imaging::DrawModeTransparent);
    EXPECT_EQ(picture.mask, nullptr);  // setting the mode builds nothing
    picture.SetBounds(0, 0, 0, 0);
    platform::Bitmap* built = picture.mask;
    ASSERT_NE(built, nullptr);
    EXPECT_EQ(built->bits, (std::vector<std::uint8_t>{1, 0, 0, 1}));
    EXPECT_EQ(picture.maskedImage->pixels, (std::vector<Pixel>{0, 0, 0, 0}));
    ASSERT_EQ(picture.maskRuns.runs.size(), 2u);  // one drawn pixel in each row
    EXPECT_EQ(picture.maskRuns.runs[0].left, 1);
    EXPECT_EQ(picture.maskRuns.runs[1].left, 0);
    picture.Draw(target);
    EXPECT_EQ(picture.mask, built);
    picture.DeleteMask();
    EXPECT_EQ(picture.mask, nullptr);
    EXPECT_EQ(picture.maskedImage, nullptr);
    EXPECT_TRUE(picture.maskRuns.runs.empty());
}

// A paint clips to its marked pieces, and a picture beside a piece draws nothing there: up to
// the piece's edge nothing, one pixel past it one column.
TEST_F(PictureDrawingTest, ATransparentPictureDrawsWithinThePieceBeingPainted) {
    Picture picture;
    Give(picture, 4, 4, std::vector<Pixel>(16, 0x00FF00));
    picture.SetDrawMode(imaging::DrawModeTransparent);
    target->hasClip = true;
    target->clip = platform::Rect{8, 0, 16, 16};
    picture.SetBounds(4, 2, 0, 0);
    picture.Draw(target);
    EXPECT_EQ(CountOf(0x00FF00), 0);
    EXPECT_TRUE(target->drawn.IsEmpty());
    picture.SetBounds(5, 2, 0, 0);
    picture.Draw(target);
    EXPECT_EQ(CountOf(0x00FF00), 4);
    EXPECT_EQ(surface->Row(2)[8], 0x00FF00u);
}

TEST_F(PictureDrawingTest, DrawingPartlyOffTheTargetKeepsWithinIt) {
    Picture picture;
    Give(picture, 4, 4, std::vector<Pixel>(16, 0x00FF00));
    picture.SetDrawMode(imaging::DrawModeTransparent);
    picture.SetBounds(14, -2, 0, 0);
    picture.Draw(target);
    EXPECT_EQ(CountOf(0x00FF00), 2 * 2);
    picture.SetDrawMode(imaging::DrawModeOpaque);
    picture.SetBounds(-3, 15, 0, 0);
    picture.Draw(target);
    EXPECT_EQ(CountOf(0x00FF00), 4 + 1);
}

}  // namespace
