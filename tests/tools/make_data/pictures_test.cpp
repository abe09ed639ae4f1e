// tests/tools/make_data/pictures_test.cpp: every picture of the data folder loads with the game's
// Picture at the size and depth the game draws it at, and every ship and mark keeps pure white for
// its surroundings only, with no light fringe at its outline.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "imaging/picture.h"
#include "platform/test/test_host.h"
#include "tests/tools/make_data/data_folder.h"

namespace {

struct Expected {
    std::string folder;  // game folder below the data folder, e.g. "Pictures\P800\"
    std::string file;
    int width;
    int height;
};

struct PictureSet {
    int screenWidth;
    int cellWidth;
    int cellHeight;
};
const PictureSet Sets[] = {{640, 25, 25}, {800, 31, 32}, {1024, 40, 42}, {2048, 80, 84}};
const int ShipLengths[] = {5, 4, 3, 3, 2};

std::vector<Expected> SetPictures(const PictureSet& set) {
    const std::string folder = "Pictures\\P" + std::to_string(set.screenWidth) + "\\";
    std::vector<Expected> pictures;
    for (const char* mark : {"Target.bmp", "Miss.bmp", "Hit.bmp"}) {
        pictures.push_back({folder, mark, set.cellWidth, set.cellHeight});
    }
    for (int ship = 1; ship <= 5; ++ship) {
        const int cells = ShipLengths[ship - 1];
        for (const std::string kind : {"boat", "sunk"}) {
            const std::string number = std::to_string(ship);
            pictures.push_back(
                {folder, kind + number + ".bmp", cells * set.cellWidth, set.cellHeight});
            pictures.push_back(
                {folder, kind + number + "b.bmp", set.cellWidth, cells * set.cellHeight});
        }
    }
    return pictures;
}

std::vector<Expected> AllPictures() {
    std::vector<Expected> pictures = {{"Pictures\\", "SeaBack.bmp", 1024, 768},
                                      {"Pictures\\", "Grid1.bmp", 480, 504},
                                      {"Pictures\\", "Grid2.bmp", 480, 504},
                                      {"Pictures\\P2048\\", "SeaBack.bmp", 2048, 1536},
                                      {"Pictures\\P2048\\", "Grid1.bmp", 960, 1008},
                                      {"Pictures\\P2048\\", "Grid2.bmp", 960, 1008}};
    for (const PictureSet& set : Sets) {
        for (const Expected& e : SetPictures(set)) pictures.push_back(e);
    }
    return pictures;
}

class DataPicturesTest : public ::testing::Test {
  protected:
    void SetUp() override { platform::SetHost(&host); }
    void TearDown() override { platform::SetHost(nullptr); }
    platform::TestHost host;
};

constexpr platform::Pixel White = 0xFFFFFF;

bool IsWhite(platform::Pixel p) { return (p & 0xFFFFFF) == White; }
bool IsNearWhite(platform::Pixel p) {
    return ((p >> 16) & 0xFF) >= 224 && ((p >> 8) & 0xFF) >= 224 && (p & 0xFF) >= 224;
}

struct ShapeReport {
    bool cornersWhite = false;
    int shapePixels = 0;
    int lightFringePixels = 0;  // shape pixels next to the transparent white that are near white
    int pinholes = 0;  // small white areas the picture's edge cannot reach: water through a shape
};

ShapeReport Inspect(const platform::Bitmap& bitmap) {
    const int w = bitmap.width;
    const int h = bitmap.height;
    auto at = [&](int x, int y) { return bitmap.pixels[static_cast<std::size_t>(y) * w + x]; };
    ShapeReport report;
    report.cornersWhite = IsWhite(at(0, 0)) && IsWhite(at(w - 1, 0)) && IsWhite(at(0, h - 1)) &&
                          IsWhite(at(w - 1, h - 1));
    std::vector<bool> reached(static_cast<std::size_t>(w) * h, false);
    std::deque<std::pair<int, int>> queue;
    auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h) return;
        const std::size_t i = static_cast<std::size_t>(y) * w + x;
        if (reached[i] || !IsWhite(at(x, y))) return;
        reached[i] = true;
        queue.emplace_back(x, y);
    };
    // Flood each white area in turn; an area that never meets the edge is enclosed.
    for (int y0 = 0; y0 < h; ++y0) {
        for (int x0 = 0; x0 < w; ++x0) {
            if (reached[static_cast<std::size_t>(y0) * w + x0] || !IsWhite(at(x0, y0))) continue;
            visit(x0, y0);
            int size = 0;
            bool edge = false;
            while (!queue.empty()) {
                const auto [x, y] = queue.front();
                queue.pop_front();
                ++size;
                edge = edge || x == 0 || y == 0 || x == w - 1 || y == h - 1;
                visit(x + 1, y), visit(x - 1, y), visit(x, y + 1), visit(x, y - 1);
            }
            if (!edge && size <= 12) ++report.pinholes;
        }
    }
    const int dx[] = {1, -1, 0, 0};
    const int dy[] = {0, 0, 1, -1};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const platform::Pixel p = at(x, y);
            if (IsWhite(p)) continue;
            ++report.shapePixels;
            for (int d = 0; d < 4; ++d) {
                const int nx = x + dx[d];
                const int ny = y + dy[d];
                if (nx >= 0 && ny >= 0 && nx < w && ny < h && IsWhite(at(nx, ny)) &&
                    IsNearWhite(p)) {
                    ++report.lightFringePixels;
                    break;
                }
            }
        }
    }
    return report;
}

