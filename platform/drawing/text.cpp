// platform/drawing/text.cpp: the text calls, answered by the installed text service. The core
// decides the font, the alignment, the device position, the clip and the colours; the service
// only measures and draws glyphs.
#include <cstdint>

#include "platform/drawing/drawing.h"
#include "platform/text_service.h"

namespace platform {

namespace {

TextService* textService = nullptr;

// Contexts start with no font selected, which draws as the stock font.
const LogFont& SelectedFont(const DeviceContext* dc) {
    return dc->state.font != nullptr ? dc->state.font->description
                                     : GetStockObject(StockObject::SystemFont)->description;
}

// A monochrome target is drawn on a colour copy and brought back: white and black stay 1 and 0,
// and a glyph's edge goes to whichever it is nearer.
Rect DrawOnMonochrome(TextService& service, Bitmap& target, const TextDrawing& drawing) {
    Bitmap colour{target.width, target.height, 32, {}, {}, target.scale};
    colour.pixels.resize(target.bits.size());
    for (std::size_t i = 0; i < target.bits.size(); ++i)
        colour.pixels[i] = target.bits[i] != 0 ? 0xFFFFFF : 0;
    const Rect area = service.DrawString(colour, drawing);
    for (std::size_t i = 0; i < target.bits.size(); ++i) {
        const Pixel p = colour.pixels[i];
        target.bits[i] = ((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) >= 383 ? 1 : 0;
    }
    return area;
}

}  // namespace

void SetTextService(TextService* service) { textService = service; }
TextService* CurrentTextService() { return textService; }

bool GetTextMetrics(DeviceContext* dc, TextMetrics* metrics) {
    if (dc == nullptr || metrics == nullptr || textService == nullptr) return false;
    *metrics = textService->FontMetrics(SelectedFont(dc));
    return true;
}

bool GetTextExtentPoint32(DeviceContext* dc, std::string_view text, Point* size) {
    if (dc == nullptr || size == nullptr || textService == nullptr) return false;
    const StringSize measured = textService->MeasureString(SelectedFont(dc), text);
    size->x = measured.width;
    size->y = measured.ascent + measured.descent;
    return true;
}

bool TextOut(DeviceContext* dc, int x, int y, std::string_view text) {
    if (dc == nullptr || dc->target == nullptr || textService == nullptr) return false;
    const LogFont& font = SelectedFont(dc);
    const StringSize size = textService->MeasureString(font, text);

    int left = x - dc->state.windowOrigin.x + dc->state.viewportOrigin.x;
    int top = y - dc->state.windowOrigin.y + dc->state.viewportOrigin.y;
    const std::uint32_t align = dc->state.textAlign;
    if ((align & TA_CENTER) == TA_CENTER) {
        left -= size.width / 2;
    } else if ((align & TA_RIGHT) != 0) {
        left -= size.width;
    }
    if ((align & TA_BASELINE) == TA_BASELINE) {
        top -= size.ascent;
    } else if ((align & TA_BOTTOM) != 0) {
        top -= size.ascent + size.descent;
    }
    if (text.empty()) return true;

    // Laid out in logical pixels, as measured; drawn in the target's own pixels.
    const double scale = dc->Scale();
    const TextDrawing drawing{
        .font = &font,
        .scale = scale,
        .origin = Point{DeviceEdge(left, scale), DeviceEdge(top, scale)},
        .text = text,
        .textColour = dc->state.textColour,
        .opaque = dc->state.backgroundMode == OPAQUE,
        .backgroundColour = dc->state.backgroundColour,
        .clip = dc->DeviceArea(),
    };
    if (drawing.clip.IsEmpty()) return true;
    Bitmap& target = *dc->target;
    const Rect area = target.IsMonochrome() ? DrawOnMonochrome(*textService, target, drawing)
                                            : textService->DrawString(target, drawing);
    if (!area.IsEmpty()) dc->NoteDrawn(area);
    return true;
}

}  // namespace platform
