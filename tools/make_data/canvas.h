// tools/make_data/canvas.h: shared drawing helpers: a painter in design units on a transparent
// image, the step that puts a drawn shape on pure white without a light fringe, and rotation.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace make_data {

// The colours every picture shares, so sea, ships and marks belong together.
namespace colours {
inline const QColor Outline(28, 32, 40);
inline const QColor HullSteel(112, 122, 134);
inline const QColor DeckSteel(150, 157, 165);
inline const QColor DeckTeak(164, 142, 104);
inline const QColor Superstructure(178, 184, 190);
inline const QColor Turret(92, 100, 110);
inline const QColor Funnel(58, 60, 66);
inline const QColor FireRed(214, 52, 18);
inline const QColor FireOrange(246, 132, 24);
inline const QColor FireYellow(255, 218, 88);
inline const QColor Smoke(72, 70, 72);
inline const QColor SmokeLight(118, 116, 118);
}  // namespace colours

// A transparent image of the given pixel size, with a painter whose units are design units:
// `designWidth` by `designHeight` map onto the whole image.
class Canvas {
  public:
    Canvas(int width, int height, double designWidth, double designHeight);
    QPainter& Painter() { return painter; }
    // Ends painting and returns the image (premultiplied ARGB).
    QImage Finish();

  private:
    QImage image;
    QPainter painter;
};

// Pixels at least half covered keep their colour at full strength; the rest become pure white,
// the game's transparent colour. A shape's edge therefore shows its own (dark) outline colour,
// never a blend with white, and a colour inside that happens to be pure white is nudged off it.
// Pinholes of white left where two shapes almost touch are closed.
QImage FlattenOnWhite(const QImage& drawn);

// A quarter turn counter-clockwise, pixel for pixel: what points right afterwards points up.
QImage RotateLeft(const QImage& image);

// Paints `image` over `target` at (x, y), leaving out its pure white pixels, as the game draws
// its transparent pictures.
void DrawTransparentAt(QImage& target, const QImage& image, int x, int y);

// A pen in design units, never thinner than `minimumPixels` on the device.
QPen DesignPen(const QPainter& painter, const QColor& colour, double width,
               double minimumPixels = 1.0);

}  // namespace make_data
