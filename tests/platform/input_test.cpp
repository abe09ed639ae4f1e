// tests/platform/input_test.cpp: double-clicks, disabled windows, push buttons and the capture.
#include "platform/input.h"

#include <gtest/gtest.h>

#include "tests/platform/core_fixture.h"

namespace core_test {
namespace {

using namespace platform;

std::vector<std::uint32_t> MouseKinds(const std::vector<std::uint32_t>& kinds) {
    std::vector<std::uint32_t> mouse;
    for (std::uint32_t kind : kinds) {
        if (kind >= WM_MOUSEMOVE && kind <= WM_RBUTTONDBLCLK) mouse.push_back(kind);
    }
    return mouse;
}

TEST_F(CoreTest, DoubleClicksOnlyForAClassThatAsksAndOnlyWhenQuickAndClose) {
    struct Case {
        std::uint32_t classStyle;
        std::uint64_t gap;
        int secondX;
        bool doubleClick;
    } cases[] = {
        {CS_DBLCLKS, 100, 10, true},
        {CS_DBLCLKS, 100, 12, true},   // within half the double-click width
        {CS_DBLCLKS, 100, 20, false},  // too far
        {CS_DBLCLKS, 600, 10, false},  // too slow
        {0, 100, 10, false},           // the class does not ask
    };
    for (const Case& c : cases) {
        Window* window = MakeWindow(c.classStyle);
        Pump();
        host.Clock().Advance(1000);
        host.Press(window, 10, 10);
        host.Release(window, 10, 10);
        host.Clock().Advance(c.gap);
        host.Press(window, c.secondX, 10);
        host.Release(window, c.secondX, 10);
        const std::uint32_t second = c.doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
        EXPECT_EQ(MouseKinds(Pump()),
                  (std::vector<std::uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONUP, second, WM_LBUTTONUP}))
            << "gap " << c.gap << ", second x " << c.secondX;
        DestroyWindow(window);
    }
}

TEST_F(CoreTest, APushButtonSendsItsIdAndADisabledOneSendsNothing) {
    Window* window = MakeWindow();
    Window* button = CreateWindowEx(0, "BUTTON", "START", WS_CHILD | WS_VISIBLE, 10, 10, 100, 30,
                                    window, 1, nullptr);
    Pump();
    host.ClickControl(window, 1);
    std::vector<std::uint32_t> kinds = Pump();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, WM_COMMAND);
    EXPECT_EQ(received[0].window, window);
    EXPECT_EQ(received[0].wParam, MakeLong(1, BN_CLICKED));

    EnableWindow(button, false);
    host.ClickControl(window, 1);
    EXPECT_TRUE(Pump().empty());
}

TEST_F(CoreTest, MouseInputGoesToTheCaptureWindowInItsOwnCoordinates) {
    Window* main = MakeWindow();
    Window* popup = MakeWindow(0, 0, main);
    SetWindowPos(popup, nullptr, 50, 60, 0, 0, SWP_NOSIZE);
    SetCapture(popup);
    Pump();
    host.Click(main, 100, 100);
    Pump();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1].window, popup);
    EXPECT_EQ(received[1].message, WM_LBUTTONUP);
    EXPECT_EQ(received[1].lParam, MakePointParam(50, 40));
}

// Two windows that each take the capture back when they lose it must not pass it to and fro
// for ever.
LRESULT TakeCaptureBack(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CAPTURECHANGED) SetCapture(window);
    return RecordingProc(window, message, wParam, lParam);
}

TEST_F(CoreTest, WindowsThatTakeTheCaptureBackDoNotFightForever) {
    RegisterClassEx(WindowClass{.name = "Grabber", .procedure = TakeCaptureBack});
    Window* first = CreateWindowEx(0, "Grabber", "", WS_POPUP, 0, 0, 10, 10, nullptr, 0, nullptr);
    Window* second = CreateWindowEx(0, "Grabber", "", WS_POPUP, 0, 0, 10, 10, nullptr, 0, nullptr);
    SetCapture(first);
    SetCapture(second);
    EXPECT_TRUE(GetCapture() == first || GetCapture() == second);
    ReleaseCapture();
    EXPECT_NE(GetCapture(), nullptr) << "a window that takes it back keeps it";
}

}  // namespace
}  // namespace core_test
