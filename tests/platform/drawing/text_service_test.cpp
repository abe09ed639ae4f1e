// tests/platform/drawing/text_service_test.cpp: what the core works out before a text service
// draws: the cell's place for every alignment on a scaled target, the clip and colours handed
// over, monochrome targets, and text calls with no service installed.
#include "platform/text_service.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/drawing/drawing.h"

namespace {

using namespace platform;

// Every character is 10 pixels wide, the cell 12 above the baseline and 4 below; a drawn string
// fills its cell with the text colour.
class BlockText final : public TextService {
  public:
    TextMetrics FontMetrics(const LogFont&) override {
        return TextMetrics{.height = 16, .ascent = 12, .descent = 4};
    }
    StringSize MeasureString(const LogFont&, std::string_view text) override {
        return StringSize{10 * static_cast<int>(text.size()), 12, 4};
    }
    Rect DrawString(Bitmap& target, const TextDrawing& drawing) override {
        last = drawing;
        lastText = std::string(drawing.text);
        const int width = static_cast<int>(std::lround(10 * drawing.text.size() * drawing.scale));
        const int height = static_cast<int>(std::lround(16 * drawing.scale));
        const Rect cell = Intersect(Rect{drawing.origin.x, drawing.origin.y,
                                         drawing.origin.x + width, drawing.origin.y + height},
                                    drawing.clip);
        for (int y = cell.top; y < cell.bottom; ++y)
            for (int x = cell.left; x < cell.right; ++x)
                target.Row(y)[x] = PixelOf(drawing.textColour);
        return cell;
    }
    TextDrawing last;
    std::string lastText;
};

struct Target {
    Target(int bitsPerPixel, double scale) {
        bitmap = CreateBitmap(80, 40, 1, bitsPerPixel, nullptr);
        bitmap->scale = scale;
        bitmap->width = static_cast<int>(80 * scale);
        bitmap->height = static_cast<int>(40 * scale);
        if (bitsPerPixel == 1) {
            bitmap->bits.assign(static_cast<std::size_t>(bitmap->width * bitmap->height), 1);
        } else {
            bitmap->pixels.assign(static_cast<std::size_t>(bitmap->width * bitmap->height),
                                  0xFFFFFF);
        }
        dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, bitmap);
    }
    ~Target() {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    Bitmap* bitmap = nullptr;
    DeviceContext* dc = nullptr;
};

class TextServiceTest : public ::testing::Test {
  protected:
    void SetUp() override { SetTextService(&service); }
    void TearDown() override { SetTextService(nullptr); }
    BlockText service;
};

TEST_F(TextServiceTest, TheCellIsPlacedByTheAlignmentInLogicalPixelsThenOnDeviceEdges) {
    struct Case {
        std::uint32_t align;
        Point expected;  // logical top left of the cell of "abcd" (40 by 16) drawn at (30, 20)
    };
    const Case cases[] = {
        {TA_LEFT | TA_TOP, {30, 20}},
        {TA_CENTER | TA_TOP, {10, 20}},
        {TA_RIGHT | TA_BASELINE, {-10, 8}},
        {TA_CENTER | TA_BOTTOM, {10, 4}},
    };
    for (const double scale : {1.0, 1.5}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "scale " << scale << ", align " << c.align);
            Target target(32, scale);
            SetTextAlign(target.dc, c.align);
            ASSERT_TRUE(TextOut(target.dc, 30, 20, "abcd"));
            EXPECT_EQ(service.last.origin.x, DeviceEdge(c.expected.x, scale));
            EXPECT_EQ(service.last.origin.y, DeviceEdge(c.expected.y, scale));
            EXPECT_EQ(service.last.scale, scale);
            EXPECT_EQ(service.lastText, "abcd");
        }
    }
}

TEST_F(TextServiceTest, OriginsColoursBackgroundAndClipAreHandedOver) {
    Target target(32, 1.0);
    SetViewportOrgEx(target.dc, 7, 3, nullptr);
    SetWindowOrgEx(target.dc, 2, 1, nullptr);
    SetTextColor(target.dc, Rgb(10, 20, 30));
    SetBkColor(target.dc, Rgb(40, 50, 60));
    ASSERT_TRUE(TextOut(target.dc, 0, 0, "x"));
    EXPECT_EQ(service.last.origin.x, 5);
    EXPECT_EQ(service.last.origin.y, 2);
    EXPECT_EQ(service.last.textColour, Rgb(10, 20, 30));
    EXPECT_TRUE(service.last.opaque);  // a context starts opaque
    EXPECT_EQ(service.last.backgroundColour, Rgb(40, 50, 60));
    EXPECT_EQ(service.last.clip, target.bitmap->Bounds());
    SetBkMode(target.dc, TRANSPARENT);
    ASSERT_TRUE(TextOut(target.dc, 0, 0, "x"));
    EXPECT_FALSE(service.last.opaque);
    // Reported in logical pixels, as drawn.
    EXPECT_EQ(target.dc->drawn, (Rect{5, 2, 15, 18}));
}

TEST_F(TextServiceTest, AMonochromeTargetTakesTheTextAsBlackOrWhite) {
    Target target(1, 1.0);
    SetTextColor(target.dc, Rgb(30, 30, 30));
    ASSERT_TRUE(TextOut(target.dc, 10, 10, "ab"));
    const Bitmap& bitmap = *target.bitmap;
    for (int y = 0; y < bitmap.height; ++y) {
        for (int x = 0; x < bitmap.width; ++x) {
            const bool inCell = x >= 10 && x < 30 && y >= 10 && y < 26;
            ASSERT_EQ(bitmap.bits[static_cast<std::size_t>(y * bitmap.width + x)], inCell ? 0 : 1)
                << x << "," << y;
        }
    }
}

TEST(TextWithoutServiceTest, TextCallsFailAndDrawNothing) {
    SetTextService(nullptr);
    Target target(32, 1.0);
    TextMetrics metrics;
    Point size;
    EXPECT_FALSE(GetTextMetrics(target.dc, &metrics));
    EXPECT_FALSE(GetTextExtentPoint32(target.dc, "Hit", &size));
    EXPECT_FALSE(TextOut(target.dc, 0, 0, "Hit"));
    EXPECT_TRUE(target.dc->drawn.IsEmpty());
    for (Pixel p : target.bitmap->pixels) ASSERT_EQ(p, 0xFFFFFFu);
}

}  // namespace
