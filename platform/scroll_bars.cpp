// platform/scroll_bars.cpp: a window's vertical scroll bar state; the host draws it.
#include "platform/scroll_bars.h"

#include <algorithm>

#include "platform/core_state.h"

namespace platform {

namespace {

// The position never passes the last place where a whole page still fits, nor the minimum.
int Clamped(const ScrollInfo& info) {
    const int highest = info.max - std::max(info.page - 1, 0);
    return std::max(info.min, std::min(info.pos, highest));
}

}  // namespace

int SetScrollInfo(Window* window, int bar, const ScrollBarInfo* info, bool redraw) {
    if (!core::IsLive(window) || bar != SB_VERT || info == nullptr) return 0;
    ScrollInfo& scroll = window->verticalScroll;
    if (info->mask & SIF_RANGE) {
        scroll.min = info->min;
        scroll.max = std::max(info->min, info->max);
    }
    if (info->mask & SIF_PAGE) scroll.page = std::max(0, info->page);
    if (info->mask & SIF_POS) scroll.pos = info->pos;
    scroll.pos = Clamped(scroll);
    if (redraw) CurrentHost().ScrollBarChanged(*window);
    return scroll.pos;
}

bool GetScrollInfo(Window* window, int bar, ScrollBarInfo* info) {
    if (!core::IsLive(window) || bar != SB_VERT || info == nullptr) return false;
    const ScrollInfo& scroll = window->verticalScroll;
    info->min = scroll.min;
    info->max = scroll.max;
    info->page = scroll.page;
    info->pos = scroll.pos;
    info->trackPos = scroll.trackPos;
    return true;
}

int GetScrollPos(Window* window, int bar) {
    ScrollBarInfo info;
    return GetScrollInfo(window, bar, &info) ? info.pos : 0;
}

}  // namespace platform
