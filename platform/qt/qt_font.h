// platform/qt/qt_font.h: the Qt font that draws a font description, shared by QtText and the Qt
// host's widgets, so that a caption measured in a description is the caption a widget shows.
#pragma once

#include <QFont>

#include "platform/drawing/bitmap.h"

namespace platform {

// Needs a GUI application, as every Qt font does.
QFont QtFontOf(const LogFont& description);

}  // namespace platform
