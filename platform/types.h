// platform/types.h: the small value types every layer shares: points, rectangles, colours.
#pragma once

#include <algorithm>
#include <cstdint>

namespace platform {

struct Point {
    int x = 0;
    int y = 0;
};

// A rectangle that covers left..right-1 by top..bottom-1, as every rectangle of the game counts its
// edges.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const Rect&) const = default;
};

inline Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.IsEmpty()) return Rect{};
    return r;
}

// The smallest rectangle holding both; an empty rectangle adds nothing.
inline Rect Union(const Rect& a, const Rect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

inline Rect Offset(const Rect& r, int dx, int dy) {
    return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// A colour reference as the game writes it: red in the low byte, then green, then blue.
using ColourRef = std::uint32_t;

constexpr ColourRef Rgb(int red, int green, int blue) {
    return static_cast<ColourRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(ColourRef c) { return c & 0xFF; }
constexpr int GreenOf(ColourRef c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(ColourRef c) { return (c >> 16) & 0xFF; }

// A pixel of a colour surface: 0x00RRGGBB, the screen's own 32-bit format.
using Pixel = std::uint32_t;

constexpr Pixel PixelOf(ColourRef c) {
    return (static_cast<Pixel>(RedOf(c)) << 16) | (static_cast<Pixel>(GreenOf(c)) << 8) |
           static_cast<Pixel>(BlueOf(c));
}
constexpr ColourRef ColourOf(Pixel p) { return Rgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

constexpr std::uint16_t LowWord(std::uint64_t v) { return static_cast<std::uint16_t>(v & 0xFFFF); }
constexpr std::uint16_t HighWord(std::uint64_t v) {
    return static_cast<std::uint16_t>((v >> 16) & 0xFFFF);
}
constexpr std::uint32_t MakeLong(std::uint16_t low, std::uint16_t high) {
    return static_cast<std::uint32_t>(low) | (static_cast<std::uint32_t>(high) << 16);
}

}  // namespace platform
