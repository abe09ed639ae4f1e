// shell/board_painting.cpp: PaintBoard: the whole client area composed off-screen, back to front
// (desktop colour, sea, both boards, ships, aim marks, miss and hit marks, status text), then
// copied to the window in one block copy, so a half-drawn frame is never seen.
#include "shell/board_painting.h"

#include <cstring>
#include <string_view>

#include "battle/game_state.h"
#include "fleet/fleet.h"
#include "imaging/point_size_font.h"
#include "platform/drawing/drawing.h"
#include "platform/repaint.h"
#include "platform/screen.h"
#include "setup/program_objects.h"
#include "setup/status_line.h"
#include "shell/layout_scale.h"

namespace shell {

namespace {

using platform::DeviceContext;

// A mark gets the rectangle of one cell of its board: the twelfth kept as a double, the corner
// truncated, the far edges truncated again by SetBounds.
void DrawInCell(imaging::Picture& mark, const imaging::Picture& board, int x, int y,
                DeviceContext* buffer) {
    const double cellWidth = (board.GetRight() - board.GetLeft()) * 0.08333333333333333;
    const double cellHeight = (board.GetBottom() - board.GetTop()) * 0.08333333333333333;
    const double cellX = static_cast<int>(board.GetLeft() + x * cellWidth);
    const double cellY = static_cast<int>(board.GetTop() + y * cellHeight);
    mark.SetBounds(cellX, cellY, cellX + cellWidth, cellY + cellHeight, nullptr);
    mark.Draw(buffer);
}

// The player's slots are the even ones; the computer's aims are never shown.
void DrawAimMarks(DeviceContext* buffer) {
    for (int slot = 0; slot < battle::SalvoSize; slot += 2) {
        const battle::Shot& shot = battle::GameState.salvo[slot];
        if (shot.side != battle::Player && shot.side != battle::Enemy) continue;
        DrawInCell(setup::TargetPicture, setup::BoardPictures[shot.side], shot.x, shot.y, buffer);
    }
}

// A sunk ship is shown by its own sunk picture, so its cells (31 to 35) get no mark.
void DrawCellMarks(DeviceContext* buffer) {
    for (int side = battle::Player; side <= battle::Enemy; ++side) {
        const battle::Board& board = battle::GameState.boards[side];
        for (int x = 0; x < battle::BoardSize; ++x) {
            for (int y = 0; y < battle::BoardSize; ++y) {
                const std::int32_t code = board[x][y];
                if (code == battle::Miss) {
                    DrawInCell(setup::MissPicture, setup::BoardPictures[side], x, y, buffer);
                } else if (battle::IsHitShipAfloat(code)) {
                    DrawInCell(setup::HitPicture, setup::BoardPictures[side], x, y, buffer);
                }
            }
        }
    }
}

void DrawStatusText(DeviceContext* buffer) {
    // The double nearest 5/43: 119 tenths of a point at 1024 pixels wide, 93 at 800, 74 at 640.
    const int tenthsOfPoint = static_cast<int>(ScreenWidth * 0.11627906976744186);
    platform::Font* font =
        imaging::CreatePointSizeFont(buffer, "Arial", tenthsOfPoint, 0, imaging::FontBold, true);
    platform::SelectObject(buffer, font);
    platform::SetBkMode(buffer, platform::TRANSPARENT);
    platform::SetTextColor(buffer, platform::Rgb(85, 85, 0));
    const std::string_view text(setup::StatusText,
                                strnlen(setup::StatusText, sizeof setup::StatusText));
    platform::TextOut(buffer, static_cast<int>(320 * ScaleX), static_cast<int>(22 * ScaleY), text);
    platform::SelectObject(buffer, platform::GetStockObject(platform::StockObject::SystemFont));
    platform::DeleteObject(font);
}

void Compose(platform::Window* window, DeviceContext* buffer, int width, int height) {
    platform::FillRect(buffer, platform::Rect{0, 0, width, height},
                       platform::GetSysColor(platform::COLOR_BACKGROUND));
    setup::SeaBackPicture.Draw(buffer);
    setup::BoardPictures[battle::Player].Draw(buffer);
    setup::BoardPictures[battle::Enemy].Draw(buffer);
    // Hidden ships draw nothing: the computer's fleet stays unseen in battle until sunk.
    for (fleet::Ship& ship : fleet::Ships) ship.Draw(window, buffer);
    DrawAimMarks(buffer);
    DrawCellMarks(buffer);
}

}  // namespace

void PaintBoard(platform::Window* window) {
    DeviceContext* windowDc = platform::GetDC(window);
    if (windowDc == nullptr) return;
    platform::Rect client;
    platform::GetClientRect(window, &client);
    const int width = client.right;
    const int height = client.bottom;

    DeviceContext* buffer = platform::CreateCompatibleDC(windowDc);
    platform::Bitmap* frame = platform::CreateCompatibleBitmap(windowDc, width, height);
    platform::Bitmap* kept = platform::SelectObject(buffer, frame);

    Compose(window, buffer, width, height);
    platform::ReleaseDC(window, windowDc);
    DrawStatusText(buffer);

    // The platform limits the copy to the marked area and clears the marks: a direct call with
    // nothing marked leaves the screen as it was.
    platform::PaintStruct paint;
    platform::DeviceContext* paintDc = platform::BeginPaint(window, &paint);
    platform::BitBlt(paintDc, 0, 0, width, height, buffer, 0, 0, platform::SRCCOPY);
    platform::EndPaint(window, &paint);

    platform::SelectObject(buffer, kept);
    platform::DeleteObject(frame);
    platform::DeleteDC(buffer);
}

}  // namespace shell
