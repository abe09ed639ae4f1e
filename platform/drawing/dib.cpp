// platform/drawing/dib.cpp: turning the pixels of a .bmp file or bitmap resource (1 to 32 bits
// per pixel, plain, run-length encoded or bit-field) into a screen-format bitmap, without ever
// reading or writing outside the bytes given or the bitmap made.
#include "platform/drawing/dib.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <optional>
#include <span>
#include <vector>

#include "platform/module_resources.h"

namespace platform {

namespace {

std::uint16_t ReadU16(const std::uint8_t* b) {
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t ReadU32(const std::uint8_t* b) {
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

// The colour table of a palettised bitmap. An index beyond the table gives black.
struct Palette {
    std::array<Pixel, 256> entries{};
    unsigned count = 0;

    explicit Palette(std::span<const std::uint8_t> table) {
        count = static_cast<unsigned>(std::min<std::size_t>(table.size() / 4, entries.size()));
        for (unsigned i = 0; i < count; ++i) {
            const std::uint8_t* quad = table.data() + 4 * i;  // blue, green, red, reserved
            entries[i] = (Pixel{quad[2]} << 16) | (Pixel{quad[1]} << 8) | Pixel{quad[0]};
        }
    }
    Pixel Lookup(unsigned index) const { return index < count ? entries[index] : 0; }
};

// One colour channel of a 16- or 32-bit pixel, scaled from its mask's range to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t top = 0;  // the largest value the channel can hold

    explicit Channel(std::uint32_t m) : mask(m) {
        if (mask == 0) return;
        while (((mask >> shift) & 1u) == 0) ++shift;
        top = mask >> shift;
    }
    std::uint32_t Of(std::uint32_t value) const {
        if (top == 0) return 0;
        std::uint64_t v = (value & mask) >> shift;
        return static_cast<std::uint32_t>((v * 255 + top / 2) / top);
    }
};

struct Channels {
    Channel red, green, blue;
    Pixel Of(std::uint32_t value) const {
        return (red.Of(value) << 16) | (green.Of(value) << 8) | blue.Of(value);
    }
};

Channels ChannelsFor(const BitmapInfoHeader& header, std::span<const std::uint8_t> colours) {
    if (header.compression == BI_BITFIELDS) {
        std::array<std::uint8_t, 12> masks{};  // masks the block does not hold count as zero
        std::memcpy(masks.data(), colours.data(), std::min(colours.size(), masks.size()));
        return Channels{Channel(ReadU32(&masks[0])), Channel(ReadU32(&masks[4])),
                        Channel(ReadU32(&masks[8]))};
    }
    if (header.bitCount == 16) return Channels{Channel(0x7C00), Channel(0x03E0), Channel(0x001F)};
    return Channels{Channel(0xFF0000), Channel(0x00FF00), Channel(0x0000FF)};
}

bool IsDecodable(const BitmapInfoHeader& h) {
    if (h.size != BitmapInfoHeaderSize || h.planes != 1) return false;
    if (h.width <= 0 || h.width > MaxDibSide) return false;
    if (h.height == 0 || h.height < -MaxDibSide || h.height > MaxDibSide) return false;
    std::int64_t rows = h.height < 0 ? -std::int64_t{h.height} : h.height;
    if (rows * h.width > MaxDibPixels) return false;
    switch (h.compression) {
        case BI_RGB:
            return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 16 ||
                   h.bitCount == 24 || h.bitCount == 32;
        case BI_RLE8:
            return h.bitCount == 8 && h.height > 0;  // run-length rows are bottom-up
        case BI_RLE4:
            return h.bitCount == 4 && h.height > 0;
        case BI_BITFIELDS:
            return h.bitCount == 16 || h.bitCount == 32;
        default:
            return false;
    }
}

void DecodeRow(const BitmapInfoHeader& h, const std::uint8_t* src, Pixel* out,
               const Palette& palette, const Channels& channels) {
    const int w = h.width;
    switch (h.bitCount) {
        case 1:
            for (int x = 0; x < w; ++x) out[x] = palette.Lookup((src[x >> 3] >> (7 - (x & 7))) & 1);
            break;
        case 4:
            for (int x = 0; x < w; ++x)
                out[x] = palette.Lookup((src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF);
            break;
        case 8:
            for (int x = 0; x < w; ++x) out[x] = palette.Lookup(src[x]);
            break;
        case 16:
            for (int x = 0; x < w; ++x) out[x] = channels.Of(ReadU16(src + 2 * x));
            break;
        case 24:
            for (int x = 0; x < w; ++x, src += 3)
                out[x] = (Pixel{src[2]} << 16) | (Pixel{src[1]} << 8) | Pixel{src[0]};
            break;
        case 32:
            if (h.compression == BI_RGB) {
                for (int x = 0; x < w; ++x, src += 4)
                    out[x] = (Pixel{src[2]} << 16) | (Pixel{src[1]} << 8) | Pixel{src[0]};
            } else {
                for (int x = 0; x < w; ++x) out[x] = channels.Of(ReadU32(src + 4 * x));
            }
            break;
    }
}

// Plain rows, each padded to four bytes. A row the block holds only in part is decoded from a
// zero-padded copy, so that missing bytes read as zero.
void DecodePlain(const BitmapInfoHeader& h, std::span<const std::uint8_t> pixels,
                 const Palette& palette, const Channels& channels, Bitmap& out) {
    const std::size_t stride = (static_cast<std::size_t>(h.width) * h.bitCount + 31) / 32 * 4;
    std::vector<std::uint8_t> partial(stride);
    for (int row = 0; row < out.height; ++row) {
        const std::size_t offset = static_cast<std::size_t>(row) * stride;
        const std::uint8_t* src = nullptr;
        if (offset + stride <= pixels.size()) {
            src = pixels.data() + offset;
        } else {
            std::fill(partial.begin(), partial.end(), 0);
            if (offset < pixels.size())
                std::memcpy(partial.data(), pixels.data() + offset, pixels.size() - offset);
            src = partial.data();
        }
        const int y = h.height > 0 ? out.height - 1 - row : row;
        DecodeRow(h, src, out.Row(y), palette, channels);
    }
}

// Run-length codes (bottom-up). Runs past the row's end are cut, moves past the image end the
// decoding; pixels the codes never reach stay black. Every step consumes input, so it ends.
void DecodeRunLength(const BitmapInfoHeader& h, std::span<const std::uint8_t> pixels,
                     const Palette& palette, Bitmap& out) {
    const bool four = h.compression == BI_RLE4;
    const int w = out.width;
    const int rows = out.height;
    const std::size_t n = pixels.size();
    auto byteAt = [&](std::size_t i) -> std::uint8_t { return i < n ? pixels[i] : 0; };
    int x = 0;
    int y = 0;  // counted from the bottom row
    auto put = [&](unsigned index) {
        if (x < w) out.Row(rows - 1 - y)[x++] = palette.Lookup(index);
    };
    std::size_t i = 0;
    while (i + 1 < n && y < rows) {
        const unsigned count = pixels[i];
        const unsigned value = pixels[i + 1];
        i += 2;
        if (count > 0) {
            for (unsigned k = 0; k < count && x < w; ++k)
                put(four ? ((k & 1) ? value & 0xF : value >> 4) : value);
        } else if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            break;
        } else if (value == 2) {  // move right and up
            x = std::min(w, x + byteAt(i));
            y = std::min(rows, y + byteAt(i + 1));
            i += 2;
        } else {  // a literal run of `value` pixels, padded to a whole number of words
            const std::size_t bytes = four ? (value + 1) / 2 : value;
            for (unsigned k = 0; k < value && x < w; ++k) {
                const std::uint8_t b = byteAt(i + (four ? k / 2 : k));
                put(four ? ((k & 1) ? b & 0xF : b >> 4) : b);
            }
            i += (bytes + 1) & ~std::size_t{1};
        }
    }
}

}  // namespace

BitmapFileHeader ReadBitmapFileHeader(const std::uint8_t* b) {
    return BitmapFileHeader{ReadU16(b), ReadU32(b + 2), ReadU16(b + 6), ReadU16(b + 8),
                            ReadU32(b + 10)};
}

BitmapInfoHeader ReadBitmapInfoHeader(const std::uint8_t* b) {
    BitmapInfoHeader h;
    h.size = ReadU32(b);
    h.width = static_cast<std::int32_t>(ReadU32(b + 4));
    h.height = static_cast<std::int32_t>(ReadU32(b + 8));
    h.planes = ReadU16(b + 12);
    h.bitCount = ReadU16(b + 14);
    h.compression = ReadU32(b + 16);
    h.sizeImage = ReadU32(b + 20);
    h.xPelsPerMeter = static_cast<std::int32_t>(ReadU32(b + 24));
    h.yPelsPerMeter = static_cast<std::int32_t>(ReadU32(b + 28));
    h.clrUsed = ReadU32(b + 32);
    h.clrImportant = ReadU32(b + 36);
    return h;
}

std::uint64_t ColourTableBytes(const BitmapInfoHeader& header) {
    if (header.bitCount < 16) {
        if (header.clrUsed != 0) return std::uint64_t{4} * header.clrUsed;
        return std::uint64_t{4} << header.bitCount;
    }
    // The masks sit where a colour table would; reading them as pixels would shift every row.
    if (header.compression == BI_BITFIELDS) return 12;
    return 0;
}

namespace {

// Fills a black bitmap of the header's size; what the bytes leave out (a run-length picture's
// skips, rows past a short file's end) stays black.
void DecodeInto(const BitmapInfoHeader& header, std::span<const std::uint8_t> colours,
                std::span<const std::uint8_t> pixels, Bitmap& bitmap) {
    const Palette palette(header.bitCount <= 8 ? colours : std::span<const std::uint8_t>{});
    if (header.compression == BI_RLE8 || header.compression == BI_RLE4) {
        DecodeRunLength(header, pixels, palette, bitmap);
    } else {
        DecodePlain(header, pixels, palette, ChannelsFor(header, colours), bitmap);
    }
}

BitmapInfo SizeOf(const BitmapInfoHeader& header) {
    return BitmapInfo{header.width, header.height < 0 ? -header.height : header.height, 32};
}

struct BitmapResource {
    BitmapInfoHeader header;
    std::span<const std::uint8_t> colours;
    std::span<const std::uint8_t> pixels;
};

std::optional<BitmapResource> FindBitmapResource(const ModuleResources* instance, int id) {
    if (instance == nullptr) return std::nullopt;
    std::span<const std::uint8_t> bytes = instance->Bitmap(id);
    if (bytes.size() < BitmapInfoHeaderSize) return std::nullopt;
    const BitmapInfoHeader header = ReadBitmapInfoHeader(bytes.data());
    std::span<const std::uint8_t> rest = bytes.subspan(BitmapInfoHeaderSize);
    const std::size_t table =
        static_cast<std::size_t>(std::min<std::uint64_t>(ColourTableBytes(header), rest.size()));
    return BitmapResource{header, rest.first(table), rest.subspan(table)};
}

}  // namespace

Bitmap* DecodeDib(const BitmapInfoHeader& header, std::span<const std::uint8_t> colours,
                  std::span<const std::uint8_t> pixels) {
    if (!IsDecodable(header)) return nullptr;
    Bitmap* bitmap = new (std::nothrow) Bitmap;
    if (bitmap == nullptr) return nullptr;
    try {
        bitmap->width = header.width;
        bitmap->height = header.height < 0 ? -header.height : header.height;
        bitmap->bitsPerPixel = 32;
        bitmap->pixels.assign(static_cast<std::size_t>(bitmap->width) * bitmap->height, 0);
    } catch (const std::bad_alloc&) {
        delete bitmap;
        return nullptr;
    }
    DecodeInto(header, colours, pixels, *bitmap);
    return bitmap;
}

Bitmap* CreateDIBitmap(DeviceContext* /*dc*/, const BitmapInfoHeader* header, std::uint32_t init,
                       std::span<const std::uint8_t> bits, std::span<const std::uint8_t> info,
                       std::uint32_t usage) {
    if (header == nullptr || usage != DIB_RGB_COLORS) return nullptr;
    std::span<const std::uint8_t> colours;
    if (info.size() > BitmapInfoHeaderSize) colours = info.subspan(BitmapInfoHeaderSize);
    // Without initialisation the bitmap keeps its size and stays black.
    if ((init & CBM_INIT) == 0) {
        bits = {};
        colours = {};
    }
    return DecodeDib(*header, colours, bits);
}

Bitmap* LoadBitmap(const ModuleResources* instance, int id) {
    const std::optional<BitmapResource> found = FindBitmapResource(instance, id);
    if (!found) return nullptr;
    return DecodeDib(found->header, found->colours, found->pixels);
}

BitmapInfo BitmapResourceSize(const ModuleResources* instance, int id) {
    const std::optional<BitmapResource> found = FindBitmapResource(instance, id);
    if (!found || !IsDecodable(found->header)) return BitmapInfo{};
    return SizeOf(found->header);
}

bool DrawBitmapResource(DeviceContext* dc, const ModuleResources* instance, int id) {
    if (dc == nullptr || dc->target == nullptr || dc->target->IsMonochrome()) return false;
    const std::optional<BitmapResource> found = FindBitmapResource(instance, id);
    if (!found || !IsDecodable(found->header)) return false;
    Bitmap& target = *dc->target;
    const BitmapInfo size = SizeOf(found->header);
    // Anything the picture would not cover exactly, or a clip it would overrun, takes the usual
    // way through a bitmap of its own.
    if (size.width != target.width || size.height != target.height) return false;
    if (!(dc->DeviceArea() == target.Bounds())) return false;
    std::fill(target.pixels.begin(), target.pixels.end(), Pixel{0});
    DecodeInto(found->header, found->colours, found->pixels, target);
    dc->NoteDrawn(target.Bounds());
    return true;
}

}  // namespace platform
