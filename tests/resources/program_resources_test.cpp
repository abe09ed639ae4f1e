// tests/resources/program_resources_test.cpp: the built-in bitmaps have their exact sizes, depth
// and colour counts and convert with the platform's resource loader; the icon is a PNG; menu 101
// holds the game's commands in the game's order.
#include "resources/program_resources.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/drawing/dib.h"
#include "platform/drawing/drawing.h"
#include "platform/test/test_host.h"

namespace {

using resources::ProgramResources;

std::uint32_t U16At(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | (b[at + 1] << 8);
}
std::uint32_t U32At(std::span<const std::uint8_t> b, std::size_t at) {
    return U16At(b, at) | (U16At(b, at + 2) << 16);
}

struct ExpectedBitmap {
    int id;
    int width;
    int height;
    std::uint32_t colours;
};
const ExpectedBitmap Bitmaps[] = {{resources::IDB_STARTUP, 640, 480, 256},
                                  {resources::IDB_ABOUT, 400, 400, 121},
                                  {resources::IDB_WIN, 640, 480, 256},
                                  {resources::IDB_LOSS, 640, 480, 256},
                                  {resources::IDB_TIE, 640, 480, 256}};

TEST(ProgramResourcesTest, BitmapsHaveTheirSizeDepthAndColourTable) {
    for (const ExpectedBitmap& e : Bitmaps) {
        SCOPED_TRACE(e.id);
        const std::span<const std::uint8_t> dib = ProgramResources().Bitmap(e.id);
        ASSERT_GE(dib.size(), 40u);
        EXPECT_EQ(U32At(dib, 0), 40u);
        EXPECT_EQ(static_cast<int>(U32At(dib, 4)), e.width);
        EXPECT_EQ(static_cast<int>(U32At(dib, 8)), e.height);  // positive: bottom-up rows
        EXPECT_EQ(U16At(dib, 12), 1u);
        EXPECT_EQ(U16At(dib, 14), 8u);
        EXPECT_EQ(U32At(dib, 16), 0u);  // uncompressed
        EXPECT_EQ(U32At(dib, 32), e.colours);
        const std::size_t rowBytes = (static_cast<std::size_t>(e.width) + 3) / 4 * 4;
        ASSERT_EQ(dib.size(), 40 + 4 * e.colours + rowBytes * e.height);
        // Every table entry is a colour of its own, and every pixel names an entry.
        std::set<std::uint32_t> table;
        for (std::uint32_t i = 0; i < e.colours; ++i)
            table.insert(U32At(dib, 40 + 4 * i) & 0xFFFFFF);
        EXPECT_EQ(table.size(), e.colours);
        std::uint8_t highest = 0;
        for (std::size_t i = 40 + 4 * e.colours; i < dib.size(); ++i) {
            highest = std::max(highest, dib[i]);
        }
        EXPECT_LT(highest, e.colours);
    }
}

TEST(ProgramResourcesTest, BitmapsAreTheGeneratedFilesWithoutTheirFileHeader) {
    for (const ExpectedBitmap& e : Bitmaps) {
        SCOPED_TRACE(e.id);
        std::ifstream in(
            std::string(TIDEWRACK_RESOURCE_FOLDER) + "/bitmap" + std::to_string(e.id) + ".bmp",
            std::ios::binary);
        const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in),
                                             std::istreambuf_iterator<char>()};
        ASSERT_GT(file.size(), 14u);
        const std::span<const std::uint8_t> dib = ProgramResources().Bitmap(e.id);
        EXPECT_TRUE(std::equal(dib.begin(), dib.end(), file.begin() + 14, file.end()));
    }
}

TEST(ProgramResourcesTest, BitmapsLoadThroughThePlatform) {
    platform::TestHost host;
    platform::SetHost(&host);
    for (const ExpectedBitmap& e : Bitmaps) {
        SCOPED_TRACE(e.id);
        platform::Bitmap* bitmap = platform::LoadBitmap(&ProgramResources(), e.id);
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap->width, e.width);
        EXPECT_EQ(bitmap->height, e.height);
        // A picture, not a flat fill.
        EXPECT_GT(std::set<platform::Pixel>(bitmap->pixels.begin(), bitmap->pixels.end()).size(),
                  e.colours / 2);
        platform::DeleteObject(bitmap);
    }
    platform::SetHost(nullptr);
}

