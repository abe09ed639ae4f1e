// windows/picture_popup.cpp: the "Splash" pop-up: a bitmap resource at its own size in the middle
// of the screen, closed by its timer or by a left-button release anywhere.
#include "windows/picture_popup.h"

#include <algorithm>
#include <vector>

#include "platform/drawing/dib.h"
#include "platform/drawing/drawing.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/repaint.h"
#include "platform/screen.h"
#include "platform/timers.h"
#include "platform/virtual_keys.h"
#include "resources/resource_ids.h"

namespace windows {

using namespace platform;

namespace {

// The owner of the pop-up created last; repainted at once when a pop-up closes by a click.
Window* PopupOwner = nullptr;

constexpr char PopupClassName[] = "Splash";
constexpr char PopupTitle[] = "Splash";
constexpr std::uintptr_t DisplayTimerId = 1;

struct OpenPopup {
    Window* window = nullptr;
    bool pictureShown = false;
    // What it shows, to show it again on a screen of another scale.
    const ModuleResources* instance = nullptr;
    int bitmapId = 0;
    BitmapInfo size;
};

// The pop-ups now open, oldest first. The newest holds the mouse; when it closes, the one before
// it takes the mouse back, so each open pop-up can still be closed by a release anywhere.
std::vector<OpenPopup>& OpenPopups() {
    static std::vector<OpenPopup> popups;
    return popups;
}

OpenPopup* Find(const Window* window) {
    auto& popups = OpenPopups();
    auto found = std::find_if(popups.begin(), popups.end(),
                              [window](const OpenPopup& p) { return p.window == window; });
    return found == popups.end() ? nullptr : &*found;
}

void RegisterPopupClass(const ModuleResources* instance) {
    WindowClass popupClass;
    popupClass.name = PopupClassName;
    popupClass.style = 0;
    popupClass.procedure = PicturePopupProc;
    popupClass.instance = instance;
    popupClass.iconId = 0;  // the standard ids are not among the program's resources
    popupClass.hasBackground = true;
    popupClass.background = GetSysColor(COLOR_BACKGROUND);
    RegisterClassEx(popupClass);  // a repeat fails harmlessly; the first registration stays
}

void CopyPicture(Window* popup, Bitmap* picture) {
    const BitmapInfo size = GetObject(picture);
    DeviceContext* windowDc = GetDC(popup);
    DeviceContext* memoryDc = CreateCompatibleDC(windowDc);
    Bitmap* previous = SelectObject(memoryDc, picture);
    // A double-size picture on a screen of less than twice the pixels is shrunk by averaging.
    const int mode = SetStretchBltMode(windowDc, HALFTONE);
    BitBlt(windowDc, 0, 0, size.width, size.height, memoryDc, 0, 0, SRCCOPY);
    SetStretchBltMode(windowDc, mode);
    SelectObject(memoryDc, previous);
    DeleteDC(memoryDc);
    ReleaseDC(popup, windowDc);
}

// Decoded into a bitmap of its own, then copied in: shrunk by averaging where the window has
// fewer pixels than the picture.
bool CopyPictureResource(const ModuleResources* instance, Window* popup, int bitmapId,
                         double scale) {
    Bitmap* picture = LoadBitmap(instance, bitmapId);
    if (picture == nullptr) return false;
    picture->scale = scale;
    CopyPicture(popup, picture);
    DeleteObject(picture);
    return true;
}

// On a scaled screen the picture drawn at twice the size shows its detail; it keeps the size of
// the one above in logical pixels. Where it fits the window's pixels exactly (a scale of 2) it is
// decoded straight into them: the end of a game on such a screen is the program's busiest moment
// for memory, and a second copy of the picture would add 5 MB to it.
bool DrawLargerPicture(const ModuleResources* instance, Window* popup, int bitmapId,
                       BitmapInfo size) {
    const int largerId = bitmapId + resources::DoubleSizeBitmapOffset;
    const BitmapInfo larger = BitmapResourceSize(instance, largerId);
    if (larger.width != 2 * size.width || larger.height != 2 * size.height) return false;
    DeviceContext* windowDc = GetDC(popup);
    const bool drawn = DrawBitmapResource(windowDc, instance, largerId);
    ReleaseDC(popup, windowDc);
    return drawn || CopyPictureResource(instance, popup, largerId, 2.0);
}

bool ShowPicture(const ModuleResources* instance, Window* popup, int bitmapId, BitmapInfo size) {
    const bool shown =
        (popup->surface.scale != 1.0 && DrawLargerPicture(instance, popup, bitmapId, size)) ||
        CopyPictureResource(instance, popup, bitmapId, 1.0);
    if (!shown) return false;
    if (OpenPopup* open = Find(popup)) open->pictureShown = true;
    return true;
}

void OnCreate(Window* window) {
    PopupOwner = GetParent(window);
    OpenPopup open;
    open.window = window;
    OpenPopups().push_back(open);
    SetCapture(window);
}

void OnDestroy(Window* window) {
    auto& popups = OpenPopups();
    popups.erase(std::remove_if(popups.begin(), popups.end(),
                                [window](const OpenPopup& p) { return p.window == window; }),
                 popups.end());
    if (GetCapture() == window && !popups.empty()) SetCapture(popups.back().window);
}

// A closing pop-up lets the mouse go, and a newer pop-up keeps it until it closes itself;
// from anyone else the pop-up takes it straight back.
void OnCaptureChanged(Window* window, LPARAM lParam) {
    const auto* newHolder = reinterpret_cast<const Window*>(lParam);
    if (Find(window) == nullptr || Find(newHolder) != nullptr) return;
    SetCapture(window);
}

void OnLeftButtonUp(Window* window) {
    ReleaseCapture();
    SendMessage(window, WM_CLOSE, 0, 0);
    UpdateWindow(PopupOwner);
}

}  // namespace

LRESULT PicturePopupProc(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate(window);
            return 0;
        case WM_TIMER:
            SendMessage(window, WM_CLOSE, 0, 0);
            KillTimer(window, DisplayTimerId);
            return 0;
        case WM_LBUTTONUP:
            OnLeftButtonUp(window);
            return 0;
        case WM_KEYDOWN:
            // Escape closes the picture as a click would.
            if (wParam == VK_ESCAPE) OnLeftButtonUp(window);
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureChanged(window, lParam);
            return 0;
        case WM_ERASEBKGND: {
            // Once the picture is on the backing surface, erasing would only wipe it: a pop-up
            // that was covered keeps showing its picture.
            const OpenPopup* open = Find(window);
            if (open != nullptr && open->pictureShown) return 1;
            return DefWindowProc(window, message, wParam, lParam);
        }
        case WM_DPICHANGED:
            // Moved to a screen of another scale, the window has a new surface, blank: its
            // picture is drawn again from the set that suits it.
            if (const OpenPopup* open = Find(window); open != nullptr && open->pictureShown)
                ShowPicture(open->instance, window, open->bitmapId, open->size);
            return 0;
        case WM_DESTROY:
            OnDestroy(window);
            return 0;
        default:
            return DefWindowProc(window, message, wParam, lParam);
    }
}

