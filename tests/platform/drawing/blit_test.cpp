// tests/platform/drawing/blit_test.cpp: the raster operations and colour/monochrome conversions
// of BitBlt and StretchBlt, stretching and shrinking, clipping, and the contexts' bookkeeping.
#include <gtest/gtest.h>

#include <vector>

#include "platform/drawing/drawing.h"
#include "platform/repaint.h"

namespace {

using namespace platform;

// A memory context with its own bitmap selected, deleted with it.
struct Surface {
    Surface(int width, int height, bool monochrome, std::uint32_t fill = 0) {
        bitmap = CreateBitmap(width, height, 1, monochrome ? 1 : 32, nullptr);
        if (monochrome) {
            std::fill(bitmap->bits.begin(), bitmap->bits.end(), static_cast<std::uint8_t>(fill));
        } else {
            std::fill(bitmap->pixels.begin(), bitmap->pixels.end(), fill);
        }
        dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, bitmap);
    }
    ~Surface() {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    std::uint32_t At(int x, int y) const {
        const std::size_t i = static_cast<std::size_t>(y) * bitmap->width + x;
        return bitmap->IsMonochrome() ? bitmap->bits[i] : bitmap->pixels[i];
    }
    void Set(int x, int y, std::uint32_t v) {
        const std::size_t i = static_cast<std::size_t>(y) * bitmap->width + x;
        if (bitmap->IsMonochrome()) {
            bitmap->bits[i] = static_cast<std::uint8_t>(v);
        } else {
            bitmap->pixels[i] = v;
        }
    }
    Bitmap* bitmap = nullptr;
    DeviceContext* dc = nullptr;
};

TEST(BlitTest, RasterOperationsActOnTheConvertedSource) {
    struct Case {
        const char* name;
        bool srcMono, dstMono;
        std::uint32_t src, dst;
        RasterOp op;
        std::uint32_t expected;
    };
    // Contexts below: the colour source's background is 0x123456 (as a pixel), the colour
    // destination's background 0xAABBCC and text colour 0x010203.
    const Case cases[] = {
        {"copy", false, false, 0x0F0F0F, 0xFFFFFF, SRCCOPY, 0x0F0F0F},
        {"and", false, false, 0x0F00FF, 0x3C3C3C, SRCAND, 0x0C003C},
        {"xor", false, false, 0x0F00FF, 0x3C3C3C, SRCINVERT, 0x333CC3},
        {"not", false, false, 0x0F00FF, 0x3C3C3C, NOTSRCCOPY, 0xF0FF00},
        {"colour equal to background to 1", false, true, 0x123456, 0, SRCCOPY, 1},
        {"other colour to 0", false, true, 0x123457, 1, SRCCOPY, 0},
        {"colour to mono, not", false, true, 0x123456, 0, NOTSRCCOPY, 0},
        {"1 to background", true, false, 1, 0, SRCCOPY, 0xAABBCC},
        {"0 to text colour", true, false, 0, 0, SRCCOPY, 0x010203},
        {"1 and keeps", true, false, 1, 0xFFFFFF, SRCAND, 0xAABBCC},
        {"0 not gives inverse text", true, false, 0, 0, NOTSRCCOPY, 0xFEFDFC},
        {"mono xor", true, true, 1, 1, SRCINVERT, 0},
        {"mono not", true, true, 1, 1, NOTSRCCOPY, 0},
    };
    for (const Case& c : cases) {
        Surface src(1, 1, c.srcMono, c.src);
        Surface dst(1, 1, c.dstMono, c.dst);
        SetBkColor(src.dc, Rgb(0x12, 0x34, 0x56));
        SetBkColor(dst.dc, Rgb(0xAA, 0xBB, 0xCC));
        SetTextColor(dst.dc, Rgb(0x01, 0x02, 0x03));
        EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, c.op)) << c.name;
        EXPECT_EQ(dst.At(0, 0), c.expected) << c.name;
    }
}

