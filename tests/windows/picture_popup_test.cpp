// tests/windows/picture_popup_test.cpp: the picture pop-up on the test host: where it sits, what
// it shows, and what closes it (its timer, or a left-button release anywhere).
#include "windows/picture_popup.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/input.h"
#include "platform/messages.h"
#include "platform/repaint.h"
#include "tests/windows/window_test_support.h"

namespace {

using namespace platform;
using windows::ShowPicturePopup;
using windows_test::FakePictures;
using windows_test::OwnerPaints;
using windows_test::RunQueue;

constexpr int StartupId = 102;
constexpr int AboutId = 103;

class PicturePopupTest : public windows_test::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        pictures.Add(StartupId, 640, 480);
        pictures.Add(AboutId, 400, 400);
    }

    bool ShowsPattern(const Window* popup) const {
        const Bitmap& surface = popup->surface;
        for (int y = 0; y < surface.height; ++y) {
            for (int x = 0; x < surface.width; ++x) {
                if (surface.Row(y)[x] != PixelOf(windows_test::PatternColour(x, y))) return false;
            }
        }
        return surface.width > 0;
    }

    FakePictures pictures;
};

TEST_F(PicturePopupTest, SitsCentredOnTheScreenWithHalvesTruncated) {
    struct Case {
        int screenWidth, screenHeight, bitmapId, left, top;
    };
    const Case cases[] = {
        {1024, 768, StartupId, 192, 144},
        {640, 480, StartupId, 0, 0},
        {801, 600, AboutId, 200, 100},
        {800, 401, AboutId, 200, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.screenWidth << " by " << c.screenHeight);
        ScreenFacts screen;
        screen.width = c.screenWidth;
        screen.height = c.screenHeight;
        host.SetScreen(screen);
        Window* popup = ShowPicturePopup(&pictures, owner, c.bitmapId, 0);
        ASSERT_NE(popup, nullptr);
        const int size = c.bitmapId == StartupId ? 640 : 400;
        const int height = c.bitmapId == StartupId ? 480 : 400;
        EXPECT_EQ(popup->rect, (Rect{c.left, c.top, c.left + size, c.top + height}));
        EXPECT_EQ(popup->clientWidth, size);
        EXPECT_EQ(popup->clientHeight, height);
        EXPECT_EQ(popup->windowClass->name, "Splash");
        EXPECT_EQ(popup->text, "Splash");
        EXPECT_EQ(GetParent(popup), owner);
        EXPECT_TRUE(popup->visible);
        EXPECT_EQ(popup->style, WS_POPUP);
        DestroyWindow(popup);
    }
}

TEST_F(PicturePopupTest, ShowsItsPictureAndStillDoesAfterBeingCovered) {
    Window* popup = ShowPicturePopup(&pictures, owner, AboutId, 0);
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(ShowsPattern(popup));

    // Uncovering asks for a repaint with the background erased.
    InvalidateRect(popup, nullptr, true);
    UpdateWindow(popup);
    RunQueue();
    EXPECT_TRUE(IsWindow(popup));
    EXPECT_TRUE(ShowsPattern(popup));
}

TEST_F(PicturePopupTest, OnADoubleScreenShowsItsDoubleSizePictureInTheSameLogicalSize) {
    ScreenFacts screen = host.Screen();
    screen.pixelRatio = 2.0;
    host.SetScreen(screen);
    pictures.Add(AboutId + 1000, 800, 800);
    Window* popup = ShowPicturePopup(&pictures, owner, AboutId, 0);
    ASSERT_NE(popup, nullptr);
    Rect client;
    GetClientRect(popup, &client);
    EXPECT_EQ(client, (Rect{0, 0, 400, 400}));
    EXPECT_EQ(popup->surface.width, 800);
    EXPECT_TRUE(ShowsPattern(popup));  // the double picture's pixels, one to one

    // Without a double picture the one there is enlarged: each of its pixels fills two by two.
    Window* startup = ShowPicturePopup(&pictures, owner, StartupId, 0);
    ASSERT_NE(startup, nullptr);
    EXPECT_EQ(startup->surface.width, 1280);
    const Bitmap& surface = startup->surface;
    bool doubled = true;
    for (int y = 0; y < surface.height; y += 3) {
        for (int x = 0; x < surface.width; x += 3) {
            doubled =
                doubled && surface.Row(y)[x] == PixelOf(windows_test::PatternColour(x / 2, y / 2));
        }
    }
    EXPECT_TRUE(doubled);
}

