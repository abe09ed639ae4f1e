// imaging/picture.cpp: a Picture's life (construction, Load, Release) and its rectangle, scale and
// visibility. Drawing and the transparency mask live in picture_drawing.cpp.
#include "imaging/picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "platform/drawing/dib.h"
#include "platform/drawing/drawing.h"
#include "platform/repaint.h"

namespace imaging {

namespace {

// Each text NUL-terminated, the list ended by an empty text (the literal's own NUL).
constexpr char BitmapFilter[] = "Bitmap(*.bmp)\0*.bmp\0";
constexpr char DefaultFolder[] = "C:\\";
constexpr std::uint32_t OpenFileRequestSize = 76;

constexpr std::size_t InfoHeaderSize = platform::BitmapInfoHeaderSize;

// Truncates toward zero. Coordinates are kept within a billion pixels either way (NaN gives 0),
// so converting never overflows and neither does right - left; no caller comes near.
constexpr double CoordinateLimit = (1 << 30) - 1;

std::int32_t Truncate(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<std::int32_t>(std::clamp(value, -CoordinateLimit, CoordinateLimit));
}

std::int32_t ClampedSum(std::int32_t a, std::int32_t b) {
    return Truncate(static_cast<double>(a) + b);
}

// Reads until count bytes came or the file ends; what does not come stays as it was (zero).
std::size_t ReadFully(platform::FileHandle* file, void* buffer, std::size_t count) {
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        std::uint32_t chunk =
            static_cast<std::uint32_t>(std::min<std::size_t>(count - total, 1u << 30));
        std::uint32_t got = 0;
        if (!platform::ReadFile(file, out + total, chunk, &got) || got == 0) break;
        total += got;
    }
    return total;
}

}  // namespace

Picture::Picture() {
    openFileRequest.structSize = OpenFileRequestSize;
    openFileRequest.filter = BitmapFilter;
    openFileRequest.initialDir = DefaultFolder;
    openFileRequest.flags = platform::OFN_PATHMUSTEXIST | platform::OFN_FILEMUSTEXIST;
}

Picture::~Picture() {
    // A Picture whose build failed has no bitmap but still holds its memory blocks.
    if (bitmap != nullptr || infoBlock != nullptr || pixelBlock != nullptr) Release();
}

bool Picture::AskForPath(const char* folder, char* path) {
    openFileRequest.file = path;
    openFileRequest.maxFile = PicturePathSize;
    if (folder != nullptr) openFileRequest.initialDir = folder;
    const bool chosen = platform::GetOpenFileName(&openFileRequest);
    // The record must not keep pointers to the caller's texts or to our stack.
    openFileRequest.file = nullptr;
    openFileRequest.maxFile = 0;
    openFileRequest.initialDir = DefaultFolder;
    if (!chosen) path[0] = '\0';
    path[PicturePathSize - 1] = '\0';
    return path[0] != '\0';
}

bool Picture::Load(const char* folder, const char* fileName) {
    char path[PicturePathSize] = {};
    if (fileName != nullptr) {
        std::snprintf(path, sizeof path, "%s%s", folder != nullptr ? folder : "", fileName);
    } else {
        AskForPath(folder, path);
    }
    if (path[0] == '\0') return false;

    // Blocks left by an earlier failed load go too, or they would leak when replaced below.
    if (bitmap != nullptr || infoBlock != nullptr || pixelBlock != nullptr) Release();

    platform::FileHandle* file =
        platform::CreateFile(path, platform::GENERIC_READ, platform::FILE_SHARE_READ,
                             platform::OPEN_EXISTING, platform::FILE_FLAG_SEQUENTIAL_SCAN);
    if (file == nullptr) return false;
    ReadBitmapFile(file);
    const bool loaded = bitmap != nullptr;
    if (loaded) std::memcpy(sourcePath_, path, sizeof sourcePath_);
    if (loaded && scale != 0.0f) SetScale(scale, nullptr);
    platform::CloseHandle(file);
    return loaded;
}

