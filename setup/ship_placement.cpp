// setup/ship_placement.cpp: picking up, turning and carrying a ship. While a ship is carried a
// nested loop takes every message and hands none on: only a drop attempt, a double-click (when
// selecting) and a quit request do anything; clicks, keys and menu choices are lost, not queued.
#include "setup/ship_placement.h"

#include <cstdio>

#include "battle/game_state.h"
#include "fleet/fleet.h"
#include "platform/messages.h"
#include "platform/repaint.h"
#include "setup/program_objects.h"
#include "setup/status_line.h"
#include "shell/quit_request.h"

namespace setup {

std::int32_t ShipsToPlace = 5;

namespace {

enum class CarryEnd { Dropped, DoubleClick, Quit };

// Ships are tested in index order and edges count, so a shared border picks the lower index.
fleet::Ship* PickUp(platform::Window* window, int x, int y) {
    for (int i = 0; i < battle::ShipsPerSide; ++i) {
        fleet::Ship& ship = fleet::Ships[i];
        if (ship.Contains(x, y)) {
            SetStatus(window, "Place Ship On Map...");
            // Nothing is repainted while the ship is carried.
            platform::UpdateWindow(window);
            return &ship;
        }
    }
    return nullptr;
}

CarryEnd Carry(fleet::Ship& ship, platform::Window* window, bool endOnDoubleClick) {
    for (;;) {
        platform::Message message;
        platform::GetMessage(&message, nullptr, 0, 0);
        switch (message.message) {
            case platform::WM_QUIT:
                platform::PostMessage(message.window, message.message, message.wParam,
                                      message.lParam);
                return CarryEnd::Quit;
            case platform::WM_LBUTTONUP: {
                const auto position = static_cast<std::uint64_t>(message.lParam);
                if (ship.PlaceAt(platform::LowWord(position), platform::HighWord(position),
                                 window)) {
                    return CarryEnd::Dropped;
                }
                break;
            }
            case platform::WM_LBUTTONDBLCLK:
                if (endOnDoubleClick) {
                    platform::PostMessage(message.window, message.message, message.wParam,
                                          message.lParam);
                    return CarryEnd::DoubleClick;
                }
                break;
            default:
                if (shell::AsksToEndTheProgram(message)) {
                    platform::PostMessage(message.window, message.message, message.wParam,
                                          message.lParam);
                    return CarryEnd::Quit;
                }
                break;  // taken and dropped
        }
    }
}

bool TakenFromDock(int x, int y) { return !BoardPictures[battle::Player].Contains(x, y); }

void ShowStatusByCount(platform::Window* window, bool endedByDoubleClick) {
    if (ShipsToPlace <= 0 || endedByDoubleClick) {
        SetStatus(window, "Select Ship To Reposition or Press Start To Begin...");
    } else if (ShipsToPlace == 1) {
        std::snprintf(StatusText, sizeof StatusText,
                      "You Have %i More Ship, Select Ship To Place...", 1);
        SetStatus(window, nullptr);
    } else {
        std::snprintf(StatusText, sizeof StatusText,
                      "You Have %i More Ships, Select Ship To Place...",
                      static_cast<int>(ShipsToPlace));
        SetStatus(window, nullptr);
    }
}

}  // namespace

void SelectAndPlaceShip(platform::Window* window, int x, int y) {
    fleet::Ship* ship = PickUp(window, x, y);
    if (ship == nullptr) return;
    const bool endedByDoubleClick = Carry(*ship, window, true) == CarryEnd::DoubleClick;
    if (TakenFromDock(x, y) && !endedByDoubleClick) --ShipsToPlace;
    ShowStatusByCount(window, endedByDoubleClick);
}

void RotateAndPlaceShip(platform::Window* window, int x, int y) {
    fleet::Ship* ship = PickUp(window, x, y);
    if (ship == nullptr) return;
    if (TakenFromDock(x, y)) --ShipsToPlace;
    ship->Invalidate(window);
    ship->Rotate();
    Carry(*ship, window, false);
    ShowStatusByCount(window, false);
}

}  // namespace setup
