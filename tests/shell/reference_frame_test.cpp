// tests/shell/reference_frame_test.cpp: the composed frame at each screen size held against a
// smooth downscale of the pictures computed here on their own: an area-weighted box filter, and
// for the transparent pictures the same filter over their drawn (non-white) pixels alone. Few
// pixels may be off by more than a visible step, in the sea and in the boards, with the boards
// empty and with ships and marks on them. On a scaled screen the frame holds the screen's own
// pixels, and the reference is made from the double-size pictures at that resolution.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "fleet/fleet.h"
#include "fleet/program_objects.h"
#include "rules/game.h"
#include "setup/layout_scale.h"
#include "tests/scenarios/battle_scenario.h"
#include "windows/program_handles.h"

namespace {

using namespace scenario;
using platform::Pixel;
using platform::Rect;

constexpr int VisibleStep = 6;          // per colour channel
constexpr double MostOffShare = 0.003;  // of the pixels of a region

struct Colour {
    double red = 0, green = 0, blue = 0;
};

Colour ColourOf(Pixel p) {
    return Colour{static_cast<double>((p >> 16) & 0xFF), static_cast<double>((p >> 8) & 0xFF),
                  static_cast<double>(p & 0xFF)};
}

bool Near(Pixel drawn, const Colour& expected) {
    const Colour c = ColourOf(drawn);
    return std::abs(c.red - expected.red) <= VisibleStep &&
           std::abs(c.green - expected.green) <= VisibleStep &&
           std::abs(c.blue - expected.blue) <= VisibleStep;
}

// The bitmap shrunk or grown onto the rectangle: for target pixel (x, y) of it, the average of
// the source pixels under it weighted by the area they cover (the nearest one when growing),
// leaving white out when asked. coverage tells what share of that area was counted.
Colour BoxAverage(const platform::Bitmap& source, const Rect& rect, int x, int y,
                  bool leaveOutWhite, double* coverage) {
    const double sx0 = static_cast<double>(x) * source.width / rect.Width();
    const double sx1 = static_cast<double>(x + 1) * source.width / rect.Width();
    const double sy0 = static_cast<double>(y) * source.height / rect.Height();
    const double sy1 = static_cast<double>(y + 1) * source.height / rect.Height();
    Colour sum;
    double counted = 0;
    double all = 0;
    auto spans = [](double from, double to, int limit, auto&& each) {
        if (to - from <= 1.0) {  // growing: the nearest source pixel alone
            each(std::min(limit - 1, static_cast<int>((from + to) / 2)), 1.0);
            return;
        }
        for (int s = static_cast<int>(from); s < to && s < limit; ++s)
            each(s, std::min<double>(to, s + 1) - std::max<double>(from, s));
    };
    spans(sy0, sy1, source.height, [&](int sy, double wy) {
        spans(sx0, sx1, source.width, [&](int sx, double wx) {
            const Pixel p = source.pixels[static_cast<std::size_t>(sy) * source.width + sx];
            all += wx * wy;
            if (leaveOutWhite && p == 0xFFFFFF) return;
            const Colour c = ColourOf(p);
            sum.red += wx * wy * c.red;
            sum.green += wx * wy * c.green;
            sum.blue += wx * wy * c.blue;
            counted += wx * wy;
        });
    });
    if (coverage != nullptr) *coverage = all > 0 ? counted / all : 0;
    if (counted <= 0) return Colour{};
    return Colour{sum.red / counted, sum.green / counted, sum.blue / counted};
}

// What each pixel of the frame may be: one colour where the layers are plain, two where a
// transparent picture's edge may or may not have been left out.
class Reference {
  public:
    Reference(int width, int height, double scale)
        : width_(width), height_(height), scale_(scale), candidates_(width * height) {}

    void Cover(const imaging::Picture& picture) { Layer(picture, false); }
    void Overlay(const imaging::Picture& picture) { Layer(picture, true); }

    bool Matches(Pixel drawn, int x, int y) const {
        for (const Colour& c : candidates_[static_cast<std::size_t>(y) * width_ + x])
            if (Near(drawn, c)) return true;
        return false;
    }

