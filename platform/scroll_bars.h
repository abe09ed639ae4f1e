// platform/scroll_bars.h: a window's vertical scroll bar: its range, page and position.
#pragma once

#include <cstdint>

#include "platform/window.h"

namespace platform {

constexpr int SB_VERT = 1;
constexpr int SB_LINEUP = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_TOP = 6;
constexpr int SB_BOTTOM = 7;
constexpr int SB_ENDSCROLL = 8;

constexpr std::uint32_t SIF_RANGE = 0x0001;
constexpr std::uint32_t SIF_PAGE = 0x0002;
constexpr std::uint32_t SIF_POS = 0x0004;
constexpr std::uint32_t SIF_TRACKPOS = 0x0010;
constexpr std::uint32_t SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct ScrollBarInfo {
    std::uint32_t mask = 0;
    int min = 0;
    int max = 0;
    int page = 0;
    int pos = 0;
    int trackPos = 0;
};

// Sets what the mask names; the position is kept within min..max - page + 1 (never below min).
// Returns the new position.
int SetScrollInfo(Window* window, int bar, const ScrollBarInfo* info, bool redraw);
bool GetScrollInfo(Window* window, int bar, ScrollBarInfo* info);
int GetScrollPos(Window* window, int bar);

}  // namespace platform
