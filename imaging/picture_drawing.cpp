// imaging/picture_drawing.cpp: a Picture drawn onto a target surface, stretched to its rectangle,
// either covering it or leaving out its pure white pixels through a mask built at the drawn size.
#include "imaging/picture.h"
#include "platform/drawing/drawing.h"
#include "platform/repaint.h"

namespace imaging {

using platform::Bitmap;
using platform::DeviceContext;

void Picture::Draw(DeviceContext* target) {
    if (drawMode == DrawModeOpaque) {
        DrawStretched(target);
    } else if (drawMode == DrawModeTransparent) {
        DrawTransparent(target);
    }
}

void Picture::DrawStretched(DeviceContext* target) {
    if (visible != 1 || target == nullptr || !EnsurePixels()) return;
    DeviceContext* source = platform::CreateCompatibleDC(target);
    Bitmap* previous = platform::SelectObject(source, bitmap);
    const platform::BitmapInfo size = platform::GetObject(bitmap);
    // Shrinking averages: the target's default mode would AND the dropped pixels together, which
    // suits black-on-white line art and breaks colour pictures into bit-pattern speckles.
    const int mode = platform::SetStretchBltMode(target, platform::HALFTONE);
    platform::StretchBlt(target, left, top, right - left, bottom - top, source, 0, 0, size.width,
                         size.height, platform::SRCCOPY);
    platform::SetStretchBltMode(target, mode);
    platform::SelectObject(source, previous);
    platform::DeleteDC(source);
}

void Picture::BuildMask() {
    if (bitmap == nullptr) return;
    DeleteMask();
    const platform::BitmapInfo size = platform::GetObject(bitmap);
    // Mask and masked image hold the target's own pixels, so that a picture of more pixels than
    // its rectangle keeps its detail on a scaled screen and its edge is decided there. They are
    // built one to one, at the size the rectangle takes where it lies, and marked as scaled after.
    const platform::Rect device = DeviceBounds();
    const int w = device.Width();
    const int h = device.Height();

    // Made against the screen: a fresh memory context holds a monochrome bitmap, so a bitmap
    // compatible with it would be monochrome too.
    DeviceContext* screen = platform::GetDC(nullptr);
    DeviceContext* source = platform::CreateCompatibleDC(screen);
    DeviceContext* maskSurface = platform::CreateCompatibleDC(screen);
    DeviceContext* imageSurface = platform::CreateCompatibleDC(screen);
    Bitmap* previousSource = platform::SelectObject(source, bitmap);
    mask = platform::CreateBitmap(w, h, 1, 1, nullptr);
    maskedImage = platform::CreateBitmap(w, h, 1, 32, nullptr);
    Bitmap* previousMask = platform::SelectObject(maskSurface, mask);
    Bitmap* previousImage = platform::SelectObject(imageSurface, maskedImage);

    // White pixels of the stretched picture give 1 in the mask, all others 0. A shrink keeps a
    // target pixel white only where every source pixel under it is white, so the key stays exact.
    const platform::ColourRef background = platform::SetBkColor(source, TransparentColour);
    platform::StretchBlt(maskSurface, 0, 0, w, h, source, 0, 0, size.width, size.height,
                         platform::SRCCOPY);
    platform::SetBkColor(source, background);
    // Black where the mask is 1, white elsewhere; then the picture ANDed in over it, shrunk by
    // averaging its drawn pixels alone: white averaged in at an edge would leave a pale halo.
    platform::BitBlt(imageSurface, 0, 0, w, h, maskSurface, 0, 0, platform::NOTSRCCOPY);
    platform::StretchBltLeavingOut(imageSurface, 0, 0, w, h, source, 0, 0, size.width, size.height,
                                   TransparentColour, platform::SRCAND);

    platform::SelectObject(imageSurface, previousImage);
    platform::SelectObject(maskSurface, previousMask);
    platform::SelectObject(source, previousSource);
    if (mask != nullptr) {
        mask->scale = maskScale;
        maskRuns = platform::FindMaskRuns(*mask);
    }
    if (maskedImage != nullptr) maskedImage->scale = maskScale;
    platform::DeleteDC(imageSurface);
    platform::DeleteDC(maskSurface);
    platform::DeleteDC(source);
    platform::ReleaseDC(nullptr, screen);
}

platform::Rect Picture::DeviceBounds() const {
    // At a fractional scale a rectangle's device size depends on where it lies, by a pixel.
    return platform::DeviceRect(platform::Rect{left, top, right, bottom}, maskScale);
}

void Picture::DeleteMask() {
    maskRuns = platform::MaskRuns{};
    if (mask != nullptr) {
        platform::DeleteObject(mask);
        mask = nullptr;
    }
    if (maskedImage != nullptr) {
        platform::DeleteObject(maskedImage);
        maskedImage = nullptr;
    }
}

void Picture::DrawTransparent(DeviceContext* target) {
    if (visible != 1 || target == nullptr) return;
    // A paint clips to each marked piece in turn and draws every mark for each: one beside the
    // piece draws nothing and is told so before any of its device pixels are worked out. Device
    // edges follow logical ones in order, so it would have drawn nothing at any scale.
    if (target->hasClip &&
        platform::Intersect(platform::Rect{left, top, right, bottom}, target->DrawableArea())
            .IsEmpty())
        return;
    if (!EnsurePixels()) return;
    // A mask left at an old size by SetScale alone would cut the picture short, and one built
    // for a screen of another scale would be placed wrongly: rebuilt in both cases.
    if (mask == nullptr || mask->scale != target->Scale()) {
        maskScale = target->Scale();
        BuildMask();
    } else {
        const platform::Rect device = DeviceBounds();
        if (mask->width != device.Width() || mask->height != device.Height()) BuildMask();
    }
    if (mask == nullptr || maskedImage == nullptr) return;
    // The background stays where the mask is 1; elsewhere the masked image puts the picture's
    // colours in: what ANDing the mask in and XORing the masked image over it would leave.
    platform::BitBltMasked(target, left, top, *maskedImage, *mask, &maskRuns);
}

}  // namespace imaging