  private:
    void Layer(const imaging::Picture& picture, bool transparent) {
        if (picture.bitmap == nullptr || picture.visible != 1) return;
        const Rect rect = platform::DeviceRect(
            Rect{picture.left, picture.top, picture.right, picture.bottom}, scale_);
        for (int y = std::max(0, rect.top); y < std::min(height_, rect.bottom); ++y) {
            for (int x = std::max(0, rect.left); x < std::min(width_, rect.right); ++x) {
                double coverage = 1;
                const Colour c = BoxAverage(*picture.bitmap, rect, x - rect.left, y - rect.top,
                                            transparent, &coverage);
                std::vector<Colour>& here = candidates_[static_cast<std::size_t>(y) * width_ + x];
                if (coverage >= 1.0) {
                    here = {c};
                } else if (coverage > 0) {
                    here.push_back(c);
                }
            }
        }
    }

    int width_, height_;
    double scale_;
    std::vector<std::vector<Colour>> candidates_;
};

// The painter's rectangle for a mark in a cell: the corner truncated, the far edges one cell on.
void PlaceInCell(imaging::Picture& mark, int side, int x, int y) {
    const imaging::Picture& board = fleet::Pictures.BoardPictures[side];
    const double w = (board.GetRight() - board.GetLeft()) * 0.08333333333333333;
    const double h = (board.GetBottom() - board.GetTop()) * 0.08333333333333333;
    const double left = static_cast<int>(board.GetLeft() + x * w);
    const double top = static_cast<int>(board.GetTop() + y * h);
    mark.SetBounds(left, top, left + w, top + h, nullptr);
}

// The frame as composed, its layers in the painter's order.
void ExpectFrameNearReference(bool withMarks) {
    platform::InvalidateRect(windows::App.MainWindow, nullptr, false);
    platform::UpdateWindow(windows::App.MainWindow);
    const platform::Bitmap& frame = windows::App.MainWindow->surface;
    const double scale = frame.scale;

    Reference reference(frame.width, frame.height, scale);
    // The painter keeps the scenery composed and lets the pictures' own pixels go.
    fleet::Pictures.SeaBackPicture.EnsurePixels();
    for (imaging::Picture& board : fleet::Pictures.BoardPictures) board.EnsurePixels();
    reference.Cover(fleet::Pictures.SeaBackPicture);
    reference.Cover(fleet::Pictures.BoardPictures[rules::Player]);
    reference.Cover(fleet::Pictures.BoardPictures[rules::Enemy]);
    for (const fleet::Ship& ship : fleet::Ships) {
        if (ship.visible == 1) reference.Overlay(*ship.currentPicture);
    }
    if (withMarks) {
        for (int slot = 0; slot < rules::SalvoSize; slot += 2) {
            const rules::Shot& shot = TheGame().salvo[slot];
            if (shot.side != rules::Player && shot.side != rules::Enemy) continue;
            PlaceInCell(fleet::Pictures.TargetPicture, shot.side, shot.x, shot.y);
            reference.Overlay(fleet::Pictures.TargetPicture);
        }
        for (int side : {rules::Player, rules::Enemy}) {
            for (int x = 0; x < rules::BoardSize; ++x) {
                for (int y = 0; y < rules::BoardSize; ++y) {
                    const std::int32_t code = TheGame().boards[side][x][y];
                    imaging::Picture* mark = code == rules::Miss ? &fleet::Pictures.MissPicture
                                             : rules::IsHitShipAfloat(code)
                                                 ? &fleet::Pictures.HitPicture
                                                 : nullptr;
                    if (mark == nullptr) continue;
                    PlaceInCell(*mark, side, x, y);
                    reference.Overlay(*mark);
                }
            }
        }
    }

    // The status text lies over the sea inside its frame; it is not a picture.
    const Rect status = platform::DeviceRect(
        Rect{setup::DesignX(300), setup::DesignY(10), setup::DesignX(725), setup::DesignY(50)},
        scale);
    auto inside = [](const Rect& r, int x, int y) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    };
    int pixels[2] = {0, 0};  // sea, boards
    int off[2] = {0, 0};
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            if (inside(status, x, y)) continue;
            bool onBoard = false;
            for (const imaging::Picture& board : fleet::Pictures.BoardPictures) {
                const Rect rect = platform::DeviceRect(
                    Rect{board.left, board.top, board.right, board.bottom}, scale);
                onBoard = onBoard || inside(rect, x, y);
            }
            ++pixels[onBoard];
            off[onBoard] += !reference.Matches(
                frame.pixels[static_cast<std::size_t>(y) * frame.width + x], x, y);
        }
    }
    ASSERT_GT(pixels[0], 0);
    ASSERT_GT(pixels[1], 0);
    EXPECT_LT(static_cast<double>(off[0]) / pixels[0], MostOffShare) << off[0] << " in the sea";
    EXPECT_LT(static_cast<double>(off[1]) / pixels[1], MostOffShare) << off[1] << " on the boards";
}

