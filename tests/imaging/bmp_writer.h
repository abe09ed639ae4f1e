// tests/imaging/bmp_writer.h: writes small .bmp files at every depth and compression the reader
// takes, from an image of palette indices, for the tests and the fuzzer's seed corpus.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/drawing/dib.h"
#include "platform/types.h"

namespace bmp_writer {

// An image as palette indices, rows top to bottom, with its colours (0x00RRGGBB).
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;
    std::vector<platform::Pixel> palette;
    platform::Pixel At(int x, int y) const { return palette[indices[y * width + x]]; }
};

struct Format {
    int bitCount = 24;
    std::uint32_t compression = platform::BI_RGB;
    bool topDown = false;
    std::uint32_t colorsUsed = 0;        // written into the header; 0 = the full table
    std::uint32_t masks[3] = {0, 0, 0};  // bit-field files only: red, green, blue
};

inline void Put16(std::vector<std::uint8_t>& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A channel value in a mask's range, rounded like the reader scales it back.
inline std::uint32_t ToMask(std::uint32_t value8, std::uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1u) == 0) ++shift;
    const std::uint32_t top = mask >> shift;
    return ((value8 * top + 127) / 255) << shift;
}

inline std::uint32_t Packed(platform::Pixel p, const std::uint32_t masks[3]) {
    return ToMask(p >> 16 & 0xFF, masks[0]) | ToMask(p >> 8 & 0xFF, masks[1]) |
           ToMask(p & 0xFF, masks[2]);
}

inline std::vector<std::uint8_t> PlainRow(const IndexedImage& image, const Format& f, int y) {
    std::vector<std::uint8_t> row;
    const std::uint32_t rgb555[3] = {0x7C00, 0x03E0, 0x001F};
    for (int x = 0; x < image.width; ++x) {
        const std::uint8_t index = image.indices[y * image.width + x];
        const platform::Pixel p = image.palette[index];
        switch (f.bitCount) {
            case 1:
                if (x % 8 == 0) row.push_back(0);
                row.back() |= static_cast<std::uint8_t>((index & 1) << (7 - x % 8));
                break;
            case 4:
                if (x % 2 == 0) row.push_back(0);
                row.back() |= static_cast<std::uint8_t>((index & 0xF) << (x % 2 ? 0 : 4));
                break;
            case 8:
                row.push_back(index);
                break;
            case 16:
                Put16(row, static_cast<std::uint16_t>(Packed(
                               p, f.compression == platform::BI_BITFIELDS ? f.masks : rgb555)));
                break;
            case 24:
                row.push_back(p & 0xFF);
                row.push_back(p >> 8 & 0xFF);
                row.push_back(p >> 16 & 0xFF);
                break;
            case 32:
                if (f.compression == platform::BI_BITFIELDS) {
                    Put32(row, Packed(p, f.masks));
                } else {
                    Put32(row, p);  // blue, green, red, unused
                }
                break;
        }
    }
    while (row.size() % 4 != 0) row.push_back(0);
    return row;
}

// Run-length rows, bottom-up: runs of two or more as codes, other pixels as literal runs of three
// or more where there are enough, else single-pixel runs.
inline std::vector<std::uint8_t> RunLengthRow(const IndexedImage& image, bool four, int y) {
    std::vector<std::uint8_t> out;
    const std::uint8_t* row = &image.indices[y * image.width];
    int x = 0;
    while (x < image.width) {
        int run = 1;
        while (x + run < image.width && row[x + run] == row[x] && run < 255) ++run;
        if (run >= 2) {
            out.push_back(static_cast<std::uint8_t>(run));
            out.push_back(four ? static_cast<std::uint8_t>(row[x] << 4 | row[x]) : row[x]);
            x += run;
            continue;
        }
        int singles = 0;  // pixels up to where a run of two or more starts
        while (x + singles < image.width && singles < 255) {
            const int p = x + singles;
            if (p + 1 < image.width && row[p + 1] == row[p]) break;
            ++singles;
        }
        if (singles < 3) {
            out.push_back(1);
            out.push_back(four ? static_cast<std::uint8_t>(row[x] << 4) : row[x]);
            ++x;
            continue;
        }
        out.push_back(0);
        out.push_back(static_cast<std::uint8_t>(singles));
        std::vector<std::uint8_t> literal;
        for (int k = 0; k < singles; ++k) {
            if (!four) {
                literal.push_back(row[x + k]);
            } else if (k % 2 == 0) {
                literal.push_back(static_cast<std::uint8_t>(row[x + k] << 4));
            } else {
                literal.back() |= row[x + k];
            }
        }
        if (literal.size() % 2 != 0) literal.push_back(0);
        out.insert(out.end(), literal.begin(), literal.end());
        x += singles;
    }
    out.push_back(0);
    out.push_back(0);  // end of line
    return out;
}

// The whole file, pixels directly behind the colour table (or masks).
inline std::vector<std::uint8_t> Write(const IndexedImage& image, const Format& f) {
    std::vector<std::uint8_t> table;
    if (f.bitCount <= 8) {
        const std::uint32_t entries = f.colorsUsed != 0 ? f.colorsUsed : (1u << f.bitCount);
        for (std::uint32_t i = 0; i < entries; ++i)
            Put32(table, i < image.palette.size() ? image.palette[i] : 0);
    } else if (f.compression == platform::BI_BITFIELDS) {
        for (std::uint32_t mask : f.masks) Put32(table, mask);
    }
    std::vector<std::uint8_t> pixels;
    const bool runLength = f.compression == platform::BI_RLE8 || f.compression == platform::BI_RLE4;
    for (int row = 0; row < image.height; ++row) {
        const int y = f.topDown ? row : image.height - 1 - row;
        const std::vector<std::uint8_t> bytes =
            runLength ? RunLengthRow(image, f.compression == platform::BI_RLE4, y)
                      : PlainRow(image, f, y);
        pixels.insert(pixels.end(), bytes.begin(), bytes.end());
    }
    if (runLength) {
        pixels.push_back(0);
        pixels.push_back(1);  // end of bitmap
    }
    const std::uint32_t offset = static_cast<std::uint32_t>(54 + table.size());
    std::vector<std::uint8_t> file;
    file.push_back('B');
    file.push_back('M');
    Put32(file, static_cast<std::uint32_t>(offset + pixels.size()));
    Put32(file, 0);
    Put32(file, offset);
    Put32(file, 40);
    Put32(file, static_cast<std::uint32_t>(image.width));
    Put32(file, static_cast<std::uint32_t>(f.topDown ? -image.height : image.height));
    Put16(file, 1);
    Put16(file, static_cast<std::uint16_t>(f.bitCount));
    Put32(file, f.compression);
    Put32(file, static_cast<std::uint32_t>(pixels.size()));
    Put32(file, 2835);
    Put32(file, 2835);
    Put32(file, f.colorsUsed);
    Put32(file, 0);
    file.insert(file.end(), table.begin(), table.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

// A plain 24-bit file of one colour.
inline std::vector<std::uint8_t> Solid(int width, int height, platform::Pixel colour) {
    IndexedImage image{width, height, std::vector<std::uint8_t>(width * height, 0), {colour}};
    return Write(image, Format{});
}

}  // namespace bmp_writer
