// tests/windows/instructions_viewer_test.cpp: the instructions viewer on the test host: its window,
// the file it reads, where its lines are drawn, and scrolling by the scroll bar, keys and wheel.
#include "windows/instructions_viewer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/drawing/drawing.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/repaint.h"
#include "platform/screen.h"
#include "platform/scroll_bars.h"
#include "platform/virtual_keys.h"
#include "tests/windows/window_test_support.h"

namespace {

using namespace platform;
using windows::OpenInstructionsViewer;
using windows_test::RunQueue;

constexpr Pixel White = 0xFFFFFF;

// The viewer reads "instruct.txt" from the working folder: each test gets a folder of its own.
class InstructionsViewerTest : public windows_test::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 ("tidewrack_viewer_" + std::to_string(::getpid()) + "_" + info->name());
        std::filesystem::create_directories(folder);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder);
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
        WindowTest::TearDown();
    }

    void WriteInstructions(const std::string& text) const {
        std::ofstream(folder / "instruct.txt", std::ios::binary) << text;
    }

    Window* OpenViewer() {
        EXPECT_TRUE(OpenInstructionsViewer(owner, &pictures));
        RunQueue();
        const auto viewers = WindowsOfClass("TextScroll");
        return viewers.empty() ? nullptr : viewers.back();
    }

    // The line height the viewer measures: the default font's height plus its external leading.
    static int LineHeightOf(Window* viewer) {
        DeviceContext* dc = GetDC(viewer);
        TextMetrics metrics;
        GetTextMetrics(dc, &metrics);
        ReleaseDC(viewer, dc);
        return metrics.height + metrics.externalLeading;
    }

    static ScrollBarInfo ScrollOf(Window* viewer) {
        ScrollBarInfo info;
        info.mask = SIF_ALL;
        GetScrollInfo(viewer, SB_VERT, &info);
        return info;
    }

    struct Ink {
        int left = -1;
        int right = -1;  // inclusive
        bool Any() const { return left >= 0; }
    };
    // Where anything but the white background lies in a band of rows.
    static Ink InkIn(const Window* viewer, int top, int bottom) {
        Ink ink;
        const Bitmap& s = viewer->surface;
        for (int y = std::max(0, top); y < std::min(bottom, s.height); ++y) {
            for (int x = 0; x < s.width; ++x) {
                if (s.Row(y)[x] == White) continue;
                if (!ink.Any() || x < ink.left) ink.left = x;
                ink.right = std::max(ink.right, x);
            }
        }
        return ink;
    }

    // What a full repaint shows at the viewer's present position.
    static Bitmap FullyRepainted(Window* viewer) {
        const Bitmap before = viewer->surface;
        InvalidateRect(viewer, nullptr, true);
        UpdateWindow(viewer);
        Bitmap repainted = viewer->surface;
        viewer->surface = before;
        return repainted;
    }

    std::filesystem::path folder;
    std::filesystem::path previous;
    windows_test::FakePictures pictures;
};

std::string NumberedLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "Line " + std::to_string(i) + (i + 1 < count ? "\n" : "");
    }
    return text;
}

TEST_F(InstructionsViewerTest, OpensCentredWithCaptionCloseBoxAndScrollBarOnly) {
    WriteInstructions("Title\n");
    Window* viewer = OpenViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->text, "Tidewrack Instructions");
    EXPECT_EQ(viewer->style, WS_CAPTION | WS_SYSMENU | WS_VSCROLL);
    EXPECT_EQ(viewer->rect, (Rect{192, 144, 832, 624}));
    EXPECT_EQ(GetParent(viewer), owner);
    EXPECT_TRUE(viewer->visible);
    EXPECT_TRUE(IsWindowEnabled(owner)) << "the viewer is not modal";

    // Every call opens another viewer.
    ASSERT_NE(OpenViewer(), viewer);
    EXPECT_EQ(WindowsOfClass("TextScroll").size(), 2u);
}

