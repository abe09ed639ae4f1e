// platform/qt/qt_text.h: the Qt font that draws a font description, shared by drawn text and the
// toolkit's own widgets, so that a caption measured in a description is the caption a widget shows.
#pragma once

#include <QFont>

#include "platform/drawing/bitmap.h"

namespace platform {

QFont QtFontOf(const LogFont& description);

}  // namespace platform
