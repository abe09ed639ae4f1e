// tools/make_data/mark_pictures.cpp: the marks are drawn in the 40 by 42 design cell and scaled
// to the set's cell, with white kept for the transparent surroundings only.
#include "tools/make_data/mark_pictures.h"

#include <cmath>
#include <numbers>

#include "tools/make_data/canvas.h"
#include "tools/make_data/random.h"

namespace make_data {
namespace {

constexpr double Width = 40.0;
constexpr double Height = 42.0;
const QPointF Centre(Width / 2.0, Height / 2.0);

QPointF Polar(QPointF centre, double radius, double degrees, double squash = 1.0) {
    const double a = degrees * std::numbers::pi / 180.0;
    return centre + QPointF(radius * std::cos(a), -radius * std::sin(a) * squash);
}

// A crosshair stroked twice, dark and then bright, so it shows over dark water and over the
// light decks of ships alike.
void Crosshair(QPainter& p, const QColor& colour, double width, double gap) {
    p.setBrush(Qt::NoBrush);
    p.setPen(DesignPen(p, colour, width, gap));
    const double r = 12.5;
    p.drawEllipse(Centre, r, r);
    const double inner = 5.0;
    const double outer = 18.0;
    p.drawLine(Centre + QPointF(inner, 0), Centre + QPointF(outer, 0));
    p.drawLine(Centre - QPointF(inner, 0), Centre - QPointF(outer, 0));
    p.drawLine(Centre + QPointF(0, inner), Centre + QPointF(0, outer));
    p.drawLine(Centre - QPointF(0, inner), Centre - QPointF(0, outer));
}

}  // namespace

QImage TargetPicture(CellSize cell) {
    Canvas canvas(cell.width, cell.height, Width, Height);
    QPainter& p = canvas.Painter();
    Crosshair(p, QColor(20, 16, 10), 5.0, 3.0);
    Crosshair(p, QColor(255, 206, 32), 2.4, 1.2);
    p.setPen(DesignPen(p, QColor(20, 16, 10), 1.0));
    p.setBrush(QColor(236, 48, 30));
    p.drawEllipse(Centre, 2.6, 2.6);
    return FlattenOnWhite(canvas.Finish());
}

QImage MissPicture(CellSize cell) {
    Canvas canvas(cell.width, cell.height, Width, Height);
    QPainter& p = canvas.Painter();
    Random random(4242);
    const QColor edge(46, 62, 84);
    const QColor dark(100, 124, 150);
    const QColor light(158, 178, 198);
    const QPointF foot = Centre + QPointF(0, 10);
    // The ring of disturbed water, seen slightly from above.
    p.setPen(DesignPen(p, edge, 1.1));
    p.setBrush(dark);
    p.drawEllipse(foot, 16.5, 6.5);
    p.setBrush(QColor(128, 150, 174));
    p.drawEllipse(foot, 11.0, 4.0);
    // The column of the splash: a crown of jets, tallest in the middle.
    QPainterPath column;
    column.moveTo(foot + QPointF(-9, 0));
    const int jets = 7;
    for (int j = 0; j <= jets; ++j) {
        const double x = -8.0 + 16.0 * j / jets;
        const double height = 26.0 - std::abs(x) * 1.3 + random.Between(-1.5, 1.5);
        column.lineTo(foot + QPointF(x - 1.0, -height * 0.55));
        column.lineTo(foot + QPointF(x, -height));
        column.lineTo(foot + QPointF(x + 1.0, -height * 0.55));
    }
    column.lineTo(foot + QPointF(9, 0));
    column.closeSubpath();
    p.setPen(DesignPen(p, edge, 1.1));
    p.setBrush(light);
    p.drawPath(column);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(186, 202, 218));
    p.drawEllipse(foot + QPointF(-1.5, -11), 2.6, 7.5);
    // Droplets thrown clear of the column.
    for (int d = 0; d < 8; ++d) {
        const double side = d % 2 == 0 ? -1.0 : 1.0;
        const QPointF at = foot + QPointF(side * random.Between(11, 17), -random.Between(6, 24));
        p.setPen(DesignPen(p, edge, 0.8));
        p.setBrush(light);
        p.drawEllipse(at, 1.7, 2.0);
    }
    return FlattenOnWhite(canvas.Finish());
}

QImage HitPicture(CellSize cell) {
    Canvas canvas(cell.width, cell.height, Width, Height);
    QPainter& p = canvas.Painter();
    Random random(777);
    // Smoke rises behind the fire.
    const QColor smokeEdge(36, 34, 36);
    for (int i = 0; i < 4; ++i) {
        const QPointF at = Centre + QPointF(-6 + i * 3.5, -9 - i * 1.5);
        p.setPen(DesignPen(p, smokeEdge, 0.9));
        p.setBrush(i % 2 == 0 ? QColor(70, 68, 70) : QColor(92, 90, 92));
        p.drawEllipse(at, 7.0 - i * 0.8, 5.5 - i * 0.6);
    }
    const std::vector<std::pair<QColor, double>> layers = {{QColor(196, 40, 16), 1.0},
                                                           {QColor(244, 120, 22), 0.72},
                                                           {QColor(255, 200, 60), 0.46},
                                                           {QColor(255, 238, 160), 0.2}};
    const int spikes = 11;
    std::vector<double> reach(spikes * 2);
    for (double& r : reach) r = random.Between(0.75, 1.0);
    for (const auto& [colour, scale] : layers) {
        QPolygonF burst;
        for (int i = 0; i < spikes * 2; ++i) {
            const double radius = (i % 2 == 0 ? 15.5 : 8.0) * scale * reach[i];
            burst << Polar(Centre + QPointF(0, 3), radius, 90.0 + i * 180.0 / spikes, 0.95);
        }
        p.setPen(scale == 1.0 ? DesignPen(p, QColor(96, 22, 8), 1.0) : Qt::NoPen);
        p.setBrush(colour);
        p.drawPolygon(burst);
    }
    return FlattenOnWhite(canvas.Finish());
}

}  // namespace make_data
