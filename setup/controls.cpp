// setup/controls.cpp: the child-control walk and the START check.
#include "setup/controls.h"

#include "fleet/fleet.h"
#include "fleet/program_objects.h"
#include "rules/game.h"

namespace setup {

namespace {

// The walk's callbacks: on the child whose id matches they enable (or disable) it and stop the
// walk; otherwise the walk goes on.
bool EnableControl(platform::Window* child, platform::LPARAM id) {
    if (platform::GetDlgCtrlID(child) != id) return true;
    platform::EnableWindow(child, true);
    return false;
}

bool DisableControl(platform::Window* child, platform::LPARAM id) {
    if (platform::GetDlgCtrlID(child) != id) return true;
    platform::EnableWindow(child, false);
    return false;
}

}  // namespace

void EnableControlById(platform::Window* window, int id) {
    platform::EnumChildWindows(window, EnableControl, id);
}

void DisableControlById(platform::Window* window, int id) {
    platform::EnumChildWindows(window, DisableControl, id);
}

// Ships waiting in their docks lie below the board, so one such ship is enough to stop.
void EnableStartIfFleetPlaced(platform::Window* window) {
    const int boardBottom = fleet::Pictures.BoardPictures[rules::Player].GetBottom();
    for (std::uint32_t shipId = 1; shipId <= rules::ShipsPerSide; ++shipId) {
        if (fleet::Ships[fleet::ShipIndex(rules::Player, shipId)].GetBottom() > boardBottom) return;
    }
    EnableControlById(window, ID_START);
}

}  // namespace setup
