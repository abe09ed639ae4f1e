// imaging/point_size_font.cpp: CreatePointSizeFont, with the platform's float arithmetic kept as it
// is so that sizes land on the same whole pixels.
#include "imaging/point_size_font.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/drawing/drawing.h"
#include "platform/screen.h"

namespace imaging {

namespace {

// 1/72 as a 32-bit float is a little above 1/72, which keeps 120 tenths at 96 dpi at 160.
constexpr float OneSeventySecond = 0.013888889f;
// The platform's face-name field holds 31 characters and the terminator.
constexpr std::size_t FaceNameLength = 31;

double ResolutionDpi(platform::DeviceContext* target, bool logical, bool horizontal) {
    using namespace platform;
    if (logical) return GetDeviceCaps(target, horizontal ? LOGPIXELSX : LOGPIXELSY);
    const int pixels = GetDeviceCaps(target, horizontal ? HORZRES : VERTRES);
    const int millimetres = GetDeviceCaps(target, horizontal ? HORZSIZE : VERTSIZE);
    if (millimetres == 0) return 0;  // a screen that claims no size gives no font size
    return 25.4 * pixels / millimetres;
}

}  // namespace

platform::Font* CreatePointSizeFont(platform::DeviceContext* target, const char* faceName,
                                    int height, int width, int attributes, bool useLogicalInches) {
    platform::SaveDC(target);
    platform::SetGraphicsMode(target, platform::GM_ADVANCED);
    platform::ModifyWorldTransform(target, nullptr, platform::MWT_IDENTITY);
    platform::SetViewportOrgEx(target, 0, 0, nullptr);
    platform::SetWindowOrgEx(target, 0, 0, nullptr);

    const float horizontalDpi = static_cast<float>(ResolutionDpi(target, useLogicalInches, true));
    const double verticalDpi = ResolutionDpi(target, useLogicalInches, false);
    // Ten times the size in device pixels, since the sizes are in tenths of a point.
    platform::Point point{
        static_cast<int>(width * static_cast<double>(horizontalDpi) *
                         static_cast<double>(OneSeventySecond)),
        static_cast<int>(height * verticalDpi * static_cast<double>(OneSeventySecond))};
    platform::DPtoLP(target, &point, 1);

    platform::LogFont description;
    // Negative: a character height rather than a cell height, |y| / 10 rounded half up.
    description.height = static_cast<int>(-0.5 - std::abs(point.y) * 0.1);
    description.width = 0;
    description.weight = (attributes & FontBold) != 0 ? platform::FW_BOLD : platform::FW_DONTCARE;
    description.italic = (attributes & FontItalic) != 0;
    description.underline = (attributes & FontUnderline) != 0;
    description.strikeOut = (attributes & FontStrikeOut) != 0;
    description.charSet = platform::DEFAULT_CHARSET;
    description.faceName =
        std::string(faceName != nullptr ? faceName : "").substr(0, FaceNameLength);
    platform::Font* font = platform::CreateFontIndirect(description);

    // A height that maps to no pixels gives no width to scale by; the natural width stays.
    if (width != 0 && point.y != 0) {
        platform::Font* previous = platform::SelectObject(target, font);
        platform::TextMetrics metrics;
        platform::GetTextMetrics(target, &metrics);
        platform::SelectObject(target, previous);
        platform::DeleteObject(font);
        description.width = static_cast<int>(
            std::abs(point.x) * static_cast<double>(metrics.averageCharWidth) / std::abs(point.y) +
            0.5);
        font = platform::CreateFontIndirect(description);
    }

    platform::RestoreDC(target, -1);
    return font;
}

}  // namespace imaging
