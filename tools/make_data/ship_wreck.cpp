// tools/make_data/ship_wreck.cpp: a sunk ship is its afloat drawing broken in two at a jagged
// line, each half listing, the steel burnt, the stern flooding, fires and smoke on deck.
#include "tools/make_data/ship_wreck.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>
#include <vector>

#include "tools/make_data/canvas.h"
#include "tools/make_data/random.h"

namespace make_data {
namespace {

// Burnt steel: dark, brown and a little red, keeping the drawing's light and shade.
void Burn(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(row[x]);
            if (alpha == 0) continue;
            const QColor colour = QColor::fromRgba(row[x]).toRgb();
            const double light =
                0.3 * colour.redF() + 0.59 * colour.greenF() + 0.11 * colour.blueF();
            const double a = alpha / 255.0;
            // Premultiplied: every channel is scaled by the coverage.
            row[x] = qRgba(static_cast<int>(a * (30 + 150 * light)),
                           static_cast<int>(a * (22 + 100 * light)),
                           static_cast<int>(a * (18 + 72 * light)), alpha);
        }
    }
}

struct Piece {
    QPainterPath clip;
    QPointF pivot;
    double angle;
    QPointF shift;
};

// The two halves either side of a jagged break at x = `at`.
std::vector<Piece> BreakAt(double at, double length, double beam, Random& random) {
    const double middle = beam / 2.0;
    QPolygonF jag;
    const int teeth = 6;
    for (int i = 0; i <= teeth; ++i) {
        jag << QPointF(at + random.Signed() * 3.0, beam * i / teeth);
    }
    QPolygonF stern;
    stern << QPointF(-10, -10) << QPointF(at, -10);
    for (const QPointF& point : jag) stern << point;
    stern << QPointF(at, beam + 10) << QPointF(-10, beam + 10);
    QPolygonF bow;
    bow << QPointF(length + 10, -10) << QPointF(at, -10);
    for (const QPointF& point : jag) bow << point;
    bow << QPointF(at, beam + 10) << QPointF(length + 10, beam + 10);
    QPainterPath sternPath, bowPath;
    sternPath.addPolygon(stern);
    bowPath.addPolygon(bow);
    // Each piece turns about the break just enough to list, without leaving the picture.
    const double sternAngle = -std::asin(4.0 / at) * 180.0 / std::numbers::pi;
    const double bowAngle = std::asin(5.0 / (length - at)) * 180.0 / std::numbers::pi;
    return {{sternPath, QPointF(at, middle), sternAngle, QPointF(-1.8, 0)},
            {bowPath, QPointF(at, middle), bowAngle, QPointF(1.8, 0)}};
}

void Flame(QPainter& p, QPointF base, double size, Random& random) {
    const double lean = random.Between(-0.4, -0.1);
    const std::vector<std::pair<QColor, double>> layers = {
        {colours::FireRed, 1.0}, {colours::FireOrange, 0.68}, {colours::FireYellow, 0.38}};
    for (const auto& [colour, scale] : layers) {
        const double s = size * scale;
        QPainterPath flame;
        flame.moveTo(base + QPointF(s * lean * 2.2, -s * 1.6));
        flame.cubicTo(base + QPointF(s * 0.9, -s * 0.5), base + QPointF(s * 0.8, s * 0.6),
                      base + QPointF(0, s * 0.6));
        flame.cubicTo(base + QPointF(-s * 0.8, s * 0.6), base + QPointF(-s * 0.9, -s * 0.4),
                      base + QPointF(s * lean * 2.2, -s * 1.6));
        p.setPen(scale == 1.0 ? DesignPen(p, QColor(120, 30, 10), 0.8) : Qt::NoPen);
        p.setBrush(colour);
        p.drawPath(flame);
    }
}

void SmokePuff(QPainter& p, QPointF centre, double radius) {
    p.setPen(DesignPen(p, QColor(40, 38, 40), 0.7));
    p.setBrush(colours::Smoke);
    p.drawEllipse(centre, radius, radius * 0.8);
    p.setPen(Qt::NoPen);
    p.setBrush(colours::SmokeLight);
    p.drawEllipse(centre + QPointF(-radius * 0.25, -radius * 0.2), radius * 0.45, radius * 0.35);
}

}  // namespace

QImage Wreck(const QImage& intact, int shipId, double length, double beam) {
    const double middle = beam / 2.0;
    Random random(7000 + shipId);
    QImage wreck(intact.size(), QImage::Format_ARGB32_Premultiplied);
    wreck.fill(Qt::transparent);
    QPainter p(&wreck);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.scale(wreck.width() / length, wreck.height() / beam);
    const double at = length * random.Between(0.46, 0.58);
    for (const Piece& piece : BreakAt(at, length, beam, random)) {
        p.save();
        p.translate(piece.pivot + piece.shift);
        p.rotate(piece.angle);
        p.translate(-piece.pivot);
        p.setClipPath(piece.clip);
        p.drawImage(QRectF(0, 0, length, beam), intact);
        p.restore();
    }
    p.end();
    Burn(wreck);

    p.begin(&wreck);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(wreck.width() / length, wreck.height() / beam);
    // Scorch marks and the flooded stern only darken what is already there.
    p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3 + static_cast<int>(length / 30); ++i) {
        p.setBrush(QColor(26, 20, 16, 200));
        p.drawEllipse(QPointF(random.Between(8, length - 8), middle + random.Signed() * 5),
                      random.Between(4, 9), random.Between(2.5, 5));
    }
    // The stern settles first: water closes over it towards the end of the hull.
    QLinearGradient flooding(0, 0, length * 0.3, 0);
    flooding.setColorAt(0.0, QColor(18, 40, 70, 220));
    flooding.setColorAt(1.0, QColor(18, 40, 70, 0));
    p.setBrush(flooding);
    p.drawRect(QRectF(0, 0, length * 0.3, beam));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const int fires = length > 100 ? 3 : 2;
    for (int i = 0; i < fires; ++i) {
        const double x = i == 0 ? at : random.Between(12, length - 14);
        const double size = std::min(8.0, 4.0 + length / 40.0) * random.Between(0.8, 1.1);
        SmokePuff(p, QPointF(x - size * 0.9, middle - size * 1.1), size * 0.75);
        Flame(p, QPointF(x, middle + random.Signed() * 3), size, random);
    }
    p.end();
    return wreck;
}

}  // namespace make_data
