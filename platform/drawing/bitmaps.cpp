// platform/drawing/bitmaps.cpp: making, describing and deleting our colour and monochrome bitmaps.
#include <cstring>
#include <new>

#include "platform/drawing/dib.h"
#include "platform/drawing/drawing.h"

namespace platform {

namespace {

// Width and height are checked like a decoded file's, so no caller can ask for gigabytes.
bool IsReasonableSize(int width, int height) {
    return width > 0 && height > 0 && width <= MaxDibSide && height <= MaxDibSide &&
           static_cast<std::int64_t>(width) * height <= MaxDibPixels;
}

Bitmap* NewBitmap(int width, int height, bool monochrome) {
    if (!IsReasonableSize(width, height)) return nullptr;
    auto* bitmap = new (std::nothrow) Bitmap;
    if (bitmap == nullptr) return nullptr;
    try {
        const std::size_t count = static_cast<std::size_t>(width) * height;
        bitmap->width = width;
        bitmap->height = height;
        bitmap->bitsPerPixel = monochrome ? 1 : 32;
        if (monochrome) {
            bitmap->bits.assign(count, 0);
        } else {
            bitmap->pixels.assign(count, 0);
        }
    } catch (const std::bad_alloc&) {
        delete bitmap;
        return nullptr;
    }
    return bitmap;
}

}  // namespace

Bitmap* CreateCompatibleBitmap(DeviceContext* dc, int width, int height) {
    const bool monochrome = dc != nullptr && dc->target != nullptr && dc->target->IsMonochrome();
    const double scale = dc != nullptr ? dc->Scale() : 1.0;
    if (scale == 1.0) return NewBitmap(width, height, monochrome);
    Bitmap* bitmap = NewBitmap(DeviceEdge(width, scale), DeviceEdge(height, scale), monochrome);
    if (bitmap != nullptr) bitmap->scale = scale;
    return bitmap;
}

Bitmap* CreateBitmap(int width, int height, int planes, int bitsPerPixel, const void* bits) {
    if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32)) return nullptr;
    Bitmap* bitmap = NewBitmap(width, height, bitsPerPixel == 1);
    if (bitmap == nullptr || bits == nullptr) return bitmap;
    if (bitmap->IsMonochrome()) {
        // Rows of packed bits, most significant first, each row padded to 16 bits.
        const auto* packed = static_cast<const std::uint8_t*>(bits);
        const std::size_t stride = (static_cast<std::size_t>(width) + 15) / 16 * 2;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint8_t byte = packed[y * stride + x / 8];
                bitmap->bits[static_cast<std::size_t>(y) * width + x] = (byte >> (7 - x % 8)) & 1;
            }
        }
    } else {
        std::memcpy(bitmap->pixels.data(), bits, bitmap->pixels.size() * sizeof(Pixel));
    }
    return bitmap;
}

void DeleteObject(Bitmap* bitmap) { delete bitmap; }

BitmapInfo GetObject(const Bitmap* bitmap) {
    if (bitmap == nullptr) return BitmapInfo{};
    return BitmapInfo{bitmap->LogicalWidth(), bitmap->LogicalHeight(), bitmap->bitsPerPixel};
}

}  // namespace platform
