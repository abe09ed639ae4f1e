// tools/make_data/scenery.h: the pieces the pop-up pictures are built from: sky, clouds, sea,
// warships in profile (afloat or going down), smoke, fire and outlined lettering.
#pragma once

#include <QColor>
#include <QPainter>
#include <QString>
#include <cstdint>

namespace make_data {

void Sky(QPainter& p, const QRectF& area, const QColor& top, const QColor& horizon);
void Sun(QPainter& p, QPointF centre, double radius, const QColor& core, const QColor& glow);
void Clouds(QPainter& p, const QRectF& area, int count, const QColor& colour, std::uint64_t seed);
// The sea from the horizon `top` down, with crests; `glint` paints a path of light under a sun.
void Sea(QPainter& p, const QRectF& area, const QColor& far, const QColor& near,
         const QColor& crest, std::uint64_t seed);
void Glint(QPainter& p, double x, double top, double bottom, const QColor& colour,
           std::uint64_t seed);

struct ProfileStyle {
    QColor hull;
    QColor upper;
    QColor outline;
};

// A warship in profile, bow to the right (`facing` -1 turns it round), its waterline at
// `waterline`. `tilt` in degrees raises the bow; `sink` in hull heights lowers the ship into the
// water, which hides what goes under the waterline.
void ProfileShip(QPainter& p, double x, double waterline, double length, int facing, double tilt,
                 double sink, const ProfileStyle& style);
void SmokeColumn(QPainter& p, QPointF base, double size, const QColor& colour, std::uint64_t seed);
void Fire(QPainter& p, QPointF base, double size, std::uint64_t seed);
void Foam(QPainter& p, QPointF centre, double width, std::uint64_t seed);

// Text centred on `centre`, filled and outlined, with a soft drop shadow.
void Lettering(QPainter& p, const QString& text, QPointF centre, double pixelSize, bool bold,
               const QBrush& fill, const QColor& outline, double outlineWidth);

}  // namespace make_data
