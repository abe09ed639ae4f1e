// tests/setup/status_line_test.cpp: the areas the status line and a single cell mark for
// repainting, from the factors and board rectangles in force.
#include "setup/status_line.h"

#include <gtest/gtest.h>

#include "fleet/board_cell.h"
#include "platform/repaint.h"
#include "shell/main_window.h"
#include "tests/setup/placement_moves.h"
#include "tests/support/game_on_test_host.h"
#include "windows/program_handles.h"

namespace placement_test {
namespace {

using platform::Rect;

// What one call marks, with everything else painted first.
template <typename Mark>
Rect MarkedBy(Mark mark) {
    platform::UpdateWindow(windows::App.MainWindow);
    mark();
    return windows::App.MainWindow->updateArea;
}

TEST(StatusLine, MarksItsRectangleAtEachSizeAndKeepsTheTextWhenGivenNone) {
    struct Case {
        int width, height;
        Rect status;
        Rect cell;  // column 11, row 11 of the player's board, as the painter draws it
    } cases[] = {
        {1024, 768, {302, 12, 723, 48}, {457, 540, 497, 582}},
        {800, 600, {235, 9, 564, 36}, {357, 415, 389, 447}},
    };
    for (const Case& c : cases) {
        platform::ScreenFacts screen;
        screen.width = c.width;
        screen.height = c.height;
        testing_support::GameOnTestHost game(screen);
        game.Then([&] {
            setup::SetStatus(windows::App.MainWindow, "Place Ship On Map...");
            EXPECT_EQ(MarkedBy([] { setup::SetStatus(windows::App.MainWindow, nullptr); }),
                      c.status);
            EXPECT_STREQ(setup::Status.StatusText, "Place Ship On Map...");
            EXPECT_EQ(MarkedBy([] {
                          fleet::InvalidateCell(windows::App.MainWindow, rules::Player, 11, 11);
                      }),
                      c.cell);
        });
        EXPECT_EQ(game.Run(), 0);
    }
}

}  // namespace
}  // namespace placement_test
