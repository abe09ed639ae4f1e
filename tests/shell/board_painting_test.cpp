// tests/shell/board_painting_test.cpp: the composed frame of a battle on the test host, pixel by
// pixel: aim, miss and hit marks as their pictures draw them and only where they belong, a sunk
// ship shown by its sunk picture without hit marks, the status line's place, and a direct paint
// that changes nothing when nothing was marked, a paint of marked pieces alone, and a background
// composed anew from its files.
#include "shell/board_painting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "fleet/board_cell.h"
#include "fleet/fleet.h"
#include "fleet/program_objects.h"
#include "resources/resource_ids.h"
#include "rules/game.h"
#include "setup/layout_scale.h"
#include "setup/status_line.h"
#include "tests/scenarios/battle_scenario.h"
#include "tests/support/game_on_test_host.h"
#include "windows/program_handles.h"

namespace {

using namespace scenario;
using Frame = std::vector<platform::Pixel>;

// The whole client area painted afresh.
Frame PaintedFrame() {
    platform::InvalidateRect(windows::App.MainWindow, nullptr, false);
    platform::UpdateWindow(windows::App.MainWindow);
    return windows::App.MainWindow->surface.pixels;
}

std::size_t IndexOf(int x, int y) {
    return static_cast<std::size_t>(y) * windows::App.MainWindow->surface.width + x;
}

platform::Pixel PixelOf(fixtures::Rgb24 c) {
    return platform::PixelOf(platform::Rgb(c.red, c.green, c.blue));
}

// Where the painter puts a mark: the corner of the cell truncated, the far edges one cell on.
platform::Rect MarkRect(int side, int x, int y) {
    const imaging::Picture& board = fleet::Pictures.BoardPictures[side];
    const double w = (board.GetRight() - board.GetLeft()) / 12.0;
    const double h = (board.GetBottom() - board.GetTop()) / 12.0;
    const int left = static_cast<int>(board.GetLeft() + x * w);
    const int top = static_cast<int>(board.GetTop() + y * h);
    return platform::Rect{left, top, static_cast<int>(left + w), static_cast<int>(top + h)};
}

// Inside the rectangle, the picture as drawn there: its own pixels where its mask says drawn,
// and what lies beneath (the frame painted without it) where its white lets that show.
void ExpectPictureAt(const imaging::Picture& picture, const platform::Rect& at, const Frame& with,
                     const Frame& without) {
    ASSERT_NE(picture.mask, nullptr);
    ASSERT_EQ(picture.mask->width, at.Width());
    ASSERT_EQ(picture.mask->height, at.Height());
    int drawn = 0;
    int wrong = 0;
    for (int y = 0; y < at.Height(); ++y) {
        for (int x = 0; x < at.Width(); ++x) {
            const std::size_t own = static_cast<std::size_t>(y) * at.Width() + x;
            const std::size_t frame = IndexOf(at.left + x, at.top + y);
            const bool white = picture.mask->bits[own] != 0;
            drawn += !white;
            wrong += with[frame] != (white ? without[frame] : picture.maskedImage->pixels[own]);
        }
    }
    EXPECT_GT(drawn, 0);
    EXPECT_EQ(wrong, 0);
}

void ExpectMarkAt(imaging::Picture& mark, int side, const Cell& cell, const Frame& with,
                  const Frame& without) {
    SCOPED_TRACE(testing::Message() << "board " << side << " cell " << cell.x << "," << cell.y);
    const platform::Rect at = MarkRect(side, cell.x, cell.y);
    mark.SetBounds(at.left, at.top, at.right, at.bottom, nullptr);
    ExpectPictureAt(mark, at, with, without);
}

void ExpectNothingDrawnAt(const platform::Rect& at, const Frame& with, const Frame& without) {
    int changed = 0;
    for (int y = at.top; y < at.bottom; ++y) {
        for (int x = at.left; x < at.right; ++x)
            changed += with[IndexOf(x, y)] != without[IndexOf(x, y)];
    }
    EXPECT_EQ(changed, 0);
}

Cell FirstCellWithCode(int side, std::int32_t code) {
    for (int x = 0; x < rules::BoardSize; ++x) {
        for (int y = 0; y < rules::BoardSize; ++y) {
            if (TheGame().boards[side][x][y] == code) return Cell{x, y};
        }
    }
    ADD_FAILURE() << "no cell holds " << code;
    return Cell{};
}

// The same battle with every aim, miss and hit mark taken away.
Frame PaintedWithoutMarks() {
    const rules::Game saved = TheGame();
    for (rules::Shot& shot : TheGame().salvo) shot.side = rules::NoShot;
    for (rules::Board& board : TheGame().boards) {
        for (auto& column : board) {
            for (std::int32_t& code : column) {
                if (code == rules::Miss) code = rules::Water;
                if (rules::IsHitShipAfloat(code)) code -= rules::HitStage;
            }
        }
    }
    Frame without = PaintedFrame();
    TheGame() = saved;
    return without;
}

TEST(BoardPainting, MarksAndWrecksAppearAsTheirPicturesDrawThem) {
    BattleGame game;
    game.StartBattle();
    Cell aimed[2];
    game.Then([&] {
        const std::vector<Cell> water = UntouchedCells(rules::Enemy, /*shipsFirst=*/false);
        aimed[0] = water[0];
        aimed[1] = water[1];
        ClickEnemyCell(game.host, aimed[0].x, aimed[0].y);
        ClickEnemyCell(game.host, aimed[1].x, aimed[1].y);
    });
    game.Then([&] {
        // Resolved cells on both boards, and an enemy ship (not the one hit) sunk where it lies.
        const Cell enemyMiss = UntouchedCells(rules::Enemy, false)[0];
        TheGame().boards[rules::Enemy][enemyMiss.x][enemyMiss.y] = rules::Miss;
        const Cell enemyHit = FirstCellWithCode(rules::Enemy, 1);
        TheGame().boards[rules::Enemy][enemyHit.x][enemyHit.y] += rules::HitStage;
        TheGame().fleets[rules::Enemy][0].hits += 1;
        SinkInPlace(rules::Enemy, 2);
        const Cell playerMiss = UntouchedCells(rules::Player, false)[0];
        TheGame().boards[rules::Player][playerMiss.x][playerMiss.y] = rules::Miss;
        const Cell playerHit = FirstCellWithCode(rules::Player, 4);
        TheGame().boards[rules::Player][playerHit.x][playerHit.y] += rules::HitStage;

        const Frame with = PaintedFrame();
        const Frame without = PaintedWithoutMarks();

        ExpectMarkAt(fleet::Pictures.TargetPicture, rules::Enemy, aimed[0], with, without);
        ExpectMarkAt(fleet::Pictures.TargetPicture, rules::Enemy, aimed[1], with, without);
        ExpectMarkAt(fleet::Pictures.MissPicture, rules::Enemy, enemyMiss, with, without);
        ExpectMarkAt(fleet::Pictures.HitPicture, rules::Enemy, enemyHit, with, without);
        ExpectMarkAt(fleet::Pictures.MissPicture, rules::Player, playerMiss, with, without);
        ExpectMarkAt(fleet::Pictures.HitPicture, rules::Player, playerHit, with, without);

        // The computer's aims (slots 1 and 3) get no mark.
        for (int slot : {1, 3}) {
            const rules::Shot& shot = TheGame().salvo[slot];
            ASSERT_EQ(shot.side, rules::Player);
            ExpectNothingDrawnAt(MarkRect(rules::Player, shot.x, shot.y), with, without);
        }

        // The wreck: its sunk picture over all its cells, and not one pixel of a hit mark.
        const fleet::Ship& wreck = ShipAt(rules::Enemy, 2);
        const imaging::Picture& sunk = *wreck.currentPicture;
        EXPECT_TRUE(&sunk == &wreck.sunkPicture || &sunk == &wreck.sunkVerticalPicture);
        ExpectPictureAt(sunk, platform::Rect{sunk.left, sunk.top, sunk.right, sunk.bottom}, with,
                        without);
        int hitPixels = 0;
        for (int y = sunk.top; y < sunk.bottom; ++y) {
            for (int x = sunk.left; x < sunk.right; ++x) {
                hitPixels += with[IndexOf(x, y)] == PixelOf(fixtures::HitColour);
            }
        }
        EXPECT_EQ(hitPixels, 0);

        // A hidden ship of the computer is not on the screen.
        const Cell hidden = FirstCellWithCode(rules::Enemy, 4);
        const platform::Point centre = CellCentre(rules::Enemy, hidden.x, hidden.y);
        EXPECT_NE(with[IndexOf(centre.x, centre.y)], PixelOf(fixtures::AfloatColour));
    });
    EXPECT_EQ(game.Run(), 0);
}

// What a picture draws on its own, at its rectangle, over a frame of the window's size.
Frame DrawnAlone(imaging::Picture& picture) {
    const platform::Bitmap& surface = windows::App.MainWindow->surface;
    platform::Bitmap* bitmap =
        platform::CreateBitmap(surface.width, surface.height, 1, 32, nullptr);
    platform::DeviceContext* dc = platform::CreateCompatibleDC(nullptr);
    platform::Bitmap* kept = platform::SelectObject(dc, bitmap);
    picture.Draw(dc);
    Frame pixels = bitmap->pixels;
    platform::SelectObject(dc, kept);
    platform::DeleteDC(dc);
    platform::DeleteObject(bitmap);
    return pixels;
}

TEST(BoardPainting, TheBoardsFollowAScreenSizeChange) {
    BattleGame game;
    game.Then([&] {
        PaintedFrame();
        platform::PostMessage(windows::App.MainWindow, platform::WM_COMMAND,
                              resources::IDM_SIZE_800, 0);
    });
    game.Then([&] {
        ASSERT_EQ(windows::App.MainWindow->clientWidth, 800);
        const Frame frame = PaintedFrame();
        // A new game: the ships wait in their docks, so the boards show nothing but their grids.
        for (int side : {rules::Player, rules::Enemy}) {
            SCOPED_TRACE(testing::Message() << "board " << side);
            imaging::Picture& board = fleet::Pictures.BoardPictures[side];
            const Frame grid = DrawnAlone(board);
            int wrong = 0;
            for (int y = board.top; y < board.bottom; ++y) {
                for (int x = board.left; x < board.right; ++x)
                    wrong += frame[IndexOf(x, y)] != grid[IndexOf(x, y)];
            }
            EXPECT_EQ(wrong, 0);
        }
    });
    EXPECT_EQ(game.Run(), 0);
}

struct StatusCase {
    int screenWidth, screenHeight;
    int left, top;  // where the status text starts, in pixels
};

class StatusLine : public testing::TestWithParam<StatusCase> {};

TEST_P(StatusLine, StartsAtTheDesignPointInItsColour) {
    const StatusCase c = GetParam();
    platform::ScreenFacts screen;
    screen.width = c.screenWidth;
    screen.height = c.screenHeight;
    BattleGame game(screen);
    game.Then([&] {
        setup::SetStatus(windows::App.MainWindow, "");
        const Frame empty = PaintedFrame();
        setup::SetStatus(windows::App.MainWindow, "You Have 5 Shots Remaining...");
        const Frame text = PaintedFrame();
        platform::Rect changed{1 << 20, 1 << 20, -1, -1};
        int inTextColour = 0;
        const int width = windows::App.MainWindow->surface.width;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == empty[i]) continue;
            const int x = static_cast<int>(i % width);
            const int y = static_cast<int>(i / width);
            changed =
                platform::Rect{std::min(changed.left, x), std::min(changed.top, y),
                               std::max(changed.right, x + 1), std::max(changed.bottom, y + 1)};
            inTextColour += text[i] == platform::PixelOf(platform::Rgb(85, 85, 0));
        }
        EXPECT_GT(inTextColour, 0);
        // The first glyph's ink starts at the text's corner or just inside it, never before it.
        EXPECT_GE(changed.left, c.left);
        EXPECT_LE(changed.left, c.left + 1);
        EXPECT_GE(changed.top, c.top);
        EXPECT_LE(changed.top, c.top + 3);
    });
    EXPECT_EQ(game.Run(), 0);
}

