// tests/imaging/picture_test.cpp: a Picture's rectangle, scale, visibility and invalidation, and
// Load's path, colour-table sizes and failure rules.
#include "imaging/picture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/drawing/drawing.h"
#include "platform/messages.h"
#include "platform/test/test_host.h"
#include "platform/window.h"
#include "tests/imaging/bmp_writer.h"
#include "tests/imaging/temp_folder.h"

namespace {

using imaging::Picture;

class PictureTest : public ::testing::Test {
  protected:
    void SetUp() override { platform::SetHost(&host); }
    void TearDown() override { platform::SetHost(nullptr); }

    // A picture holding a colour bitmap of the given size, as a successful Load leaves it.
    static void GiveBitmap(Picture& picture, int width, int height) {
        picture.bitmap = platform::CreateBitmap(width, height, 1, 32, nullptr);
    }

    platform::Window* MakeWindow() {
        static platform::WindowClass windowClass{.name = "PictureTestWindow",
                                                 .procedure = &platform::DefWindowProc};
        platform::RegisterClassEx(windowClass);
        return platform::CreateWindowEx(0, "PictureTestWindow", "", platform::WS_OVERLAPPED, 0, 0,
                                        640, 480, nullptr, 0, nullptr);
    }

    platform::TestHost host;
    TempFolder folder;
};

TEST_F(PictureTest, SetBoundsTruncatesAndFollowsTheScale) {
    struct Case {
        float scale;
        double l, t, r, b;
        platform::Rect expected;
    };
    const Case cases[] = {
        {1.0f, 100.9, 50.2, 500, 500, {100, 50, 140, 80}},
        {0.0f, 100.9, 50.2, 500, 500, {100, 50, 500, 500}},
        {0.0f, -0.7, -1.9, 10.99, 20.5, {0, -1, 10, 20}},
        {2.0f, -0.7, 3.0, 0, 0, {0, 3, 80, 63}},
        // Far beyond any surface: held within range, so right - left cannot overflow.
        {0.0f, -1e12, 0, 1e12, 5, {-(1 << 30) + 1, 0, (1 << 30) - 1, 5}},
    };
    for (const Case& c : cases) {
        Picture picture;
        GiveBitmap(picture, 40, 30);
        picture.scale = c.scale;
        picture.SetBounds(c.l, c.t, c.r, c.b);
        platform::Rect bounds;
        EXPECT_EQ(*picture.GetBounds(&bounds), c.expected) << "scale " << c.scale;
        EXPECT_EQ(picture.GetLeft(), c.expected.left);
        EXPECT_EQ(picture.GetBottom(), c.expected.bottom);
    }
}

TEST_F(PictureTest, SetScaleTruncatesAndAnEmptyPictureCountsAsNoSize) {
    Picture picture;
    GiveBitmap(picture, 81, 41);
    picture.SetBounds(10, 10, 0, 0);
    picture.SetScale(0.5f);
    EXPECT_EQ(picture.GetRight(), 50);
    EXPECT_EQ(picture.GetBottom(), 30);
    picture.SetScale(0.0f);
    EXPECT_EQ(picture.GetRight(), 10);
    EXPECT_EQ(picture.GetBottom(), 10);

    Picture empty;
    empty.SetBounds(5, 6, 7, 8);
    EXPECT_EQ(empty.GetRight(), 5);
    EXPECT_EQ(empty.GetBottom(), 6);
}

TEST_F(PictureTest, ContainsCountsEveryEdgeAsInside) {
    Picture picture;
    picture.scale = 0;
    picture.SetBounds(10, 20, 30, 40);
    picture.visible = 0;  // neither visibility nor a bitmap matters
    struct Case {
        int x, y;
        bool inside;
    };
    const Case cases[] = {{10, 20, true},  {30, 40, true},  {30, 20, true}, {10, 40, true},
                          {31, 30, false}, {20, 41, false}, {9, 30, false}, {20, 19, false}};
    for (const Case& c : cases)
        EXPECT_EQ(picture.Contains(c.x, c.y), c.inside) << c.x << "," << c.y;
}

TEST_F(PictureTest, ShowingInvalidatesTheRectangleAndHidingDoesNot) {
    platform::Window* window = MakeWindow();
    ASSERT_NE(window, nullptr);
    window->updateArea = platform::Rect{};
    Picture picture;
    picture.scale = 0;
    picture.SetBounds(10, 20, 30, 40);
    picture.SetVisible(0, window);
    EXPECT_TRUE(window->updateArea.IsEmpty());
    picture.SetVisible(1, window);
    EXPECT_EQ(window->updateArea, (platform::Rect{10, 20, 30, 40}));

    // Moving a visible picture marks where it was and where it goes; nothing without a window.
    window->updateArea = platform::Rect{};
    picture.SetBounds(100, 100, 110, 120, window);
    EXPECT_EQ(window->updateArea, (platform::Rect{10, 20, 110, 120}));
    window->updateArea = platform::Rect{};
    picture.SetBounds(0, 0, 5, 5);
    picture.Invalidate(nullptr);
    EXPECT_TRUE(window->updateArea.IsEmpty());
    platform::DestroyWindow(window);
}

TEST_F(PictureTest, LoadJoinsFolderAndNameAndSizesTheRectangle) {
    bmp_writer::IndexedImage image{81, 41, std::vector<std::uint8_t>(81 * 41, 0), {0x123456}};
    folder.Write("Grid1.bmp", bmp_writer::Write(image, bmp_writer::Format{}));
    Picture picture;
    picture.SetBounds(10, 10, 0, 0);
    picture.scale = 0.5f;
    ASSERT_TRUE(picture.Load(folder.GameFolder().c_str(), "Grid1.bmp"));
    EXPECT_EQ(picture.bitmap->width, 81);
    EXPECT_EQ(picture.bitmap->pixels[0], 0x123456u);
    EXPECT_EQ(picture.GetRight(), 50);
    EXPECT_EQ(picture.GetBottom(), 30);

    // With scale 0 the rectangle stays as it was.
    Picture fixed;
    fixed.scale = 0;
    fixed.SetBounds(1, 2, 3, 4);
    ASSERT_TRUE(fixed.Load(folder.GameFolder().c_str(), "Grid1.bmp"));
    EXPECT_EQ(fixed.GetRight(), 3);
    EXPECT_EQ(fixed.GetBottom(), 4);
}

TEST_F(PictureTest, DroppedPixelsAreReadAgainForTheNextDrawAsTheSameImage) {
    bmp_writer::IndexedImage image{4, 2, std::vector<std::uint8_t>(8, 0), {0x123456}};
    folder.Write("Sea.bmp", bmp_writer::Write(image, bmp_writer::Format{}));
    Picture picture;
    picture.scale = 0;
    picture.SetBounds(0, 0, 4, 2);
    ASSERT_TRUE(picture.Load(folder.GameFolder().c_str(), "Sea.bmp"));
    const std::uint32_t version = picture.imageVersion;
    picture.DropPixels();
    EXPECT_EQ(picture.bitmap, nullptr);
    EXPECT_EQ(picture.imageVersion, version);

    platform::Bitmap* target = platform::CreateBitmap(4, 2, 1, 32, nullptr);
    platform::DeviceContext* dc = platform::CreateCompatibleDC(nullptr);
    platform::SelectObject(dc, target);
    picture.Draw(dc);
    ASSERT_NE(picture.bitmap, nullptr);
    EXPECT_EQ(target->pixels[0], 0x123456u);
    EXPECT_EQ(picture.imageVersion, version);
    platform::DeleteDC(dc);
    platform::DeleteObject(target);

    // A released picture has nothing to read again; neither has one never loaded.
    picture.Release();
    EXPECT_FALSE(picture.EnsurePixels());
    Picture empty;
    empty.DropPixels();
    EXPECT_FALSE(empty.EnsurePixels());
}

TEST_F(PictureTest, ColourTableSizeFollowsBitCountAndColoursUsed) {
    struct Case {
        int bitCount;
        std::uint32_t colorsUsed;
        std::size_t tableBytes;
    };
    const Case cases[] = {{24, 0, 0}, {8, 0, 1024}, {8, 121, 484},
                          {4, 0, 64}, {1, 0, 8},    {32, 0, 0}};
    bmp_writer::IndexedImage image{3, 2, {0, 1, 2, 2, 1, 0}, {0xFF0000, 0x00FF00, 0x0000FF}};
    for (const Case& c : cases) {
        bmp_writer::Format format;
        format.bitCount = c.bitCount;
        format.colorsUsed = c.colorsUsed;
        if (c.bitCount == 1) image.indices = {0, 1, 1, 1, 1, 0};
        folder.Write("t.bmp", bmp_writer::Write(image, format));
        Picture picture;
        ASSERT_TRUE(picture.Load(folder.GameFolder().c_str(), "t.bmp")) << c.bitCount;
        EXPECT_EQ(platform::GlobalSize(picture.infoBlock), 40 + c.tableBytes) << c.bitCount;
        EXPECT_EQ(picture.bitmap->pixels[1], image.palette[image.indices[4]]) << c.bitCount;
    }
}

TEST_F(PictureTest, FailedLoadLeavesTheCurrentImageReleased) {
    folder.Write("Hit.bmp", bmp_writer::Solid(4, 4, 0xFF0000));
    Picture picture;
    picture.drawMode = imaging::DrawModeTransparent;
    picture.SetBounds(3, 4, 0, 0);
    ASSERT_TRUE(picture.Load(folder.GameFolder().c_str(), "Hit.bmp"));
    picture.BuildMask();
    ASSERT_NE(picture.mask, nullptr);

    EXPECT_FALSE(picture.Load(folder.GameFolder().c_str(), "Missing.bmp"));
    EXPECT_EQ(picture.bitmap, nullptr);
    EXPECT_EQ(picture.mask, nullptr);
    EXPECT_EQ(picture.maskedImage, nullptr);
    // The rectangle, scale, visibility and draw mode survive.
    EXPECT_EQ(picture.GetRight(), 7);
    EXPECT_EQ(picture.drawMode, imaging::DrawModeTransparent);
}

TEST_F(PictureTest, NoPathMeansNoChangeAndTheDialogSuppliesOne) {
    folder.Write("Sea.bmp", bmp_writer::Solid(2, 2, 0x0000FF));
    Picture picture;
    ASSERT_TRUE(picture.Load(folder.GameFolder().c_str(), "Sea.bmp"));
    platform::Bitmap* before = picture.bitmap;

    // Without a chooser the dialog counts as cancelled: nothing changes.
    EXPECT_FALSE(picture.Load(nullptr, nullptr));
    EXPECT_EQ(picture.bitmap, before);

    static std::string chosen;
    static std::string initialFolder;
    chosen = folder.GameFolder() + "Sea.bmp";
    platform::SetOpenFileChooser([](platform::OpenFileRequest* request) {
        initialFolder = request->initialDir;
        std::strncpy(request->file, chosen.c_str(), request->maxFile - 1);
        return true;
    });
    EXPECT_TRUE(picture.Load("Pictures\\", nullptr));
    platform::SetOpenFileChooser(nullptr);
    EXPECT_EQ(initialFolder, "Pictures\\");
    EXPECT_NE(picture.bitmap, nullptr);
    // The request keeps no pointer to the caller's folder or to Load's buffer.
    EXPECT_STREQ(picture.openFileRequest.initialDir, "C:\\");
    EXPECT_EQ(picture.openFileRequest.file, nullptr);
}

}  // namespace
