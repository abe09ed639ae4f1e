// shell/control_walk.cpp: the child-control walk and the START check.
#include "shell/control_walk.h"

#include "battle/game_state.h"
#include "fleet/fleet.h"
#include "setup/program_objects.h"
#include "shell/main_window.h"

namespace shell {

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

void EnableControlById(platform::Window* window, int id) {
    platform::EnumChildWindows(window, EnableControl, id);
}

void DisableControlById(platform::Window* window, int id) {
    platform::EnumChildWindows(window, DisableControl, id);
}

// Ships waiting in their docks lie below the board, so one such ship is enough to stop.
void EnableStartIfFleetPlaced(platform::Window* window) {
    for (int i = 0; i < battle::ShipsPerSide; ++i) {
        if (fleet::Ships[i].GetBottom() > setup::BoardPictures[battle::Player].GetBottom()) return;
    }
    EnableControlById(window, ID_START);
}

}  // namespace shell
