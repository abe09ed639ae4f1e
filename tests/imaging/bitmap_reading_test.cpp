// tests/imaging/bitmap_reading_test.cpp: one image written at every depth, compression and row
// order decodes to the same pixels; malformed files are refused or decoded within bounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "imaging/picture.h"
#include "platform/drawing/dib.h"
#include "platform/drawing/drawing.h"
#include "platform/module_resources.h"
#include "platform/repaint.h"
#include "platform/test/test_host.h"
#include "tests/imaging/bmp_writer.h"
#include "tests/imaging/temp_folder.h"

namespace {

using bmp_writer::Format;
using bmp_writer::IndexedImage;

// Two colours whose channels differ, so swapped channels show, and that 5- and 6-bit channels
// hold exactly. Odd width, so rows need padding; runs and single pixels for the run-length codes.
IndexedImage TwoColourImage() {
    return IndexedImage{9,
                        3,
                        {0, 0, 0, 1, 0, 1, 0, 1, 1,  //
                         1, 1, 1, 1, 1, 1, 1, 1, 1,  //
                         0, 1, 1, 0, 0, 0, 0, 0, 1},
                        {0xFFFF00, 0x0000FF}};
}

class BitmapReadingTest : public ::testing::Test {
  protected:
    void SetUp() override { platform::SetHost(&host); }
    void TearDown() override { platform::SetHost(nullptr); }

    bool Load(imaging::Picture& picture, const std::vector<std::uint8_t>& bytes) {
        folder.Write("case.bmp", bytes);
        return picture.Load(folder.GameFolder().c_str(), "case.bmp");
    }