TEST_F(InstructionsViewerTest, TitleLinesAreCentredAndTheOthersStartAtTheMargin) {
    WriteInstructions("A\nB\nC\n");
    Window* viewer = OpenViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(ScrollOf(viewer).max, 3) << "four lines, the last one empty";

    const int lh = LineHeightOf(viewer);
    const int middle = viewer->clientWidth / 2;
    for (int line : {0, 1}) {
        const Ink ink = InkIn(viewer, line * lh, (line + 1) * lh);
        ASSERT_TRUE(ink.Any()) << "line " << line;
        EXPECT_NEAR((ink.left + ink.right) / 2.0, middle, 2.0) << "line " << line;
    }
    const Ink third = InkIn(viewer, 2 * lh, 3 * lh);
    ASSERT_TRUE(third.Any());
    EXPECT_GE(third.left, 10);
    EXPECT_LE(third.left, 13);
    EXPECT_FALSE(InkIn(viewer, 3 * lh, viewer->clientHeight).Any());
}

TEST_F(InstructionsViewerTest, CarriageReturnsLeaveNoTrace) {
    WriteInstructions("Title\nSub\nsome text\n");
    Window* plain = OpenViewer();
    ASSERT_NE(plain, nullptr);
    const Bitmap expected = plain->surface;
    SendMessage(plain, WM_CLOSE, 0, 0);

    WriteInstructions("Title\r\nSub\r\nsome text\r\n");
    Window* withReturns = OpenViewer();
    ASSERT_NE(withReturns, nullptr);
    EXPECT_EQ(withReturns->surface.pixels, expected.pixels);
}

TEST_F(InstructionsViewerTest, MissingFileIsCreatedEmptyAndShownAsOneEmptyLine) {
    Window* viewer = OpenViewer();
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(std::filesystem::is_regular_file(folder / "instruct.txt"));
    EXPECT_EQ(std::filesystem::file_size(folder / "instruct.txt"), 0u);
    EXPECT_EQ(ScrollOf(viewer).max, 0);
    EXPECT_FALSE(InkIn(viewer, 0, viewer->clientHeight).Any());
}

TEST_F(InstructionsViewerTest, FileThatCannotBeCreatedLeavesAnEmptyViewerAndNoMessage) {
    // Like a read-only data folder (which would not stop root): the name leads nowhere writable.
    std::filesystem::create_symlink(folder / "missing" / "instruct.txt", folder / "instruct.txt");
    Window* viewer = OpenViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
    EXPECT_FALSE(InkIn(viewer, 0, viewer->clientHeight).Any());
    EXPECT_TRUE(host.MessageBoxes().empty());

    // It still scrolls and closes like any viewer.
    QueueVerticalScroll(viewer, SB_BOTTOM, 0);
    RunQueue();
    EXPECT_EQ(ScrollOf(viewer).pos, 0);
    SendMessage(viewer, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(viewer));
}