Window* ShowPicturePopup(const ModuleResources* instance, Window* owner, int bitmapId,
                         std::uint32_t displayTime) {
    RegisterPopupClass(instance);
    // Without its picture a pop-up would hold the mouse with nothing to show for it. The header
    // alone places and sizes the window, in logical pixels.
    const BitmapInfo size = BitmapResourceSize(instance, bitmapId);
    if (size.width == 0 || size.height == 0) return nullptr;

    // A timed picture closes on a click too, as the About picture does: it holds the mouse for its
    // time, so a disabled one would swallow every click of a player who did not wait for it.
    const std::uint32_t style = WS_POPUP;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - size.width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - size.height) / 2;
    Window* popup = CreateWindowEx(0, PopupClassName, PopupTitle, style, left, top, size.width,
                                   size.height, owner, 0, instance);
    if (popup == nullptr) return nullptr;
    if (OpenPopup* open = Find(popup)) {
        open->instance = instance;
        open->bitmapId = bitmapId;
        open->size = size;
    }
    ShowWindow(popup, SW_SHOWNORMAL);
    UpdateWindow(popup);
    if (!ShowPicture(instance, popup, bitmapId, size)) {
        DestroyWindow(popup);
        return nullptr;
    }
    if (displayTime != 0) SetTimer(popup, DisplayTimerId, displayTime);
    return popup;
}

}  // namespace windows
