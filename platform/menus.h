// platform/menus.h: the menu model. Menus are built from a program resource and attached to a
// window; the host shows them and reports choices of enabled items as commands.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/window.h"

namespace platform {

struct MenuItem {
    std::string text{};  // '&' marks the mnemonic, a tab separates the shortcut text
    int id = 0;
    bool separator = false;
    bool checked = false;
    bool grayed = false;
    std::vector<MenuItem> items{};  // a pop-up menu's own items
};

struct Menu {
    std::vector<MenuItem> items;
};

// Builds the menu of the given resource id from the module's resources; null when it has none.
Menu* LoadMenu(const ModuleResources* instance, int menuId);
bool SetMenu(Window* window, Menu* menu);
bool DestroyMenu(Menu* menu);
bool DrawMenuBar(Window* window);

constexpr std::uint32_t MF_BYCOMMAND = 0x0000;
constexpr std::uint32_t MF_ENABLED = 0x0000;
constexpr std::uint32_t MF_UNCHECKED = 0x0000;
constexpr std::uint32_t MF_GRAYED = 0x0001;
constexpr std::uint32_t MF_DISABLED = 0x0002;
constexpr std::uint32_t MF_CHECKED = 0x0008;
// Return the item's previous state, or -1 when no item has the id.
int CheckMenuItem(Menu* menu, int id, std::uint32_t flags);
int EnableMenuItem(Menu* menu, int id, std::uint32_t flags);
// The item with the id anywhere in the menu, or null.
MenuItem* FindMenuItem(Menu* menu, int id);

}  // namespace platform
