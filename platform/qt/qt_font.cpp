// platform/qt/qt_font.cpp: the Qt font that draws a font description: the faces the game names
// mapped to this system's, and the description's height, weight and width in Qt's terms.
#include "platform/qt/qt_font.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace platform {

namespace {

constexpr int DefaultPixelSize = 16;

// The faces the game names, as the metric-compatible faces of this system.
QString HostFamily(const std::string& faceName) {
    if (faceName.empty() || faceName == "Arial" || faceName == "Helvetica")
        return QStringLiteral("Liberation Sans");
    if (faceName == "Times New Roman") return QStringLiteral("Liberation Serif");
    if (faceName == "Courier New") return QStringLiteral("Liberation Mono");
    return QString::fromStdString(faceName);
}

// Negative heights ask for the character height (the em size), positive ones for the cell
// height (ascent plus descent), which is converted through the face's proportions.
int PixelSizeFor(const QFont& face, int height) {
    if (height < 0) return -height;
    if (height == 0) return DefaultPixelSize;
    QFont reference(face);
    reference.setPixelSize(1000);
    const QFontMetricsF metrics(reference);
    const double cell = metrics.ascent() + metrics.descent();
    if (cell <= 0) return height;
    return std::max(1, static_cast<int>(std::lround(height * 1000.0 / cell)));
}

}  // namespace

QFont QtFontOf(const LogFont& d) {
    QFont qfont(HostFamily(d.faceName));
    qfont.setStyleHint(QFont::SansSerif);
    qfont.setPixelSize(PixelSizeFor(qfont, d.height));
    if (d.weight > 0) qfont.setWeight(static_cast<QFont::Weight>(std::clamp(d.weight, 1, 1000)));
    qfont.setItalic(d.italic);
    qfont.setUnderline(d.underline);
    qfont.setStrikeOut(d.strikeOut);
    if (d.width != 0) {
        // An explicit average character width becomes a horizontal stretch of the natural face.
        const int natural = QFontMetrics(qfont).averageCharWidth();
        if (natural > 0)
            qfont.setStretch(std::clamp(
                static_cast<int>(std::lround(100.0 * std::abs(d.width) / natural)), 1, 4000));
    }
    return qfont;
}

}  // namespace platform