struct Screen {
    int width;
    double scale;  // device pixels per logical pixel
};

class ReferenceFrame : public testing::TestWithParam<Screen> {};

TEST_P(ReferenceFrame, StaysNearASmoothDownscaleOfThePictures) {
    platform::ScreenFacts screen;
    screen.width = GetParam().width;
    screen.height = GetParam().width * 3 / 4;
    screen.pixelRatio = GetParam().scale;
    BattleGame game(screen);
    game.Then([&] {
        SCOPED_TRACE("boards empty, fleets in their docks");
        ExpectFrameNearReference(false);
    });
    game.StartBattle();
    game.Then([&] {
        SCOPED_TRACE("ships and marks");
        for (fleet::Ship& ship : fleet::Ships) ship.SetVisible(1, nullptr);
        for (int slot = 0; slot < rules::SalvoSize; slot += 2)
            TheGame().salvo[slot] = rules::Shot{rules::Enemy, slot, 11};
        for (int side : {rules::Player, rules::Enemy}) {
            for (int x = 0; x < rules::BoardSize; ++x) {
                for (int y = x % 2; y < 11; y += 3) {
                    std::int32_t& code = TheGame().boards[side][x][y];
                    code = code == rules::Water ? rules::Miss : code + rules::HitStage;
                }
            }
        }
        ExpectFrameNearReference(true);
    });
    EXPECT_EQ(game.Run(), 0);
}

// A window moved from a screen of scale 1 to one of scale 2 mid-battle is drawn again from the
// double set, with the ships where they were.
TEST(ReferenceFrameAfterAMove, ComesFromTheDoubleSetOnTheNewScreen) {
    BattleGame game(platform::ScreenFacts{}, true);
    game.StartBattle();
    platform::Rect shipBefore;
    int pixelsBefore = 0;
    game.Then([&] {
        for (fleet::Ship& ship : fleet::Ships) ship.SetVisible(1, nullptr);
        const imaging::Picture& ship = *fleet::Ships[0].currentPicture;
        ship.GetBounds(&shipBefore);
        pixelsBefore = ship.bitmap->width * ship.bitmap->height;
        platform::SetSurfaceScale(windows::App.MainWindow, 2.0);
    });
    game.Then([&] {
        const imaging::Picture& ship = *fleet::Ships[0].currentPicture;
        platform::Rect shipAfter;
        ship.GetBounds(&shipAfter);
        EXPECT_EQ(shipAfter, shipBefore);
        // The double set's ship: twice the pixels of the one it replaced, in the same rectangle.
        EXPECT_EQ(ship.bitmap->width * ship.bitmap->height, 4 * pixelsBefore);
        EXPECT_EQ(windows::App.MainWindow->surface.width, 2048);
        ExpectFrameNearReference(false);
    });
    EXPECT_EQ(game.Run(), 0);
}

// At 1024 by 768 and scale 2 the double set fits exactly; at 800 by 600 and scale 2 it is shrunk
// to 1600 pixels wide, and at 640 by 480 and scale 1.5 the 1024 set is shrunk to 960.
INSTANTIATE_TEST_SUITE_P(AtEachScreenSize, ReferenceFrame,
                         testing::Values(Screen{1024, 1}, Screen{800, 1}, Screen{640, 1},
                                         Screen{1024, 2}, Screen{800, 2}, Screen{640, 1.5}),
                         [](const testing::TestParamInfo<Screen>& info) {
                             std::string name = "Width" + std::to_string(info.param.width);
                             if (info.param.scale != 1) {
                                 const int tenths = static_cast<int>(info.param.scale * 10 + 0.5);
                                 name += "Scale" + std::to_string(tenths / 10);
                                 if (tenths % 10 != 0) name += "_" + std::to_string(tenths % 10);
                             }
                             return name;
                         });

}  // namespace
