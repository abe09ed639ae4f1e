// setup/ship_placement.cpp: picking up, turning and carrying a ship. While a ship is carried a
// nested loop takes every message and hands none on: only the pointer's moves (the frame follows
// it), a drop attempt, Escape, a double-click (when selecting) and a quit request do anything;
// other clicks, keys and menu choices are lost, not queued, and a move to a screen of another
// scale is told again after the carry.
#include "setup/ship_placement.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "fleet/board_cell.h"
#include "fleet/fleet.h"
#include "fleet/program_objects.h"
#include "platform/messages.h"
#include "platform/quit_request.h"
#include "platform/repaint.h"
#include "platform/virtual_keys.h"
#include "rules/moves.h"
#include "setup/controls.h"
#include "setup/status_line.h"

namespace setup {

namespace {

enum class CarryEnd { Dropped, DoubleClick, PutBack, Quit };

// Repaints the cells a carried ship's frame covers.
void InvalidateFrame(platform::Window* window, const KeyCarry& carry) {
    if (carry.shipId == 0) return;
    const int length = rules::ShipLengths[carry.shipId - 1];
    for (int k = 0; k < length; ++k) {
        fleet::InvalidateCell(window, rules::Player, carry.at.x + (carry.vertical ? 0 : k),
                              carry.at.y + (carry.vertical ? k : 0));
    }
}

// Keeps the carried ship's cells on the board, as a drop there would.
rules::Cell KeptOnBoard(rules::Cell at, int length, bool vertical) {
    const int lastX = rules::BoardSize - (vertical ? 1 : length);
    const int lastY = rules::BoardSize - (vertical ? length : 1);
    return rules::Cell{std::clamp(at.x, 0, lastX), std::clamp(at.y, 0, lastY)};
}

// The carry loop hands no paint request on, so what it changes it paints itself.
void ShowMouseFrame(platform::Window* window, const rules::Game& game, const fleet::Ship& ship,
                    int x, int y) {
    KeyCarry next;
    int column = 0;
    int row = 0;
    if (fleet::CellAt(rules::Player, x, y, &column, &row)) {
        const auto shipId = static_cast<std::int32_t>(ship.shipId);
        const rules::ShipState& state = game.ShipOf(rules::Player, shipId);
        next.shipId = shipId;
        next.vertical = state.vertical;
        next.at = KeptOnBoard(rules::Cell{column, row}, state.length, state.vertical);
    }
    KeyCarry& shown = CarriedByMouse;
    if (next.shipId == shown.shipId && next.at == shown.at && next.vertical == shown.vertical) {
        return;
    }
    InvalidateFrame(window, shown);
    shown = next;
    InvalidateFrame(window, shown);
    platform::UpdateWindow(window);
}

void HideMouseFrame(platform::Window* window) {
    InvalidateFrame(window, CarriedByMouse);
    CarriedByMouse = KeyCarry{};
}

// The ship's pictures and the game turned together, as a right click turns them.
void Turn(platform::Window* window, rules::Game& game, fleet::Ship& ship) {
    ship.Invalidate(window);
    ship.Rotate();
    rules::TurnShip(game, rules::Player, static_cast<std::int32_t>(ship.shipId));
}

void RefuseDrop(platform::Window* window) {
    SetStatus(window, DoesNotFit);
    platform::UpdateWindow(window);
}

// Ships are tested in index order and edges count, so a shared border picks the lower index.
fleet::Ship* PickUp(platform::Window* window, int x, int y) {
    for (std::uint32_t shipId = 1; shipId <= rules::ShipsPerSide; ++shipId) {
        fleet::Ship& ship = fleet::Ships[fleet::ShipIndex(rules::Player, shipId)];
        if (ship.Contains(x, y)) {
            SetStatus(window, "Place Ship On Map...");
            // The carry loop hands no paint request on: the status is shown now.
            platform::UpdateWindow(window);
            return &ship;
        }
    }
    return nullptr;
}

// Notes the windows moved to a screen of another scale meanwhile in scaleChanged.
CarryEnd TakeCarryMessages(fleet::Ship& ship, rules::Game& game, platform::Window* window,
                           bool endOnDoubleClick, std::vector<platform::Window*>& scaleChanged) {
    for (;;) {
        platform::Message message;
        platform::GetMessage(&message, nullptr, 0, 0);
        switch (message.message) {
            case platform::WM_QUIT:
                platform::PostMessage(message.window, message.message, message.wParam,
                                      message.lParam);
                return CarryEnd::Quit;
            case platform::WM_MOUSEMOVE:
                if (message.window == window) {
                    const auto position = static_cast<std::uint64_t>(message.lParam);
                    ShowMouseFrame(window, game, ship, platform::LowWord(position),
                                   platform::HighWord(position));
                }
                break;
            case platform::WM_LBUTTONUP: {
                const auto position = static_cast<std::uint64_t>(message.lParam);
                if (ship.PlaceAt(game, platform::LowWord(position), platform::HighWord(position),
                                 window)) {
                    return CarryEnd::Dropped;
                }
                if (message.window == window) RefuseDrop(window);
                break;
            }
            case platform::WM_KEYDOWN:
                if (message.wParam == platform::VK_ESCAPE) return CarryEnd::PutBack;
                break;
            case platform::WM_LBUTTONDBLCLK:
                if (endOnDoubleClick) {
                    platform::PostMessage(message.window, message.message, message.wParam,
                                          message.lParam);
                    return CarryEnd::DoubleClick;
                }
                break;
            case platform::WM_DPICHANGED:
                if (std::find(scaleChanged.begin(), scaleChanged.end(), message.window) ==
                    scaleChanged.end())
                    scaleChanged.push_back(message.window);
                break;
            default:
                if (platform::EndsTheProgram(message)) {
                    platform::PostMessage(message.window, message.message, message.wParam,
                                          message.lParam);
                    return CarryEnd::Quit;
                }
                break;  // taken and dropped
        }
    }
}

// A window moved to a screen of another scale during the carry is told so again once it ends:
// that message is not the player's to lose, and its pictures would stay those of the old screen.
CarryEnd Carry(fleet::Ship& ship, rules::Game& game, platform::Window* window,
               bool endOnDoubleClick) {
    std::vector<platform::Window*> scaleChanged;
    const CarryEnd end = TakeCarryMessages(ship, game, window, endOnDoubleClick, scaleChanged);
    HideMouseFrame(window);
    for (platform::Window* moved : scaleChanged)
        platform::PostMessage(moved, platform::WM_DPICHANGED, 0, 0);
    return end;
}

bool TakenFromDock(int x, int y) {
    return !fleet::Pictures.BoardPictures[rules::Player].Contains(x, y);
}

void ShowStatusByCount(platform::Window* window, bool endedByDoubleClick) {
    if (Status.ShipsToPlace <= 0 || endedByDoubleClick) {
        SetStatus(window, "Select Ship To Reposition or Press Start To Begin...");
    } else if (Status.ShipsToPlace == 1) {
        std::snprintf(Status.StatusText, sizeof Status.StatusText,
                      "You Have %i More Ship, Select Ship To Place...", 1);
        SetStatus(window, nullptr);
    } else {
        std::snprintf(Status.StatusText, sizeof Status.StatusText,
                      "You Have %i More Ships, Select Ship To Place...",
                      static_cast<int>(Status.ShipsToPlace));
        SetStatus(window, nullptr);
    }
}

}  // namespace

void SelectAndPlaceShip(platform::Window* window, rules::Game& game, int x, int y) {
    fleet::Ship* ship = PickUp(window, x, y);
    if (ship == nullptr) return;
    const CarryEnd end = Carry(*ship, game, window, true);
    const bool endedByDoubleClick = end == CarryEnd::DoubleClick;
    if (TakenFromDock(x, y) && (end == CarryEnd::Dropped || end == CarryEnd::Quit)) {
        --Status.ShipsToPlace;
    }
    ShowStatusByCount(window, endedByDoubleClick);
}

void RotateAndPlaceShip(platform::Window* window, rules::Game& game, int x, int y) {
    fleet::Ship* ship = PickUp(window, x, y);
    if (ship == nullptr) return;
    const bool fromDock = TakenFromDock(x, y);
    if (fromDock) --Status.ShipsToPlace;
    Turn(window, game, *ship);
    if (Carry(*ship, game, window, false) == CarryEnd::PutBack) {
        // Back as it was: in its dock, still to place, the way it lay.
        Turn(window, game, *ship);
        if (fromDock) ++Status.ShipsToPlace;
    }
    ShowStatusByCount(window, false);
}

void PlaceFleetRandomly(platform::Window* window, rules::Game& game, rules::Random& random) {
    Status.ShipsToPlace = 0;
    SetStatus(window, "Select Ship To Reposition or Press Start To Begin...");
    rules::PlaceFleetAtRandom(game, rules::Player, random);
    ShowFleetWhereItLies(window, game, rules::Player);
    EnableControlById(window, ID_START);
}

void ShowFleetWhereItLies(platform::Window* window, const rules::Game& game, rules::Side side) {
    for (std::int32_t shipId = 1; shipId <= rules::ShipsPerSide; ++shipId) {
        fleet::Ships[fleet::ShipIndex(side, static_cast<std::uint32_t>(shipId))].ShowWhereItLies(
            game.ShipOf(side, shipId), window);
    }
}

KeyCarry CarriedByKeys;
KeyCarry CarriedByMouse;

namespace {

// Repaints the cells the ship carried by keys would cover.
void InvalidateCarried(platform::Window* window) { InvalidateFrame(window, CarriedByKeys); }

bool PutDown(platform::Window* window, rules::Game& game) {
    KeyCarry& carry = CarriedByKeys;
    fleet::Ship& ship =
        fleet::Ships[fleet::ShipIndex(rules::Player, static_cast<std::uint32_t>(carry.shipId))];
    const bool fromDock = !game.ShipOf(rules::Player, carry.shipId).OnBoard();
    const bool turned = game.ShipOf(rules::Player, carry.shipId).vertical != carry.vertical;
    if (turned) Turn(window, game, ship);
    if (!ship.PlaceAtCell(game, carry.at, window)) {
        if (turned) Turn(window, game, ship);
        return false;
    }
    InvalidateCarried(window);
    carry = KeyCarry{};
    if (fromDock) --Status.ShipsToPlace;
    ShowStatusByCount(window, false);
    return true;
}

}  // namespace

void PickUpByKey(platform::Window* window, const rules::Game& game, std::int32_t shipId) {
    if (shipId < 1 || shipId > rules::ShipsPerSide) return;
    PutBackCarriedShip(window);
    const rules::ShipState& ship = game.ShipOf(rules::Player, shipId);
    KeyCarry& carry = CarriedByKeys;
    carry.shipId = shipId;
    carry.vertical = ship.vertical;
    carry.at = KeptOnBoard(ship.OnBoard() ? rules::Cell{ship.column, ship.row} : rules::Cell{},
                           ship.length, ship.vertical);
    InvalidateCarried(window);
    SetStatus(window, "Place Ship On Map...");
}

bool CarryByKey(platform::Window* window, rules::Game& game, platform::WPARAM key) {
    KeyCarry& carry = CarriedByKeys;
    if (carry.shipId == 0) return false;
    const int length = game.ShipOf(rules::Player, carry.shipId).length;
    rules::Cell at = carry.at;
    bool vertical = carry.vertical;
    switch (key) {
        case platform::VK_LEFT:
            --at.x;
            break;
        case platform::VK_RIGHT:
            ++at.x;
            break;
        case platform::VK_UP:
            --at.y;
            break;
        case platform::VK_DOWN:
            ++at.y;
            break;
        case 'R':
            vertical = !vertical;
            break;
        case platform::VK_SPACE:
        case platform::VK_RETURN:
            if (!PutDown(window, game)) SetStatus(window, DoesNotFit);
            return true;
        case platform::VK_ESCAPE:
            PutBackCarriedShip(window);
            return true;
        default:
            return false;
    }
    InvalidateCarried(window);
    carry.vertical = vertical;
    carry.at = KeptOnBoard(at, length, vertical);
    InvalidateCarried(window);
    return true;
}

void PutBackCarriedShip(platform::Window* window) {
    KeyCarry& carry = CarriedByKeys;
    if (carry.shipId == 0) return;
    // Only its cells are repainted: the ship itself never moved.
    InvalidateCarried(window);
    carry = KeyCarry{};
    ShowStatusByCount(window, false);
}

}  // namespace setup
