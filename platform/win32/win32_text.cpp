// platform/win32/win32_text.cpp: GdiText. Fonts are made once per description and scale and kept
// for the run (the game uses a handful); a string is drawn over a copy of the target's pixels, so
// its antialiased edges blend with what lies under them, and copied back within the clip.
#include "platform/win32/win32_text.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <tuple>

// clang-format off
// The system's header comes after ours: it would turn the names ours share with it into macros.
#include <windows.h>
// clang-format on

namespace platform {

namespace {

// The faces the game names, as the faces every Windows has.
std::wstring SystemFace(const std::string& faceName) {
    if (faceName.empty() || faceName == "Liberation Sans" || faceName == "Helvetica")
        return L"Arial";
    if (faceName == "Liberation Serif") return L"Times New Roman";
    if (faceName == "Liberation Mono") return L"Courier New";
    return WIN_WideFromLatin1(faceName);
}

using FontKey = std::tuple<int, int, int, bool, bool, bool, std::string, double>;

FontKey KeyOf(const LogFont& d, double scale) {
    return {d.height, d.width, d.weight, d.italic, d.underline, d.strikeOut, d.faceName, scale};
}

int Scaled(int size, double scale) {
    if (scale == 1.0 || size == 0) return size;
    const int scaled = static_cast<int>(std::lround(size * scale));
    return scaled == 0 ? (size < 0 ? -1 : 1) : scaled;
}

}  // namespace

std::wstring WIN_WideFromLatin1(std::string_view text) {
    std::wstring wide(text.size(), L'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(text[i]));
    return wide;
}

void* WIN_CreateFont(const LogFont& d, double scale) {
    LOGFONTW font{};
    // A negative height asks for the character height, a positive one for the cell height: the
    // system reads them just as our descriptions mean them.
    font.lfHeight = Scaled(d.height == 0 ? 16 : d.height, scale);
    font.lfWidth = Scaled(d.width, scale);
    font.lfWeight = d.weight;
    font.lfItalic = d.italic ? TRUE : FALSE;
    font.lfUnderline = d.underline ? TRUE : FALSE;
    font.lfStrikeOut = d.strikeOut ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    // The antialiasing the system uses for its own windows: ClearType or grey, as the player set.
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    const std::wstring face = SystemFace(d.faceName);
    wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

struct GdiText::Fonts {
    HDC dc = ::CreateCompatibleDC(nullptr);
    std::map<FontKey, HFONT> made;

    ~Fonts() {
        DeleteDC(dc);
        for (auto& [key, font] : made) DeleteObject(font);
    }
    // Selects the font into the measuring context and returns it.
    HFONT Select(const LogFont& d, double scale) {
        const FontKey key = KeyOf(d, scale);
        auto found = made.find(key);
        if (found == made.end())
            found = made.emplace(key, static_cast<HFONT>(WIN_CreateFont(d, scale))).first;
        SelectObject(dc, found->second);
        return found->second;
    }
};

GdiText::GdiText() : fonts_(std::make_unique<Fonts>()) {}
GdiText::~GdiText() = default;

TextMetrics GdiText::FontMetrics(const LogFont& font) {
    fonts_->Select(font, 1.0);
    TEXTMETRICW tm{};
    GetTextMetricsW(fonts_->dc, &tm);
    TextMetrics metrics;
    metrics.height = tm.tmHeight;
    metrics.ascent = tm.tmAscent;
    metrics.descent = tm.tmDescent;
    metrics.internalLeading = tm.tmInternalLeading;
    metrics.externalLeading = tm.tmExternalLeading;
    metrics.averageCharWidth = tm.tmAveCharWidth;
    metrics.maxCharWidth = tm.tmMaxCharWidth;
    return metrics;
}

StringSize GdiText::MeasureString(const LogFont& font, std::string_view text) {
    fonts_->Select(font, 1.0);
    TEXTMETRICW tm{};
    GetTextMetricsW(fonts_->dc, &tm);
    const std::wstring wide = WIN_WideFromLatin1(text);
    SIZE size{};
    GetTextExtentPoint32W(fonts_->dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return StringSize{static_cast<int>(size.cx), tm.tmAscent, tm.tmDescent};
}

Rect GdiText::DrawString(Bitmap& target, const TextDrawing& drawing) {
    if (drawing.text.empty() || target.IsMonochrome()) return Rect{};
    HFONT font = fonts_->Select(*drawing.font, drawing.scale);
    TEXTMETRICW tm{};
    GetTextMetricsW(fonts_->dc, &tm);
    const std::wstring wide = WIN_WideFromLatin1(drawing.text);
    SIZE size{};
    GetTextExtentPoint32W(fonts_->dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    const Rect cell{drawing.origin.x, drawing.origin.y, drawing.origin.x + size.cx,
                    drawing.origin.y + tm.tmHeight};
    // Italic and overhanging glyphs reach past the advance: room on both sides.
    const int margin = tm.tmOverhang + tm.tmHeight / 2;
    const Rect area =
        Intersect(Rect{cell.left - margin, cell.top, cell.right + margin, cell.bottom},
                  Intersect(drawing.clip, target.Bounds()));
    if (area.IsEmpty()) return Rect{};

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = area.Width();
    info.bmiHeader.biHeight = -area.Height();  // rows top to bottom, as ours
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(fonts_->dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr || bits == nullptr) return Rect{};
    auto* pixels = static_cast<Pixel*>(bits);
    const auto rowBytes = static_cast<std::size_t>(area.Width()) * sizeof(Pixel);
    for (int y = area.top; y < area.bottom; ++y)
        std::memcpy(pixels + (y - area.top) * area.Width(), target.Row(y) + area.left, rowBytes);

    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldBitmap = SelectObject(dc, section);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    SetTextColor(dc, drawing.textColour);  // both keep red in the low byte
    SetBkColor(dc, drawing.backgroundColour);
    SetBkMode(dc, drawing.opaque ? OPAQUE : TRANSPARENT);
    const RECT opaqueCell{cell.left - area.left, cell.top - area.top, cell.right - area.left,
                          cell.bottom - area.top};
    ExtTextOutW(dc, opaqueCell.left, opaqueCell.top, drawing.opaque ? ETO_OPAQUE : 0, &opaqueCell,
                wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
    GdiFlush();
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);

    // The system may write the top byte (ClearType does); ours stays 0.
    for (int y = area.top; y < area.bottom; ++y) {
        const Pixel* from = pixels + (y - area.top) * area.Width();
        Pixel* to = target.Row(y) + area.left;
        for (int x = 0; x < area.Width(); ++x) to[x] = from[x] & 0xFFFFFF;
    }
    DeleteObject(section);
    return area;
}

}  // namespace platform
