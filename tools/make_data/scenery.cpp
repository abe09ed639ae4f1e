// tools/make_data/scenery.cpp: the scene pieces. Everything is vector drawing with seeded
// randomness, so each scene comes out the same on every run.
#include "tools/make_data/scenery.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <tuple>

#include "tools/make_data/fonts.h"
#include "tools/make_data/random.h"

namespace make_data {

void Sky(QPainter& p, const QRectF& area, const QColor& top, const QColor& horizon) {
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0.0, top);
    gradient.setColorAt(1.0, horizon);
    p.fillRect(area, gradient);
}

void Sun(QPainter& p, QPointF centre, double radius, const QColor& core, const QColor& glow) {
    QRadialGradient halo(centre, radius * 4);
    QColor outer = glow;
    outer.setAlpha(0);
    halo.setColorAt(0.0, glow);
    halo.setColorAt(1.0, outer);
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(centre, radius * 4, radius * 4);
    p.setBrush(core);
    p.drawEllipse(centre, radius, radius);
}

void Clouds(QPainter& p, const QRectF& area, int count, const QColor& colour, std::uint64_t seed) {
    Random random(seed);
    p.setPen(Qt::NoPen);
    for (int c = 0; c < count; ++c) {
        const QPointF at(random.Between(area.left(), area.right()),
                         random.Between(area.top(), area.bottom()));
        const double width = random.Between(60, 150);
        for (int puff = 0; puff < 7; ++puff) {
            const QPointF centre =
                at + QPointF(random.Signed() * width * 0.5, random.Signed() * width * 0.08);
            const double r = random.Between(0.18, 0.32) * width;
            QRadialGradient soft(centre, r);
            QColor edge = colour;
            edge.setAlpha(0);
            soft.setColorAt(0.0, colour);
            soft.setColorAt(0.6, colour);
            soft.setColorAt(1.0, edge);
            p.setBrush(soft);
            p.drawEllipse(centre, r * 1.4, r * 0.7);
        }
    }
}

void Sea(QPainter& p, const QRectF& area, const QColor& far, const QColor& near,
         const QColor& crest, std::uint64_t seed) {
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0.0, far);
    gradient.setColorAt(1.0, near);
    p.fillRect(area, gradient);
    Random random(seed);
    const int count = static_cast<int>(area.width() * area.height() / 450);
    for (int i = 0; i < count; ++i) {
        const double depth = std::pow(random.Unit(), 1.6);  // more crests near the horizon
        const QPointF at(random.Between(area.left() - 20, area.right()),
                         area.top() + depth * area.height());
        const double length = 6 + 40 * depth * random.Between(0.6, 1.2);
        QColor colour = crest;
        colour.setAlphaF(random.Between(0.25, 0.6));
        p.setPen(QPen(colour, 0.8 + 2.2 * depth, Qt::SolidLine, Qt::RoundCap));
        QPainterPath wave;
        wave.moveTo(at);
        wave.quadTo(at + QPointF(length / 2, -length * 0.12), at + QPointF(length, 0));
        p.drawPath(wave);
    }
}

void Glint(QPainter& p, double x, double top, double bottom, const QColor& colour,
           std::uint64_t seed) {
    Random random(seed);
    for (int i = 0; i < 140; ++i) {
        const double t = random.Unit();
        const double y = top + t * t * (bottom - top) + 2;
        const double spread = 8 + 90 * t;
        const double length = 4 + 26 * t * random.Unit();
        QColor c = colour;
        c.setAlphaF(random.Between(0.3, 0.8) * (1.0 - 0.6 * t));
        p.setPen(QPen(c, 1.0 + 2.0 * t, Qt::SolidLine, Qt::RoundCap));
        const double cx = x + random.Signed() * spread;
        p.drawLine(QPointF(cx - length / 2, y), QPointF(cx + length / 2, y));
    }
}

