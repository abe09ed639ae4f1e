// setup/new_game.cpp: NewGame and the board layout. Positions are fractions of the client size,
// sizes are design units times the factors, each edge computed on its own in the order written,
// inner truncations included (note 0.0176 and 0.5156 on the right edges of the boards).
#include "setup/new_game.h"

#include <cmath>
#include <cstring>

#include "fleet/fleet.h"
#include "fleet/program_objects.h"
#include "platform/repaint.h"
#include "setup/controls.h"
#include "setup/layout_scale.h"
#include "setup/ship_placement.h"
#include "setup/status_line.h"
#include "sound/sound_effects.h"

namespace setup {

namespace {

double Truncated(double value) { return std::trunc(value); }

struct Dock {
    double left;   // fraction of the client width
    double top;    // fraction of the client height
    double width;  // design units
};
// Ships 0..4 the player's, 5..9 the enemy's; the enemy's docks mirror the player's.
constexpr Dock kDocks[10] = {
    {0.032, 0.835, 200},  {0.3075, 0.8425, 160}, {0.04, 0.915, 120},    {0.195, 0.915, 120},
    {0.37, 0.915, 80},    {0.77, 0.835, 200},    {0.5325, 0.8425, 160}, {0.8375, 0.915, 120},
    {0.6925, 0.915, 120}, {0.5475, 0.915, 80},
};
// Docks are given their rectangles in this order of ships.
constexpr int kDockingOrder[10] = {0, 5, 1, 6, 2, 7, 3, 8, 4, 9};

void LayOutBoards(double w, double h) {
    const double sx = setup::Layout.ScaleX;
    const double sy = setup::Layout.ScaleY;
    fleet::Pictures.SeaBackPicture.SetBounds(0, 0, w, h, nullptr);
    fleet::Pictures.BoardPictures[rules::Player].SetBounds(
        0.0175 * w, 0.1075 * h, Truncated(0.0176 * w) + Truncated(480 * sx),
        Truncated(504 * sy) + 0.1075 * h, nullptr);
    fleet::Pictures.BoardPictures[rules::Enemy].SetBounds(
        0.5155 * w, 0.1075 * h, Truncated(480 * sx) + Truncated(0.5156 * w),
        Truncated(504 * sy) + 0.1075 * h, nullptr);
}

void ResetShipsOnTheirBoards() {
    for (int side = rules::Player; side <= rules::Enemy; ++side) {
        platform::Rect grid;
        fleet::Pictures.BoardPictures[side].GetBounds(&grid);
        for (std::uint32_t shipId = 1; shipId <= rules::ShipsPerSide; ++shipId) {
            fleet::Ship& ship = fleet::Ships[fleet::ShipIndex(rules::Side(side), shipId)];
            ship.Reset();
            ship.SetGrid(grid.left, grid.top, grid.right, grid.bottom, rules::Side(side));
        }
    }
}

void DockShips(platform::Window* window, double w, double h) {
    for (int index : kDockingOrder) {
        const Dock& dock = kDocks[index];
        const double left = dock.left * w;
        const double top = dock.top * h;
        fleet::Ships[index].SetBounds(left, top,
                                      left + Truncated(dock.width * setup::Layout.ScaleX),
                                      Truncated(42 * setup::Layout.ScaleY) + top, window);
    }
}

}  // namespace

void NewGame(platform::Window* window, rules::Game& game, rules::Level level) {
    platform::Rect client;
    platform::GetClientRect(window, &client);
    const double w = client.right;
    const double h = client.bottom;

    fleet::Pictures.SeaBackPicture.SetScale(0, nullptr);
    fleet::Pictures.BoardPictures[rules::Player].SetScale(0, nullptr);
    fleet::Pictures.BoardPictures[rules::Enemy].SetScale(0, nullptr);
    for (fleet::Ship& ship : fleet::Ships) ship.SetScale(0, nullptr);

    LayOutBoards(w, h);
    ResetShipsOnTheirBoards();
    DockShips(window, w, h);

    game = rules::NewGame(level);
    CarriedByKeys = KeyCarry{};
    std::strcpy(Status.StatusText, "You Have 5 More Ships, Select Ship To Place...");
    Status.ShipsToPlace = 5;
    setup::DisableControlById(window, setup::ID_START);
    setup::EnableControlById(window, setup::ID_PLACE_RANDOM);

    platform::GetClientRect(window, &client);
    platform::InvalidateRect(window, &client, false);
    sound::PlaySoundEffect("Sounds\\siren.wav", sound::StartAndGoOn);
}

}  // namespace setup
