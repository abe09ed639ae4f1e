// shell/main_window.cpp: InitInstance, step by step: the class, the window, the start-up picture,
// the five controls, the menu with its marks, sound, pictures, the first game, showing it.
#include "shell/main_window.h"

#include "platform/drawing/drawing.h"
#include "platform/messages.h"
#include "platform/quit_request.h"
#include "platform/repaint.h"
#include "platform/screen.h"
#include "resources/resource_ids.h"
#include "setup/asset_loading.h"
#include "setup/controls.h"
#include "setup/layout_scale.h"
#include "setup/new_game.h"
#include "shell/command_line.h"
#include "shell/network_play.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "sound/sound_effects.h"
#include "windows/picture_popup.h"
#include "windows/program_handles.h"

namespace shell {

using namespace platform;

namespace {

struct ControlDesign {
    const char* className;
    int id;
    const char* text;
    char mnemonic;  // Alt with this letter presses the button
    int x, y, width, height;
    std::uint32_t style;
    std::uint32_t exStyle;
};

constexpr std::uint32_t kButtonStyle = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_CENTER;

// In design units; created in this order.
constexpr ControlDesign kControls[] = {
    {"BUTTON", setup::ID_START, "START", 'S', 10, 10, 125, 40, kButtonStyle | WS_DISABLED, 0},
    {"BUTTON", setup::ID_PLACE_RANDOM, "Place Random", 'P', 155, 10, 125, 40, kButtonStyle, 0},
    {"BUTTON", setup::ID_ABOUT, "About", 'A', 745, 10, 125, 40, kButtonStyle, 0},
    {"BUTTON", setup::ID_INSTRUCTIONS, "Instructions", 'I', 890, 10, 125, 40, kButtonStyle, 0},
    {"STATIC", 0, "Instructions", 0, 300, 10, 425, 40, WS_CHILD | WS_VISIBLE | SS_GRAYFRAME,
     WS_EX_STATICEDGE},
};

void RegisterMainWindowClass(const ModuleResources* instance) {
    RegisterClassEx(WindowClass{.name = "Tidewrack",
                                .style = CS_DBLCLKS,
                                .procedure = MainWndProc,
                                .instance = instance,
                                .iconId = resources::IDI_TIDEWRACK,
                                .hasBackground = true,
                                .background = Rgb(200, 125, 0)});
}

// The button captions' character height in design units: scaled like the buttons themselves,
// so that every caption, "Place Random" the widest, fits its button at every screen size.
constexpr int kButtonFontHeight = 15;

void CreateControls(Window* window, const ModuleResources* instance) {
    LogFont captions;
    captions.height = -setup::DesignX(kButtonFontHeight);  // a character height
    captions.faceName = "Arial";
    Font* buttonFont = CreateFontIndirect(captions);
    for (const ControlDesign& control : kControls) {
        Window* created = CreateWindowEx(
            control.exStyle, control.className, control.text, control.style,
            setup::DesignX(control.x), setup::DesignY(control.y), setup::DesignX(control.width),
            setup::DesignY(control.height), window, control.id, instance);
        if (created != nullptr && control.id != 0) {
            SendMessage(created, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont), 0);
            SetMnemonic(created, control.mnemonic);
        }
    }
    DeleteObject(buttonFont);  // each button keeps its own copy
}

// savedSound: what settings.ini keeps (1 on, 0 off, -1 never switched); only a device can play.
void SetUpSoundItems(int savedSound) {
    if (sound::DetectSoundDevice()) {
        sound::SoundOn = savedSound == 0 ? 0 : 1;
        CheckMenuItem(windows::App.MainMenu,
                      sound::SoundOn ? resources::IDM_SOUND_ON : resources::IDM_SOUND_OFF,
                      MF_CHECKED);
        return;
    }
    CheckMenuItem(windows::App.MainMenu, resources::IDM_SOUND_OFF, MF_CHECKED);
    EnableMenuItem(windows::App.MainMenu, resources::IDM_SOUND_ON, MF_GRAYED | MF_DISABLED);
    EnableMenuItem(windows::App.MainMenu, resources::IDM_SOUND_OFF, MF_GRAYED | MF_DISABLED);
    sound::SoundOn = 0;
}

// The screen size shows in the menu but stays what the display test chose.
void SetUpScreenSizeItems() {
    const int current = setup::Layout.ScreenWidth == 640   ? resources::IDM_SIZE_640
                        : setup::Layout.ScreenWidth == 800 ? resources::IDM_SIZE_800
                                                           : resources::IDM_SIZE_1024;
    CheckMenuItem(windows::App.MainMenu, current, MF_CHECKED);
    for (int item : {resources::IDM_SIZE_640, resources::IDM_SIZE_800, resources::IDM_SIZE_1024}) {
        EnableMenuItem(windows::App.MainMenu, item, MF_GRAYED | MF_DISABLED);
    }
}

}  // namespace

void StartNewGame(Window* window) {
    setup::NewGame(window, TheSession.game, TheSession.chosenLevel);
}

void CheckOpponentItems() {
    const bool expert = TheSession.chosenLevel == rules::Level::Expert;
    CheckMenuItem(windows::App.MainMenu, resources::IDM_OPPONENT_STANDARD,
                  expert ? MF_UNCHECKED : MF_CHECKED);
    CheckMenuItem(windows::App.MainMenu, resources::IDM_OPPONENT_EXPERT,
                  expert ? MF_CHECKED : MF_UNCHECKED);
}

bool InitInstance(const ModuleResources* instance, int showCommand) {
    windows::App.AppInstance = instance;
    RegisterMainWindowClass(instance);

    const int frameX = GetSystemMetrics(SM_CXFRAME);
    const int frameY = GetSystemMetrics(SM_CYFRAME);
    windows::App.MainWindow =
        CreateWindowEx(WS_EX_APPWINDOW, "Tidewrack", "Tidewrack",
                       WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, -frameX, -frameY,
                       setup::Layout.ScreenWidth + 2 * frameX,
                       setup::Layout.ScreenHeight + 2 * frameY, nullptr, 0, instance);
    if (windows::App.MainWindow == nullptr) return false;
    // A carried ship and a long synchronous sound must not keep the close box and File > Exit
    // waiting: the platform knows them in the queue.
    SetProgramExit(windows::App.MainWindow, resources::IDM_EXIT);

    if (Options.showSplash) {
        windows::ShowPicturePopup(windows::App.AppInstance, windows::App.MainWindow,
                                  resources::IDB_STARTUP, 5000);
    }
    CreateControls(windows::App.MainWindow, instance);

    windows::App.MainMenu = LoadMenu(instance, resources::IDR_MAIN_MENU);
    SetMenu(windows::App.MainWindow, windows::App.MainMenu);
    SetUpSoundItems(LoadSettings());
    SetUpScreenSizeItems();
    CheckOpponentItems();
    DrawMenuBar(windows::App.MainWindow);

    setup::LoadAssets();
    StartNewGame(windows::App.MainWindow);

    ShowWindow(windows::App.MainWindow, showCommand);
    UpdateWindow(windows::App.MainWindow);
    if (Options.hostPort) HostNetworkGame(windows::App.MainWindow, *Options.hostPort, false);
    if (Options.join) JoinNetworkGame(windows::App.MainWindow, *Options.join);
    return true;
}

}  // namespace shell
