// shell/keyboard_play.h: the game played with the keyboard alone: keys 1 to 5 and the carried ship
// while the fleet is placed, a cell cursor on the enemy board while firing.
#pragma once

#include "platform/window.h"
#include "rules/game.h"

namespace shell {

// The keyboard's cursor on the enemy board. Written by the shell alone: hidden at the top-left
// cell as each battle starts, shown there by the first firing key, then moved by the arrow keys;
// it stays where it is between salvos. A battle played with the mouse alone never shows it.
struct AimCursor {
    rules::Cell at;
    bool shown = false;
};

extern AimCursor Cursor;

// Whether the painter draws the cursor: once shown, until the battle ends.
bool AimCursorShown(const rules::Game& game);

// A key pressed on the main window. Keys pressed while a salvo plays out, or after the end, do
// nothing, as clicks there do.
void OnGameKey(platform::Window* window, platform::WPARAM key);

// The start of a battle: the cursor goes back to the top-left cell, hidden.
void ResetAimCursor(platform::Window* window);

// A shot aimed by a click: the cursor moves to its cell, so the keys go on from where the player
// last fired rather than from a cell the mouse left behind.
void MoveAimCursorTo(platform::Window* window, rules::Cell cell);

}  // namespace shell
