// platform/screen.cpp: screen facts and clocks, answered by the host.
#include "platform/screen.h"

#include "platform/host.h"

namespace platform {

int GetSystemMetrics(SystemMetric metric) {
    const ScreenFacts facts = CurrentHost().Screen();
    switch (metric) {
        case SM_CXSCREEN:
            return facts.width;
        case SM_CYSCREEN:
            return facts.height;
        case SM_CXVSCROLL:
            return facts.verticalScrollWidth;
        case SM_CYCAPTION:
            return facts.captionHeight;
        case SM_CXFIXEDFRAME:
            return facts.fixedFrameX;
        case SM_CYFIXEDFRAME:
            return facts.fixedFrameY;
        case SM_CYMENU:
            return facts.menuHeight;
        case SM_CXFRAME:
            return facts.frameX;
        case SM_CYFRAME:
            return facts.frameY;
    }
    return 0;
}

int GetDeviceCaps(DeviceContext*, DeviceCap cap) {
    const ScreenFacts facts = CurrentHost().Screen();
    switch (cap) {
        case HORZSIZE:
            return facts.widthMillimetres;
        case VERTSIZE:
            return facts.heightMillimetres;
        case HORZRES:
            return facts.width;
        case VERTRES:
            return facts.height;
        case BITSPIXEL:
            return facts.bitsPerPixel;
        case PLANES:
            return facts.planes;
        case LOGPIXELSX:
            return facts.logicalDpiX;
        case LOGPIXELSY:
            return facts.logicalDpiY;
    }
    return 0;
}

ColourRef GetSysColor(int index) {
    if (index == COLOR_BACKGROUND) return CurrentHost().Screen().desktopColour;
    return Rgb(192, 192, 192);
}

std::int64_t time() { return CurrentHost().CalendarSeconds(); }

}  // namespace platform
