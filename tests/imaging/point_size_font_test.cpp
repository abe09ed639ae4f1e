// tests/imaging/point_size_font_test.cpp: CreatePointSizeFont's size arithmetic, attributes, the
// width pass and the target left as it was found.
#include "imaging/point_size_font.h"

#include <gtest/gtest.h>

#include "platform/drawing/drawing.h"
#include "platform/test/test_host.h"

namespace {

using imaging::CreatePointSizeFont;

class PointSizeFontTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::SetHost(&host);
        target = platform::CreateCompatibleDC(nullptr);
    }
    void TearDown() override {
        platform::DeleteDC(target);
        platform::SetHost(nullptr);
    }

    platform::LogFont Made(int height, int width, int attributes, bool logical) {
        platform::Font* font =
            CreatePointSizeFont(target, "Arial", height, width, attributes, logical);
        platform::LogFont description = font->description;
        platform::DeleteObject(font);
        return description;
    }

    platform::TestHost host;
    platform::DeviceContext* target = nullptr;
};

TEST_F(PointSizeFontTest, HeightIsTenthsOfAPointRoundedHalfUpAndNegated) {
    struct Case {
        int tenths;
        int height;
    };
    // 119, 93 and 74 are the status line's sizes at the three screen widths.
    const Case cases[] = {{120, -16}, {125, -17}, {119, -16}, {93, -12},
                          {74, -10},  {0, 0},     {-120, -16}};
    for (const Case& c : cases) EXPECT_EQ(Made(c.tenths, 0, 0, true).height, c.height) << c.tenths;

    // Physical inches: 25.4 x 768 / 203 mm gives 96.09 dots per inch vertically.
    EXPECT_EQ(Made(120, 0, 0, false).height, -16);
    platform::ScreenFacts facts;
    facts.heightMillimetres = 150;  // 130 dpi: y = 216, height -22
    host.SetScreen(facts);
    EXPECT_EQ(Made(120, 0, 0, false).height, -22);
    EXPECT_EQ(Made(120, 0, 0, true).height, -16);
}

TEST_F(PointSizeFontTest, AttributesSetWeightAndStyles) {
    const platform::LogFont plain = Made(120, 0, 0, true);
    EXPECT_EQ(plain.weight, 0);
    EXPECT_FALSE(plain.italic || plain.underline || plain.strikeOut);
    EXPECT_EQ(plain.width, 0);
    EXPECT_EQ(plain.charSet, platform::DEFAULT_CHARSET);
    EXPECT_EQ(plain.faceName, "Arial");
    const platform::LogFont all = Made(120, 0, 15, true);
    EXPECT_EQ(all.weight, 700);
    EXPECT_TRUE(all.italic && all.underline && all.strikeOut);
    EXPECT_EQ(Made(120, 0, imaging::FontItalic, true).weight, 0);
}

TEST_F(PointSizeFontTest, NonzeroWidthScalesTheAverageCharacterWidth) {
    // Width equal to the height: the face's own average width at that height.
    const platform::LogFont same = Made(120, 120, 0, true);
    platform::Font* natural = platform::CreateFontIndirect(Made(120, 0, 0, true));
    platform::SelectObject(target, natural);
    platform::TextMetrics metrics;
    ASSERT_TRUE(platform::GetTextMetrics(target, &metrics));
    EXPECT_EQ(same.width, metrics.averageCharWidth);
    EXPECT_GT(Made(120, 240, 0, true).width, same.width);
    // A height of no pixels has no width to scale: the natural width stays.
    EXPECT_EQ(Made(0, 120, 0, true).width, 0);
    platform::SelectObject(target, platform::GetStockObject(platform::StockObject::SystemFont));
    platform::DeleteObject(natural);
}

TEST_F(PointSizeFontTest, TargetIsLeftAsItWasFound) {
    platform::SetGraphicsMode(target, platform::GM_ADVANCED);
    const platform::WorldTransform shifted{2, 0, 0, 2, 5, 7};
    platform::ModifyWorldTransform(target, &shifted, 3);
    platform::SetGraphicsMode(target, platform::GM_COMPATIBLE);
    platform::SetViewportOrgEx(target, 3, 4, nullptr);
    platform::SetWindowOrgEx(target, -1, -2, nullptr);
    platform::SaveDC(target);
    const platform::DeviceContextState before = target->state;
    const std::size_t savedBefore = target->saved.size();

    const platform::LogFont made = Made(120, 60, imaging::FontBold, true);
    EXPECT_EQ(made.height, -16);  // measured with the origins and transform reset
    EXPECT_EQ(target->state.graphicsMode, before.graphicsMode);
    EXPECT_EQ(target->state.transform, before.transform);
    EXPECT_EQ(target->state.viewportOrigin.x, 3);
    EXPECT_EQ(target->state.windowOrigin.y, -2);
    EXPECT_EQ(target->state.font, before.font);
    EXPECT_EQ(target->saved.size(), savedBefore);
}

}  // namespace
