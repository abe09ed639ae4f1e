// tools/make_data/canvas.cpp: the shared drawing helpers.
#include "tools/make_data/canvas.h"

#include <algorithm>
#include <vector>

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

namespace {

constexpr QRgb PureWhite = 0xFFFFFFFF;
// Enclosed white areas up to this size are pinholes where two shapes almost touch; larger ones
// (the inside of the crosshair's ring) are meant to let the water show.
constexpr std::size_t LargestPinhole = 12;

// Every white region that the picture's edge cannot reach, as lists of pixel offsets.
std::vector<std::vector<std::size_t>> EnclosedWhite(const QImage& image) {
    const int w = image.width();
    const int h = image.height();
    auto white = [&](int x, int y) { return image.pixel(x, y) == PureWhite; };
    std::vector<int> region(static_cast<std::size_t>(w) * h, -1);
    std::vector<std::vector<std::size_t>> regions;
    for (int y0 = 0; y0 < h; ++y0) {
        for (int x0 = 0; x0 < w; ++x0) {
            if (!white(x0, y0) || region[static_cast<std::size_t>(y0) * w + x0] >= 0) continue;
            std::vector<std::size_t> pixels;
            bool touchesEdge = false;
            std::vector<std::pair<int, int>> stack = {{x0, y0}};
            region[static_cast<std::size_t>(y0) * w + x0] = static_cast<int>(regions.size());
            while (!stack.empty()) {
                const auto [x, y] = stack.back();
                stack.pop_back();
                pixels.push_back(static_cast<std::size_t>(y) * w + x);
                touchesEdge = touchesEdge || x == 0 || y == 0 || x == w - 1 || y == h - 1;
                const int nx[] = {x + 1, x - 1, x, x};
                const int ny[] = {y, y, y + 1, y - 1};
                for (int d = 0; d < 4; ++d) {
                    if (nx[d] < 0 || ny[d] < 0 || nx[d] >= w || ny[d] >= h) continue;
                    const std::size_t i = static_cast<std::size_t>(ny[d]) * w + nx[d];
                    if (region[i] >= 0 || !white(nx[d], ny[d])) continue;
                    region[i] = static_cast<int>(regions.size());
                    stack.emplace_back(nx[d], ny[d]);
                }
            }
            regions.push_back(touchesEdge ? std::vector<std::size_t>{} : std::move(pixels));
        }
    }
    return regions;
}

// Fills each pinhole with the darkest colour around it: the outlines that almost closed it.
void ClosePinholes(QImage& image) {
    const int w = image.width();
    const int h = image.height();
    for (const std::vector<std::size_t>& pixels : EnclosedWhite(image)) {
        if (pixels.empty() || pixels.size() > LargestPinhole) continue;
        QRgb darkest = PureWhite;
        for (std::size_t i : pixels) {
            const int x = static_cast<int>(i % w);
            const int y = static_cast<int>(i / w);
            for (const auto& [nx, ny] : {std::pair{x + 1, y}, std::pair{x - 1, y},
                                         std::pair{x, y + 1}, std::pair{x, y - 1}}) {
                if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                const QRgb c = image.pixel(nx, ny);
                if (c != PureWhite && qGray(c) < qGray(darkest)) darkest = c;
            }
        }
        for (std::size_t i : pixels) {
            image.setPixel(static_cast<int>(i % w), static_cast<int>(i / w), darkest);
        }
    }
}

}  // namespace

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
    ClosePinholes(result);
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
