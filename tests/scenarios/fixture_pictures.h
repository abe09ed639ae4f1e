// tests/scenarios/fixture_pictures.h: a picture folder of our own for the battle's tests and
// benchmarks, at the sizes the game's real pictures have: plain colours and shapes, so a test
// knows every pixel a mark or a ship can put on the frame and what is white (transparent) in it.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace fixtures {

struct Rgb24 {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};
constexpr Rgb24 White{255, 255, 255};

// The colours the marks and ships draw with, none of them pure white.
constexpr Rgb24 TargetColour{220, 20, 20};
constexpr Rgb24 MissColour{30, 90, 230};
constexpr Rgb24 HitColour{250, 120, 0};
constexpr Rgb24 AfloatColour{120, 120, 130};
constexpr Rgb24 SunkColour{90, 30, 20};

// Cell size of the mark and ship pictures: the design cell of a 1024 by 768 screen.
constexpr int CellWidth = 40;
constexpr int CellHeight = 42;

// A 24-bit bottom-up Windows bitmap file.
inline void WriteBmp(const std::string& path, int width, int height,
                     const std::function<Rgb24(int x, int y)>& pixel) {
    const int rowBytes = (width * 3 + 3) & ~3;
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(rowBytes) * height;
    std::vector<std::uint8_t> file(54 + pixelBytes, 0);
    auto put32 = [&file](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    file[26] = 1;
    file[28] = 24;
    put32(34, pixelBytes);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = file.data() + 54 + static_cast<std::size_t>(height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            const Rgb24 c = pixel(x, y);
            row[3 * x] = c.blue;
            row[3 * x + 1] = c.green;
            row[3 * x + 2] = c.red;
        }
    }
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) std::abort();
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
}

// A hull: an ellipse filling the picture, white around it.
inline std::function<Rgb24(int, int)> Hull(int width, int height, Rgb24 colour) {
    return [=](int x, int y) {
        const double dx = (x + 0.5 - width / 2.0) / (width / 2.0);
        const double dy = (y + 0.5 - height / 2.0) / (height / 2.0);
        return dx * dx + dy * dy <= 0.9 ? colour : White;
    };
}

// The marks and ships; factor 2 draws the same shapes on twice as many pixels each way.
inline void WritePictureSet(const std::string& folder, int factor = 1) {
    const int w = CellWidth * factor;
    const int h = CellHeight * factor;
    WriteBmp(folder + "/Target.bmp", w, h, [=](int x, int y) {
        const bool cross = std::abs(x - w / 2) < 3 * factor || std::abs(y - h / 2) < 3 * factor;
        return cross ? TargetColour : White;
    });
    WriteBmp(folder + "/Miss.bmp", w, h, Hull(w, h, MissColour));
    WriteBmp(folder + "/Hit.bmp", w, h, [=](int x, int y) {
        return std::abs(x - w / 2) + std::abs(y - h / 2) < 14 * factor ? HitColour : White;
    });
    constexpr int lengths[5] = {5, 4, 3, 3, 2};
    for (int id = 1; id <= 5; ++id) {
        const int along = lengths[id - 1];
        const std::string n = std::to_string(id);
        WriteBmp(folder + "/boat" + n + ".bmp", w * along, h, Hull(w * along, h, AfloatColour));
        WriteBmp(folder + "/boat" + n + "b.bmp", w, h * along, Hull(w, h * along, AfloatColour));
        WriteBmp(folder + "/sunk" + n + ".bmp", w * along, h, Hull(w * along, h, SunkColour));
        WriteBmp(folder + "/sunk" + n + "b.bmp", w, h * along, Hull(w, h * along, SunkColour));
    }
}

// The sea and both boards, drawn factor times as large each way.
inline void WriteScenery(const std::string& folder, int factor) {
    WriteBmp(folder + "/SeaBack.bmp", 1024 * factor, 768 * factor, [=](int x, int y) {
        return Rgb24{20, static_cast<std::uint8_t>(60 + y / factor / 8),
                     static_cast<std::uint8_t>(120 + x / factor / 16)};
    });
    for (int board = 1; board <= 2; ++board) {
        const std::uint8_t tint = board == 1 ? 40 : 70;
        WriteBmp(folder + "/Grid" + std::to_string(board) + ".bmp", 480 * factor, 504 * factor,
                 [=](int x, int y) {
                     return x / factor % 40 == 0 || y / factor % 42 == 0 ? Rgb24{200, 200, 210}
                                                                         : Rgb24{10, tint, 90};
                 });
    }
}

// Writes Pictures/ (sea and both boards) with its three picture sets into a new folder under
// /tmp and makes it the working folder, so the game's relative paths find them. Returns it.
// withDoubleSet adds the set for scaled screens (P2048, with its own sea and boards).
inline std::string MakeFixturePictureFolder(bool withDoubleSet = false) {
    char name[] = "/tmp/tidewrack-pictures-XXXXXX";
    if (mkdtemp(name) == nullptr) std::abort();
    const std::string root = name;
    const std::string pictures = root + "/Pictures";
    mkdir(pictures.c_str(), 0755);
    WriteScenery(pictures, 1);
    for (const char* set : {"/P640", "/P800", "/P1024"}) {
        const std::string folder = pictures + set;
        mkdir(folder.c_str(), 0755);
        WritePictureSet(folder);
    }
    if (withDoubleSet) {
        const std::string folder = pictures + "/P2048";
        mkdir(folder.c_str(), 0755);
        WritePictureSet(folder, 2);
        WriteScenery(folder, 2);
    }
    if (chdir(root.c_str()) != 0) std::abort();
    return root;
}

}  // namespace fixtures
