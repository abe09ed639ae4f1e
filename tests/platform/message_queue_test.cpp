// tests/platform/message_queue_test.cpp: order, filters, the quit request, paint requests that
// come only when nothing else waits and never make a dropping loop spin, and timers.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "platform/repaint.h"
#include "platform/timers.h"
#include "tests/platform/core_fixture.h"

namespace core_test {
namespace {

using namespace platform;

TEST_F(CoreTest, PostedMessagesComeInOrderBeforePaintAndTimers) {
    Window* window = MakeWindow();
    SetTimer(window, 1, 10);
    host.Clock().Advance(20);
    InvalidateRect(window, nullptr, false);
    PostMessage(window, WM_COMMAND, 7, 0);
    PostMessage(window, WM_COMMAND, 8, 0);
    std::vector<std::uint32_t> kinds;
    for (std::uint32_t kind : Pump()) {
        if (kind == WM_COMMAND || kind == WM_PAINT || kind == WM_TIMER) kinds.push_back(kind);
    }
    EXPECT_EQ(kinds, (std::vector<std::uint32_t>{WM_COMMAND, WM_COMMAND, WM_PAINT, WM_TIMER}));
    EXPECT_EQ(received[0].wParam, 7u);
}

TEST_F(CoreTest, FilteredFetchLeavesOtherMessagesQueuedButAlwaysReportsQuit) {
    Window* window = MakeWindow();
    PostMessage(window, WM_LBUTTONDOWN, 0, 0);
    PostMessage(window, WM_LBUTTONUP, 0, MakePointParam(3, 4));
    Message message;
    ASSERT_TRUE(GetMessage(&message, window, WM_LBUTTONUP, WM_LBUTTONUP));
    EXPECT_EQ(message.message, WM_LBUTTONUP);
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_LBUTTONDOWN);

    PostQuitMessage(0);
    EXPECT_FALSE(GetMessage(&message, window, WM_LBUTTONUP, WM_LBUTTONUP));
    EXPECT_EQ(message.message, WM_QUIT);
}

TEST_F(CoreTest, SendRunsTheHandlerBeforeReturning) {
    Window* window = MakeWindow();
    received.clear();
    SendMessage(window, WM_COMMAND, 42, 0);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].wParam, 42u);
}

// A loop that takes paint requests and drops them (as carrying a ship does) must wait for input
// rather than be handed the same request again and again.
TEST_F(CoreTest, ADroppedPaintRequestIsNotProducedAgainUntilTheAreaChanges) {
    Window* window = MakeWindow();
    Pump();
    InvalidateRect(window, nullptr, false);
    Message message;
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_PAINT);
    EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    const Rect more{0, 0, 5, 5};
    InvalidateRect(window, &more, false);
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_PAINT);
}

TEST_F(CoreTest, UpdateWindowPaintsAtOnceAndBeginPaintClipsToTheMarkedArea) {
    Window* window = MakeWindow();
    Pump();
    const Rect area{10, 20, 30, 40};
    InvalidateRect(window, &area, false);
    received.clear();
    UpdateWindow(window);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, WM_PAINT);
    EXPECT_TRUE(window->updateArea.IsEmpty());

    InvalidateRect(window, &area, false);
    PaintStruct paint;
    DeviceContext* dc = BeginPaint(window, &paint);
    EXPECT_EQ(dc->clip, area);
    EndPaint(window, &paint);
    received.clear();
    UpdateWindow(window);
    EXPECT_TRUE(received.empty()) << "nothing marked, nothing painted";
}

// Marks far apart stay apart, so a paint can leave what lies between them alone; overlapping
// ones are joined (also through a later mark), and beyond 32 the paint gets one rectangle.
TEST_F(CoreTest, BeginPaintHandsOverTheMarkedRectanglesApart) {
    struct Case {
        const char* name;
        std::vector<Rect> marked;
        std::vector<Rect> pieces;  // in any order
    };
    std::vector<Rect> tooMany;
    for (int k = 0; k < 33; ++k)
        tooMany.push_back(Rect{k * 5, k % 2 * 10, k * 5 + 2, k % 2 * 10 + 2});
    const std::vector<Case> cases = {
        {"apart", {{0, 0, 10, 10}, {100, 50, 110, 60}}, {{0, 0, 10, 10}, {100, 50, 110, 60}}},
        {"overlapping", {{0, 0, 10, 10}, {5, 5, 20, 20}}, {{0, 0, 20, 20}}},
        {"joined through a third",
         {{0, 0, 10, 10}, {30, 0, 40, 10}, {5, 0, 35, 5}},
         {{0, 0, 40, 10}}},
        {"cut to the client area", {{190, 90, 400, 400}}, {{190, 90, 200, 100}}},
        {"too many", tooMany, {{0, 0, 162, 12}}},
    };
    Window* window = MakeWindow();
    Pump();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const Rect& r : c.marked) InvalidateRect(window, &r, false);
        PaintStruct paint;
        BeginPaint(window, &paint);
        std::vector<Rect> pieces = paint.pieces;
        auto order = [](const Rect& a, const Rect& b) {
            return std::tie(a.left, a.top) < std::tie(b.left, b.top);
        };
        std::vector<Rect> expected = c.pieces;
        std::sort(pieces.begin(), pieces.end(), order);
        std::sort(expected.begin(), expected.end(), order);
        EXPECT_EQ(pieces, expected);
        // Each piece can be drawn alone; the whole marked area is their bounds.
        ASSERT_TRUE(ClipToPiece(&paint, pieces[0]));
        EXPECT_EQ(paint.dc->DrawableArea(), pieces[0]);
        EndPaint(window, &paint);
        EXPECT_TRUE(window->updatePieces.empty());
    }
}

TEST_F(CoreTest, ATimerFiresOncePerPeriodUntilKilled) {
    Window* window = MakeWindow();
    Pump();
    SetTimer(window, 1, 5000);
    host.Clock().Advance(4999);
    EXPECT_TRUE(Pump().empty());
    host.Clock().Advance(1);
    EXPECT_EQ(Pump(), std::vector<std::uint32_t>{WM_TIMER});
    EXPECT_TRUE(Pump().empty()) << "the next period starts when the message is fetched";
    KillTimer(window, 1);
    host.Clock().Advance(10000);
    EXPECT_TRUE(Pump().empty());
}

// With nothing to do the test host moves the clock to the next timer, so a waiting fetch gets it.
TEST_F(CoreTest, AWaitingFetchReachesTheNextTimerWithoutInput) {
    Window* window = MakeWindow();
    Pump();
    SetTimer(window, 3, 250);
    Message message;
    ASSERT_TRUE(GetMessage(&message, nullptr, 0, 0));
    EXPECT_EQ(message.message, WM_TIMER);
    EXPECT_EQ(message.wParam, 3u);
    EXPECT_EQ(host.Clock().NowMilliseconds(), 250u);
}

TEST_F(CoreTest, DestroyingAWindowSendsDestroyAndForgetsItsMessages) {
    Window* window = MakeWindow();
    Pump();
    PostMessage(window, WM_COMMAND, 1, 0);
    SetTimer(window, 1, 10);
    received.clear();
    DestroyWindow(window);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, WM_DESTROY);
    EXPECT_FALSE(IsWindow(window));
    host.Clock().Advance(100);
    EXPECT_TRUE(Pump().empty());
}

}  // namespace
}  // namespace core_test