namespace {

// The profile in units of a hundredth of the ship's length, y upwards negative.
void ProfileShape(QPainter& p, const ProfileStyle& style, double u) {
    auto pt = [u](double x, double y) { return QPointF(x * u, y * u); };
    const QPen pen(style.outline, std::max(1.0, 0.5 * u), Qt::SolidLine, Qt::RoundCap,
                   Qt::RoundJoin);
    p.setPen(pen);
    // Guns first, so the turrets cover their breeches.
    p.setBrush(style.upper);
    for (const auto& [x, y, dir] : {std::tuple{26.0, -9.5, 1.0}, std::tuple{16.0, -13.0, 1.0},
                                    std::tuple{-30.0, -9.5, -1.0}}) {
        p.drawRect(QRectF(pt(x, y - 0.6), pt(x + dir * 16, y + 0.6)).normalized());
    }
    QPolygonF hull;
    hull << pt(-50, 2) << pt(-50, -6) << pt(-47, -7.5) << pt(36, -7.5) << pt(50, -11) << pt(46, 2);
    p.setBrush(style.hull);
    p.drawPolygon(hull);
    p.setBrush(style.upper);
    p.drawRect(QRectF(pt(-16, -13), pt(14, -7.5)));
    p.drawRect(QRectF(pt(2, -21), pt(12, -13)));
    p.drawRect(QRectF(pt(4, -25), pt(10, -21)));
    QPolygonF funnel;
    funnel << pt(-10, -13) << pt(-8, -24) << pt(-1, -24) << pt(0, -13);
    p.drawPolygon(funnel);
    p.drawLine(pt(7, -25), pt(7, -36));
    p.drawLine(pt(4, -32), pt(10, -32));
    p.drawLine(pt(-22, -13), pt(-22, -27));
    for (const auto& [x, y, w] : {std::tuple{22.0, -7.5, 9.0}, std::tuple{12.0, -13.0, 8.0},
                                  std::tuple{-34.0, -7.5, 9.0}}) {
        QPainterPath turret;
        turret.addRoundedRect(QRectF(pt(x - w / 2, y - 4), pt(x + w / 2, y)), u, u);
        p.drawPath(turret);
    }
}

}  // namespace

void ProfileShip(QPainter& p, double x, double waterline, double length, int facing, double tilt,
                 double sink, const ProfileStyle& style) {
    const double u = length / 100.0;
    p.save();
    // Only what is above the water shows.
    p.setClipRect(QRectF(-10000, -10000, 20000, waterline + 10000), Qt::IntersectClip);
    p.translate(x, waterline + sink * 11.0 * u);
    p.scale(facing, 1);
    p.rotate(-tilt);
    ProfileShape(p, style, u);
    p.restore();
}

void SmokeColumn(QPainter& p, QPointF base, double size, const QColor& colour, std::uint64_t seed) {
    Random random(seed);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 18; ++i) {
        const double t = i / 17.0;
        const QPointF centre =
            base + QPointF(-t * size * 2.6 + random.Signed() * size * 0.2, -t * size * 3.2);
        const double r = size * (0.35 + 0.7 * t) * random.Between(0.8, 1.1);
        QColor c = colour;
        c.setAlphaF(0.85 - 0.55 * t);
        QRadialGradient soft(centre, r);
        QColor edge = c;
        edge.setAlpha(0);
        soft.setColorAt(0.0, c);
        soft.setColorAt(0.7, c);
        soft.setColorAt(1.0, edge);
        p.setBrush(soft);
        p.drawEllipse(centre, r, r * 0.85);
    }
}

void Fire(QPainter& p, QPointF base, double size, std::uint64_t seed) {
    Random random(seed);
    const QColor layers[] = {QColor(200, 40, 14), QColor(246, 128, 24), QColor(255, 214, 90)};
    for (int layer = 0; layer < 3; ++layer) {
        const double s = size * (1.0 - 0.3 * layer);
        p.setPen(Qt::NoPen);
        p.setBrush(layers[layer]);
        for (int tongue = 0; tongue < 4; ++tongue) {
            const double dx = random.Signed() * s * 0.5;
            const double h = s * random.Between(1.2, 2.2);
            QPainterPath flame;
            flame.moveTo(base + QPointF(dx - s * 0.35, 0));
            flame.quadTo(base + QPointF(dx - s * 0.3, -h * 0.6), base + QPointF(dx - s * 0.1, -h));
            flame.quadTo(base + QPointF(dx + s * 0.3, -h * 0.5), base + QPointF(dx + s * 0.35, 0));
            flame.closeSubpath();
            p.drawPath(flame);
        }
    }
}

void Foam(QPainter& p, QPointF centre, double width, std::uint64_t seed) {
    Random random(seed);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 16; ++i) {
        QColor c(226, 236, 240);
        c.setAlphaF(random.Between(0.5, 0.9));
        p.setBrush(c);
        p.drawEllipse(centre + QPointF(random.Signed() * width * 0.5, random.Signed() * 3),
                      random.Between(3, 9), random.Between(1.5, 3));
    }
}

void Lettering(QPainter& p, const QString& text, QPointF centre, double pixelSize, bool bold,
               const QBrush& fill, const QColor& outline, double outlineWidth) {
    const QFont font = SansFont(pixelSize, bold);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    path.translate(centre - box.center());
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawPath(path.translated(outlineWidth * 0.8 + 1, outlineWidth * 0.8 + 1));
    if (outlineWidth > 0) {
        p.setPen(QPen(outline, outlineWidth * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
}

}  // namespace make_data
