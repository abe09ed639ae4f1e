// platform/drawing/blit.cpp: BitBlt, StretchBlt and FillRect on our surfaces, with the four raster
// operations and the platform's colour/monochrome conversions. Copies of whole rows take a fast
// path; HALFTONE shrinks average; everything else goes pixel by pixel through one general routine.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/drawing/drawing.h"

namespace platform {

namespace {

constexpr std::uint32_t ColourBits = 0xFFFFFF;
constexpr int MaxCoordinate = 1 << 28;

// Logical coordinates to the context's pixels: the drawing code never sets a mapping mode other
// than pixels, so the two origins move things, and a scaled target spreads each logical pixel
// over its device pixels.
Point ToLogical(const DeviceContext* dc, int x, int y) {
    return Point{x - dc->state.windowOrigin.x + dc->state.viewportOrigin.x,
                 y - dc->state.windowOrigin.y + dc->state.viewportOrigin.y};
}

Rect ToDevice(const DeviceContext* dc, int x, int y, int width, int height) {
    const Point at = ToLogical(dc, x, y);
    return DeviceRect(Rect{at.x, at.y, at.x + width, at.y + height}, dc->Scale());
}

// For each destination index along one axis, the run of source indices it takes: one pixel when
// growing, keeping the size or not combining, else every source pixel that falls on it. Runs
// are cut to the source bitmap; a run cut to nothing leaves its destination pixel alone.
struct AxisMap {
    std::vector<int> first;
    std::vector<int> count;
    int lowest = 0x7FFFFFFF;  // the source indices used lie in lowest..end-1
    int end = 0;
};

// True when each of the first width destination columns takes exactly the next source column,
// so a row can be moved in one run.
bool IsContiguous(const AxisMap& columns, int width) {
    for (int k = 0; k < width; ++k) {
        if (columns.count[k] != 1 || columns.first[k] != columns.first[0] + k) return false;
    }
    return true;
}

AxisMap MapAxis(int dstStart, int dstLength, int from, int to, int srcStart, int srcLength,
                int srcLimit, bool combine) {
    AxisMap map;
    map.first.resize(to - from);
    map.count.resize(to - from);
    const bool shrinking = combine && srcLength > dstLength;
    if (srcLength == dstLength) {  // the common block copy: no division per pixel
        for (int d = from; d < to; ++d) {
            const std::int64_t a = std::int64_t{srcStart} + (d - dstStart);
            if (a < 0 || a >= srcLimit) continue;  // first 0, count 0
            map.first[d - from] = static_cast<int>(a);
            map.count[d - from] = 1;
            map.lowest = std::min(map.lowest, static_cast<int>(a));
            map.end = std::max(map.end, static_cast<int>(a + 1));
        }
        return map;
    }
    for (int d = from; d < to; ++d) {
        const std::int64_t i = d - dstStart;
        std::int64_t a = 0;
        std::int64_t b = 0;
        if (shrinking) {
            a = srcStart + i * srcLength / dstLength;
            b = srcStart + (i + 1) * srcLength / dstLength;
        } else {
            a = srcStart + (2 * i + 1) * srcLength / (2 * std::int64_t{dstLength});
            b = a + 1;
        }
        a = std::max<std::int64_t>(a, 0);
        b = std::min<std::int64_t>(b, srcLimit);
        if (a >= b) continue;  // first 0, count 0
        map.first[d - from] = static_cast<int>(a);
        map.count[d - from] = static_cast<int>(b - a);
        map.lowest = std::min(map.lowest, static_cast<int>(a));
        map.end = std::max(map.end, static_cast<int>(b));
    }
    return map;
}

std::uint32_t SourceValue(const Bitmap& src, int x, int y) {
    const std::size_t i = static_cast<std::size_t>(y) * src.width + x;
    return src.IsMonochrome() ? src.bits[i] : src.pixels[i];
}

// Combines the pixels a shrink drops: AND keeps dark pixels, OR keeps light ones.
std::uint32_t Combine(int stretchMode, std::uint32_t a, std::uint32_t b) {
    return stretchMode == WHITEONBLACK ? (a | b) : (a & b);
}

struct Conversion {
    bool toMonochrome = false;  // colour source, monochrome destination
    bool toColour = false;      // monochrome source, colour destination
    Pixel sourceBackground = 0;
    Pixel one = 0;   // what a monochrome 1 becomes on colour
    Pixel zero = 0;  // what a monochrome 0 becomes on colour
    std::uint32_t Convert(std::uint32_t s) const {
        if (toMonochrome) return s == sourceBackground ? 1u : 0u;
        if (toColour) return s != 0 ? one : zero;
        return s;
    }
};

// The general case: every destination pixel in area (device coordinates, already clipped).
void Transfer(Bitmap& dst, const Rect& area, const Bitmap& src, const AxisMap& columns,
              const AxisMap& rows, int stretchMode, const Conversion& conversion, RasterOp op) {
    const std::uint32_t mask = dst.IsMonochrome() ? 1u : ColourBits;
    std::vector<std::uint32_t> line(src.width);
    for (int y = area.top; y < area.bottom; ++y) {
        const int rowFirst = rows.first[y - area.top];
        const int rowCount = rows.count[y - area.top];
        if (rowCount == 0) continue;
        for (int sx = columns.lowest; sx < columns.end; ++sx) {
            std::uint32_t v = SourceValue(src, sx, rowFirst);
            for (int k = 1; k < rowCount; ++k)
                v = Combine(stretchMode, v, SourceValue(src, sx, rowFirst + k));
            line[sx] = v;
        }
        for (int x = area.left; x < area.right; ++x) {
            const int first = columns.first[x - area.left];
            const int count = columns.count[x - area.left];
            if (count == 0) continue;
            std::uint32_t s = line[first];
            for (int k = 1; k < count; ++k) s = Combine(stretchMode, s, line[first + k]);
            s = conversion.Convert(s);
            const std::size_t i = static_cast<std::size_t>(y) * dst.width + x;
            if (dst.IsMonochrome()) {
                dst.bits[i] = static_cast<std::uint8_t>(ApplyRasterOp(op, dst.bits[i], s, mask));
            } else {
                dst.pixels[i] = ApplyRasterOp(op, dst.pixels[i], s, mask);
            }
        }
    }
}

// For each destination index along one axis of a HALFTONE stretch, the source pixels it takes
// and their weights: when shrinking, every source pixel under it, weighted by the length it
// covers (in units of 1/dstLength of a source pixel); when growing, the nearest one alone.
// Source pixels outside the bitmap are left out; a destination index left with none is skipped.
struct AxisWeights {
    std::vector<int> first;  // into index and weight
    std::vector<int> count;
    std::vector<int> index;
    std::vector<double> weight;
    int lowest = 0x7FFFFFFF;
    int end = 0;
};

AxisWeights WeighAxis(int dstStart, int dstLength, int from, int to, int srcStart, int srcLength,
                      int srcLimit) {
    AxisWeights axis;
    axis.first.resize(to - from);
    axis.count.resize(to - from);
    const std::int64_t d = dstLength;
    const std::int64_t n = srcLength;
    auto take = [&](std::int64_t at, std::int64_t weight) {
        if (at < 0 || at >= srcLimit || weight <= 0) return;
        axis.index.push_back(static_cast<int>(at));
        axis.weight.push_back(static_cast<double>(weight));
        axis.lowest = std::min(axis.lowest, static_cast<int>(at));
        axis.end = std::max(axis.end, static_cast<int>(at + 1));
    };
    for (int k = from; k < to; ++k) {
        const std::int64_t i = k - dstStart;
        const std::size_t before = axis.index.size();
        if (n > d) {
            // Destination pixel i covers [i*n, (i+1)*n) and source pixel j [j*d, (j+1)*d).
            for (std::int64_t j = i * n / d; j * d < (i + 1) * n; ++j) {
                take(srcStart + j, std::min((i + 1) * n, (j + 1) * d) - std::max(i * n, j * d));
            }
        } else {
            take(srcStart + (2 * i + 1) * n / (2 * d), 1);
        }
        axis.first[k - from] = static_cast<int>(before);
        axis.count[k - from] = static_cast<int>(axis.index.size() - before);
    }
    return axis;
}

// Colour onto colour: each destination pixel gets the weighted average of the source pixels
// under it, rounded; pixels of the key colour (when given) count for nothing.
void Average(Bitmap& dst, const Rect& area, const Bitmap& src, const AxisWeights& columns,
             const AxisWeights& rows, bool leaveOutKey, Pixel key, RasterOp op) {
    struct Sum {
        double red = 0, green = 0, blue = 0, weight = 0;
    };
    std::vector<Sum> line(src.width);
    for (int y = area.top; y < area.bottom; ++y) {
        const int rowFirst = rows.first[y - area.top];
        const int rowCount = rows.count[y - area.top];
        if (rowCount == 0) continue;
        for (int sx = columns.lowest; sx < columns.end; ++sx) {
            Sum sum;
            for (int k = rowFirst; k < rowFirst + rowCount; ++k) {
                const Pixel p = src.Row(rows.index[k])[sx];
                if (leaveOutKey && p == key) continue;
                const double w = rows.weight[k];
                sum.red += w * ((p >> 16) & 0xFF);
                sum.green += w * ((p >> 8) & 0xFF);
                sum.blue += w * (p & 0xFF);
                sum.weight += w;
            }
            line[sx] = sum;
        }
        Pixel* out = dst.Row(y);
        for (int x = area.left; x < area.right; ++x) {
            const int first = columns.first[x - area.left];
            const int count = columns.count[x - area.left];
            if (count == 0) continue;
            Sum sum;
            for (int k = first; k < first + count; ++k) {
                const Sum& s = line[columns.index[k]];
                const double w = columns.weight[k];
                sum.red += w * s.red;
                sum.green += w * s.green;
                sum.blue += w * s.blue;
                sum.weight += w * s.weight;
            }
            Pixel s = key;
            if (sum.weight > 0) {
                const auto channel = [&](double total) {
                    return static_cast<Pixel>(std::min(255.0, total / sum.weight + 0.5));
                };
                s = (channel(sum.red) << 16) | (channel(sum.green) << 8) | channel(sum.blue);
            }
            out[x] = ApplyRasterOp(op, out[x], s, ColourBits);
        }
    }
}

// One source pixel per destination pixel (no shrinking): each case of formats and operation
// gets its own loop, so nothing is decided per pixel.
template <RasterOp Op, bool SourceMono, bool TargetMono, typename In, typename Out>
inline Out Combined(In source, Out d, const Conversion& conversion) {
    std::uint32_t s = source;
    if constexpr (SourceMono && !TargetMono) s = s != 0 ? conversion.one : conversion.zero;
    if constexpr (!SourceMono && TargetMono) s = s == conversion.sourceBackground ? 1u : 0u;
    return static_cast<Out>(ApplyRasterOp(Op, d, s, TargetMono ? 1u : ColourBits));
}

// One row of a plain block copy: straight runs of both bitmaps, which the compiler vectorises.
template <RasterOp Op, bool SourceMono, bool TargetMono, typename In, typename Out>
void CombineRun(const In* __restrict in, Out* __restrict out, int width,
                const Conversion& conversion) {
    for (int k = 0; k < width; ++k)
        out[k] = Combined<Op, SourceMono, TargetMono>(in[k], out[k], conversion);
}

template <RasterOp Op, bool SourceMono, bool TargetMono>
void GatherRows(Bitmap& dst, const Rect& area, const Bitmap& src, const AxisMap& columns,
                const AxisMap& rows, const Conversion& conversion) {
    const int width = area.Width();
    const bool contiguous = IsContiguous(columns, width);
    for (int y = area.top; y < area.bottom; ++y) {
        if (rows.count[y - area.top] == 0) continue;
        const std::size_t in = static_cast<std::size_t>(rows.first[y - area.top]) * src.width;
        const std::size_t out = static_cast<std::size_t>(y) * dst.width + area.left;
        const auto* source = [&] {
            if constexpr (SourceMono)
                return src.bits.data() + in;
            else
                return src.pixels.data() + in;
        }();
        auto* target = [&] {
            if constexpr (TargetMono)
                return dst.bits.data() + out;
            else
                return dst.pixels.data() + out;
        }();
        if (contiguous) {
            CombineRun<Op, SourceMono, TargetMono>(source + columns.first[0], target, width,
                                                   conversion);
            continue;
        }
        for (int k = 0; k < width; ++k) {
            if (columns.count[k] == 0) continue;
            target[k] = Combined<Op, SourceMono, TargetMono>(source[columns.first[k]], target[k],
                                                             conversion);
        }
    }
}

template <RasterOp Op>
void GatherRows(Bitmap& dst, const Rect& area, const Bitmap& src, const AxisMap& columns,
                const AxisMap& rows, const Conversion& conversion) {
    const bool sourceMono = src.IsMonochrome();
    const bool targetMono = dst.IsMonochrome();
    if (sourceMono && targetMono) {
        GatherRows<Op, true, true>(dst, area, src, columns, rows, conversion);
    } else if (sourceMono) {
        GatherRows<Op, true, false>(dst, area, src, columns, rows, conversion);
    } else if (targetMono) {
        GatherRows<Op, false, true>(dst, area, src, columns, rows, conversion);
    } else {
        GatherRows<Op, false, false>(dst, area, src, columns, rows, conversion);
    }
}

void GatherRows(RasterOp op, Bitmap& dst, const Rect& area, const Bitmap& src,
                const AxisMap& columns, const AxisMap& rows, const Conversion& conversion) {
    switch (op) {
        case RasterOp::SrcCopy:
            GatherRows<RasterOp::SrcCopy>(dst, area, src, columns, rows, conversion);
            break;
        case RasterOp::SrcAnd:
            GatherRows<RasterOp::SrcAnd>(dst, area, src, columns, rows, conversion);
            break;
        case RasterOp::SrcInvert:
            GatherRows<RasterOp::SrcInvert>(dst, area, src, columns, rows, conversion);
            break;
        case RasterOp::NotSrcCopy:
            GatherRows<RasterOp::NotSrcCopy>(dst, area, src, columns, rows, conversion);
            break;
    }
}

// Colour to colour with SRCCOPY and one source pixel per destination pixel: whole rows.
void CopyRows(Bitmap& dst, const Rect& area, const Bitmap& src, const AxisMap& columns,
              const AxisMap& rows) {
    const int width = area.Width();
    const bool contiguous = IsContiguous(columns, width);
    for (int y = area.top; y < area.bottom; ++y) {
        if (rows.count[y - area.top] == 0) continue;
        const Pixel* in = src.Row(rows.first[y - area.top]);
        Pixel* out = dst.Row(y) + area.left;
        if (contiguous) {
            std::memcpy(out, in + columns.first[0], width * sizeof(Pixel));
            continue;
        }
        for (int k = 0; k < width; ++k)
            if (columns.count[k] != 0) out[k] = in[columns.first[k]];
    }
}

// The plain block copy, colour to colour at one size: the rows of area that the source covers,
// where source pixel (x, y) lands on target pixel (x + shift.x, y + shift.y). The commonest blit
// of all, so it builds no per-column maps.
void CopyBlock(Bitmap& dst, const Rect& area, const Bitmap& src, Point shift) {
    const Rect covered =
        Intersect(area, Rect{shift.x, shift.y, shift.x + src.width, shift.y + src.height});
    if (covered.IsEmpty()) return;
    const std::size_t bytes = static_cast<std::size_t>(covered.Width()) * sizeof(Pixel);
    for (int y = covered.top; y < covered.bottom; ++y)
        std::memcpy(dst.Row(y) + covered.left, src.Row(y - shift.y) + (covered.left - shift.x),
                    bytes);
}

// One row of a masked draw, without a branch: a mask byte of 1 becomes all ones, choosing the
// target's pixel; written so that the compiler can take several pixels at once.
void ChooseRow(Pixel* __restrict out, const Pixel* __restrict in,
               const std::uint8_t* __restrict keep, int width) {
    for (int k = 0; k < width; ++k) {
        const Pixel stay = 0u - Pixel{keep[k]};
        out[k] = ((out[k] & stay) | (in[k] & ~stay)) & ColourBits;
    }
}

// One row of a masked draw by its runs: only the pixels drawn are visited, each run cut to the
// columns from..to of the image that lie in the area drawn; image column k lands on target
// column k + shift.
void CopyRuns(Pixel* __restrict out, const Pixel* __restrict in, const MaskRuns::Run* run,
              const MaskRuns::Run* end, int from, int to, int shift) {
    for (; run != end; ++run) {
        const int left = std::max(run->left, from);
        const int right = std::min(run->left + run->length, to);
        for (int k = left; k < right; ++k) out[k + shift] = in[k] & ColourBits;
    }
}

void CopyRunsToMonochrome(std::uint8_t* out, const Pixel* in, const MaskRuns::Run* run,
                          const MaskRuns::Run* end, int from, int to, int shift) {
    for (; run != end; ++run) {
        const int left = std::max(run->left, from);
        const int right = std::min(run->left + run->length, to);
        for (int k = left; k < right; ++k)
            out[k + shift] = (in[k] & ColourBits) == ColourBits ? 1 : 0;
    }
}

bool FitsMask(const MaskRuns* runs, const Bitmap& mask) {
    return runs != nullptr && runs->width == mask.width && runs->height == mask.height &&
           runs->rowStart.size() == static_cast<std::size_t>(mask.height) + 1;
}

// A key of none: every source pixel takes part in a HALFTONE average.
struct Key {
    bool given = false;
    Pixel pixel = 0;
};

bool Blit(DeviceContext* dst, int x, int y, int width, int height, DeviceContext* src, int srcX,
          int srcY, int srcWidth, int srcHeight, RasterOp op, Key key = {}) {
    if (dst == nullptr || src == nullptr || dst->target == nullptr || src->target == nullptr)
        return false;
    if (width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0) return false;
    // Far beyond any surface: refused rather than letting the coordinate sums overflow.
    for (int v : {x, y, width, height, srcX, srcY, srcWidth, srcHeight})
        if (v < -MaxCoordinate || v > MaxCoordinate) return false;
    // From here on everything is in the pixels of the two bitmaps.
    const Rect whole = ToDevice(dst, x, y, width, height);
    const Rect sourceRect = ToDevice(src, srcX, srcY, srcWidth, srcHeight);
    const Point from{sourceRect.left, sourceRect.top};
    width = whole.Width();
    height = whole.Height();
    srcWidth = sourceRect.Width();
    srcHeight = sourceRect.Height();
    if (width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0) return true;
    const Rect area = Intersect(whole, dst->DeviceArea());
    if (area.IsEmpty()) return true;

    // A copy within one bitmap reads from a snapshot, so that overlapping areas come out right.
    Bitmap snapshot;
    const Bitmap* source = src->target;
    if (source == dst->target) {
        snapshot = *source;
        source = &snapshot;
    }
    const int mode = dst->state.stretchMode;
    const bool singlePixels = srcWidth <= width && srcHeight <= height;
    Bitmap& target = *dst->target;
    if (op == SRCCOPY && srcWidth == width && srcHeight == height && !source->IsMonochrome() &&
        !target.IsMonochrome()) {
        CopyBlock(target, area, *source, Point{whole.left - from.x, whole.top - from.y});
        dst->NoteDrawn(area);
        return true;
    }
    if ((mode == HALFTONE || key.given) && !singlePixels && !source->IsMonochrome() &&
        !target.IsMonochrome()) {
        const AxisWeights columns =
            WeighAxis(whole.left, width, area.left, area.right, from.x, srcWidth, source->width);
        const AxisWeights rows =
            WeighAxis(whole.top, height, area.top, area.bottom, from.y, srcHeight, source->height);
        Average(target, area, *source, columns, rows, key.given, key.pixel, op);
        dst->NoteDrawn(area);
        return true;
    }
    const bool combine = mode != COLORONCOLOR;
    const AxisMap columns =
        MapAxis(whole.left, width, area.left, area.right, from.x, srcWidth, source->width, combine);
    const AxisMap rows = MapAxis(whole.top, height, area.top, area.bottom, from.y, srcHeight,
                                 source->height, combine);

    Conversion conversion;
    conversion.toMonochrome = !source->IsMonochrome() && target.IsMonochrome();
    conversion.toColour = source->IsMonochrome() && !target.IsMonochrome();
    conversion.sourceBackground = PixelOf(src->state.backgroundColour);
    conversion.one = PixelOf(dst->state.backgroundColour);
    conversion.zero = PixelOf(dst->state.textColour);

    if (op == SRCCOPY && !source->IsMonochrome() && !target.IsMonochrome() &&
        (singlePixels || !combine)) {
        CopyRows(target, area, *source, columns, rows);
    } else if (singlePixels || !combine) {
        GatherRows(op, target, area, *source, columns, rows, conversion);
    } else {
        Transfer(target, area, *source, columns, rows, mode, conversion, op);
    }
    dst->NoteDrawn(area);
    return true;
}

}  // namespace

bool BitBlt(DeviceContext* dst, int x, int y, int width, int height, DeviceContext* src, int srcX,
            int srcY, RasterOp op) {
    return Blit(dst, x, y, width, height, src, srcX, srcY, width, height, op);
}

bool StretchBlt(DeviceContext* dst, int x, int y, int width, int height, DeviceContext* src,
                int srcX, int srcY, int srcWidth, int srcHeight, RasterOp op) {
    return Blit(dst, x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, op);
}

bool StretchBltLeavingOut(DeviceContext* dst, int x, int y, int width, int height,
                          DeviceContext* src, int srcX, int srcY, int srcWidth, int srcHeight,
                          ColourRef key, RasterOp op) {
    return Blit(dst, x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, op,
                Key{true, PixelOf(key)});
}

MaskRuns FindMaskRuns(const Bitmap& mask) {
    MaskRuns found;
    if (!mask.IsMonochrome() || mask.width <= 0 || mask.height <= 0) return found;
    found.width = mask.width;
    found.height = mask.height;
    found.rowStart.reserve(static_cast<std::size_t>(mask.height) + 1);
    found.runs.reserve(static_cast<std::size_t>(mask.height) * 2);  // a ship's or a ring's rows
    for (int y = 0; y < mask.height; ++y) {
        found.rowStart.push_back(static_cast<int>(found.runs.size()));
        const std::uint8_t* row = mask.bits.data() + static_cast<std::size_t>(y) * mask.width;
        const std::uint8_t* end = row + mask.width;
        // Holes and drawn pixels each come in stretches: found a stretch at a time.
        for (const std::uint8_t* at = std::find(row, end, 0); at != end;) {
            const std::uint8_t* after =
                std::find_if(at, end, [](std::uint8_t b) { return b != 0; });
            found.runs.push_back(
                MaskRuns::Run{static_cast<int>(at - row), static_cast<int>(after - at)});
            at = std::find(after, end, 0);
        }
    }
    found.rowStart.push_back(static_cast<int>(found.runs.size()));
    return found;
}

bool BitBltMasked(DeviceContext* dst, int x, int y, const Bitmap& image, const Bitmap& mask,
                  const MaskRuns* runs) {
    if (dst == nullptr || dst->target == nullptr) return false;
    if (image.IsMonochrome() || !mask.IsMonochrome() || image.width != mask.width ||
        image.height != mask.height || image.width <= 0 || image.height <= 0)
        return false;
    if (x < -MaxCoordinate || x > MaxCoordinate || y < -MaxCoordinate || y > MaxCoordinate)
        return false;
    // The image is in the target's pixels already: only its corner is placed by logical pixels.
    const Rect corner = ToDevice(dst, x, y, 0, 0);
    const Point at{corner.left, corner.top};
    const Rect area =
        Intersect(Rect{at.x, at.y, at.x + image.width, at.y + image.height}, dst->DeviceArea());
    if (area.IsEmpty()) return true;
    Bitmap& target = *dst->target;
    if (FitsMask(runs, mask)) {
        // The area's columns in the image's own, so a run is cut once per row.
        const int from = area.left - at.x;
        const int to = area.right - at.x;
        for (int row = area.top; row < area.bottom; ++row) {
            const int own = row - at.y;
            const MaskRuns::Run* first = runs->runs.data() + runs->rowStart[own];
            const MaskRuns::Run* end = runs->runs.data() + runs->rowStart[own + 1];
            if (first == end) continue;
            const Pixel* in = image.Row(own);
            if (target.IsMonochrome()) {
                CopyRunsToMonochrome(
                    target.bits.data() + static_cast<std::size_t>(row) * target.width, in, first,
                    end, from, to, at.x);
            } else {
                CopyRuns(target.Row(row), in, first, end, from, to, at.x);
            }
        }
        dst->NoteDrawn(area);
        return true;
    }
    const int width = area.Width();
    for (int row = area.top; row < area.bottom; ++row) {
        const std::size_t from =
            static_cast<std::size_t>(row - at.y) * image.width + (area.left - at.x);
        const Pixel* in = image.pixels.data() + from;
        const std::uint8_t* keep = mask.bits.data() + from;
        const std::size_t to = static_cast<std::size_t>(row) * target.width + area.left;
        if (target.IsMonochrome()) {
            std::uint8_t* out = target.bits.data() + to;
            for (int k = 0; k < width; ++k)
                if (keep[k] == 0) out[k] = (in[k] & ColourBits) == ColourBits ? 1 : 0;
        } else {
            ChooseRow(target.pixels.data() + to, in, keep, width);
        }
    }
    dst->NoteDrawn(area);
    return true;
}

void FillRect(DeviceContext* dc, const Rect& rect, ColourRef colour) {
    if (dc == nullptr || dc->target == nullptr) return;
    const Point shift = ToLogical(dc, 0, 0);
    const Rect area =
        Intersect(DeviceRect(Offset(rect, shift.x, shift.y), dc->Scale()), dc->DeviceArea());
    if (area.IsEmpty()) return;
    Bitmap& target = *dc->target;
    if (target.IsMonochrome()) {
        // On a monochrome bitmap a colour becomes its nearer of black and white.
        const std::uint8_t bit = RedOf(colour) + GreenOf(colour) + BlueOf(colour) >= 383 ? 1 : 0;
        for (int y = area.top; y < area.bottom; ++y) {
            std::uint8_t* row = target.bits.data() + static_cast<std::size_t>(y) * target.width;
            std::fill(row + area.left, row + area.right, bit);
        }
    } else {
        const Pixel pixel = PixelOf(colour);
        for (int y = area.top; y < area.bottom; ++y)
            std::fill(target.Row(y) + area.left, target.Row(y) + area.right, pixel);
    }
    dc->NoteDrawn(area);
}

}  // namespace platform
