// tools/make_data/quantiser.cpp: median cut over the picture's colour histogram, then error
// diffusion in serpentine order with integer arithmetic, so every run gives the same bytes.
#include "tools/make_data/quantiser.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <stdexcept>
#include <vector>

namespace make_data {
namespace {

struct Entry {
    std::array<int, 3> rgb;
    std::int64_t count;
};

struct Box {
    std::vector<Entry> entries;
    std::int64_t weight = 0;

    int Range(int channel) const {
        int low = 255;
        int high = 0;
        for (const Entry& e : entries) {
            low = std::min(low, e.rgb[channel]);
            high = std::max(high, e.rgb[channel]);
        }
        return high - low;
    }
    int WidestChannel() const {
        int best = 0;
        for (int c = 1; c < 3; ++c) {
            if (Range(c) > Range(best)) best = c;
        }
        return best;
    }
    // Large and heavily used boxes are split first; a box of one colour never.
    double Priority() const {
        if (entries.size() < 2) return -1.0;
        return static_cast<double>(Range(WidestChannel())) * static_cast<double>(weight);
    }
    QRgb Mean() const {
        std::array<std::int64_t, 3> sum{};
        for (const Entry& e : entries) {
            for (int c = 0; c < 3; ++c) sum[c] += e.rgb[c] * e.count;
        }
        auto channel = [&](int c) { return static_cast<int>((sum[c] + weight / 2) / weight); };
        return qRgb(channel(0), channel(1), channel(2));
    }
};

std::vector<Entry> Histogram(const QImage& image) {
    std::map<QRgb, std::int64_t> counts;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) ++counts[row[x] & 0xFFFFFF];
    }
    std::vector<Entry> entries;
    for (const auto& [colour, count] : counts) {
        entries.push_back({{qRed(colour), qGreen(colour), qBlue(colour)}, count});
    }
    return entries;
}

void Split(Box& box, Box& upper) {
    const int channel = box.WidestChannel();
    std::sort(box.entries.begin(), box.entries.end(), [channel](const Entry& a, const Entry& b) {
        if (a.rgb[channel] != b.rgb[channel]) return a.rgb[channel] < b.rgb[channel];
        return a.rgb < b.rgb;
    });
    std::int64_t running = 0;
    std::size_t cut = 1;
    for (; cut < box.entries.size(); ++cut) {
        running += box.entries[cut - 1].count;
        if (running * 2 >= box.weight) break;
    }
    cut = std::clamp<std::size_t>(cut, 1, box.entries.size() - 1);
    upper.entries.assign(box.entries.begin() + static_cast<std::ptrdiff_t>(cut), box.entries.end());
    box.entries.resize(cut);
    box.weight = 0;
    for (const Entry& e : box.entries) box.weight += e.count;
    upper.weight = 0;
    for (const Entry& e : upper.entries) upper.weight += e.count;
}

std::vector<QRgb> MedianCut(const QImage& image, int colours) {
    std::vector<Box> boxes(1);
    boxes[0].entries = Histogram(image);
    for (const Entry& e : boxes[0].entries) boxes[0].weight += e.count;
    while (static_cast<int>(boxes.size()) < colours) {
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
            return a.Priority() < b.Priority();
        });
        if (widest->Priority() < 0) break;
        Box upper;
        Split(*widest, upper);
        boxes.push_back(std::move(upper));
    }
    std::set<QRgb> unique;
    for (const Box& box : boxes) unique.insert(box.Mean());
    // Pad with greys the picture does not use, so the table has its exact size.
    for (int level = 0; static_cast<int>(unique.size()) < colours && level < 256 * 3; ++level) {
        unique.insert(qRgb(level % 256, level % 256, (level + level / 256) % 256));
    }
    std::vector<QRgb> palette(unique.begin(), unique.end());
    std::stable_sort(palette.begin(), palette.end(),
                     [](QRgb a, QRgb b) { return qGray(a) < qGray(b); });
    return palette;
}

int Nearest(const std::vector<QRgb>& palette, int r, int g, int b) {
    int best = 0;
    int bestDistance = 1 << 30;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = qRed(palette[i]) - r;
        const int dg = qGreen(palette[i]) - g;
        const int db = qBlue(palette[i]) - b;
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

// Errors are kept in sixteenths; serpentine rows avoid the drift of left-to-right diffusion.
void Diffuse(const QImage& image, IndexedImage& out) {
    const int w = out.width;
    std::vector<std::array<int, 3>> current(w + 2), next(w + 2);
    std::map<std::uint32_t, int> cache;
    for (int y = 0; y < out.height; ++y) {
        std::fill(next.begin(), next.end(), std::array<int, 3>{});
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const bool leftToRight = y % 2 == 0;
        for (int i = 0; i < w; ++i) {
            const int x = leftToRight ? i : w - 1 - i;
            const int step = leftToRight ? 1 : -1;
            std::array<int, 3> want{qRed(row[x]), qGreen(row[x]), qBlue(row[x])};
            for (int c = 0; c < 3; ++c) {
                want[c] = std::clamp(want[c] + current[x + 1][c] / 16, 0, 255);
            }
            const std::uint32_t key = (want[0] << 16) | (want[1] << 8) | want[2];
            auto found = cache.find(key);
            const int index = found != cache.end()
                                  ? found->second
                                  : cache[key] = Nearest(out.palette, want[0], want[1], want[2]);
            out.indices[static_cast<std::size_t>(y) * w + x] = static_cast<std::uint8_t>(index);
            const QRgb got = out.palette[index];
            const std::array<int, 3> error{want[0] - qRed(got), want[1] - qGreen(got),
                                           want[2] - qBlue(got)};
            for (int c = 0; c < 3; ++c) {
                current[x + 1 + step][c] += error[c] * 7;
                next[x + 1 - step][c] += error[c] * 3;
                next[x + 1][c] += error[c] * 5;
                next[x + 1 + step][c] += error[c] * 1;
            }
        }
        std::swap(current, next);
    }
}

}  // namespace

IndexedImage Quantise(const QImage& source, int colours) {
    if (colours < 2 || colours > 256) throw std::invalid_argument("2 to 256 colours");
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    IndexedImage out;
    out.width = image.width();
    out.height = image.height();
    out.indices.resize(static_cast<std::size_t>(out.width) * out.height);
    out.palette = MedianCut(image, colours);
    Diffuse(image, out);
    return out;
}

}  // namespace make_data
