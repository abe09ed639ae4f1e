// platform/drawing/raster_operation.h: the four raster operations the game draws with, and their
// effect on a destination pixel, in one place.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace platform {

enum class RasterOp : std::uint32_t {
    SrcCopy = 0x00CC0020,     // D = S
    SrcAnd = 0x008800C6,      // D = D AND S
    SrcInvert = 0x00660046,   // D = D XOR S
    NotSrcCopy = 0x00330008,  // D = NOT S
};

inline constexpr RasterOp SRCCOPY = RasterOp::SrcCopy;
inline constexpr RasterOp SRCAND = RasterOp::SrcAnd;
inline constexpr RasterOp SRCINVERT = RasterOp::SrcInvert;
inline constexpr RasterOp NOTSRCCOPY = RasterOp::NotSrcCopy;

// The bitwise effect on one pixel's bits; only the low `mask` bits take part (the 24 colour bits
// of a colour pixel, the one bit of a monochrome pixel).
constexpr std::uint32_t ApplyRasterOp(RasterOp op, std::uint32_t d, std::uint32_t s,
                                      std::uint32_t mask) {
    switch (op) {
        case RasterOp::SrcCopy:
            return s & mask;
        case RasterOp::SrcAnd:
            return (d & s) & mask;
        case RasterOp::SrcInvert:
            return (d ^ s) & mask;
        case RasterOp::NotSrcCopy:
            return ~s & mask;
    }
    return d & mask;
}

}  // namespace platform
