// platform/qt/qt_text.cpp: QtText. Fonts described by LogFont are rendered with Qt into our own
// bitmaps through a QImage view of their pixels; metrics come from QFontMetrics.
#include "platform/qt/qt_text.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cmath>

#include "platform/qt/qt_font.h"

namespace platform {

namespace {

// Fonts need a GUI application. Tests and tools have none, so one is made on the offscreen
// platform and lives for the rest of the process; a host's own application is used when present.
void EnsureGuiApplication() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) return;
    static int argc = 3;
    static char name[] = "tidewrack";
    static char platformOption[] = "-platform";
    static char offscreen[] = "offscreen";
    static char* argv[] = {name, platformOption, offscreen, nullptr};
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

// Draws onto a colour bitmap through a QImage over the same pixels. Qt writes 0xFF into the top
// byte of the pixels it touches; our pixels keep it 0, so it is cleared again afterwards.
void PaintText(Bitmap& target, const Rect& clip, const QFont& font, const QRect& cell, int baseline,
               int x, const QString& text, const TextDrawing& drawing) {
    QImage view(reinterpret_cast<uchar*>(target.pixels.data()), target.width, target.height,
                target.width * 4, QImage::Format_RGB32);
    {
        QPainter painter(&view);
        painter.setClipRect(QRect(clip.left, clip.top, clip.Width(), clip.Height()));
        if (drawing.opaque)
            painter.fillRect(cell, QColor::fromRgb(PixelOf(drawing.backgroundColour)));
        painter.setFont(font);
        painter.setPen(QColor::fromRgb(PixelOf(drawing.textColour)));
        painter.drawText(x, baseline, text);
    }
    for (int y = clip.top; y < clip.bottom; ++y) {
        Pixel* row = target.Row(y);
        for (int i = clip.left; i < clip.right; ++i) row[i] &= 0xFFFFFF;
    }
}

// The game's texts are single-byte text.
QString QtString(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TextMetrics QtText::FontMetrics(const LogFont& description) {
    EnsureGuiApplication();
    const QFont font = QtFontOf(description);
    const QFontMetrics fm(font);
    TextMetrics metrics;
    metrics.ascent = fm.ascent();
    metrics.descent = fm.descent();
    metrics.height = fm.ascent() + fm.descent();
    metrics.internalLeading = std::max(0, metrics.height - font.pixelSize());
    metrics.externalLeading = std::max(0, fm.leading());
    metrics.averageCharWidth = fm.averageCharWidth();
    metrics.maxCharWidth = fm.maxWidth();
    return metrics;
}

StringSize QtText::MeasureString(const LogFont& description, std::string_view text) {
    EnsureGuiApplication();
    const QFontMetrics fm(QtFontOf(description));
    return StringSize{fm.horizontalAdvance(QtString(text)), fm.ascent(), fm.descent()};
}

Rect QtText::DrawString(Bitmap& target, const TextDrawing& drawing) {
    EnsureGuiApplication();
    const QString qtext = QtString(drawing.text);
    QFont font = QtFontOf(*drawing.font);
    if (drawing.scale != 1.0)
        font.setPixelSize(
            std::max(1, static_cast<int>(std::lround(font.pixelSize() * drawing.scale))));
    const QFontMetrics fm(font);
    const int left = drawing.origin.x;
    const int top = drawing.origin.y;
    const QRect cell(left, top, fm.horizontalAdvance(qtext), fm.ascent() + fm.descent());
    const QRect ink = fm.boundingRect(qtext).translated(left, top + fm.ascent());
    const QRect touched = cell.united(ink);
    const Rect area =
        Intersect(Rect{touched.left(), touched.top(), touched.right() + 1, touched.bottom() + 1},
                  Intersect(drawing.clip, target.Bounds()));
    if (area.IsEmpty() || qtext.isEmpty()) return Rect{};
    PaintText(target, area, font, cell, top + fm.ascent(), left, qtext, drawing);
    return area;
}

}  // namespace platform
