// platform/menus.cpp: the menu model: loading from the program's resources, attaching to a
// window, check marks and graying. The host rebuilds its menu bar from the model when told.
#include "platform/menus.h"

#include <algorithm>

#include "platform/core_state.h"
#include "platform/messages.h"
#include "platform/module_resources.h"

namespace platform {

using core::Core;
using core::IsLive;

namespace {

MenuItem* FindIn(std::vector<MenuItem>& items, int id) {
    for (MenuItem& item : items) {
        if (!item.separator && item.items.empty() && item.id == id) return &item;
        if (MenuItem* inner = FindIn(item.items, id)) return inner;
    }
    return nullptr;
}

bool IsKnown(const Menu* menu) {
    const auto& menus = Core().menus;
    return std::any_of(menus.begin(), menus.end(),
                       [menu](const std::unique_ptr<Menu>& m) { return m.get() == menu; });
}

void TellHostAbout(const Menu* menu) {
    for (Window* window : Core().topLevel) {
        if (window->menu == menu) CurrentHost().MenuChanged(*window);
    }
}

}  // namespace

Menu* LoadMenu(const ModuleResources* instance, int menuId) {
    if (instance == nullptr) return nullptr;
    auto menu = std::make_unique<Menu>();
    if (!instance->MenuTemplate(menuId, menu.get())) return nullptr;
    Core().menus.push_back(std::move(menu));
    return Core().menus.back().get();
}

bool SetMenu(Window* window, Menu* menu) {
    if (!IsLive(window) || (menu != nullptr && !IsKnown(menu))) return false;
    window->menu = menu;
    core::UpdateClientArea(*window);
    CurrentHost().MenuChanged(*window);
    CurrentHost().WindowChanged(*window);
    SendMessage(window, WM_SIZE, 0, MakePointParam(window->clientWidth, window->clientHeight));
    return true;
}

bool DestroyMenu(Menu* menu) {
    if (menu == nullptr || !IsKnown(menu)) return false;
    // A window whose menu is destroyed keeps its menu-bar space but shows no items.
    for (Window* window : Core().topLevel) {
        if (window->menu == menu) {
            window->menu = nullptr;
            CurrentHost().MenuChanged(*window);
        }
    }
    auto& menus = Core().menus;
    menus.erase(std::remove_if(menus.begin(), menus.end(),
                               [menu](const std::unique_ptr<Menu>& m) { return m.get() == menu; }),
                menus.end());
    return true;
}

bool DrawMenuBar(Window* window) {
    if (!IsLive(window)) return false;
    CurrentHost().MenuChanged(*window);
    return true;
}

MenuItem* FindMenuItem(Menu* menu, int id) {
    if (menu == nullptr || !IsKnown(menu)) return nullptr;
    return FindIn(menu->items, id);
}

int CheckMenuItem(Menu* menu, int id, std::uint32_t flags) {
    MenuItem* item = FindMenuItem(menu, id);
    if (item == nullptr) return -1;
    const int previous = item->checked ? static_cast<int>(MF_CHECKED) : 0;
    item->checked = (flags & MF_CHECKED) != 0;
    TellHostAbout(menu);
    return previous;
}

int EnableMenuItem(Menu* menu, int id, std::uint32_t flags) {
    MenuItem* item = FindMenuItem(menu, id);
    if (item == nullptr) return -1;
    const int previous = item->grayed ? static_cast<int>(MF_GRAYED) : 0;
    item->grayed = (flags & (MF_GRAYED | MF_DISABLED)) != 0;
    TellHostAbout(menu);
    return previous;
}

}  // namespace platform
