// tests/fleet/ship_test.cpp: a ship's file names, damage, turning, sinking and visibility, and
// loading its four pictures with the failure rule (stop at the first missing file, one message).
#include "fleet/ship.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/drawing/drawing.h"
#include "platform/repaint.h"
#include "platform/test/test_host.h"
#include "platform/window.h"

namespace {

namespace fs = std::filesystem;
using fleet::OrientationHorizontal;
using fleet::OrientationVertical;

// A plain 24-bit bitmap file of the given size, every pixel grey.
void WriteBitmapFile(const fs::path& path, int width, int height) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = rowBytes * height;
    std::vector<std::uint8_t> file(54 + pixelBytes, 0x80);
    auto put32 = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    auto put16 = [&](int at, std::uint16_t v) {
        file[at] = static_cast<std::uint8_t>(v);
        file[at + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, 54 + pixelBytes);
    put32(6, 0);
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    put16(26, 1);
    put16(28, 24);
    for (int at = 30; at < 54; at += 4) put32(at, 0);
    put32(34, pixelBytes);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
}

class ShipTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::SetHost(&host);
        folder = fs::temp_directory_path() /
                 ("tidewrack_ship_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // A picture set: the ship's four files, `width` pixels wide, all but the missing one.
    std::string PictureSet(const std::string& name, int width, const char* missing = nullptr) {
        const fs::path set = folder / name;
        fs::create_directories(set);
        for (const char* file : {"boat3.bmp", "boat3b.bmp", "sunk3.bmp", "sunk3b.bmp"}) {
            if (missing == nullptr || std::string(file) != missing) {
                WriteBitmapFile(set / file, width, 2);
            }
        }
        return set.string() + "/";
    }

    static int WidthOf(const imaging::Picture& picture) {
        return picture.bitmap == nullptr ? 0 : picture.bitmap->width;
    }

    platform::TestHost host;
    fs::path folder;
    fleet::Ship ship;
};

TEST_F(ShipTest, IdentityFormsTheFourFileNames) {
    ship.SetIdentity(2, 5);
    EXPECT_EQ(ship.GetLength(), 2);
    EXPECT_EQ(ship.shipId, 5u);
    EXPECT_STREQ(ship.boatFileName, "boat5.bmp");
    EXPECT_STREQ(ship.boatVerticalFileName, "boat5b.bmp");
    EXPECT_STREQ(ship.sunkFileName, "sunk5.bmp");
    EXPECT_STREQ(ship.sunkVerticalFileName, "sunk5b.bmp");
}

TEST_F(ShipTest, TurningAndSinkingChooseThePicture) {
    ship.Reset();
    ship.Rotate();
    EXPECT_EQ(ship.orientation, OrientationVertical);
    EXPECT_EQ(ship.currentPicture, &ship.boatVerticalPicture);

    ship.Sink(nullptr);
    EXPECT_EQ(ship.currentPicture, &ship.sunkVerticalPicture);
    EXPECT_EQ(ship.sunkVerticalPicture.visible, 1);
    EXPECT_EQ(ship.boatVerticalPicture.visible, 0);

    // Turning only ever picks an afloat picture, even from a sunk one.
    ship.Rotate();
    EXPECT_EQ(ship.currentPicture, &ship.boatPicture);
    ship.Rotate();
    ship.Rotate();
    EXPECT_EQ(ship.orientation, OrientationHorizontal);
    EXPECT_EQ(ship.currentPicture, &ship.boatPicture);

    ship.Rotate();
    ship.SetVisible(0, nullptr);
    ship.Reset();
    EXPECT_EQ(ship.orientation, OrientationHorizontal);
    EXPECT_EQ(ship.currentPicture, &ship.boatPicture);
    EXPECT_EQ(ship.visible, 1);
    EXPECT_EQ(ship.boatPicture.visible, 1);
}

TEST_F(ShipTest, HidingRepaintsNothingAndShowingRepaintsTheCurrentPicture) {
    platform::WindowClass windowClass;
    windowClass.name = "ShipTestWindow";
    windowClass.procedure = platform::DefWindowProc;
    platform::RegisterClassEx(windowClass);
    platform::Window* window = platform::CreateWindowEx(
        0, "ShipTestWindow", "", platform::WS_OVERLAPPED, 0, 0, 800, 600, nullptr, 0, nullptr);
    ASSERT_NE(window, nullptr);

    ship.Reset();
    ship.SetScale(0, nullptr);
    ship.SetBounds(10, 20, 110, 60, nullptr);
    window->updateArea = {};
    ship.SetVisible(0, window);
    EXPECT_TRUE(window->updateArea.IsEmpty());
    for (const imaging::Picture* p : {&ship.boatPicture, &ship.boatVerticalPicture,
                                      &ship.sunkPicture, &ship.sunkVerticalPicture}) {
        EXPECT_EQ(p->visible, 0);
    }

    ship.SetVisible(1, window);
    EXPECT_EQ(window->updateArea, (platform::Rect{10, 20, 110, 60}));
    EXPECT_EQ(ship.boatPicture.visible, 1);
    EXPECT_EQ(ship.sunkPicture.visible, 0);

    // Sinking repaints where the ship was, with the sunk picture in the same rectangle.
    window->updateArea = {};
    ship.Sink(window);
    EXPECT_EQ(window->updateArea, (platform::Rect{10, 20, 110, 60}));
    EXPECT_EQ(ship.currentPicture, &ship.sunkPicture);
    platform::DestroyWindow(window);
}

TEST_F(ShipTest, DrawsOnlyWhenTheShipIsShown) {
    ship.SetIdentity(3, 3);
    ship.LoadPictures(PictureSet("full", 4).c_str());
    ship.SetScale(0, nullptr);
    ship.SetBounds(2, 2, 14, 6, nullptr);

    platform::DeviceContext* target = platform::CreateCompatibleDC(nullptr);
    platform::Bitmap* surface = platform::CreateBitmap(16, 8, 1, 32, nullptr);
    platform::Bitmap* previous = platform::SelectObject(target, surface);
    auto pixelAt = [&](int x, int y) { return surface->Row(y)[x]; };

    // A hidden ship (the enemy's fleet in battle) stays hidden whatever its picture's own flag.
    ship.SetVisible(0, nullptr);
    ship.boatPicture.visible = 1;
    ship.Draw(nullptr, target);
    EXPECT_EQ(pixelAt(8, 4), 0u);
    EXPECT_EQ(ship.boatPicture.visible, 0);

    ship.visible = 1;
    ship.Draw(nullptr, target);
    EXPECT_EQ(pixelAt(8, 4), 0x808080u);
    EXPECT_EQ(pixelAt(15, 7), 0u);

    platform::SelectObject(target, previous);
    platform::DeleteObject(surface);
    platform::DeleteDC(target);
}

TEST_F(ShipTest, LoadsACompleteSetTransparent) {
    ship.SetIdentity(3, 3);
    ship.LoadPictures(PictureSet("full", 4).c_str());
    for (const imaging::Picture* p : {&ship.boatPicture, &ship.boatVerticalPicture,
                                      &ship.sunkPicture, &ship.sunkVerticalPicture}) {
        EXPECT_EQ(WidthOf(*p), 4);
        EXPECT_EQ(p->drawMode, imaging::DrawModeTransparent);
    }
    EXPECT_EQ(ship.currentPicture, &ship.boatPicture);
    EXPECT_TRUE(host.MessageBoxes().empty());
}

TEST_F(ShipTest, StopsAtTheFirstMissingFileWithOneMessage) {
    ship.SetIdentity(3, 3);
    ship.Rotate();
    ship.LoadPictures(PictureSet("broken", 4, "boat3b.bmp").c_str());

    EXPECT_EQ(WidthOf(ship.boatPicture), 4);
    EXPECT_EQ(ship.boatPicture.drawMode, imaging::DrawModeOpaque);
    EXPECT_EQ(WidthOf(ship.boatVerticalPicture), 0);
    EXPECT_EQ(WidthOf(ship.sunkPicture), 0);
    EXPECT_EQ(WidthOf(ship.sunkVerticalPicture), 0);
    EXPECT_EQ(ship.currentPicture, &ship.boatPicture);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, "Ship Bitmap Load Error!");
    EXPECT_EQ(host.MessageBoxes()[0].caption, "Error");
}

TEST_F(ShipTest, AFailedReloadKeepsTheEarlierSetBehindTheFailure) {
    ship.SetIdentity(3, 3);
    ship.LoadPictures(PictureSet("first", 4).c_str());
    ship.LoadPictures(PictureSet("second", 6, "boat3b.bmp").c_str());

    EXPECT_EQ(WidthOf(ship.boatPicture), 6);
    EXPECT_EQ(WidthOf(ship.boatVerticalPicture), 0);  // released before its load failed
    EXPECT_EQ(WidthOf(ship.sunkPicture), 4);          // never attempted
    EXPECT_EQ(WidthOf(ship.sunkVerticalPicture), 4);
    // The earlier complete load made them transparent; the failed one changes no mode.
    EXPECT_EQ(ship.sunkPicture.drawMode, imaging::DrawModeTransparent);
    EXPECT_EQ(host.MessageBoxes().size(), 1u);
}

}  // namespace