TEST_F(InstructionsViewerTest, EachScrollRequestSettlesWithinTheBarAndMatchesAFullRepaint) {
    WriteInstructions(NumberedLines(100));
    Window* viewer = OpenViewer();
    ASSERT_NE(viewer, nullptr);
    // A client area 450 pixels high.
    SetWindowPos(viewer, nullptr, 0, 0, 640, 480 - viewer->clientHeight + 450,
                 SWP_NOMOVE | SWP_NOZORDER);
    RunQueue();
    ASSERT_EQ(viewer->clientHeight, 450);
    const int lh = LineHeightOf(viewer);
    const int page = 450 / lh;  // 28 with the 16-pixel lines of the default font
    ASSERT_EQ(ScrollOf(viewer).page, page);
    ASSERT_EQ(ScrollOf(viewer).max, 99);
    const int bottom = 99 - page + 1;  // 72 with 28-line pages

    struct Case {
        const char* what;
        int start;
        int request;
        int trackPosition;
        int expected;
    };
    const Case cases[] = {
        {"line down", 0, SB_LINEDOWN, 0, 1},
        {"line up", 5, SB_LINEUP, 0, 4},
        {"page down", 3, SB_PAGEDOWN, 0, 3 + page},
        {"page up past the top", 5, SB_PAGEUP, 0, 0},
        {"bottom", 0, SB_BOTTOM, 0, bottom},
        {"page down past the bottom", bottom - 1, SB_PAGEDOWN, 0, bottom},
        {"top", 40, SB_TOP, 0, 0},
        {"the drag moves the text", 0, SB_THUMBTRACK, 10, 10},
        {"the end of a drag alone does not", 0, SB_THUMBPOSITION, 10, 0},
        {"end of scrolling", 7, SB_ENDSCROLL, 0, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QueueVerticalScroll(viewer, SB_THUMBTRACK, c.start);
        RunQueue();
        ASSERT_EQ(ScrollOf(viewer).pos, c.start);

        QueueVerticalScroll(viewer, c.request, c.trackPosition);
        RunQueue();
        EXPECT_EQ(ScrollOf(viewer).pos, c.expected);
        // Moved pixels and the painted strip together show what a full repaint shows.
        EXPECT_EQ(viewer->surface.pixels, FullyRepainted(viewer).pixels);
    }
}

// The keys and the wheel move the text as the scroll bar's parts do, and stay within its range.
TEST_F(InstructionsViewerTest, KeysAndWheelScrollWithinTheBar) {
    WriteInstructions(NumberedLines(100));
    Window* viewer = OpenViewer();
    ASSERT_NE(viewer, nullptr);
    const int page = ScrollOf(viewer).page;
    ASSERT_GT(page, 3);
    const int bottom = 99 - page + 1;

    struct Case {
        const char* what;
        int start;
        WPARAM key;      // 0: the wheel instead
        int wheelTurns;  // in eighths of a degree, positive away from the player
        int expected;
    };
    const Case cases[] = {
        {"down", 0, VK_DOWN, 0, 1},
        {"up", 5, VK_UP, 0, 4},
        {"page down", 3, VK_NEXT, 0, 3 + page},
        {"page up past the top", 5, VK_PRIOR, 0, 0},
        {"end", 0, VK_END, 0, bottom},
        {"home", 40, VK_HOME, 0, 0},
        {"a key the viewer has no use for", 7, 'R', 0, 7},
        {"a notch towards the player", 10, 0, -WHEEL_DELTA, 13},
        {"two notches away", 10, 0, 2 * WHEEL_DELTA, 4},
        {"a notch away at the top", 0, 0, WHEEL_DELTA, 0},
        {"a notch towards the player at the bottom", bottom, 0, -WHEEL_DELTA, bottom},
        {"a touchpad's small steps add up", 10, 0, -WHEEL_DELTA / 4, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QueueVerticalScroll(viewer, SB_THUMBTRACK, c.start);
        RunQueue();
        ASSERT_EQ(ScrollOf(viewer).pos, c.start);

        if (c.key != 0) {
            host.PressKey(viewer, c.key);
        } else {
            QueueMouseWheel(viewer, c.wheelTurns, 100, 100);
        }
        RunQueue();
        EXPECT_EQ(ScrollOf(viewer).pos, c.expected);
        EXPECT_EQ(viewer->surface.pixels, FullyRepainted(viewer).pixels);
    }
    // The touchpad's quarter notch above and three more make one notch: three lines.
    for (int step = 0; step < 3; ++step) QueueMouseWheel(viewer, -WHEEL_DELTA / 4, 100, 100);
    RunQueue();
    EXPECT_EQ(ScrollOf(viewer).pos, 13);
    EXPECT_TRUE(IsWindow(viewer));
}

TEST_F(InstructionsViewerTest, LineUpAtTheTopScrollsNothing) {
    WriteInstructions(NumberedLines(50));
    Window* viewer = OpenViewer();
    ASSERT_NE(viewer, nullptr);
    const Bitmap before = viewer->surface;
    const int presents = host.PresentCount();

    QueueVerticalScroll(viewer, SB_LINEUP, 0);
    RunQueue();
    EXPECT_EQ(ScrollOf(viewer).pos, 0);
    EXPECT_EQ(host.PresentCount(), presents);
    EXPECT_EQ(viewer->surface.pixels, before.pixels);
}

TEST_F(InstructionsViewerTest, ClosingOneViewerLeavesTheOtherItsLines) {
    WriteInstructions(NumberedLines(30));
    Window* first = OpenViewer();
    Window* second = OpenViewer();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, first);
    const Bitmap shown = second->surface;
    ASSERT_TRUE(InkIn(second, 0, second->clientHeight).Any());

    // The file changes after the second viewer read it: it keeps what it read.
    WriteInstructions("");
    SendMessage(first, WM_CLOSE, 0, 0);
    ASSERT_FALSE(IsWindow(first));
    EXPECT_EQ(FullyRepainted(second).pixels, shown.pixels);
}

}  // namespace
