// tools/make_data/canvas.cpp: the shared drawing helpers.
#include "tools/make_data/canvas.h"

#include <algorithm>

namespace make_data {

Canvas::Canvas(int width, int height, double designWidth, double designHeight)
    : image(width, height, QImage::Format_ARGB32_Premultiplied) {
    image.fill(Qt::transparent);
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.scale(width / designWidth, height / designHeight);
}

QImage Canvas::Finish() {
    painter.end();
    return image;
}

QImage FlattenOnWhite(const QImage& drawn) {
    const QImage source = drawn.convertToFormat(QImage::Format_ARGB32);
    QImage result(source.size(), QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        QRgb* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            if (qAlpha(in[x]) < 128) {
                out[x] = qRgb(255, 255, 255);
            } else if ((in[x] & 0xFFFFFF) == 0xFFFFFF) {
                out[x] = qRgb(250, 250, 250);
            } else {
                out[x] = in[x] | 0xFF000000;
            }
        }
    }
    return result;
}

QImage RotateLeft(const QImage& image) {
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    QImage result(source.height(), source.width(), QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            result.setPixel(y, source.width() - 1 - x, row[x]);
        }
    }
    return result.convertToFormat(image.format());
}

void DrawTransparentAt(QImage& target, const QImage& image, int x, int y) {
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    for (int sy = 0; sy < source.height(); ++sy) {
        const int ty = y + sy;
        if (ty < 0 || ty >= target.height()) continue;
        const QRgb* row = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
        for (int sx = 0; sx < source.width(); ++sx) {
            const int tx = x + sx;
            if (tx < 0 || tx >= target.width() || (row[sx] & 0xFFFFFF) == 0xFFFFFF) continue;
            target.setPixel(tx, ty, row[sx]);
        }
    }
}

QPen DesignPen(const QPainter& painter, const QColor& colour, double width, double minimumPixels) {
    const double unit = std::max(painter.transform().m11(), painter.transform().m22());
    const double pixels = std::max(width * unit, minimumPixels);
    QPen pen(colour, pixels / unit);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

}  // namespace make_data
