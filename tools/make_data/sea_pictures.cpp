// tools/make_data/sea_pictures.cpp: water is a gradient with soft wave crests on top. The board
// lines are darker than the water on purpose: when the game shrinks a board it keeps the darker
// of merged pixels, so dark lines survive at every screen size.
#include "tools/make_data/sea_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "tools/make_data/random.h"

namespace make_data {
namespace {

// Short curved strokes, lighter than the water under them, scattered over `area`.
void WaveCrests(QPainter& p, const QRectF& area, int count, std::uint64_t seed, const QColor& crest,
                double minLength, double maxLength, double strength = 1.0) {
    Random random(seed);
    for (int i = 0; i < count; ++i) {
        const QPointF at(random.Between(area.left(), area.right()),
                         random.Between(area.top(), area.bottom()));
        const double depth = (at.y() - area.top()) / area.height();
        const double length = random.Between(minLength, maxLength) * (1.0 - 0.4 * depth);
        QColor colour = crest;
        colour.setAlphaF(random.Between(0.18, 0.42) * (1.0 - 0.6 * depth) * strength);
        p.setPen(QPen(colour, random.Between(1.0, 2.2), Qt::SolidLine, Qt::RoundCap));
        QPainterPath wave;
        wave.moveTo(at);
        wave.quadTo(at + QPointF(length / 2, -length * 0.14), at + QPointF(length, 0));
        p.drawPath(wave);
    }
}

// Speckle that breaks up the bands of a smooth gradient.
void Grain(QImage& image, std::uint64_t seed, int strength) {
    Random random(seed);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int d = random.Below(2 * strength + 1) - strength;
            row[x] =
                qRgb(std::clamp(qRed(row[x]) + d, 0, 254), std::clamp(qGreen(row[x]) + d, 0, 254),
                     std::clamp(qBlue(row[x]) + d, 0, 254));
        }
    }
}

struct BoardStyle {
    QColor shallow;  // top-left
    QColor deep;     // bottom-right
    QColor crest;
    QColor line;
    QColor frame;
    std::uint64_t seed;
};

// Drawn in the board's own units on an image `factor` times as large: the same shapes with finer
// edges, and the speckle at the image's own pixels.
QImage Board(const BoardStyle& style, int factor) {
    QImage image(BoardWidth * factor, BoardHeight * factor, QImage::Format_RGB32);
    QPainter p(&image);
    if (factor != 1) p.scale(factor, factor);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient water(0, 0, BoardWidth, BoardHeight);
    water.setColorAt(0.0, style.shallow);
    water.setColorAt(1.0, style.deep);
    p.fillRect(QRect(0, 0, BoardWidth, BoardHeight), water);
    WaveCrests(p, QRectF(-20, 0, BoardWidth + 20, BoardHeight), 260, style.seed, style.crest, 10,
               26, 0.55);
    // Each cell gets a faint bevel so the board reads as a grid of squares, not lines on water.
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int row = 0; row < 12; ++row) {
        for (int column = 0; column < 12; ++column) {
            const QRect cell(column * 40, row * 42, 40, 42);
            QColor glow = style.crest;
            glow.setAlpha(34);
            p.setPen(Qt::NoPen);
            p.setBrush(glow);
            p.drawRect(cell.left() + 2, cell.top() + 2, 36, 2);
            p.drawRect(cell.left() + 2, cell.top() + 4, 2, 35);
        }
    }
    p.end();
    Grain(image, style.seed + 1, 3);
    p.begin(&image);
    if (factor != 1) p.scale(factor, factor);
    p.setPen(Qt::NoPen);
    p.setBrush(style.line);
    for (int i = 1; i < 12; ++i) {
        p.drawRect(i * 40 - 1, 0, 2, BoardHeight);
        p.drawRect(0, i * 42 - 1, BoardWidth, 2);
    }
    p.setBrush(style.frame);
    p.drawRect(0, 0, BoardWidth, 3);
    p.drawRect(0, BoardHeight - 3, BoardWidth, 3);
    p.drawRect(0, 0, 3, BoardHeight);
    p.drawRect(BoardWidth - 3, 0, 3, BoardHeight);
    p.end();
    return image;
}

}  // namespace

QImage SeaBackPicture(int factor) {
    const int width = 1024;
    const int height = 768;
    QImage image(width * factor, height * factor, QImage::Format_RGB32);
    QPainter p(&image);
    if (factor != 1) p.scale(factor, factor);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Sunlit surface water at the top, where the status line is written in dark text, down to
    // the deep navy under the docks.
    QLinearGradient depth(0, 0, 0, height);
    depth.setColorAt(0.0, QColor(168, 214, 222));
    depth.setColorAt(0.07, QColor(118, 184, 204));
    depth.setColorAt(0.16, QColor(46, 116, 158));
    depth.setColorAt(0.55, QColor(20, 66, 116));
    depth.setColorAt(1.0, QColor(6, 22, 58));
    p.fillRect(QRect(0, 0, width, height), depth);
    // Broad swells: wide soft bands of lighter and darker water.
    Random swell(11);
    for (int band = 0; band < 26; ++band) {
        const double y = swell.Between(0, height);
        QColor colour = band % 2 == 0 ? QColor(255, 255, 255) : QColor(0, 10, 40);
        colour.setAlphaF(swell.Between(0.025, 0.06));
        QPainterPath path;
        path.moveTo(-50, y);
        const double amplitude = swell.Between(6, 18);
        const double phase = swell.Between(0, 6.28);
        for (int x = -50; x <= width + 50; x += 16) {
            path.lineTo(x, y + amplitude * std::sin(x / 90.0 + phase));
        }
        p.setPen(QPen(colour, swell.Between(14, 40), Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
    }
    WaveCrests(p, QRectF(-30, 0, width + 30, height), 1500, 12, QColor(214, 238, 246), 12, 44);
    p.end();
    Grain(image, 13, 2);
    return image;
}

QImage HomeBoardPicture(int factor) {
    return Board({QColor(40, 136, 138), QColor(16, 88, 112), QColor(170, 236, 226),
                  QColor(8, 42, 52), QColor(4, 26, 34), 21},
                 factor);
}

QImage EnemyBoardPicture(int factor) {
    return Board({QColor(128, 44, 50), QColor(74, 20, 36), QColor(255, 176, 160), QColor(40, 8, 18),
                  QColor(24, 4, 10), 31},
                 factor);
}

}  // namespace make_data
