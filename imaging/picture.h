// imaging/picture.h: one image of the game screen: a bitmap read from a .bmp file, the rectangle
// it covers on the target surface, its scale, visibility and draw mode.
#pragma once

#include <cstdint>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/files.h"
#include "platform/open_file_dialog.h"
#include "platform/types.h"

namespace platform {
struct Window;
}

namespace imaging {

constexpr std::uint32_t DrawModeOpaque = 1;
constexpr std::uint32_t DrawModeTransparent = 2;

// Pure white: pixels of this colour are left out by a transparent draw.
constexpr platform::ColourRef TransparentColour = platform::Rgb(255, 255, 255);

// The size of the buffer the full path is built in, and of the dialog's file buffer.
constexpr int PicturePathSize = 1024;

// A Picture owns its three bitmaps and two memory blocks, so it is never copied. It does no
// platform work until used, so it can live in a global constructed before the program starts.
// The window arguments are optional: given one, the Picture asks it to repaint what changed.
class Picture {
  public:
    Picture();
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // folder and fileName are joined as they are ("Pictures\" + "Grid1.bmp"). Without a file
    // name the open-file dialog asks for one. False when nothing could be loaded.
    bool Load(const char* folder, const char* fileName);
    void Release();

    void SetBounds(double left, double top, double right, double bottom,
                   platform::Window* window = nullptr);
    void SetScale(float scale, platform::Window* window = nullptr);
    std::int32_t GetLeft() const { return left; }
    std::int32_t GetTop() const { return top; }
    std::int32_t GetRight() const { return right; }
    std::int32_t GetBottom() const { return bottom; }
    platform::Rect* GetBounds(platform::Rect* rect) const;
    // All four edges count as inside.
    bool Contains(int x, int y) const;
    void SetVisible(std::uint8_t flag, platform::Window* window = nullptr);
    void Invalidate(platform::Window* window);
    void SetDrawMode(std::uint32_t mode);
    // Frees the decoded image (and its mask) while keeping where it came from: a picture drawn
    // once into a kept layer need not hold a second copy of its pixels. Drawing reads the file
    // again; imageVersion stays, as the image is the same.
    void DropPixels();
    // Reads a dropped image again; true when the picture has its pixels.
    bool EnsurePixels();

    // Drawing onto a target surface (picture_drawing.cpp).
    void Draw(platform::DeviceContext* target);
    void DrawStretched(platform::DeviceContext* target);
    void DrawTransparent(platform::DeviceContext* target);
    void BuildMask();
    void DeleteMask();

    platform::Bitmap* bitmap = nullptr;           // the image in the screen's format
    platform::Bitmap* mask = nullptr;             // monochrome, 1 where the drawn picture is white
    platform::Bitmap* maskedImage = nullptr;      // the drawn picture with its white turned black
    std::uint8_t visible = 1;                     // 1: drawn; anything else: not drawn
    platform::GlobalBlock* infoBlock = nullptr;   // the info header and colour table as read
    platform::GlobalBlock* pixelBlock = nullptr;  // the pixel bytes as read, until decoded
    float scale = 1.0f;  // nonzero: the rectangle follows the bitmap's size times scale
    platform::OpenFileRequest openFileRequest;
    std::uint32_t drawMode = DrawModeOpaque;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    // Moves on whenever the image changes (loaded or released), so that whoever keeps work
    // derived from it can tell a new image from the old, even at the same address.
    std::uint32_t imageVersion = 0;
    // Device pixels per logical pixel of the surface the mask was last built for: a mask is
    // built in the pixels of the screen the picture shows on.
    double maskScale = 1.0;
    // The mask's drawn pixels as runs, found whenever the mask is built: a transparent draw
    // copies whole runs and skips the holes.
    platform::MaskRuns maskRuns;

  private:
    char sourcePath_[PicturePathSize] = {};  // the file the image was read from
    bool dropped_ = false;
    // The rectangle in the pixels of a surface of maskScale.
    platform::Rect DeviceBounds() const;
    // Shows the open-file dialog; the chosen path lands in path (PicturePathSize characters).
    bool AskForPath(const char* folder, char* path);
    // Reads the headers, colour table and pixels behind them, and builds the bitmap.
    void ReadBitmapFile(platform::FileHandle* file);
};

}  // namespace imaging