void Picture::ReadBitmapFile(platform::FileHandle* file) {
    std::uint8_t fileHeaderBytes[platform::BitmapFileHeaderSize] = {};
    std::uint8_t infoHeaderBytes[platform::BitmapInfoHeaderSize] = {};
    const std::size_t fileHeaderRead = ReadFully(file, fileHeaderBytes, sizeof fileHeaderBytes);
    const std::size_t infoHeaderRead = ReadFully(file, infoHeaderBytes, sizeof infoHeaderBytes);
    if (fileHeaderRead < sizeof fileHeaderBytes || infoHeaderRead < sizeof infoHeaderBytes) return;
    const platform::BitmapFileHeader fileHeader = platform::ReadBitmapFileHeader(fileHeaderBytes);
    const platform::BitmapInfoHeader infoHeader = platform::ReadBitmapInfoHeader(infoHeaderBytes);

    // What the file really holds behind the headers bounds every block: a colour table that runs
    // past the end leaves no pixels to read, and a size field below the pixel offset means no
    // pixels rather than four gigabytes of them.
    const std::int64_t fileSize = platform::GetFileSize(file);
    const std::uint64_t remaining = fileSize > 54 ? static_cast<std::uint64_t>(fileSize) - 54 : 0;
    const std::uint64_t tableBytes = platform::ColourTableBytes(infoHeader);
    if (tableBytes >= remaining) return;
    if (fileHeader.size <= fileHeader.offBits) return;
    const std::uint64_t pixelBytes =
        std::min<std::uint64_t>(fileHeader.size - fileHeader.offBits, remaining - tableBytes);

    std::uint8_t* info = nullptr;
    infoBlock = platform::GlobalAlloc(platform::GHND, InfoHeaderSize + tableBytes);
    if (infoBlock != nullptr) info = static_cast<std::uint8_t*>(platform::GlobalLock(infoBlock));
    std::uint8_t* pixels = nullptr;
    if (info != nullptr) {
        std::memcpy(info, infoHeaderBytes, InfoHeaderSize);
        ReadFully(file, info + InfoHeaderSize, tableBytes);
        pixelBlock = platform::GlobalAlloc(platform::GHND, pixelBytes);
        if (pixelBlock != nullptr)
            pixels = static_cast<std::uint8_t*>(platform::GlobalLock(pixelBlock));
    }
    if (pixels != nullptr && ReadFully(file, pixels, pixelBytes) > 0) {
        platform::DeviceContext* screen = platform::GetDC(nullptr);
        bitmap =
            platform::CreateDIBitmap(screen, &infoHeader, platform::CBM_INIT, {pixels, pixelBytes},
                                     {info, InfoHeaderSize + tableBytes}, platform::DIB_RGB_COLORS);
        platform::ReleaseDC(nullptr, screen);
        ++imageVersion;
    }
    if (info != nullptr) platform::GlobalUnlock(infoBlock);
    if (pixels != nullptr) platform::GlobalUnlock(pixelBlock);
    // Nothing reads the file's pixel bytes once the bitmap is built; for the sea they are as big
    // as a screen. The header and colour table stay: they are small and tell what the file was.
    if (bitmap != nullptr && pixelBlock != nullptr) pixelBlock = platform::GlobalFree(pixelBlock);
}

void Picture::DropPixels() {
    if (bitmap == nullptr || sourcePath_[0] == '\0') return;
    DeleteMask();
    platform::DeleteObject(bitmap);
    bitmap = nullptr;
    dropped_ = true;
}

bool Picture::EnsurePixels() {
    if (bitmap != nullptr) return true;
    if (!dropped_) return false;
    platform::FileHandle* file =
        platform::CreateFile(sourcePath_, platform::GENERIC_READ, platform::FILE_SHARE_READ,
                             platform::OPEN_EXISTING, platform::FILE_FLAG_SEQUENTIAL_SCAN);
    if (file == nullptr) return false;
    // The blocks of the first read go; the image is the same one, so its version stays.
    if (infoBlock != nullptr) infoBlock = platform::GlobalFree(infoBlock);
    if (pixelBlock != nullptr) pixelBlock = platform::GlobalFree(pixelBlock);
    const std::uint32_t version = imageVersion;
    ReadBitmapFile(file);
    imageVersion = version;
    platform::CloseHandle(file);
    dropped_ = bitmap == nullptr;
    return bitmap != nullptr;
}

void Picture::Release() {
    dropped_ = false;
    sourcePath_[0] = '\0';
    ++imageVersion;
    DeleteMask();
    if (infoBlock != nullptr) infoBlock = platform::GlobalFree(infoBlock);
    if (pixelBlock != nullptr) pixelBlock = platform::GlobalFree(pixelBlock);
    if (bitmap != nullptr) {
        platform::DeleteObject(bitmap);
        bitmap = nullptr;
    }
}

void Picture::SetScale(float newScale, platform::Window* window) {
    if (window != nullptr && visible == 1) Invalidate(window);
    scale = newScale;
    platform::BitmapInfo size = platform::GetObject(bitmap);  // 0 by 0 without a bitmap
    right = ClampedSum(left, Truncate(size.width * scale));
    bottom = ClampedSum(top, Truncate(size.height * scale));
    if (window != nullptr && visible == 1) Invalidate(window);
}

void Picture::SetBounds(double newLeft, double newTop, double newRight, double newBottom,
                        platform::Window* window) {
    if (window != nullptr && visible == 1) Invalidate(window);
    left = Truncate(newLeft);
    top = Truncate(newTop);
    right = Truncate(newRight);
    bottom = Truncate(newBottom);
    if (scale != 0.0f) SetScale(scale, nullptr);
    if (drawMode == DrawModeTransparent) BuildMask();
    if (window != nullptr && visible == 1) Invalidate(window);
}

platform::Rect* Picture::GetBounds(platform::Rect* rect) const {
    if (rect == nullptr) return nullptr;
    rect->left = left;
    rect->top = top;
    rect->right = right;
    rect->bottom = bottom;
    return rect;
}

bool Picture::Contains(int x, int y) const {
    return left <= x && x <= right && top <= y && y <= bottom;
}

void Picture::SetVisible(std::uint8_t flag, platform::Window* window) {
    visible = flag;
    if (window != nullptr && flag == 1) Invalidate(window);
}

void Picture::Invalidate(platform::Window* window) {
    // Without a window the caller repaints; the platform would take null as "every window".
    if (window == nullptr) return;
    platform::Rect rect{left, top, right, bottom};
    platform::InvalidateRect(window, &rect, true);
}

void Picture::SetDrawMode(std::uint32_t mode) { drawMode = mode; }

}  // namespace imaging
