// platform/qt/qt_text.cpp: the text facility. Fonts are described by LogFont and rendered with Qt
// into our own bitmaps through a QImage view of their pixels; metrics come from QFontMetrics.
#include "platform/qt/qt_text.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cmath>

#include "platform/drawing/drawing.h"

namespace platform {

namespace {

constexpr std::uint32_t TA_RIGHT = 2;
constexpr std::uint32_t TA_BOTTOM = 8;
constexpr std::uint32_t TA_BASELINE = 24;
constexpr int DefaultPixelSize = 16;

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

namespace {

QFont QtFontFor(const Font* font) {
    static const Font fallback{LogFont{.height = DefaultPixelSize, .faceName = "Liberation Sans"},
                               true};
    return QtFontOf(font != nullptr ? font->description : fallback.description);
}

// Contexts start with the stock font selected; the fallback in QtFontFor matches it. (This library
// links after the core, so it calls nothing of the core's.)
const Font* SelectedFont(const DeviceContext* dc) { return dc->state.font; }

// Draws onto a colour bitmap through a QImage over the same pixels. Qt writes 0xFF into the top
// byte of the pixels it touches; our pixels keep it 0, so it is cleared again afterwards.
void PaintText(Bitmap& target, const Rect& clip, const QFont& font, const QRect& cell, int baseline,
               int x, const QString& text, const DeviceContextState& state) {
    QImage view(reinterpret_cast<uchar*>(target.pixels.data()), target.width, target.height,
                target.width * 4, QImage::Format_RGB32);
    {
        QPainter painter(&view);
        painter.setClipRect(QRect(clip.left, clip.top, clip.Width(), clip.Height()));
        if (state.backgroundMode == OPAQUE)
            painter.fillRect(cell, QColor::fromRgb(PixelOf(state.backgroundColour)));
        painter.setFont(font);
        painter.setPen(QColor::fromRgb(PixelOf(state.textColour)));
        painter.drawText(x, baseline, text);
    }
    for (int y = clip.top; y < clip.bottom; ++y) {
        Pixel* row = target.Row(y);
        for (int i = clip.left; i < clip.right; ++i) row[i] &= 0xFFFFFF;
    }
}

}  // namespace

bool GetTextMetrics(DeviceContext* dc, TextMetrics* metrics) {
    if (dc == nullptr || metrics == nullptr) return false;
    EnsureGuiApplication();
    const QFont font = QtFontFor(SelectedFont(dc));
    const QFontMetrics fm(font);
    metrics->ascent = fm.ascent();
    metrics->descent = fm.descent();
    metrics->height = fm.ascent() + fm.descent();
    metrics->internalLeading = std::max(0, metrics->height - font.pixelSize());
    metrics->externalLeading = std::max(0, fm.leading());
    metrics->averageCharWidth = fm.averageCharWidth();
    metrics->maxCharWidth = fm.maxWidth();
    return true;
}

bool GetTextExtentPoint32(DeviceContext* dc, std::string_view text, Point* size) {
    if (dc == nullptr || size == nullptr) return false;
    EnsureGuiApplication();
    const QFontMetrics fm(QtFontFor(SelectedFont(dc)));
    const QString qtext = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    size->x = fm.horizontalAdvance(qtext);
    size->y = fm.ascent() + fm.descent();
    return true;
}

bool TextOut(DeviceContext* dc, int x, int y, std::string_view text) {
    if (dc == nullptr || dc->target == nullptr) return false;
    EnsureGuiApplication();
    const QFont font = QtFontFor(SelectedFont(dc));
    const QFontMetrics fm(font);
    // The game's texts are single-byte text.
    const QString qtext = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    const int advance = fm.horizontalAdvance(qtext);
    const int height = fm.ascent() + fm.descent();

    int left = x - dc->state.windowOrigin.x + dc->state.viewportOrigin.x;
    int top = y - dc->state.windowOrigin.y + dc->state.viewportOrigin.y;
    const std::uint32_t align = dc->state.textAlign;
    if ((align & TA_CENTER) == TA_CENTER) {
        left -= advance / 2;
    } else if ((align & TA_RIGHT) != 0) {
        left -= advance;
    }
    if ((align & TA_BASELINE) == TA_BASELINE) {
        top -= fm.ascent();
    } else if ((align & TA_BOTTOM) != 0) {
        top -= height;
    }
    // The text is laid out in logical pixels, as measured, and drawn in the target's own pixels
    // with the font at its size there, so a scaled surface gets sharp glyphs, not enlarged ones.
    const double scale = dc->Scale();
    QFont deviceFont = font;
    if (scale != 1.0)
        deviceFont.setPixelSize(
            std::max(1, static_cast<int>(std::lround(font.pixelSize() * scale))));
    const QFontMetrics dfm = scale == 1.0 ? fm : QFontMetrics(deviceFont);
    left = DeviceEdge(left, scale);
    top = DeviceEdge(top, scale);
    const QRect cell(left, top, dfm.horizontalAdvance(qtext), dfm.ascent() + dfm.descent());
    const QRect ink = dfm.boundingRect(qtext).translated(left, top + dfm.ascent());
    const QRect touched = cell.united(ink);
    const Rect area =
        Intersect(Rect{touched.left(), touched.top(), touched.right() + 1, touched.bottom() + 1},
                  dc->DeviceArea());
    if (area.IsEmpty() || qtext.isEmpty()) return true;

    Bitmap& target = *dc->target;
    if (target.IsMonochrome()) {
        // Drawn on a colour copy and brought back: white and black stay 1 and 0.
        Bitmap colour{target.width, target.height, 32, {}, {}, target.scale};
        colour.pixels.resize(target.bits.size());
        for (std::size_t i = 0; i < target.bits.size(); ++i)
            colour.pixels[i] = target.bits[i] != 0 ? 0xFFFFFF : 0;
        PaintText(colour, area, deviceFont, cell, top + dfm.ascent(), left, qtext, dc->state);
        for (std::size_t i = 0; i < target.bits.size(); ++i) {
            const Pixel p = colour.pixels[i];
            target.bits[i] = ((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) >= 383 ? 1 : 0;
        }
    } else {
        PaintText(target, area, deviceFont, cell, top + dfm.ascent(), left, qtext, dc->state);
    }
    dc->NoteDrawn(area);
    return true;
}

}  // namespace platform
