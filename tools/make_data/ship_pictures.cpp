// tools/make_data/ship_pictures.cpp: each ship is drawn once in design units (40 by 42 to a
// cell, the 1024 by 768 cell) and scaled to the set's pixels; ship_wreck.cpp wrecks it.
#include "tools/make_data/ship_pictures.h"

#include <cmath>
#include <vector>

#include "tools/make_data/canvas.h"
#include "tools/make_data/ship_wreck.h"

namespace make_data {
namespace {

constexpr double CellLength = 40.0;
constexpr double Beam = 42.0;
constexpr double Middle = Beam / 2.0;

// Stern at x0, a pointed bow ending at x1; `stern` rounds the transom's corners.
QPainterPath HullPath(double x0, double x1, double halfBeam, double bow, double stern) {
    QPainterPath path;
    path.moveTo(x0 + stern, Middle - halfBeam);
    path.lineTo(x1 - bow, Middle - halfBeam);
    path.cubicTo(x1 - bow * 0.45, Middle - halfBeam, x1 - bow * 0.1, Middle - halfBeam * 0.35, x1,
                 Middle);
    path.cubicTo(x1 - bow * 0.1, Middle + halfBeam * 0.35, x1 - bow * 0.45, Middle + halfBeam,
                 x1 - bow, Middle + halfBeam);
    path.lineTo(x0 + stern, Middle + halfBeam);
    path.cubicTo(x0 + stern * 0.3, Middle + halfBeam, x0, Middle + halfBeam * 0.7, x0,
                 Middle + halfBeam * 0.4);
    path.lineTo(x0, Middle - halfBeam * 0.4);
    path.cubicTo(x0, Middle - halfBeam * 0.7, x0 + stern * 0.3, Middle - halfBeam, x0 + stern,
                 Middle - halfBeam);
    path.closeSubpath();
    return path;
}

void Fill(QPainter& p, const QPainterPath& path, const QColor& colour, double outline = 1.3) {
    p.setPen(DesignPen(p, colours::Outline, outline));
    p.setBrush(colour);
    p.drawPath(path);
}

void Line(QPainter& p, QPointF a, QPointF b, const QColor& colour, double width) {
    p.setPen(DesignPen(p, colour, width, 0.7));
    p.drawLine(a, b);
}

// A gun turret at (x, Middle + offset) with `barrels` guns pointing forward (+1) or aft (-1):
// a round-fronted gun house with a flat back, its long barrels drawn first so it covers them.
void Turret(QPainter& p, double x, double size, int barrels, int facing, double offset = 0.0) {
    const double y = Middle + offset;
    const double spacing = size * 0.36;
    for (int b = 0; b < barrels; ++b) {
        const double by = y + (b - (barrels - 1) / 2.0) * spacing;
        Line(p, {x, by}, {x + facing * size * 2.5, by}, colours::Outline, size * 0.3);
        Line(p, {x, by}, {x + facing * size * 2.45, by}, QColor(104, 110, 120), size * 0.12);
    }
    QPainterPath body;
    body.moveTo(x - facing * size * 0.75, y - size * 0.72);
    body.lineTo(x + facing * size * 0.1, y - size * 0.72);
    body.cubicTo(x + facing * size * 0.95, y - size * 0.72, x + facing * size * 0.95,
                 y + size * 0.72, x + facing * size * 0.1, y + size * 0.72);
    body.lineTo(x - facing * size * 0.75, y + size * 0.72);
    body.closeSubpath();
    Fill(p, body, colours::Turret, 1.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(130, 138, 148));
    p.drawEllipse(QPointF(x - facing * size * 0.3, y), size * 0.22, size * 0.22);
}

// A funnel seen from above: a dark oval with its sooty mouth.
void Funnel(QPainter& p, double x, double rx, double ry) {
    QPainterPath body;
    body.addEllipse(QPointF(x, Middle), rx, ry);
    Fill(p, body, colours::Funnel, 1.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(24, 24, 26));
    p.drawEllipse(QPointF(x, Middle), rx * 0.6, ry * 0.55);
}

void PlankLines(QPainter& p, const QPainterPath& deck, const QColor& colour, double spacing) {
    p.save();
    p.setClipPath(deck, Qt::IntersectClip);
    for (double y = spacing / 2; y < Beam; y += spacing) Line(p, {0, y}, {400, y}, colour, 0.35);
    p.restore();
}

// A jet seen from above: pointed nose forward, swept wings, twin tail fins.
void Aircraft(QPainter& p, double x, double y, double size) {
    QPainterPath plane;
    plane.moveTo(x + size, y);
    plane.lineTo(x + size * 0.45, y - size * 0.14);
    plane.lineTo(x - size * 0.15, y - size * 0.9);
    plane.lineTo(x - size * 0.4, y - size * 0.9);
    plane.lineTo(x - size * 0.2, y - size * 0.14);
    plane.lineTo(x - size * 0.7, y - size * 0.14);
    plane.lineTo(x - size * 1.0, y - size * 0.45);
    plane.lineTo(x - size * 1.15, y - size * 0.45);
    plane.lineTo(x - size * 1.05, y);
    plane.lineTo(x - size * 1.15, y + size * 0.45);
    plane.lineTo(x - size * 1.0, y + size * 0.45);
    plane.lineTo(x - size * 0.7, y + size * 0.14);
    plane.lineTo(x - size * 0.2, y + size * 0.14);
    plane.lineTo(x - size * 0.4, y + size * 0.9);
    plane.lineTo(x - size * 0.15, y + size * 0.9);
    plane.lineTo(x + size * 0.45, y + size * 0.14);
    plane.closeSubpath();
    Fill(p, plane, QColor(156, 166, 180), 0.6);
}

void Carrier(QPainter& p) {
    Fill(p, HullPath(6, 196, 10, 30, 4), colours::HullSteel);
    QPainterPath deck;
    deck.moveTo(5, 9);
    deck.lineTo(58, 9);
    deck.lineTo(92, 3.5);
    deck.lineTo(132, 3.5);
    deck.lineTo(150, 8);
    deck.lineTo(182, 9.5);
    deck.lineTo(195, 15);
    deck.lineTo(195, 27);
    deck.lineTo(182, 32.5);
    deck.lineTo(40, 33);
    deck.lineTo(5, 32);
    deck.closeSubpath();
    Fill(p, deck, QColor(74, 80, 88), 1.4);
    // Landing area on the angled deck and the centre line of the axial deck.
    p.save();
    QPen dashed = DesignPen(p, QColor(222, 190, 74), 0.8, 0.7);
    dashed.setDashPattern({4.0, 3.0});
    p.setPen(dashed);
    p.drawLine(QPointF(14, 29), QPointF(128, 7));
    QPen centre = DesignPen(p, QColor(206, 206, 196), 0.8, 0.7);
    centre.setDashPattern({5.0, 4.0});
    p.setPen(centre);
    p.drawLine(QPointF(12, 21), QPointF(190, 21));
    p.restore();
    Line(p, {150, 15}, {188, 17}, QColor(120, 126, 134), 0.8);
    Line(p, {150, 25}, {188, 24}, QColor(120, 126, 134), 0.8);
    p.setPen(DesignPen(p, colours::Outline, 0.6));
    p.setBrush(QColor(60, 64, 70));
    p.drawRect(QRectF(96, 12, 9, 8));
    p.drawRect(QRectF(160, 12, 8, 7));
    for (double x : {30.0, 50.0, 70.0}) {
        Aircraft(p, x, 15, 6.5);
        Aircraft(p, x + 8, 26.5, 6.5);
    }
    // The island stands on the starboard edge.
    QPainterPath island;
    island.addRoundedRect(QRectF(114, 26, 30, 9.5), 2, 2);
    Fill(p, island, colours::Superstructure, 1.1);
    p.setPen(Qt::NoPen);
    p.setBrush(colours::Funnel);
    p.drawEllipse(QPointF(123, 30.75), 3.6, 2.8);
    Line(p, {135, 28}, {135, 33.5}, colours::Outline, 0.8);
    Line(p, {131.5, 30.75}, {138.5, 30.75}, colours::Outline, 0.8);
}

void Battleship(QPainter& p) {
    Fill(p, HullPath(6, 156, 12.5, 40, 8), colours::HullSteel);
    const QPainterPath deck = HullPath(9, 151, 10.5, 35, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(colours::DeckTeak);
    p.drawPath(deck);
    PlankLines(p, deck, QColor(138, 116, 82), 2.4);
    QPainterPath citadel;
    citadel.addRoundedRect(QRectF(50, 12.5, 40, 17), 3, 3);
    Fill(p, citadel, colours::Superstructure, 1.1);
    QPainterPath bridge;
    bridge.addRoundedRect(QRectF(68, 15, 19, 12), 2.5, 2.5);
    Fill(p, bridge, QColor(196, 200, 204), 0.9);
    Funnel(p, 58, 5.5, 4.2);
    for (double x : {56.0, 72.0, 86.0}) {
        for (double side : {-1.0, 1.0}) {
            p.setPen(DesignPen(p, colours::Outline, 0.6));
            p.setBrush(colours::Turret);
            p.drawEllipse(QPointF(x, Middle + side * 9.5), 1.8, 1.6);
        }
    }
    p.setPen(DesignPen(p, colours::Outline, 0.8));
    p.setBrush(QColor(70, 74, 80));
    p.drawEllipse(QPointF(79, Middle), 2.2, 2.2);
    Turret(p, 36, 7.0, 3, -1);
    Turret(p, 104, 7.5, 3, 1);
    Turret(p, 122, 7.0, 3, 1);
}

void Cruiser(QPainter& p) {
    Fill(p, HullPath(5, 116, 10, 30, 6), colours::HullSteel);
    const QPainterPath deck = HullPath(8, 112, 8.3, 26, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(158, 164, 170));
    p.drawPath(deck);
    PlankLines(p, deck, QColor(142, 148, 154), 3.0);
    QPainterPath superstructure;
    superstructure.addRoundedRect(QRectF(38, 14.5, 30, 13), 2.5, 2.5);
    Fill(p, superstructure, colours::Superstructure, 1.0);
    QPainterPath bridge;
    bridge.addRoundedRect(QRectF(60, 16, 10, 10), 2, 2);
    Fill(p, bridge, QColor(198, 202, 206), 0.8);
    Funnel(p, 44, 3.6, 3.0);
    Funnel(p, 53, 3.6, 3.0);
    Turret(p, 24, 5.2, 2, -1);
    Turret(p, 78, 5.2, 2, 1);
    Turret(p, 91, 5.2, 2, 1);
}

void Submarine(QPainter& p) {
    QPainterPath hull;
    hull.moveTo(14, Middle - 3);
    hull.cubicTo(30, Middle - 8.5, 60, Middle - 8.5, 96, Middle - 8.5);
    hull.cubicTo(108, Middle - 8.5, 116, Middle - 5, 116, Middle);
    hull.cubicTo(116, Middle + 5, 108, Middle + 8.5, 96, Middle + 8.5);
    hull.cubicTo(60, Middle + 8.5, 30, Middle + 8.5, 14, Middle + 3);
    hull.closeSubpath();
    Line(p, {7, Middle}, {16, Middle}, colours::Outline, 2.2);
    // Stern planes and rudder.
    QPainterPath planes;
    planes.addRoundedRect(QRectF(10, Middle - 9, 4, 18), 1.2, 1.2);
    Fill(p, planes, QColor(40, 44, 52), 0.9);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 120, 60));
    p.drawEllipse(QPointF(7, Middle), 1.6, 3.2);
    Fill(p, hull, QColor(48, 54, 64), 1.3);
    QPainterPath casing;
    casing.addRoundedRect(QRectF(24, Middle - 3, 78, 6), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(72, 80, 92));
    p.drawPath(casing);
    for (double x : {30.0, 94.0}) {
        p.setBrush(QColor(98, 106, 118));
        p.drawEllipse(QPointF(x, Middle), 1.8, 1.8);
    }
    QPainterPath sail;
    sail.moveTo(60, Middle);
    sail.cubicTo(60, Middle - 4, 66, Middle - 4, 80, Middle - 3.5);
    sail.cubicTo(86, Middle - 3, 86, Middle + 3, 80, Middle + 3.5);
    sail.cubicTo(66, Middle + 4, 60, Middle + 4, 60, Middle);
    QPainterPath sailPlanes;
    sailPlanes.addRoundedRect(QRectF(75, Middle - 8, 3.5, 16), 1.2, 1.2);
    Fill(p, sailPlanes, QColor(40, 44, 52), 0.8);
    Fill(p, sail, QColor(34, 38, 46), 1.1);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 130, 142));
    p.drawEllipse(QPointF(70, Middle), 1.1, 1.1);
    p.drawEllipse(QPointF(75, Middle), 1.1, 1.1);
}

