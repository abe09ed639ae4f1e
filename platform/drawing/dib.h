// platform/drawing/dib.h: device-independent bitmaps (the pixel layout of .bmp files and bitmap
// resources) and their conversion into our screen-format bitmaps. The conversion trusts nothing
// in the bytes: whatever it cannot decode safely it refuses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"

namespace platform {

class ModuleResources;

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t BI_BITFIELDS = 3;

constexpr std::uint32_t CBM_INIT = 4;
constexpr std::uint32_t DIB_RGB_COLORS = 0;

constexpr std::size_t BitmapFileHeaderSize = 14;
constexpr std::size_t BitmapInfoHeaderSize = 40;

// The largest bitmap we agree to build: no picture of the game comes near, and a forged header
// must not make us allocate gigabytes.
constexpr int MaxDibSide = 16384;
constexpr std::int64_t MaxDibPixels = std::int64_t{1} << 26;

// The 40-byte info header, fields in file order.
struct BitmapInfoHeader {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;  // positive: rows bottom-up; negative: top-down
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = BI_RGB;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
};

// The 14-byte file header, fields in file order.
struct BitmapFileHeader {
    std::uint16_t type = 0;
    std::uint32_t size = 0;
    std::uint16_t reserved1 = 0;
    std::uint16_t reserved2 = 0;
    std::uint32_t offBits = 0;
};

// Little-endian fields of the headers; bytes must hold the header's full size.
BitmapFileHeader ReadBitmapFileHeader(const std::uint8_t* bytes);
BitmapInfoHeader ReadBitmapInfoHeader(const std::uint8_t* bytes);

// The bytes that follow the info header before the pixels: below 16 bits per pixel a colour table
// of 4 bytes per entry (colours used, or 2 to the bit count when that is 0); for bit-field files
// their three colour masks; nothing otherwise.
std::uint64_t ColourTableBytes(const BitmapInfoHeader& header);

// Decodes the pixels into a new bitmap in the screen's format (0x00RRGGBB, rows top to bottom).
// colours holds what follows the info header (colour table or masks). Pixel bytes the block does
// not hold count as zero. Null when the header is not one we can decode safely.
Bitmap* DecodeDib(const BitmapInfoHeader& header, std::span<const std::uint8_t> colours,
                  std::span<const std::uint8_t> pixels);

// A bitmap in the screen's format of the header's size; with CBM_INIT its pixels are decoded from
// bits with the colours that follow the info header in info (the info header and colour table,
// as read from a file). The context does not matter: every surface is in the screen's format.
Bitmap* CreateDIBitmap(DeviceContext* dc, const BitmapInfoHeader* header, std::uint32_t init,
                       std::span<const std::uint8_t> bits, std::span<const std::uint8_t> info,
                       std::uint32_t usage);

// A bitmap resource of the program (info header, colour table, pixels), converted the same way.
Bitmap* LoadBitmap(const ModuleResources* instance, int id);
// A bitmap resource's size as its header tells it, without decoding it; 0 by 0 when there is no
// such resource or it cannot be decoded.
BitmapInfo BitmapResourceSize(const ModuleResources* instance, int id);
// Decodes a bitmap resource straight into the context's target where the picture has exactly the
// target's pixels and nothing clips them: a window as big as its picture then holds no second
// copy of it. False, with nothing drawn, otherwise.
bool DrawBitmapResource(DeviceContext* dc, const ModuleResources* instance, int id);

}  // namespace platform
