// shell/board_painting.cpp: PaintBoard: the marked part of the client area composed back to front
// (desktop colour, sea, both boards, ships, aim marks, miss and hit marks, status text) straight
// into the window's surface, which the desktop is shown only once the paint has ended.
#include "shell/board_painting.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fleet/board_cell.h"
#include "fleet/fleet.h"
#include "fleet/program_objects.h"
#include "imaging/point_size_font.h"
#include "platform/drawing/drawing.h"
#include "platform/repaint.h"
#include "platform/screen.h"
#include "rules/game.h"
#include "rules/moves.h"
#include "setup/layout_scale.h"
#include "setup/ship_placement.h"
#include "setup/status_line.h"
#include "shell/keyboard_play.h"
#include "shell/session.h"

namespace shell {

namespace {

using platform::DeviceContext;

// A mark's mask and masked image depend only on its picture and its size, and a board's cells
// differ in size by a pixel at most, so a mark moved to a cell of the size its mask was built
// for keeps that mask: rebuilding it, as a SetBounds would, gives the very same pixels.
void MoveMark(imaging::Picture& mark, double left, double top, double right, double bottom) {
    // Far beyond any screen a Picture clamps its edges; only the ordinary case is taken here.
    constexpr double Ordinary = 1 << 29;
    for (double edge : {left, top, right, bottom}) {
        if (!(edge > -Ordinary && edge < Ordinary)) {
            mark.SetBounds(left, top, right, bottom, nullptr);
            return;
        }
    }
    const int l = static_cast<int>(left);
    const int t = static_cast<int>(top);
    const int r = static_cast<int>(right);
    const int b = static_cast<int>(bottom);
    const bool maskFits = mark.scale == 0 && mark.drawMode == imaging::DrawModeTransparent &&
                          mark.bitmap != nullptr && mark.mask != nullptr &&
                          mark.maskedImage != nullptr &&
                          platform::GetObject(mark.mask).width == r - l &&
                          platform::GetObject(mark.mask).height == b - t;
    if (!maskFits) {
        mark.SetBounds(left, top, right, bottom, nullptr);
        return;
    }
    mark.left = l;
    mark.top = t;
    mark.right = r;
    mark.bottom = b;
}

// A mark gets the rectangle of one cell of its board: the twelfth kept as a double, the corner
// truncated, the far edges truncated again as the rectangle is set.
void DrawInCell(imaging::Picture& mark, const imaging::Picture& board, int x, int y,
                DeviceContext* buffer) {
    const double cellWidth = (board.GetRight() - board.GetLeft()) * fleet::OneTwelfth;
    const double cellHeight = (board.GetBottom() - board.GetTop()) * fleet::OneTwelfth;
    const double cellX = static_cast<int>(board.GetLeft() + x * cellWidth);
    const double cellY = static_cast<int>(board.GetTop() + y * cellHeight);
    MoveMark(mark, cellX, cellY, cellX + cellWidth, cellY + cellHeight);
    mark.Draw(buffer);
}

// The player's own aims; the computer's are never shown.
void DrawAimMarks(DeviceContext* buffer) {
    for (const rules::Cell& cell : rules::OurShots(TheSession.game)) {
        DrawInCell(fleet::Pictures.TargetPicture, fleet::Pictures.BoardPictures[rules::Enemy],
                   cell.x, cell.y, buffer);
    }
}

// A sunk ship is shown by its own sunk picture, so its cells (31 to 35) get no mark.
void DrawCellMarks(DeviceContext* buffer) {
    for (int side = rules::Player; side <= rules::Enemy; ++side) {
        const rules::Board& board = TheSession.game.boards[side];
        for (int x = 0; x < rules::BoardSize; ++x) {
            for (int y = 0; y < rules::BoardSize; ++y) {
                const std::int32_t code = board[x][y];
                if (code == rules::Miss) {
                    DrawInCell(fleet::Pictures.MissPicture, fleet::Pictures.BoardPictures[side], x,
                               y, buffer);
                } else if (rules::IsHitShipAfloat(code)) {
                    DrawInCell(fleet::Pictures.HitPicture, fleet::Pictures.BoardPictures[side], x,
                               y, buffer);
                }
            }
        }
    }
}

// The status font: 119 tenths of a point at 1024 pixels wide, 93 at 800, 74 at 640 (the double
// nearest 5/43 of the width), made smaller, a step at a time, when the text would not end inside
// the status frame, as on a screen of more dots per inch. The size found for a text is kept, so
// only a new text is measured.
platform::Font* StatusFont(DeviceContext* buffer, std::string_view text, int left) {
    constexpr int SmallestTenths = 40;
    constexpr int StepTenths = 4;
    const int right = setup::DesignX(723);  // two design units inside the frame
    const int designed = static_cast<int>(setup::Layout.ScreenWidth * 0.11627906976744186);
    const int dpi = platform::GetDeviceCaps(buffer, platform::LOGPIXELSY);
    struct Fitted {
        std::string text;
        int dpi = 0;
        int designed = 0;
        int left = 0;
        int right = 0;
        int tenths = 0;
    };
    static Fitted kept;
    const bool known = kept.text == text && kept.dpi == dpi && kept.designed == designed &&
                       kept.left == left && kept.right == right;
    int tenths = known ? kept.tenths : designed;
    for (;;) {
        platform::Font* font =
            imaging::CreatePointSizeFont(buffer, "Arial", tenths, 0, imaging::FontBold, true);
        if (known || tenths - StepTenths < SmallestTenths) return font;
        platform::Font* previous = platform::SelectObject(buffer, font);
        platform::Point size;
        const bool fits =
            !platform::GetTextExtentPoint32(buffer, text, &size) || left + size.x <= right;
        platform::SelectObject(buffer, previous);
        if (fits) {
            kept = Fitted{std::string(text), dpi, designed, left, right, tenths};
            return font;
        }
        platform::DeleteObject(font);
        tenths -= StepTenths;
    }
}

// The keyboard's marks: a bright frame, thick enough to see at 640 by 480, around the cells of
// the ship carried by keys and around the firing cursor's cell. Its thickness follows a cell, the
// shorter side: a whole ship's length would make a bar of a carrier lying across.
void DrawFrame(DeviceContext* buffer, const platform::Rect& r) {
    const int thickness = std::max(2, std::min(r.right - r.left, r.bottom - r.top) / 12);
    constexpr platform::ColourRef Outer = platform::Rgb(255, 221, 0);
    constexpr platform::ColourRef Inner = platform::Rgb(40, 30, 0);
    platform::FillRect(buffer, {r.left, r.top, r.right, r.top + thickness}, Outer);
    platform::FillRect(buffer, {r.left, r.bottom - thickness, r.right, r.bottom}, Outer);
    platform::FillRect(buffer, {r.left, r.top, r.left + thickness, r.bottom}, Outer);
    platform::FillRect(buffer, {r.right - thickness, r.top, r.right, r.bottom}, Outer);
    // A dark line inside, so the frame stands out on light sea and on fire alike.
    const platform::Rect in{r.left + thickness, r.top + thickness, r.right - thickness,
                            r.bottom - thickness};
    if (in.right - in.left <= 2 || in.bottom - in.top <= 2) return;
    platform::FillRect(buffer, {in.left, in.top, in.right, in.top + 1}, Inner);
    platform::FillRect(buffer, {in.left, in.bottom - 1, in.right, in.bottom}, Inner);
    platform::FillRect(buffer, {in.left, in.top, in.left + 1, in.bottom}, Inner);
    platform::FillRect(buffer, {in.right - 1, in.top, in.right, in.bottom}, Inner);
}

// Where a carried ship would lie: the mouse's carry shows it as the keys' does.
void DrawKeyboardMarks(DeviceContext* buffer) {
    const rules::Game& game = TheSession.game;
    for (const setup::KeyCarry& carry : {setup::CarriedByKeys, setup::CarriedByMouse}) {
        if (game.phase != rules::Placing || carry.shipId == 0) continue;
        const int length = rules::ShipLengths[carry.shipId - 1];
        const platform::Rect first = fleet::CellRect(rules::Player, carry.at.x, carry.at.y);
        const platform::Rect last =
            fleet::CellRect(rules::Player, carry.at.x + (carry.vertical ? 0 : length - 1),
                            carry.at.y + (carry.vertical ? length - 1 : 0));
        DrawFrame(buffer, {first.left, first.top, last.right, last.bottom});
    }
    if (AimCursorShown(game)) {
        DrawFrame(buffer, fleet::CellRect(rules::Enemy, Cursor.at.x, Cursor.at.y));
    }
}

void DrawStatusText(DeviceContext* buffer) {
    const std::string_view text(setup::Status.StatusText,
                                strnlen(setup::Status.StatusText, sizeof setup::Status.StatusText));
    const int x = static_cast<int>(320 * setup::Layout.ScaleX);
    platform::Font* font = StatusFont(buffer, text, x);
    platform::SelectObject(buffer, font);
    platform::SetBkMode(buffer, platform::TRANSPARENT);
    platform::SetTextColor(buffer, platform::Rgb(85, 85, 0));
    platform::TextOut(buffer, x, static_cast<int>(22 * setup::Layout.ScaleY), text);
    platform::SelectObject(buffer, platform::GetStockObject(platform::StockObject::SystemFont));
    platform::DeleteObject(font);
}

// The bottom layers (desktop colour, sea, Grid1, Grid2) change only with the client size and
// with those three pictures, yet make up most of a frame's cost: the sea alone is stretched over
// every pixel. They are composed into a kept layer whenever anything they come from has changed,
// and each paint starts from a copy of it, the very pixels the layers would have drawn.
struct PictureState {
    std::uint32_t imageVersion = 0;
    platform::Rect rect;
    std::uint8_t visible = 0;
    std::uint32_t drawMode = 0;
    bool operator==(const PictureState&) const = default;
};

PictureState StateOf(const imaging::Picture& picture) {
    return PictureState{picture.imageVersion,
                        platform::Rect{picture.left, picture.top, picture.right, picture.bottom},
                        picture.visible, picture.drawMode};
}

struct BackgroundState {
    int width = 0;
    int height = 0;
    double scale = 1.0;
    platform::ColourRef desktop = 0;
    PictureState sea;
    PictureState grids[2];
    bool operator==(const BackgroundState&) const = default;
};

// Kept for the program's run: the bottom layers of the last size painted.
struct Layers {
    platform::Bitmap* background = nullptr;
    BackgroundState composedFrom;
};

Layers& KeptLayers() {
    static Layers layers;
    return layers;
}

// A bitmap of the client's size, made again only when the size changed.
platform::Bitmap* Sized(platform::Bitmap*& kept, DeviceContext* like, int width, int height) {
    const platform::BitmapInfo size = platform::GetObject(kept);
    if (kept != nullptr &&
        (size.width != width || size.height != height || kept->scale != like->Scale())) {
        platform::DeleteObject(kept);
        kept = nullptr;
    }
    if (kept == nullptr) kept = platform::CreateCompatibleBitmap(like, width, height);
    return kept;
}

void DrawBackground(DeviceContext* target, int width, int height) {
    platform::FillRect(target, platform::Rect{0, 0, width, height},
                       platform::GetSysColor(platform::COLOR_BACKGROUND));
    fleet::Pictures.SeaBackPicture.Draw(target);
    fleet::Pictures.BoardPictures[rules::Player].Draw(target);
    fleet::Pictures.BoardPictures[rules::Enemy].Draw(target);
}

// Puts desktop colour, sea and both boards into the target, from the kept layer when they have
// not changed since it was composed.
void ComposeBackground(DeviceContext* target, int width, int height) {
    Layers& layers = KeptLayers();
    const BackgroundState now{width,
                              height,
                              target->Scale(),
                              platform::GetSysColor(platform::COLOR_BACKGROUND),
                              StateOf(fleet::Pictures.SeaBackPicture),
                              {StateOf(fleet::Pictures.BoardPictures[rules::Player]),
                               StateOf(fleet::Pictures.BoardPictures[rules::Enemy])}};
    DeviceContext* layer = platform::CreateCompatibleDC(target);
    platform::Bitmap* background = Sized(layers.background, target, width, height);
    platform::Bitmap* kept = platform::SelectObject(layer, background);
    if (background != nullptr && !(now == layers.composedFrom)) {
        DrawBackground(layer, width, height);
        layers.composedFrom = now;
        // The layer is now the only copy the paints need; the sea and boards are read again
        // only when it must be composed anew.
        fleet::Pictures.SeaBackPicture.DropPixels();
        fleet::Pictures.BoardPictures[rules::Player].DropPixels();
        fleet::Pictures.BoardPictures[rules::Enemy].DropPixels();
    }
    if (background != nullptr) {
        platform::BitBlt(target, 0, 0, width, height, layer, 0, 0, platform::SRCCOPY);
    } else {
        DrawBackground(target, width, height);
    }
    platform::SelectObject(layer, kept);
    platform::DeleteDC(layer);
}

// The status text lies in the band above the boards (its frame ends there too), so a piece
// wholly below the band is spared the text's layout, the costliest part of a small paint.
int StatusBandBottom() {
    return std::max({setup::DesignY(48), fleet::Pictures.BoardPictures[rules::Player].GetTop(),
                     fleet::Pictures.BoardPictures[rules::Enemy].GetTop()});
}

void Compose(DeviceContext* target, const platform::Rect& piece, int width, int height) {
    ComposeBackground(target, width, height);
    // Hidden ships draw nothing: the computer's fleet stays unseen in battle until sunk.
    for (fleet::Ship& ship : fleet::Ships) ship.Draw(nullptr, target);
    DrawAimMarks(target);
    DrawCellMarks(target);
    DrawKeyboardMarks(target);
    if (piece.top < StatusBandBottom()) DrawStatusText(target);
}

}  // namespace

void PaintBoard(platform::Window* window) {
    platform::Rect client;
    if (!platform::GetClientRect(window, &client)) return;
    // A shown ship marks its rectangle whenever it is drawn; marked before the paint begins, the
    // paint takes those marks up rather than leaving them for another one.
    for (fleet::Ship& ship : fleet::Ships) ship.Draw(window, nullptr);

    // Only the marked pieces are composed, each with every drawing clipped to it: the rest of the
    // surface still holds what earlier paints composed there. The platform clears the marks, so
    // a direct call with nothing marked leaves the screen as it was.
    platform::PaintStruct paint;
    DeviceContext* surface = platform::BeginPaint(window, &paint);
    if (surface == nullptr) return;
    for (const platform::Rect& piece : paint.pieces) {
        platform::ClipToPiece(&paint, piece);
        Compose(surface, piece, client.right, client.bottom);
    }
    platform::EndPaint(window, &paint);
}

void LetBackgroundGo() {
    Layers& layers = KeptLayers();
    if (layers.background != nullptr) platform::DeleteObject(layers.background);
    layers = Layers{};
}

}  // namespace shell
