// platform/win32/win32_text.h: GdiText, the text service of the Windows host: the system's own
// fonts (CreateFontW), measured with GetTextMetricsW and drawn with ExtTextOutW into a DIB section
// that holds the target's pixels, with the antialiasing the system uses for its own windows.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/drawing/bitmap.h"
#include "platform/text_service.h"

namespace platform {

class GdiText final : public TextService {
  public:
    GdiText();
    ~GdiText() override;
    GdiText(const GdiText&) = delete;
    GdiText& operator=(const GdiText&) = delete;

    TextMetrics FontMetrics(const LogFont& font) override;
    StringSize MeasureString(const LogFont& font, std::string_view text) override;
    Rect DrawString(Bitmap& target, const TextDrawing& drawing) override;

  private:
    struct Fonts;
    std::unique_ptr<Fonts> fonts_;
};

// A font of the system for a description at a scale (device pixels per logical pixel), as an
// HFONT; the caller deletes it. The faces the game names become the system's own.
void* WIN_CreateFont(const LogFont& description, double scale);

// Latin-1, as the game's texts are, in the wide characters the system takes.
std::wstring WIN_WideFromLatin1(std::string_view text);

}  // namespace platform