int BitsPerPixel(const imaging::Picture& picture) {
    return static_cast<int>(data_test::U16At(picture.infoBlock->bytes, 14));
}

TEST_F(DataPicturesTest, EveryPictureLoadsAtItsSizeIn24Bits) {
    const std::vector<Expected> pictures = AllPictures();
    ASSERT_EQ(pictures.size(), 6u + 4u * 23u);
    for (const Expected& e : pictures) {
        SCOPED_TRACE(e.folder + e.file);
        imaging::Picture picture;
        ASSERT_TRUE(picture.Load(data_test::GameFolder(e.folder).c_str(), e.file.c_str()));
        ASSERT_NE(picture.bitmap, nullptr);
        EXPECT_EQ(picture.bitmap->width, e.width);
        EXPECT_EQ(picture.bitmap->height, e.height);
        EXPECT_EQ(BitsPerPixel(picture), 24);
    }
}

TEST_F(DataPicturesTest, ShipsAndMarksUsePureWhiteOnlyAroundTheirShapes) {
    for (const PictureSet& set : Sets) {
        for (const Expected& e : SetPictures(set)) {
            SCOPED_TRACE(e.folder + e.file);
            imaging::Picture picture;
            ASSERT_TRUE(picture.Load(data_test::GameFolder(e.folder).c_str(), e.file.c_str()));
            const ShapeReport report = Inspect(*picture.bitmap);
            const int area = e.width * e.height;
            EXPECT_TRUE(report.cornersWhite);
            // Something clearly drawn, and clearly some water left to show through.
            EXPECT_GT(report.shapePixels, area / 6);
            EXPECT_LT(report.shapePixels, area * 9 / 10);
            EXPECT_EQ(report.lightFringePixels, 0);
            // The crosshair's ring encloses water on purpose, but no shape has pinholes.
            EXPECT_EQ(report.pinholes, 0);
        }
    }
}

// The two boards must be told apart at a glance: the player's water is green-blue, the enemy's
// red-tinted.
TEST_F(DataPicturesTest, TheTwoBoardsHaveDifferentWater) {
    auto average = [](const platform::Bitmap& bitmap, int shift) {
        double sum = 0;
        for (platform::Pixel p : bitmap.pixels) sum += (p >> shift) & 0xFF;
        return sum / static_cast<double>(bitmap.pixels.size());
    };
    imaging::Picture home, enemy;
    ASSERT_TRUE(home.Load(data_test::GameFolder("Pictures\\").c_str(), "Grid1.bmp"));
    ASSERT_TRUE(enemy.Load(data_test::GameFolder("Pictures\\").c_str(), "Grid2.bmp"));
    EXPECT_GT(average(*home.bitmap, 8), average(*home.bitmap, 16) + 30);    // green over red
    EXPECT_GT(average(*enemy.bitmap, 16), average(*enemy.bitmap, 8) + 30);  // red over green
}

}  // namespace