TEST(ProgramResourcesTest, IconIsASquarePng) {
    const std::span<const std::uint8_t> png = ProgramResources().Icon(resources::IDI_TIDEWRACK);
    ASSERT_GT(png.size(), 24u);
    const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(std::begin(signature), std::end(signature), png.begin()));
    // IHDR: width and height, big-endian, right after the chunk header.
    auto bigEndian = [&](std::size_t at) {
        return (png[at] << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
    };
    EXPECT_EQ(bigEndian(16), bigEndian(20));
    EXPECT_GE(bigEndian(16), 32);
}

TEST(ProgramResourcesTest, UnknownIdsGiveNothing) {
    EXPECT_TRUE(ProgramResources().Bitmap(101).empty());
    EXPECT_TRUE(ProgramResources().Bitmap(104).empty());
    EXPECT_TRUE(ProgramResources().Icon(102).empty());
    platform::Menu menu;
    EXPECT_FALSE(ProgramResources().MenuTemplate(102, &menu));
    EXPECT_FALSE(ProgramResources().MenuTemplate(resources::IDR_MAIN_MENU, nullptr));
}

// Text without the mnemonic marks, so the names read as the game's menus are named.
std::string Plain(const std::string& text) {
    std::string plain;
    for (char c : text) {
        if (c != '&') plain += c;
    }
    return plain;
}

TEST(ProgramResourcesTest, MainMenuHoldsTheGamesCommands) {
    platform::Menu menu;
    ASSERT_TRUE(ProgramResources().MenuTemplate(resources::IDR_MAIN_MENU, &menu));
    ASSERT_EQ(menu.items.size(), 2u);
    const platform::MenuItem& file = menu.items[0];
    EXPECT_EQ(Plain(file.text), "File");
    ASSERT_EQ(file.items.size(), 6u);
    EXPECT_EQ(file.items[0].text, "&New");
    EXPECT_EQ(file.items[0].id, 40012);
    EXPECT_EQ(Plain(file.items[1].text), "Host a Network Game...");
    EXPECT_EQ(file.items[1].id, resources::IDM_HOST_NETWORK);
    EXPECT_EQ(Plain(file.items[2].text), "Join a Network Game...");
    EXPECT_EQ(file.items[2].id, resources::IDM_JOIN_NETWORK);
    EXPECT_EQ(Plain(file.items[3].text), "Statistics...");
    EXPECT_EQ(file.items[3].id, 40015);
    EXPECT_TRUE(file.items[4].separator);
    EXPECT_EQ(file.items[5].text, "&Exit\tAlt+F4");
    EXPECT_EQ(file.items[5].id, 40005);

    const platform::MenuItem& options = menu.items[1];
    EXPECT_EQ(Plain(options.text), "Options");
    ASSERT_EQ(options.items.size(), 3u);
    const platform::MenuItem& sound = options.items[0];
    EXPECT_EQ(Plain(sound.text), "Sound");
    ASSERT_EQ(sound.items.size(), 2u);
    EXPECT_EQ(sound.items[0].text, "On");
    EXPECT_EQ(sound.items[0].id, 40007);
    EXPECT_EQ(sound.items[1].text, "Off");
    EXPECT_EQ(sound.items[1].id, 40008);
    const platform::MenuItem& size = options.items[1];
    EXPECT_EQ(Plain(size.text), "Screen Size");
    ASSERT_EQ(size.items.size(), 3u);
    const std::pair<const char*, int> sizes[] = {
        {"640 by 480", 40009}, {"800 by 600", 40010}, {"1024 by 768", 40011}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(size.items[i].text, sizes[i].first);
        EXPECT_EQ(size.items[i].id, sizes[i].second);
    }
    const platform::MenuItem& opponent = options.items[2];
    EXPECT_EQ(Plain(opponent.text), "Opponent");
    ASSERT_EQ(opponent.items.size(), 2u);
    EXPECT_EQ(opponent.items[0].text, "Standard");
    EXPECT_EQ(opponent.items[0].id, 40013);
    EXPECT_EQ(opponent.items[1].text, "Expert");
    EXPECT_EQ(opponent.items[1].id, 40014);
    // Nothing starts checked or grayed: the program sets the marks itself.
    for (const platform::MenuItem* item : {&sound.items[0], &sound.items[1], &size.items[0]}) {
        EXPECT_FALSE(item->checked);
        EXPECT_FALSE(item->grayed);
    }
}

}  // namespace
