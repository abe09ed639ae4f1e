// platform/drawing/drawing.h: the drawing operations the game calls, under the names its code uses.
// Contexts, bitmaps and fonts are created and deleted explicitly; a null context or bitmap makes
// an operation do nothing. Every pixel effect is exact: see raster_operation.h for the four
// raster operations and the colour/monochrome conversions.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/raster_operation.h"
#include "platform/types.h"

namespace platform {

// A memory context compatible with the given one (or with the screen when null). It starts with
// a 1 by 1 monochrome bitmap selected, default colours and the stock system font.
DeviceContext* CreateCompatibleDC(DeviceContext* dc);
void DeleteDC(DeviceContext* dc);

// A bitmap in the format of the context's target: colour for window and screen contexts and for
// memory contexts holding a colour bitmap, monochrome for a memory context holding a monochrome
// one, and at the target's scale (width and height are logical). Pixels start black (zero).
Bitmap* CreateCompatibleBitmap(DeviceContext* dc, int width, int height);
// planes must be 1; bitsPerPixel 1 gives a monochrome bitmap, 32 a colour one. bits may be null.
Bitmap* CreateBitmap(int width, int height, int planes, int bitsPerPixel, const void* bits);
void DeleteObject(Bitmap* bitmap);
void DeleteObject(Font* font);
// The size in logical pixels.
BitmapInfo GetObject(const Bitmap* bitmap);

// Returns the previously selected bitmap or font.
Bitmap* SelectObject(DeviceContext* dc, Bitmap* bitmap);
Font* SelectObject(DeviceContext* dc, Font* font);

enum class StockObject { SystemFont };
Font* GetStockObject(StockObject which);

ColourRef SetBkColor(DeviceContext* dc, ColourRef colour);
ColourRef SetTextColor(DeviceContext* dc, ColourRef colour);
int SetBkMode(DeviceContext* dc, int mode);
std::uint32_t SetTextAlign(DeviceContext* dc, std::uint32_t align);
int SetStretchBltMode(DeviceContext* dc, int mode);
int SetGraphicsMode(DeviceContext* dc, int mode);

constexpr int MWT_IDENTITY = 1;
bool ModifyWorldTransform(DeviceContext* dc, const WorldTransform* transform, int mode);
bool SetViewportOrgEx(DeviceContext* dc, int x, int y, Point* previous);
bool SetWindowOrgEx(DeviceContext* dc, int x, int y, Point* previous);
// Device to logical units, through the origins and the world transform.
bool DPtoLP(DeviceContext* dc, Point* points, int count);
int SaveDC(DeviceContext* dc);
bool RestoreDC(DeviceContext* dc, int savedState);  // -1: the last saved state

bool BitBlt(DeviceContext* dst, int x, int y, int width, int height, DeviceContext* src, int srcX,
            int srcY, RasterOp op);
// Shrinking follows the context's stretch mode: BLACKONWHITE (the default) combines the pixels it
// drops with AND, so thin dark lines survive.
bool StretchBlt(DeviceContext* dst, int x, int y, int width, int height, DeviceContext* src,
                int srcX, int srcY, int srcWidth, int srcHeight, RasterOp op);
// A HALFTONE shrink of colour onto colour that leaves every source pixel of the key colour out
// of the averages, so the edge of a picture whose key is transparent takes on no tint of the key.
// A target pixel over nothing but key pixels gets the key colour. Anything else (growing, a
// monochrome side) is an ordinary StretchBlt in the target's mode.
bool StretchBltLeavingOut(DeviceContext* dst, int x, int y, int width, int height,
                          DeviceContext* src, int srcX, int srcY, int srcWidth, int srcHeight,
                          ColourRef key, RasterOp op);
// Draws a picture with holes in one pass: where the monochrome mask is 1 the target stays as it
// is, elsewhere it takes the image's pixel (on a monochrome target: 1 for white, 0 otherwise).
// Image and mask are of one size, in the target's own pixels (drawn at its scale): only the
// corner (x, y) is in logical pixels. Nothing is allocated. Given the mask's runs (of its size),
// only the runs are visited and the target under the holes is not touched at all: the same
// pixels on any target that holds colour bits alone, as every surface of ours does.
bool BitBltMasked(DeviceContext* dst, int x, int y, const Bitmap& image, const Bitmap& mask,
                  const MaskRuns* runs = nullptr);
// The runs of a monochrome bitmap's 0s; none for a colour bitmap.
MaskRuns FindMaskRuns(const Bitmap& mask);
// Fills left..right-1 by top..bottom-1 with a solid colour.
void FillRect(DeviceContext* dc, const Rect& rect, ColourRef colour);

Font* CreateFontIndirect(const LogFont& description);
bool GetTextMetrics(DeviceContext* dc, TextMetrics* metrics);
// Draws the text at (x, y) with the context's font, text colour, background mode and alignment.
bool TextOut(DeviceContext* dc, int x, int y, std::string_view text);
// The width and height the text takes in the context's font, as TextOut would draw it.
bool GetTextExtentPoint32(DeviceContext* dc, std::string_view text, Point* size);

}  // namespace platform
