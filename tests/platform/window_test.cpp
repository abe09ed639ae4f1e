// tests/platform/window_test.cpp: geometry of captioned windows, the close request, menus and the
// scroll bar's clamping.
#include <gtest/gtest.h>

#include <span>

#include "platform/menus.h"
#include "platform/module_resources.h"
#include "platform/scroll_bars.h"
#include "tests/platform/core_fixture.h"

namespace core_test {
namespace {

using namespace platform;

TEST_F(CoreTest, ACaptionedWindowsClientAreaLeavesOutFrameCaptionMenuAndScrollBar) {
    ScreenFacts facts;
    facts.frameX = facts.frameY = 4;
    facts.captionHeight = 19;
    facts.menuHeight = 19;
    facts.verticalScrollWidth = 17;
    host.SetScreen(facts);
    RegisterClassEx(WindowClass{.name = "Framed", .procedure = RecordingProc});
    Window* window = CreateWindowEx(0, "Framed", "", WS_CAPTION | WS_SYSMENU, -4, -4, 1032, 776,
                                    nullptr, 0, nullptr);
    Rect client;
    GetClientRect(window, &client);
    EXPECT_EQ(client, (Rect{0, 0, 1024, 749}));

    Window* viewer = CreateWindowEx(0, "Framed", "", WS_CAPTION | WS_SYSMENU | WS_VSCROLL, 0, 0,
                                    640, 480, nullptr, 0, nullptr);
    GetClientRect(viewer, &client);
    EXPECT_EQ(client, (Rect{0, 0, 640 - 8 - 17, 480 - 8 - 19}));
}

TEST_F(CoreTest, ASurfaceHoldsTheScreensOwnPixelsAndIsMadeAgainOnAScreenOfAnotherScale) {
    ScreenFacts facts;
    facts.pixelRatio = 1.5;
    host.SetScreen(facts);
    Window* window = MakeWindow();  // 200 by 100
    Pump();
    Rect client;
    GetClientRect(window, &client);
    EXPECT_EQ(client, (Rect{0, 0, 200, 100}));
    EXPECT_EQ(window->surface.width, 300);
    EXPECT_EQ(window->surface.height, 150);
    EXPECT_TRUE(window->updateArea.IsEmpty());

    SetSurfaceScale(window, 2.0);
    EXPECT_EQ(window->surface.width, 400);
    EXPECT_EQ(window->surface.scale, 2.0);
    EXPECT_EQ(window->updateArea, client);  // all of it painted again
    SetSurfaceScale(window, 0.0);           // nonsense from a toolkit: one to one
    EXPECT_EQ(window->surface.width, 200);
}

TEST_F(CoreTest, TheDesktopsCloseRequestDestroysTheWindowThroughDefaultHandling) {
    Window* window = MakeWindow();
    Pump();
    host.RequestClose(window);
    const std::vector<std::uint32_t> kinds = Pump();
    EXPECT_EQ(kinds, (std::vector<std::uint32_t>{WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}));
    EXPECT_FALSE(IsWindow(window));
}

class FixedMenu : public ModuleResources {
  public:
    std::span<const std::uint8_t> Bitmap(int) const override { return {}; }
    std::span<const std::uint8_t> Icon(int) const override { return {}; }
    bool MenuTemplate(int id, Menu* menu) const override {
        if (id != 101) return false;
        menu->items = {
            MenuItem{.text = "Sound",
                     .items = {MenuItem{.text = "On", .id = 7}, MenuItem{.text = "Off", .id = 8}}}};
        return true;
    }
};

TEST_F(CoreTest, MenuItemsKeepTheirCheckMarksAndGraying) {
    FixedMenu resources;
    EXPECT_EQ(LoadMenu(&resources, 999), nullptr);
    Menu* menu = LoadMenu(&resources, 101);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(CheckMenuItem(menu, 7, MF_CHECKED), static_cast<int>(MF_UNCHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 7, MF_UNCHECKED), static_cast<int>(MF_CHECKED));
    EnableMenuItem(menu, 8, MF_GRAYED | MF_DISABLED);
    EXPECT_TRUE(FindMenuItem(menu, 8)->grayed);
    EXPECT_FALSE(FindMenuItem(menu, 7)->grayed);
    EXPECT_EQ(CheckMenuItem(menu, 99, MF_CHECKED), -1);
    EXPECT_TRUE(DestroyMenu(menu));
    EXPECT_FALSE(DestroyMenu(menu));
}

TEST_F(CoreTest, TheScrollPositionStaysWithinTheRangeLessAPage) {
    Window* window = MakeWindow(0, WS_VSCROLL);
    ScrollBarInfo info{.mask = SIF_RANGE | SIF_PAGE, .min = 0, .max = 99, .page = 28};
    SetScrollInfo(window, SB_VERT, &info, true);
    info = ScrollBarInfo{.mask = SIF_POS, .pos = 99};
    EXPECT_EQ(SetScrollInfo(window, SB_VERT, &info, true), 72);
    info.pos = -5;
    EXPECT_EQ(SetScrollInfo(window, SB_VERT, &info, true), 0);
    info = ScrollBarInfo{
        .mask = SIF_RANGE | SIF_PAGE | SIF_POS, .min = 0, .max = 0, .page = 28, .pos = 3};
    EXPECT_EQ(SetScrollInfo(window, SB_VERT, &info, true), 0) << "a short text never scrolls";
}

}  // namespace
}  // namespace core_test
