// shell/main_window_proc.cpp: MainWndProc. It only dispatches: each message to a small handler,
// mouse clicks to placement or to the salvo by the phase of play, commands through one table.
#include <cstdint>

#include "battle/game_over.h"
#include "battle/salvo.h"
#include "fleet/board_cell.h"
#include "opponent/fleet_memory.h"
#include "opponent/seen_board.h"
#include "platform/menus.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/repaint.h"
#include "platform/screen.h"
#include "resources/resource_ids.h"
#include "rules/game.h"
#include "setup/asset_loading.h"
#include "setup/controls.h"
#include "setup/layout_scale.h"
#include "setup/new_game.h"
#include "setup/ship_placement.h"
#include "shell/board_painting.h"
#include "shell/command_line.h"
#include "shell/fleet_memory_file.h"
#include "shell/keyboard_play.h"
#include "shell/main_window.h"
#include "shell/network_play.h"
#include "shell/play_record.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "sound/sound_effects.h"
#include "windows/instructions_viewer.h"
#include "windows/picture_popup.h"
#include "windows/program_handles.h"

namespace shell {

using namespace platform;

namespace {

void OnCreate() {
    const int captionHeight = GetSystemMetrics(SM_CYCAPTION);
    const int menuHeight = GetSystemMetrics(SM_CYMENU);
    setup::Layout.ScaleX = setup::Layout.ScreenWidth * 0.0009765625;
    setup::Layout.ScaleY =
        static_cast<double>(setup::Layout.ScreenHeight - captionHeight - menuHeight) /
        static_cast<double>(768 - captionHeight - menuHeight);
    TheSession.random.Seed(ProgramSeed());
    TheSession.memory.fleets = ReadFleetMemoryFile();
}

void OnDestroy(Window* window) {
    LeaveNetworkGame(window);
    if (windows::App.MainMenu != nullptr) DestroyMenu(windows::App.MainMenu);
    windows::App.MainMenu =
        nullptr;  // File > Exit sends this without destroying the window: no second release
    PostQuitMessage(0);
}

void SwitchSound(Window* window, std::uint8_t on) {
    sound::SoundOn = on;
    CheckMenuItem(windows::App.MainMenu, resources::IDM_SOUND_ON, on ? MF_CHECKED : MF_UNCHECKED);
    CheckMenuItem(windows::App.MainMenu, resources::IDM_SOUND_OFF, on ? MF_UNCHECKED : MF_CHECKED);
    SaveSoundSwitch(on);
    PaintBoard(window);
}

// The menu grays these items, so they arrive only when the window receives them by other means.
void ChangeScreenSize(Window* window, int checkedItem, int width, int height, double factor) {
    for (int item : {resources::IDM_SIZE_640, resources::IDM_SIZE_800, resources::IDM_SIZE_1024}) {
        CheckMenuItem(windows::App.MainMenu, item, item == checkedItem ? MF_CHECKED : MF_UNCHECKED);
    }
    const int frameX = GetSystemMetrics(SM_CXFRAME);
    const int frameY = GetSystemMetrics(SM_CYFRAME);
    LeaveNetworkGame(window);
    setup::Layout.ScreenWidth = width;
    setup::Layout.ScreenHeight = height;
    setup::Layout.ScaleX = factor;
    setup::Layout.ScaleY =
        factor;  // the plain ratio here, not the caption-corrected one of creation
    setup::LoadAssets();
    SetWindowPos(window, HWND_TOP, -frameX, -frameY, width + 2 * frameX, height + 2 * frameY,
                 SWP_FRAMECHANGED);
    StartNewGame(window);
    PaintBoard(window);
}

// Taken up by the next new game; the game in progress keeps its level.
void ChooseOpponent(Window* window, rules::Level level) {
    TheSession.chosenLevel = level;
    CheckOpponentItems();
    SaveOpponentLevel(level);
    PaintBoard(window);
}

// Commands match on the whole value: a notification code in the high word matches nothing.
void OnCommand(Window* window, WPARAM command) {
    switch (command) {
        case setup::ID_START:
            if (StartNetworkBattle(window)) {
                if (TheSession.game.phase == rules::Firing) ResetAimCursor(window);
                return;
            }
            setup::PutBackCarriedShip(window);
            battle::StartBattle(window, TheSession.game, TheSession.random);
            if (TheSession.game.phase == rules::Firing) ResetAimCursor(window);
            return;
        case setup::ID_PLACE_RANDOM:
            setup::PlaceFleetRandomly(window, TheSession.game, TheSession.random);
            PaintBoard(window);
            return;
        case setup::ID_ABOUT:
            windows::ShowPicturePopup(windows::App.AppInstance, window, resources::IDB_ABOUT, 0);
            PaintBoard(window);
            return;
        case setup::ID_INSTRUCTIONS:
            windows::OpenInstructionsViewer(window, windows::App.AppInstance);
            PaintBoard(window);
            return;
        case resources::IDM_EXIT:
            // The window is not destroyed first: the quit request ends the main loop.
            SendMessage(window, WM_DESTROY, 0, 0);
            PaintBoard(window);
            return;
        case resources::IDM_SOUND_ON:
            SwitchSound(window, 1);
            return;
        case resources::IDM_SOUND_OFF:
            SwitchSound(window, 0);
            return;
        case resources::IDM_SIZE_640:
            ChangeScreenSize(window, resources::IDM_SIZE_640, 640, 480, 0.625);
            return;
        case resources::IDM_SIZE_800:
            ChangeScreenSize(window, resources::IDM_SIZE_800, 800, 600, 0.78125);
            return;
        case resources::IDM_SIZE_1024:
            ChangeScreenSize(window, resources::IDM_SIZE_1024, 1024, 768, 1.0);
            return;
        case resources::IDM_NEW:
            LeaveNetworkGame(window);
            StartNewGame(window);
            PaintBoard(window);
            return;
        case resources::IDM_HOST_NETWORK:
            AskToHost(window);
            return;
        case resources::IDM_JOIN_NETWORK:
            AskToJoin(window);
            return;
        case resources::IDM_STATISTICS:
            MessageBox(window, DescribePlayRecord(ReadPlayRecord(), ReadNetworkRecord()),
                       "Statistics", MB_OK);
            PaintBoard(window);
            return;
        case resources::IDM_OPPONENT_STANDARD:
            ChooseOpponent(window, rules::Level::Standard);
            return;
        case resources::IDM_OPPONENT_EXPERT:
            ChooseOpponent(window, rules::Level::Expert);
            return;
        default:
            PaintBoard(window);
            return;
    }
}

int MouseX(LPARAM position) { return LowWord(static_cast<std::uint64_t>(position)); }
int MouseY(LPARAM position) { return HighWord(static_cast<std::uint64_t>(position)); }

void OnLeftButtonUp(Window* window, int x, int y) {
    rules::Game& game = TheSession.game;
    if (game.phase == rules::Placing) {
        setup::PutBackCarriedShip(window);
        setup::SelectAndPlaceShip(window, game, x, y);
        setup::EnableStartIfFleetPlaced(window);
    } else if (game.phase == rules::Firing) {
        // Against a friend the cell goes to the network game; while a friend is only awaited,
        // the game against the computer goes on.
        int column = 0;
        int row = 0;
        const bool onTheBoard = fleet::CellAt(rules::Enemy, x, y, &column, &row);
        if (onTheBoard) MoveAimCursorTo(window, rules::Cell{column, row});
        if (onTheBoard && AimNetworkShot(window, rules::Cell{column, row})) return;
        const battle::Computer computer{TheSession.memory, TheSession.random};
        if (const auto end = battle::AimPlayerShot(window, game, computer, x, y)) {
            EndGame(window, *end);
        }
    }
}

void OnRightButtonUp(Window* window, int x, int y) {
    if (TheSession.game.phase != rules::Placing) return;
    setup::PutBackCarriedShip(window);
    setup::RotateAndPlaceShip(window, TheSession.game, x, y);
    setup::EnableStartIfFleetPlaced(window);
}

// The release that follows a double-click is taken here, in every phase, and dropped. A quit
// request met while waiting for it is posted again: the main loop must still see it.
void OnLeftButtonDoubleClick(Window* window, int x, int y) {
    Message release;
    if (!GetMessage(&release, window, WM_LBUTTONUP, WM_LBUTTONUP)) {
        PostMessage(release.window, release.message, release.wParam, release.lParam);
        return;
    }
    OnRightButtonUp(window, x, y);
}

}  // namespace

void EndGame(Window* window, rules::GameOutcome outcome) {
    const rules::Game& game = TheSession.game;
    AddGameToRecord(game.level, outcome, game.salvosResolved);
    // Whatever the level, the game showed the computer how the player lays out a fleet.
    opponent::RememberFleet(opponent::SeenBoard(game), TheSession.memory.fleets);
    KeepFleetMemory(TheSession.memory.fleets);
    ShowGameEnd(window, game, outcome);
}

void ShowGameEnd(Window* window, const rules::Game& game, rules::GameOutcome outcome) {
    ResetAimCursor(window);  // nothing is left to aim at
    battle::ShowGameOver(window, game, outcome);
    LetBackgroundGo();
    battle::AnnounceGameOver(window, outcome);
}

LRESULT MainWndProc(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_DESTROY:
            OnDestroy(window);
            return 0;
        case WM_SIZE:
            return 0;
        case WM_WINDOWPOSCHANGING:
            return 0;
        case WM_ERASEBKGND:
            return 0;
        case WM_PAINT:
            PaintBoard(window);
            return 0;
        case WM_COMMAND:
            OnCommand(window, wParam);
            return 0;
        case WM_LBUTTONUP:
            OnLeftButtonUp(window, MouseX(lParam), MouseY(lParam));
            return 0;
        case WM_LBUTTONDBLCLK:
            OnLeftButtonDoubleClick(window, MouseX(lParam), MouseY(lParam));
            return 0;
        case WM_RBUTTONUP:
            OnRightButtonUp(window, MouseX(lParam), MouseY(lParam));
            return 0;
        case WM_KEYDOWN:
            OnGameKey(window, wParam);
            return 0;
        case WM_SOCKET:
            OnNetworkSocket(window, wParam, lParam);
            return 0;
        case WM_TIMER:
            if (wParam != FriendSilenceTimer) return DefWindowProc(window, message, wParam, lParam);
            OnFriendSilence(window);
            return 0;
        case WM_DPICHANGED:
            setup::LoadPicturesForScale();
            InvalidateRect(window, nullptr, false);
            return 0;
        default:
            return DefWindowProc(window, message, wParam, lParam);
    }
}

}  // namespace shell
