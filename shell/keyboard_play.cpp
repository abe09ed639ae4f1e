// shell/keyboard_play.cpp: the keys of placing and firing, each doing what the matching click
// does.
#include "shell/keyboard_play.h"

#include <algorithm>

#include "battle/game_over.h"
#include "battle/salvo.h"
#include "fleet/board_cell.h"
#include "platform/virtual_keys.h"
#include "setup/controls.h"
#include "setup/ship_placement.h"
#include "shell/main_window.h"
#include "shell/network_play.h"
#include "shell/session.h"

namespace shell {

AimCursor Cursor;

namespace {

void OnPlacingKey(platform::Window* window, rules::Game& game, platform::WPARAM key) {
    if (key >= '1' && key <= '0' + rules::ShipsPerSide) {
        setup::PickUpByKey(window, game, static_cast<std::int32_t>(key - '0'));
    } else if (setup::CarryByKey(window, game, key)) {
        setup::EnableStartIfFleetPlaced(window);
    }
}

void MoveAimCursor(platform::Window* window, int dx, int dy) {
    fleet::InvalidateCell(window, rules::Enemy, Cursor.at.x, Cursor.at.y);
    Cursor.at.x = std::clamp(Cursor.at.x + dx, 0, rules::BoardSize - 1);
    Cursor.at.y = std::clamp(Cursor.at.y + dy, 0, rules::BoardSize - 1);
    fleet::InvalidateCell(window, rules::Enemy, Cursor.at.x, Cursor.at.y);
}

bool IsFiringKey(platform::WPARAM key) {
    return key == platform::VK_LEFT || key == platform::VK_RIGHT || key == platform::VK_UP ||
           key == platform::VK_DOWN || key == platform::VK_SPACE || key == platform::VK_RETURN;
}

void OnFiringKey(platform::Window* window, rules::Game& game, platform::WPARAM key) {
    // The first key only shows where the cursor is: a shot is never aimed at a cell not seen.
    if (!Cursor.shown) {
        if (!IsFiringKey(key)) return;
        Cursor.shown = true;
        fleet::InvalidateCell(window, rules::Enemy, Cursor.at.x, Cursor.at.y);
        return;
    }
    switch (key) {
        case platform::VK_LEFT:
            MoveAimCursor(window, -1, 0);
            return;
        case platform::VK_RIGHT:
            MoveAimCursor(window, 1, 0);
            return;
        case platform::VK_UP:
            MoveAimCursor(window, 0, -1);
            return;
        case platform::VK_DOWN:
            MoveAimCursor(window, 0, 1);
            return;
        case platform::VK_SPACE:
        case platform::VK_RETURN: {
            if (AimNetworkShot(window, Cursor.at)) return;
            const battle::Computer computer{TheSession.memory, TheSession.random};
            if (const auto end = battle::AimPlayerShotAt(window, game, computer, Cursor.at)) {
                EndGame(window, *end);
            }
            return;
        }
        default:
            return;
    }
}

}  // namespace

bool AimCursorShown(const rules::Game& game) {
    return Cursor.shown && (game.phase == rules::Firing || game.phase == rules::Resolving);
}

void OnGameKey(platform::Window* window, platform::WPARAM key) {
    rules::Game& game = TheSession.game;
    if (game.phase == rules::Placing) {
        OnPlacingKey(window, game, key);
    } else if (game.phase == rules::Firing) {
        OnFiringKey(window, game, key);
    }
}

void MoveAimCursorTo(platform::Window* window, rules::Cell cell) {
    if (!Cursor.shown) {
        Cursor.at = cell;  // nothing on the screen to move
        return;
    }
    MoveAimCursor(window, cell.x - Cursor.at.x, cell.y - Cursor.at.y);
}

void ResetAimCursor(platform::Window* window) {
    if (Cursor.shown) fleet::InvalidateCell(window, rules::Enemy, Cursor.at.x, Cursor.at.y);
    Cursor = AimCursor{};
}

}  // namespace shell