// Moved to a screen of another scale, its window gets a new, blank surface of that screen's
// pixels: the picture must be drawn there again, from the set that suits it, and back.
TEST_F(PicturePopupTest, MovedToAScreenOfAnotherScaleShowsItsPictureThere) {
    pictures.Add(AboutId + 1000, 800, 800);
    Window* popup = ShowPicturePopup(&pictures, owner, AboutId, 0);
    ASSERT_NE(popup, nullptr);
    for (const double scale : {2.0, 1.0}) {
        SCOPED_TRACE(scale);
        SetSurfaceScale(popup, scale);
        UpdateWindow(popup);
        RunQueue();
        EXPECT_EQ(popup->surface.width, static_cast<int>(400 * scale));
        EXPECT_TRUE(ShowsPattern(popup));
    }
}

TEST_F(PicturePopupTest, StartupPictureClosesAfterItsDisplayTimeWithoutInput) {
    Window* popup = ShowPicturePopup(&pictures, owner, StartupId, 5000);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetCapture(), popup);

    bool openBeforeItsTime = false;
    host.Then([&] {
        host.Clock().Advance(4999);
        host.Press(owner, 100, 100);  // a press alone does not close it
    });
    host.Then([&] { openBeforeItsTime = IsWindow(popup); });
    std::optional<std::uint64_t> closedAt;
    Message message;
    while (GetMessage(&message, nullptr, 0, 0)) {
        DispatchMessage(&message);
        if (!closedAt && !IsWindow(popup)) closedAt = host.Clock().NowMilliseconds();
    }
    EXPECT_TRUE(openBeforeItsTime);
    ASSERT_TRUE(closedAt.has_value());
    EXPECT_EQ(*closedAt, 5000u);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(OwnerPaints, 0);  // a timed close forces no repaint of the owner
}

// The start-up picture holds the mouse for its time: a click on the window under it closes it, as
// it closes the About picture, rather than vanishing unanswered.
TEST_F(PicturePopupTest, StartupPictureClosesEarlyOnAReleaseAnywhere) {
    Window* popup = ShowPicturePopup(&pictures, owner, StartupId, 5000);
    ASSERT_NE(popup, nullptr);
    host.Clock().Advance(1000);
    host.Click(owner, 100, 100);
    RunQueue();
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(GetCapture(), nullptr);

    host.Clock().Advance(5000);  // its timer went with it
    RunQueue();
    EXPECT_TRUE(IsWindow(owner));
}

TEST_F(PicturePopupTest, AboutPictureStaysUntilALeftButtonReleaseAnywhere) {
    Window* popup = ShowPicturePopup(&pictures, owner, AboutId, 0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetCapture(), popup);

    host.Press(owner, 5, 5);
    host.Clock().Advance(60'000);
    RunQueue();
    EXPECT_TRUE(IsWindow(popup)) << "a press alone or time must not close it";

    // Another window taking the mouse gets it taken straight back.
    SetCapture(owner);
    EXPECT_EQ(GetCapture(), popup);

    // The release lands on the owner, far outside the picture; the capture brings it here, and
    // the owner is repainted before anything else is handled.
    InvalidateRect(owner, nullptr, false);
    host.Release(owner, 5, 5);
    Message message;
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.window, popup);
    EXPECT_EQ(message.message, WM_LBUTTONUP);
    DispatchMessage(&message);
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(OwnerPaints, 1);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(PicturePopupTest, SeveralOpenPopupsEachCloseOnTheirOwnRelease) {
    Window* first = ShowPicturePopup(&pictures, owner, AboutId, 0);
    Window* second = ShowPicturePopup(&pictures, owner, StartupId, 0);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetCapture(), second);

    host.Click(owner, 1, 1);
    RunQueue();
    EXPECT_FALSE(IsWindow(second));
    ASSERT_TRUE(IsWindow(first));
    EXPECT_EQ(GetCapture(), first) << "the older pop-up takes the mouse back";

    host.Click(owner, 1, 1);
    RunQueue();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(PicturePopupTest, AboutPictureOpenedUnderTheStartupPictureOutlastsIt) {
    Window* about = ShowPicturePopup(&pictures, owner, AboutId, 0);
    Window* startup = ShowPicturePopup(&pictures, owner, StartupId, 5000);
    ASSERT_NE(about, nullptr);
    ASSERT_NE(startup, nullptr);

    host.Clock().Advance(5000);
    RunQueue();
    EXPECT_FALSE(IsWindow(startup));
    ASSERT_TRUE(IsWindow(about));
    EXPECT_EQ(GetCapture(), about);

    host.Click(owner, 900, 700);
    RunQueue();
    EXPECT_FALSE(IsWindow(about));
}

TEST_F(PicturePopupTest, PictureThatCannotBeLoadedShowsNothing) {
    EXPECT_EQ(ShowPicturePopup(&pictures, owner, 999, 0), nullptr);
    EXPECT_EQ(ShowPicturePopup(nullptr, owner, AboutId, 5000), nullptr);
    EXPECT_EQ(TopLevelWindows().size(), 1u);
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