// Caption and menu bar 19 pixels high each: at 640 by 480 the design y 22 becomes 13.
// The longest texts end inside the status frame, also on a screen of more dots per inch, where
// the designed point size alone would carry them past it.
TEST_P(StatusLine, TheLongestTextsEndInsideTheFrame) {
    const StatusCase c = GetParam();
    for (int dpi : {96, 120}) {
        platform::ScreenFacts screen;
        screen.width = c.screenWidth;
        screen.height = c.screenHeight;
        screen.logicalDpiX = screen.logicalDpiY = dpi;
        BattleGame game(screen);
        game.Then([&] {
            setup::SetStatus(windows::App.MainWindow, "");
            const Frame empty = PaintedFrame();
            const int width = windows::App.MainWindow->surface.width;
            for (const char* status : {"Select Ship To Reposition or Press Start To Begin...",
                                       "Their Ship Is Sinking...burn, Burn, BURN !!!",
                                       "You Have 5 More Ships, Select Ship To Place..."}) {
                SCOPED_TRACE(testing::Message() << dpi << " dpi: " << status);
                setup::SetStatus(windows::App.MainWindow, status);
                const Frame text = PaintedFrame();
                int right = -1;
                for (std::size_t i = 0; i < text.size(); ++i)
                    if (text[i] != empty[i]) right = std::max(right, static_cast<int>(i % width));
                EXPECT_GT(right, c.left);
                EXPECT_LT(right, setup::DesignX(723));
            }
        });
        EXPECT_EQ(game.Run(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(AtEachScreenSize, StatusLine,
                         testing::Values(StatusCase{1024, 768, 320, 22},
                                         StatusCase{800, 600, 250, 16},
                                         StatusCase{640, 480, 200, 13}),
                         [](const testing::TestParamInfo<StatusCase>& info) {
                             return "Width" + std::to_string(info.param.screenWidth);
                         });

TEST(BoardPainting, ADirectPaintChangesOnlyWhatWasMarked) {
    BattleGame game;
    game.StartBattle();
    game.Then([&] {
        const Frame before = PaintedFrame();
        const Cell cell = UntouchedCells(rules::Enemy, /*shipsFirst=*/false)[0];
        const platform::Rect at = MarkRect(rules::Enemy, cell.x, cell.y);
        TheGame().boards[rules::Enemy][cell.x][cell.y] = rules::Miss;
        shell::PaintBoard(windows::App.MainWindow);
        ExpectNothingDrawnAt(at, windows::App.MainWindow->surface.pixels, before);
        fleet::InvalidateCell(windows::App.MainWindow, rules::Enemy, cell.x, cell.y);
        shell::PaintBoard(windows::App.MainWindow);
        ExpectMarkAt(fleet::Pictures.MissPicture, rules::Enemy, cell,
                     windows::App.MainWindow->surface.pixels, before);
    });
    EXPECT_EQ(game.Run(), 0);
}

// A paint composes the marked pieces alone, with the very pixels the whole frame has there: cut
// through marks, the status text, board edges and the sea, one piece or several. The surface is
// scribbled over first, so a piece composed wrongly or a pixel painted outside what was marked
// shows. Shown ships mark themselves on every paint, so their rectangles are composed too.
TEST(BoardPainting, APaintOfMarkedPiecesGivesTheWholeFramesPixelsThereAndNothingElse) {
    BattleGame game;
    game.StartBattle();
    game.Then([&] {
        const std::vector<Cell> water = UntouchedCells(rules::Enemy, /*shipsFirst=*/false);
        ClickEnemyCell(game.host, water[0].x, water[0].y);
    });
    game.Then([&] {
        for (int k = 0; k < 6; ++k) {
            const Cell miss = UntouchedCells(rules::Enemy, false)[k * 3];
            TheGame().boards[rules::Enemy][miss.x][miss.y] = rules::Miss;
        }
        const Cell enemyHit = FirstCellWithCode(rules::Enemy, 1);
        TheGame().boards[rules::Enemy][enemyHit.x][enemyHit.y] += rules::HitStage;
        const Cell playerHit = FirstCellWithCode(rules::Player, 4);
        TheGame().boards[rules::Player][playerHit.x][playerHit.y] += rules::HitStage;
        setup::SetStatus(windows::App.MainWindow, "You Have 4 Shots Remaining...");
        const Frame whole = PaintedFrame();

        const platform::Rect hit = MarkRect(rules::Enemy, enemyHit.x, enemyHit.y);
        const platform::Rect status{setup::DesignX(300), 0, setup::DesignX(520),
                                    setup::DesignY(60)};
        struct Case {
            const char* name;
            std::vector<platform::Rect> marked;
        };
        const imaging::Picture& board = fleet::Pictures.BoardPictures[rules::Enemy];
        const std::vector<Case> cases = {
            {"half of a hit mark",
             {{hit.left + hit.Width() / 2, hit.top + 3, hit.right, hit.bottom - 2}}},
            {"a strip through the status text",
             {{status.left + 7, status.top, status.right - 11, status.bottom - 25}}},
            {"across the enemy board's edge into the sea",
             {{board.left - 13, board.top + 50, board.left + 61, board.top + 143}}},
            {"one pixel wide, top to bottom",
             {{513, 0, 514, windows::App.MainWindow->clientHeight}}},
            {"pieces far apart",
             {{hit.left, hit.top, hit.left + 9, hit.top + 9},
              {status.left, status.top + 20, status.left + 40, status.bottom},
              {3, windows::App.MainWindow->clientHeight - 40, 60,
               windows::App.MainWindow->clientHeight}}},
        };
        const platform::Pixel scribble = 0x123456;
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            std::vector<platform::Pixel>& surface = windows::App.MainWindow->surface.pixels;
            std::fill(surface.begin(), surface.end(), scribble);
            std::vector<platform::Rect> composed = c.marked;
            for (const fleet::Ship& ship : fleet::Ships) {
                const imaging::Picture& shown = *ship.currentPicture;
                if (ship.visible == 1)
                    composed.push_back({shown.left, shown.top, shown.right, shown.bottom});
            }
            for (const platform::Rect& r : c.marked)
                platform::InvalidateRect(windows::App.MainWindow, &r, false);
            shell::PaintBoard(windows::App.MainWindow);
            int wrong = 0;
            int painted = 0;
            const int width = windows::App.MainWindow->surface.width;
            for (std::size_t i = 0; i < surface.size(); ++i) {
                const int x = static_cast<int>(i % width);
                const int y = static_cast<int>(i / width);
                const bool marked =
                    std::any_of(composed.begin(), composed.end(), [&](const platform::Rect& r) {
                        return r.left <= x && x < r.right && r.top <= y && y < r.bottom;
                    });
                painted += marked;
                wrong += surface[i] != (marked ? whole[i] : scribble);
            }
            EXPECT_GT(painted, 0);
            EXPECT_EQ(wrong, 0);
        }
    });
    EXPECT_EQ(game.Run(), 0);
}

// The end of a game lets the kept background go; the sea and boards were let go once it was
// composed, so the next paint reads them from their files again and must give the same frame.
TEST(BoardPainting, TheBackgroundComposedAnewFromItsFilesGivesTheSameFrame) {
    BattleGame game;
    game.StartBattle();
    game.Then([&] {
        const Frame before = PaintedFrame();
        shell::LetBackgroundGo();
        EXPECT_TRUE(PaintedFrame() == before);
        shell::LetBackgroundGo();
        shell::LetBackgroundGo();  // the second time finds nothing to let go
        EXPECT_TRUE(PaintedFrame() == before);
    });
    EXPECT_EQ(game.Run(), 0);
}

}  // namespace