TEST(BlitTest, ClipsToTargetClipAndSource) {
    Surface src(4, 4, false, 0x00FF00);
    Surface dst(8, 8, false, 0);
    // Partly off the target's left edge and partly beyond the source's right edge.
    EXPECT_TRUE(BitBlt(dst.dc, -2, 0, 6, 1, src.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(dst.At(0, 0), 0x00FF00u);
    EXPECT_EQ(dst.At(1, 0), 0x00FF00u);
    EXPECT_EQ(dst.At(2, 0), 0u);  // its source lies beyond the bitmap
    EXPECT_EQ(dst.dc->drawn, (Rect{0, 0, 4, 1}));

    dst.dc->hasClip = true;
    dst.dc->clip = Rect{5, 5, 6, 7};
    EXPECT_TRUE(StretchBlt(dst.dc, 0, 0, 8, 8, src.dc, 0, 0, 4, 4, SRCCOPY));
    int green = 0;
    for (std::uint32_t p : dst.bitmap->pixels) green += p == 0x00FF00;
    EXPECT_EQ(green, 2 + 2);
    EXPECT_FALSE(BitBlt(dst.dc, 0, 0, 0, 4, src.dc, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(nullptr, 0, 0, 1, 1, src.dc, 0, 0, SRCCOPY));
}

// The one-pass masked draw leaves what ANDing the mask in and XORing the masked image over it
// leaves, on colour and monochrome targets, partly off the target's edge and within a clip; and
// so does the draw by the mask's runs (a row all holes, runs at both edges), while runs found
// for another mask are not trusted.
TEST(BlitTest, AMaskedDrawEqualsTheMaskAndedInAndTheImageXoredOver) {
    Surface image(5, 3, false);
    Surface mask(5, 3, true);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const bool hole = y == 1 || (x + y) % 3 == 0;
            mask.Set(x, y, hole ? 1 : 0);
            image.Set(x, y, hole ? 0 : (x == 2 ? 0xFFFFFF : 0x102030u * (x + 1) + y));
        }
    }
    for (bool monochrome : {false, true}) {
        for (const Point at : {Point{1, 1}, Point{-2, 4}, Point{3, -1}}) {
            SCOPED_TRACE(testing::Message() << (monochrome ? "monochrome" : "colour") << " at "
                                            << at.x << "," << at.y);
            Surface expected(6, 6, monochrome);
            Surface drawn(6, 6, monochrome);
            Surface byRuns(6, 6, monochrome);
            Surface byOtherRuns(6, 6, monochrome);
            for (Surface* s : {&expected, &drawn, &byRuns, &byOtherRuns}) {
                for (int i = 0; i < 36; ++i)
                    s->Set(i % 6, i / 6, monochrome ? i % 2 : 0xA0B0C0u + i);
                s->dc->hasClip = true;
                s->dc->clip = Rect{0, 1, 5, 6};
            }
            BitBlt(expected.dc, at.x, at.y, 5, 3, mask.dc, 0, 0, SRCAND);
            BitBlt(expected.dc, at.x, at.y, 5, 3, image.dc, 0, 0, SRCINVERT);
            EXPECT_TRUE(BitBltMasked(drawn.dc, at.x, at.y, *image.bitmap, *mask.bitmap));
            const MaskRuns runs = FindMaskRuns(*mask.bitmap);
            EXPECT_TRUE(BitBltMasked(byRuns.dc, at.x, at.y, *image.bitmap, *mask.bitmap, &runs));
            Surface other(5, 2, true);
            const MaskRuns otherRuns = FindMaskRuns(*other.bitmap);  // all drawn, two rows
            EXPECT_TRUE(
                BitBltMasked(byOtherRuns.dc, at.x, at.y, *image.bitmap, *mask.bitmap, &otherRuns));
            for (const Surface* s : {&drawn, &byRuns, &byOtherRuns}) {
                EXPECT_EQ(s->bitmap->pixels, expected.bitmap->pixels);
                EXPECT_EQ(s->bitmap->bits, expected.bitmap->bits);
                EXPECT_EQ(s->dc->drawn, expected.dc->drawn);
            }
        }
    }
    EXPECT_FALSE(BitBltMasked(image.dc, 0, 0, *mask.bitmap, *mask.bitmap));  // a mask as image
}

TEST(BlitTest, StretchGrowsByNearestPixelAndShrinksByStretchMode) {
    Surface src(2, 1, false);
    src.Set(0, 0, 0xFF0000);
    src.Set(1, 0, 0x00FF00);
    Surface grown(6, 1, false);
    StretchBlt(grown.dc, 0, 0, 6, 1, src.dc, 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(grown.bitmap->pixels,
              (std::vector<Pixel>{0xFF0000, 0xFF0000, 0xFF0000, 0x00FF00, 0x00FF00, 0x00FF00}));

    Surface line(3, 1, false, 0xFFFFFF);
    line.Set(1, 0, 0x808080);
    struct Case {
        int mode;
        Pixel expected;
    };
    const Case cases[] = {{BLACKONWHITE, 0x808080},
                          {WHITEONBLACK, 0xFFFFFF},
                          {COLORONCOLOR, 0},
                          {HALFTONE, 0xD5D5D5}};
    for (const Case& c : cases) {
        Surface shrunk(1, 1, false);
        SetStretchBltMode(shrunk.dc, c.mode);
        StretchBlt(shrunk.dc, 0, 0, 1, 1, line.dc, 0, 0, 3, 1, SRCCOPY);
        // Without combining, the one pixel kept is the middle one.
        EXPECT_EQ(shrunk.At(0, 0), c.mode == COLORONCOLOR ? 0x808080u : c.expected) << c.mode;
    }
}

// Two target pixels over three source pixels each take one and a half of them; a monochrome
// target keeps combining by AND, and a key colour is left out of the averages.
TEST(BlitTest, HalftoneWeighsTheAreaEachSourcePixelCovers) {
    Surface src(3, 1, false);
    src.Set(0, 0, 0x000000);
    src.Set(1, 0, 0x5A5A5A);  // 90
    src.Set(2, 0, 0xFFFFFF);
    Surface colour(2, 1, false);
    SetStretchBltMode(colour.dc, HALFTONE);
    StretchBlt(colour.dc, 0, 0, 2, 1, src.dc, 0, 0, 3, 1, SRCCOPY);
    EXPECT_EQ(colour.At(0, 0), 0x1E1E1Eu);  // (0 + 90 / 2) / 1.5 = 30
    EXPECT_EQ(colour.At(1, 0), 0xC8C8C8u);  // (90 / 2 + 255) / 1.5 = 200

    Surface mono(1, 1, true);
    SetStretchBltMode(mono.dc, HALFTONE);
    SetBkColor(src.dc, Rgb(255, 255, 255));
    StretchBlt(mono.dc, 0, 0, 1, 1, src.dc, 0, 0, 3, 1, SRCCOPY);
    EXPECT_EQ(mono.At(0, 0), 0u);  // 0 AND 90 AND 255 is not white

    Surface keyed(3, 1, false, 0x123456);
    StretchBltLeavingOut(keyed.dc, 0, 0, 2, 1, src.dc, 0, 0, 3, 1, Rgb(255, 255, 255), SRCCOPY);
    StretchBltLeavingOut(keyed.dc, 2, 0, 1, 1, src.dc, 2, 0, 2, 1, Rgb(255, 255, 255), SRCCOPY);
    EXPECT_EQ(keyed.At(1, 0), 0x5A5A5Au);  // the white half left out
    EXPECT_EQ(keyed.At(2, 0), 0xFFFFFFu);  // nothing but key (the rest lies beyond the bitmap)
}

TEST(BlitTest, CopyWithinOneBitmapHandlesOverlap) {
    Surface s(4, 1, false);
    for (int x = 0; x < 4; ++x) s.Set(x, 0, x + 1);
    BitBlt(s.dc, 1, 0, 3, 1, s.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(s.bitmap->pixels, (std::vector<Pixel>{1, 1, 2, 3}));
}

TEST(BlitTest, CompatibleBitmapsFollowTheContext) {
    DeviceContext* memory = CreateCompatibleDC(nullptr);
    Bitmap* fromFresh = CreateCompatibleBitmap(memory, 2, 2);
    EXPECT_TRUE(fromFresh->IsMonochrome());
    DeviceContext* screen = GetDC(nullptr);
    Bitmap* fromScreen = CreateCompatibleBitmap(screen, 2, 2);
    EXPECT_FALSE(fromScreen->IsMonochrome());
    EXPECT_EQ(fromScreen->pixels, std::vector<Pixel>(4, 0));
    Bitmap* previous = SelectObject(memory, fromScreen);
    EXPECT_EQ(previous, &memory->defaultBitmap);
    Bitmap* fromColour = CreateCompatibleBitmap(memory, 3, 1);
    EXPECT_FALSE(fromColour->IsMonochrome());
    EXPECT_EQ(CreateCompatibleBitmap(memory, 0, 5), nullptr);
    EXPECT_EQ(CreateBitmap(1 << 20, 1 << 20, 1, 32, nullptr), nullptr);
    EXPECT_EQ(GetObject(fromColour).width, 3);
    EXPECT_EQ(GetObject(nullptr).width, 0);
    SelectObject(memory, previous);
    for (Bitmap* b : {fromFresh, fromScreen, fromColour}) DeleteObject(b);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST(BlitTest, StateIsSavedRestoredAndMapsPoints) {
    DeviceContext* dc = CreateCompatibleDC(nullptr);
    SetBkColor(dc, Rgb(1, 2, 3));
    const int first = SaveDC(dc);
    SetBkColor(dc, Rgb(4, 5, 6));
    SaveDC(dc);
    SetViewportOrgEx(dc, 10, 20, nullptr);
    SetWindowOrgEx(dc, 1, 2, nullptr);
    Point p{10, 20};
    ASSERT_TRUE(DPtoLP(dc, &p, 1));
    EXPECT_EQ(p.x, 1);
    EXPECT_EQ(p.y, 2);
    SetGraphicsMode(dc, GM_ADVANCED);
    const WorldTransform doubled{2, 0, 0, 2, 0, 0};
    ModifyWorldTransform(dc, &doubled, 3);
    p = Point{14, 24};
    DPtoLP(dc, &p, 1);
    EXPECT_EQ(p.x, 3);
    EXPECT_EQ(p.y, 3);
    ASSERT_TRUE(RestoreDC(dc, first));
    EXPECT_EQ(dc->state.backgroundColour, Rgb(1, 2, 3));
    EXPECT_EQ(dc->state.graphicsMode, GM_COMPATIBLE);
    EXPECT_TRUE(dc->saved.empty());
    EXPECT_FALSE(RestoreDC(dc, -1));
    DeleteDC(dc);
}

TEST(BlitTest, FillRectPaintsWithinTheClipAndReportsIt) {
    Surface s(6, 6, false);
    s.dc->hasClip = true;
    s.dc->clip = Rect{0, 0, 4, 4};
    FillRect(s.dc, Rect{2, 2, 10, 10}, Rgb(255, 0, 0));
    EXPECT_EQ(s.At(3, 3), 0xFF0000u);
    EXPECT_EQ(s.At(4, 4), 0u);
    EXPECT_EQ(s.dc->drawn, (Rect{2, 2, 4, 4}));
    Surface m(2, 1, true);
    FillRect(m.dc, Rect{0, 0, 1, 1}, Rgb(255, 255, 255));
    EXPECT_EQ(m.bitmap->bits, (std::vector<std::uint8_t>{1, 0}));
}

}  // namespace
