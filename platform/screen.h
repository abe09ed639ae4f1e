// platform/screen.h: screen facts and the clock, under the names the game's code uses.
#pragma once

#include <cstdint>

#include "platform/drawing/device_context.h"
#include "platform/types.h"

namespace platform {

enum SystemMetric {
    SM_CXSCREEN = 0,
    SM_CYSCREEN = 1,
    SM_CXVSCROLL = 2,
    SM_CYCAPTION = 4,
    SM_CXFIXEDFRAME = 7,
    SM_CYFIXEDFRAME = 8,
    SM_CYMENU = 15,
    SM_CXFRAME = 32,
    SM_CYFRAME = 33,
};
int GetSystemMetrics(SystemMetric metric);

enum DeviceCap {
    HORZSIZE = 4,
    VERTSIZE = 6,
    HORZRES = 8,
    VERTRES = 10,
    BITSPIXEL = 12,
    PLANES = 14,
    LOGPIXELSX = 88,
    LOGPIXELSY = 90,
};
// Every context answers for the screen: all our surfaces are in the screen's format.
int GetDeviceCaps(DeviceContext* dc, DeviceCap cap);

constexpr int COLOR_BACKGROUND = 1;
ColourRef GetSysColor(int index);

// The calendar time in whole seconds (the standard library's time()).
std::int64_t time();

}  // namespace platform
