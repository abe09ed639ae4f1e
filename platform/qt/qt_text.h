// platform/qt/qt_text.h: QtText, the text service over Qt's fonts, installed by the Qt host's
// program entry and by the test host, so that both draw every text pixel alike.
#pragma once

#include "platform/drawing/bitmap.h"
#include "platform/text_service.h"

namespace platform {

// Fonts need a GUI application: without one (tests, tools), QtText makes one on the offscreen
// platform that lives for the rest of the process; a host's own application is used when present.
class QtText final : public TextService {
  public:
    TextMetrics FontMetrics(const LogFont& font) override;
    StringSize MeasureString(const LogFont& font, std::string_view text) override;
    Rect DrawString(Bitmap& target, const TextDrawing& drawing) override;
};

}  // namespace platform