    platform::TestHost host;
    TempFolder folder;
};

TEST_F(BitmapReadingTest, EveryDepthAndCompressionGivesTheSamePixels) {
    struct Case {
        const char* name;
        Format format;
    };
    const Case cases[] = {
        {"1 bit", {1, platform::BI_RGB}},
        {"1 bit top-down", {1, platform::BI_RGB, true}},
        {"4 bits", {4, platform::BI_RGB}},
        {"4 bits run-length", {4, platform::BI_RLE4}},
        {"8 bits", {8, platform::BI_RGB}},
        {"8 bits 2 colours used", {8, platform::BI_RGB, false, 2}},
        {"8 bits run-length", {8, platform::BI_RLE8}},
        {"16 bits 5-5-5", {16, platform::BI_RGB}},
        {"16 bits top-down", {16, platform::BI_RGB, true}},
        {"16 bits 5-6-5 fields", {16, platform::BI_BITFIELDS, false, 0, {0xF800, 0x07E0, 0x001F}}},
        {"24 bits", {24, platform::BI_RGB}},
        {"24 bits top-down", {24, platform::BI_RGB, true}},
        {"32 bits", {32, platform::BI_RGB}},
        {"32 bits fields", {32, platform::BI_BITFIELDS, false, 0, {0xFF0000, 0xFF00, 0xFF}}},
        {"32 bits odd fields", {32, platform::BI_BITFIELDS, true, 0, {0xFF, 0xFF00, 0xFF0000}}},
    };
    const IndexedImage image = TwoColourImage();
    for (const Case& c : cases) {
        imaging::Picture picture;
        ASSERT_TRUE(Load(picture, bmp_writer::Write(image, c.format))) << c.name;
        ASSERT_EQ(picture.bitmap->width, image.width) << c.name;
        ASSERT_EQ(picture.bitmap->height, image.height) << c.name;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                ASSERT_EQ(picture.bitmap->Row(y)[x], image.At(x, y))
                    << c.name << " at " << x << "," << y;
    }
}

TEST_F(BitmapReadingTest, ColoursComeFromTheTableAndIndexesBeyondItAreBlack) {
    IndexedImage image{4, 1, {0, 7, 120, 200}, std::vector<platform::Pixel>(256, 0)};
    image.palette[7] = 0x102030;
    image.palette[120] = 0xABCDEF;
    image.palette[200] = 0xFFFFFF;  // beyond the 121 colours the file declares
    imaging::Picture picture;
    ASSERT_TRUE(Load(picture, bmp_writer::Write(image, Format{8, platform::BI_RGB, false, 121})));
    const platform::Pixel* row = picture.bitmap->Row(0);
    EXPECT_EQ(row[1], 0x102030u);
    EXPECT_EQ(row[2], 0xABCDEFu);
    EXPECT_EQ(row[3], 0u);
}

// Offsets of header fields in the file.
constexpr std::size_t FileSize = 2, PixelOffset = 10, InfoSize = 14, Width = 18, Height = 22,
                      Planes = 26, BitCount = 28, Compression = 30, ColoursUsed = 46;

void Set32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Set16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

TEST_F(BitmapReadingTest, MalformedFilesAreRefusedOrDecodedWithinBounds) {
    const IndexedImage image = TwoColourImage();
    const auto plain24 = bmp_writer::Write(image, Format{});
    const auto rle8 = bmp_writer::Write(image, Format{8, platform::BI_RLE8});
    const auto rle4 = bmp_writer::Write(image, Format{4, platform::BI_RLE4});
    const std::size_t rle8Pixels = 54 + 1024;
    using Edit = std::function<void(std::vector<std::uint8_t>&)>;
    struct Case {
        const char* name;
        const std::vector<std::uint8_t>* base;
        Edit edit;
        bool loads;
    };
    const Case cases[] = {
        {"empty file", &plain24, [](auto& b) { b.clear(); }, false},
        {"file header only", &plain24, [](auto& b) { b.resize(14); }, false},
        {"headers cut short", &plain24, [](auto& b) { b.resize(53); }, false},
        {"headers and nothing more", &plain24, [](auto& b) { b.resize(54); }, false},
        {"size field below the pixel offset", &plain24, [](auto& b) { Set32(b, FileSize, 10); },
         false},
        {"size field equal to the pixel offset", &plain24, [](auto& b) { Set32(b, FileSize, 54); },
         false},
        {"pixel offset beyond the size field", &plain24,
         [](auto& b) { Set32(b, PixelOffset, 0xFFFFFFF0u); }, false},
        {"size field far beyond the file", &plain24,
         [](auto& b) { Set32(b, FileSize, 0xFFFFFFF0u); }, true},
        {"pixels cut short", &plain24, [](auto& b) { b.resize(60); }, true},
        {"info header of 108 bytes", &plain24, [](auto& b) { Set32(b, InfoSize, 108); }, false},
        {"zero width", &plain24, [](auto& b) { Set32(b, Width, 0); }, false},
        {"negative width", &plain24, [](auto& b) { Set32(b, Width, 0xFFFFFFF7u); }, false},
        {"zero height", &plain24, [](auto& b) { Set32(b, Height, 0); }, false},
        {"most negative height", &plain24, [](auto& b) { Set32(b, Height, 0x80000000u); }, false},
        {"absurd width", &plain24, [](auto& b) { Set32(b, Width, 1u << 20); }, false},
        {"absurd area", &plain24,
         [](auto& b) {
             Set32(b, Width, 16384);
             Set32(b, Height, 16384);
         },
         false},
        {"two planes", &plain24, [](auto& b) { Set16(b, Planes, 2); }, false},
        {"bit count 0", &plain24, [](auto& b) { Set16(b, BitCount, 0); }, false},
        {"bit count 7", &plain24, [](auto& b) { Set16(b, BitCount, 7); }, false},
        {"bit count 64", &plain24, [](auto& b) { Set16(b, BitCount, 64); }, false},
        {"unknown compression", &plain24, [](auto& b) { Set32(b, Compression, 4); }, false},
        {"run-length at 24 bits", &plain24, [](auto& b) { Set32(b, Compression, 1); }, false},
        {"huge colours used", &rle8, [](auto& b) { Set32(b, ColoursUsed, 0xFFFFFFFFu); }, false},
        {"top-down run-length", &rle8, [](auto& b) { Set32(b, Height, 0xFFFFFFFDu); }, false},
        {"run past the row", &rle8,
         [](auto& b) {
             b[rle8Pixels] = 200;  // a run of 200 in a row of 9
         },
         true},
        {"move past the image", &rle8,
         [](auto& b) {
             b[rle8Pixels] = 0;
             b[rle8Pixels + 1] = 2;
             b.insert(b.begin() + rle8Pixels + 2, {250, 250});
         },
         true},
        {"literal run past the data", &rle8,
         [](auto& b) {
             b.resize(rle8Pixels + 2);
             b[rle8Pixels] = 0;
             b[rle8Pixels + 1] = 255;
         },
         true},
        {"codes without an end", &rle4, [](auto& b) { b.erase(b.end() - 2, b.end()); }, true},
        {"many rows of end-of-line codes", &rle8,
         [](auto& b) { b.insert(b.begin() + rle8Pixels, 4000, 0); }, true},
        {"bit fields without masks", &plain24,
         [](auto& b) {
             Set16(b, BitCount, 32);
             Set32(b, Compression, platform::BI_BITFIELDS);
             Set32(b, Width, 2);
             b.resize(54 + 12);
         },
         false},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = *c.base;
        c.edit(bytes);
        imaging::Picture picture;
        const bool loaded = Load(picture, bytes);
        EXPECT_EQ(loaded, c.loads) << c.name;
        EXPECT_EQ(picture.bitmap != nullptr, loaded) << c.name;
        if (loaded) {
            EXPECT_EQ(picture.bitmap->pixels.size(),
                      static_cast<std::size_t>(picture.bitmap->width) * picture.bitmap->height)
                << c.name;
        }
        // Nothing the file does not hold is allocated for it.
        EXPECT_LE(platform::GlobalSize(picture.pixelBlock), bytes.size()) << c.name;
        EXPECT_LE(platform::GlobalSize(picture.infoBlock), bytes.size() + 40) << c.name;
    }
}

TEST_F(BitmapReadingTest, MissingPixelBytesReadAsZero) {
    // Two rows of 24 bits with the second row (the top one) cut off.
    IndexedImage image{1, 2, {0, 0}, {0x00FF00}};
    auto bytes = bmp_writer::Write(image, Format{});
    bytes.resize(bytes.size() - 4);
    imaging::Picture picture;
    ASSERT_TRUE(Load(picture, bytes));
    EXPECT_EQ(picture.bitmap->Row(0)[0], 0u);
    EXPECT_EQ(picture.bitmap->Row(1)[0], 0x00FF00u);
}

TEST_F(BitmapReadingTest, ResourcesConvertTheSameWay) {
    const auto file = bmp_writer::Write(TwoColourImage(), Format{4, platform::BI_RLE4});
    class OneBitmap : public platform::ModuleResources {
      public:
        explicit OneBitmap(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
        std::span<const std::uint8_t> Bitmap(int id) const override {
            return id == 102 ? bytes_ : std::span<const std::uint8_t>{};
        }
        std::span<const std::uint8_t> Icon(int) const override { return {}; }
        bool MenuTemplate(int, platform::Menu*) const override { return false; }

      private:
        std::span<const std::uint8_t> bytes_;
    } resources(std::span<const std::uint8_t>(file).subspan(14));
    platform::Bitmap* bitmap = platform::LoadBitmap(&resources, 102);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Row(2)[1], 0x0000FFu);
    EXPECT_EQ(bitmap->Row(2)[0], 0xFFFF00u);

    platform::DeleteObject(bitmap);

    // Sized from the header alone, and decoded straight into a target of exactly its size. The
    // run lengths cut short leave the top rows out: black there, as in a bitmap of its own, not
    // what the target held.
    const std::span<const std::uint8_t> cut = std::span<const std::uint8_t>(file).subspan(14);
    OneBitmap shortened(cut.first(cut.size() - 8));
    platform::Bitmap* own = platform::LoadBitmap(&shortened, 102);
    ASSERT_NE(own, nullptr);
    const platform::BitmapInfo size = platform::BitmapResourceSize(&shortened, 102);
    EXPECT_EQ(size.width, own->width);
    EXPECT_EQ(size.height, own->height);
    EXPECT_EQ(platform::BitmapResourceSize(&shortened, 103).width, 0);
    platform::DeviceContext* screen = platform::GetDC(nullptr);
    platform::DeviceContext* dc = platform::CreateCompatibleDC(screen);
    for (const int extra : {0, 1}) {
        platform::Bitmap* target =
            platform::CreateBitmap(size.width + extra, size.height, 1, 32, nullptr);
        std::fill(target->pixels.begin(), target->pixels.end(), 0x123456u);
        platform::Bitmap* previous = platform::SelectObject(dc, target);
        const bool drawn = platform::DrawBitmapResource(dc, &shortened, 102);
        platform::SelectObject(dc, previous);
        if (extra == 0) {
            EXPECT_TRUE(drawn);
            EXPECT_EQ(target->pixels, own->pixels);
        } else {
            EXPECT_FALSE(drawn) << "a target of another size takes the picture's own bitmap";
            EXPECT_EQ(target->pixels.front(), 0x123456u);
        }
        platform::DeleteObject(target);
    }
    platform::DeleteDC(dc);
    platform::ReleaseDC(nullptr, screen);
    platform::DeleteObject(own);
    EXPECT_EQ(platform::LoadBitmap(&resources, 103), nullptr);
}

}  // namespace
