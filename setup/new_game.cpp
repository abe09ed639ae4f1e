// setup/new_game.cpp: NewGame and the board layout. Positions are fractions of the client size,
// sizes are design units times the factors, each edge computed exactly as the layout table says,
// inner truncations included (note 0.0176 and 0.5156 on the right edges of the boards).
#include "setup/new_game.h"

#include <cmath>
#include <cstring>

#include "battle/game_state.h"
#include "fleet/fleet.h"
#include "platform/repaint.h"
#include "platform/sound.h"
#include "setup/program_objects.h"
#include "setup/ship_placement.h"
#include "setup/status_line.h"
#include "shell/control_walk.h"
#include "shell/layout_scale.h"
#include "shell/main_window.h"
#include "shell/sound.h"

namespace setup {

namespace {

double Truncated(double value) { return std::trunc(value); }

struct Dock {
    double left;    // fraction of the client width
    double top;     // fraction of the client height
    double width;   // design units
};
// Ships 0..4 the player's, 5..9 the enemy's; the enemy's docks mirror the player's.
constexpr Dock kDocks[10] = {
    {0.032, 0.835, 200},  {0.3075, 0.8425, 160}, {0.04, 0.915, 120},   {0.195, 0.915, 120},
    {0.37, 0.915, 80},    {0.77, 0.835, 200},    {0.5325, 0.8425, 160}, {0.8375, 0.915, 120},
    {0.6925, 0.915, 120}, {0.5475, 0.915, 80},
};
// Docks are given their rectangles in this order of ships.
constexpr int kDockingOrder[10] = {0, 5, 1, 6, 2, 7, 3, 8, 4, 9};

void LayOutBoards(double w, double h) {
    const double sx = shell::ScaleX;
    const double sy = shell::ScaleY;
    SeaBackPicture.SetBounds(0, 0, w, h, nullptr);
    BoardPictures[battle::Player].SetBounds(0.0175 * w, 0.1075 * h,
                                            Truncated(0.0176 * w) + Truncated(480 * sx),
                                            Truncated(504 * sy) + 0.1075 * h, nullptr);
    BoardPictures[battle::Enemy].SetBounds(0.5155 * w, 0.1075 * h,
                                           Truncated(480 * sx) + Truncated(0.5156 * w),
                                           Truncated(504 * sy) + 0.1075 * h, nullptr);
}

void ResetShipsOnTheirBoards() {
    for (int side = battle::Player; side <= battle::Enemy; ++side) {
        platform::Rect grid;
        BoardPictures[side].GetBounds(&grid);
        for (int k = 0; k < battle::ShipsPerSide; ++k) {
            fleet::Ship& ship = fleet::Ships[side * battle::ShipsPerSide + k];
            ship.Reset();
            ship.SetGrid(grid.left, grid.top, grid.right, grid.bottom,
                         static_cast<battle::Side>(side));
        }
    }
}

void DockShips(platform::Window* window, double w, double h) {
    for (int index : kDockingOrder) {
        const Dock& dock = kDocks[index];
        const double left = dock.left * w;
        const double top = dock.top * h;
        fleet::Ships[index].SetBounds(left, top, left + Truncated(dock.width * shell::ScaleX),
                                      Truncated(42 * shell::ScaleY) + top, window);
    }
}

}  // namespace

void NewGame(platform::Window* window) {
    platform::Rect client;
    platform::GetClientRect(window, &client);
    const double w = client.right;
    const double h = client.bottom;

    SeaBackPicture.SetScale(0, nullptr);
    BoardPictures[battle::Player].SetScale(0, nullptr);
    BoardPictures[battle::Enemy].SetScale(0, nullptr);
    for (fleet::Ship& ship : fleet::Ships) ship.SetScale(0, nullptr);

    LayOutBoards(w, h);
    ResetShipsOnTheirBoards();
    DockShips(window, w, h);

    // Water everywhere, phase Placing, salvo slot 0, five shots, every slot empty.
    battle::ResetGameState();
    std::strcpy(StatusText, "You Have 5 More Ships, Select Ship To Place...");
    ShipsToPlace = 5;
    shell::DisableControlById(window, shell::ID_START);
    shell::EnableControlById(window, shell::ID_PLACE_RANDOM);

    platform::GetClientRect(window, &client);
    platform::InvalidateRect(window, &client, false);
    shell::PlaySoundEffect("Sounds\\siren.wav", platform::SND_ASYNC | platform::SND_NOSTOP);
}

}  // namespace setup
