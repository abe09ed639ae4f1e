// shell/main_window.h: the main window, its controls and menu, and the start-up step that builds
// them.
#pragma once

#include <cstdint>

#include "platform/menus.h"
#include "platform/module_resources.h"
#include "platform/window.h"
#include "rules/game.h"

namespace shell {

// Registers the class, creates the main window, opens the start-up picture, creates the controls
// and the menu, detects the sound device, loads the pictures, starts the first game and shows the
// window. False only when the main window cannot be created.
bool InitInstance(const platform::ModuleResources* instance, int showCommand);

// A new game at the level the player has chosen: the game in progress kept its own until now.
void StartNewGame(platform::Window* window);

// Records the game's end, then shows it: the win sound holds the game until it ends, and a player
// who quits then has still finished the game.
void EndGame(platform::Window* window, rules::GameOutcome outcome);

// Shows a game's end: on the board, then its picture and sound. The board's kept background layer
// goes in between, as the board stays as it is under the picture: the picture's windows need about
// as much memory again (at a scale of 2, 10 MB), and the next game composes the layer anew.
void ShowGameEnd(platform::Window* window, const rules::Game& game, rules::GameOutcome outcome);

// Checks the Options > Opponent item of the chosen level and unchecks the other.
void CheckOpponentItems();

// The main window's message handler: the one way from the platform into the game.
platform::LRESULT MainWndProc(platform::Window* window, std::uint32_t message,
                              platform::WPARAM wParam, platform::LPARAM lParam);

}  // namespace shell