void PatrolBoat(QPainter& p) {
    Fill(p, HullPath(7, 76, 8.5, 22, 2), QColor(128, 138, 148));
    const QPainterPath deck = HullPath(9.5, 72, 6.8, 19, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(162, 168, 174));
    p.drawPath(deck);
    QPainterPath cabin;
    cabin.addRoundedRect(QRectF(32, 14.5, 22, 13), 3, 3);
    Fill(p, cabin, colours::Superstructure, 1.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 62, 96));
    p.drawRoundedRect(QRectF(49, 16, 3.5, 10), 1.2, 1.2);
    p.setPen(DesignPen(p, colours::Outline, 0.7));
    p.setBrush(colours::Turret);
    p.drawEllipse(QPointF(42, Middle), 2.2, 2.2);
    Turret(p, 62, 3.6, 1, 1);
    Turret(p, 18, 3.2, 2, -1);
}

void DrawShip(QPainter& p, int shipId) {
    switch (shipId) {
        case 1:
            Carrier(p);
            break;
        case 2:
            Battleship(p);
            break;
        case 3:
            Cruiser(p);
            break;
        case 4:
            Submarine(p);
            break;
        default:
            PatrolBoat(p);
            break;
    }
}

}  // namespace

int ShipLength(int shipId) {
    static const int lengths[] = {5, 4, 3, 3, 2};
    return lengths[(shipId - 1) % 5];
}

QImage ShipPicture(int shipId, bool sunk, bool vertical, CellSize cell) {
    const int cells = ShipLength(shipId);
    const double length = cells * CellLength;
    // A vertical ship is drawn lying down at the turned size and then turned.
    const int along = vertical ? cells * cell.height : cells * cell.width;
    const int across = vertical ? cell.width : cell.height;
    Canvas canvas(along, across, length, Beam);
    DrawShip(canvas.Painter(), shipId);
    QImage drawn = canvas.Finish();
    if (sunk) drawn = Wreck(drawn, shipId, length, Beam);
    QImage flat = FlattenOnWhite(drawn);
    return vertical ? RotateLeft(flat) : flat;
}

}  // namespace make_data
