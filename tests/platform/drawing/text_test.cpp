// tests/platform/drawing/text_test.cpp: text rendered into our bitmaps by the font facility:
// colour, background, alignment, clipping, and the faces the game names.
#include <gtest/gtest.h>

#include "platform/drawing/drawing.h"
#include "platform/qt/qt_text.h"
#include "platform/text_service.h"

namespace {

using namespace platform;

struct TextSurface {
    TextSurface() {
        static QtText text;
        SetTextService(&text);
        bitmap = CreateBitmap(120, 40, 1, 32, nullptr);
        std::fill(bitmap->pixels.begin(), bitmap->pixels.end(), 0xFFFFFF);
        dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, bitmap);
    }
    ~TextSurface() {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    int Count(Pixel p, const Rect& r) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += bitmap->Row(y)[x] == p;
        return n;
    }
    Bitmap* bitmap = nullptr;
    DeviceContext* dc = nullptr;
};

Font* Arial(int height, int weight = FW_DONTCARE) {
    LogFont d;
    d.height = height;
    d.weight = weight;
    d.faceName = "Arial";
    return CreateFontIndirect(d);
}

TEST(TextTest, DrawsInTheTextColourWithinTheCell) {
    TextSurface s;
    Font* font = Arial(-16, FW_BOLD);
    SelectObject(s.dc, font);
    SetBkMode(s.dc, TRANSPARENT);
    SetTextColor(s.dc, Rgb(85, 85, 0));
    ASSERT_TRUE(TextOut(s.dc, 5, 5, "Hit!!!"));
    const Rect all = s.bitmap->Bounds();
    EXPECT_GT(s.Count(0x555500, all), 20);
    EXPECT_EQ(s.Count(0x555500, Rect{0, 0, 120, 5}), 0);  // nothing above the top
    EXPECT_FALSE(s.dc->drawn.IsEmpty());
    EXPECT_GE(s.dc->drawn.top, 5);
    for (Pixel p : s.bitmap->pixels) ASSERT_EQ(p >> 24, 0u);  // our pixels keep no alpha
    SelectObject(s.dc, GetStockObject(StockObject::SystemFont));
    DeleteObject(font);
}

TEST(TextTest, OpaqueBackgroundCentringAndClip) {
    TextSurface s;
    SetBkColor(s.dc, Rgb(0, 0, 255));
    SetTextAlign(s.dc, TA_CENTER | TA_TOP);
    TextOut(s.dc, 60, 0, "ii");
    // The background cell (its top row holds no ink) is centred on x = 60.
    int first = -1, last = -1;
    for (int x = 0; x < 120; ++x) {
        if (s.bitmap->Row(0)[x] != 0x0000FFu) continue;
        if (first < 0) first = x;
        last = x;
    }
    ASSERT_GE(first, 0);
    EXPECT_NEAR((first + last + 1) / 2.0, 60, 1);
    EXPECT_LT(last - first, 30);

    TextSurface clipped;
    clipped.dc->hasClip = true;
    clipped.dc->clip = Rect{0, 0, 10, 40};
    TextOut(clipped.dc, 0, 0, "WWWWWWWW");
    EXPECT_EQ(clipped.Count(0xFFFFFF, Rect{10, 0, 120, 40}), 110 * 40);
    EXPECT_LE(clipped.dc->drawn.right, 10);
}

TEST(TextTest, ArialMeasuresAsLiberationSansAndHeightsMapToPixels) {
    TextSurface s;
    TextMetrics arial, liberation, cell, stock;
    Font* a = Arial(-16);
    LogFont d;
    d.height = -16;
    d.faceName = "Liberation Sans";
    Font* l = CreateFontIndirect(d);
    Font* c = Arial(30);
    SelectObject(s.dc, a);
    ASSERT_TRUE(GetTextMetrics(s.dc, &arial));
    SelectObject(s.dc, l);
    GetTextMetrics(s.dc, &liberation);
    SelectObject(s.dc, c);
    GetTextMetrics(s.dc, &cell);
    SelectObject(s.dc, GetStockObject(StockObject::SystemFont));
    GetTextMetrics(s.dc, &stock);
    EXPECT_EQ(arial.averageCharWidth, liberation.averageCharWidth);
    EXPECT_EQ(arial.height, liberation.height);
    EXPECT_EQ(arial.height - arial.internalLeading, 16);  // a negative height is the em size
    EXPECT_NEAR(cell.height, 30, 1);                      // a positive one the cell
    EXPECT_NEAR(stock.height, 16, 1);
    for (Font* f : {a, l, c}) DeleteObject(f);
}

}  // namespace
