// tests/setup/status_line_test.cpp: the areas the status line and a single cell mark for
// repainting, from the factors and board rectangles in force.
#include <gtest/gtest.h>

#include "platform/repaint.h"
#include "setup/status_line.h"
#include "shell/main_window.h"
#include "tests/setup/placement_moves.h"
#include "tests/support/game_on_test_host.h"

namespace placement_test {
namespace {

using platform::Rect;

// What one call marks, with everything else painted first.
template <typename Mark>
Rect MarkedBy(Mark mark) {
    platform::UpdateWindow(shell::MainWindow);
    mark();
    return shell::MainWindow->updateArea;
}

TEST(StatusLine, MarksItsRectangleAtEachSizeAndKeepsTheTextWhenGivenNone) {
    struct Case {
        int width, height;
        Rect status;
        Rect cell;  // column 11, row 11 of the player's board
    } cases[] = {
        {1024, 768, {302, 12, 723, 48}, {457, 540, 497, 582}},
        {800, 600, {235, 9, 564, 36}, {355, 412, 386, 444}},
    };
    for (const Case& c : cases) {
        platform::ScreenFacts screen;
        screen.width = c.width;
        screen.height = c.height;
        testing_support::GameOnTestHost game(screen);
        game.Then([&] {
            setup::SetStatus(shell::MainWindow, "Place Ship On Map...");
            EXPECT_EQ(MarkedBy([] { setup::SetStatus(shell::MainWindow, nullptr); }), c.status);
            EXPECT_STREQ(setup::StatusText, "Place Ship On Map...");
            EXPECT_EQ(MarkedBy([] { setup::InvalidateCell(shell::MainWindow, 0, 11, 11); }),
                      c.cell);
        });
        EXPECT_EQ(game.Run(), 0);
    }
}

}  // namespace
}  // namespace placement_test
