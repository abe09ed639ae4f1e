// tests/fuzz/bitmap_reader_fuzz.cpp: libFuzzer target for the bitmap reader. Each input is loaded
// from a file by Picture::Load, as the game loads its pictures, and what loads is drawn both ways.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "imaging/picture.h"
#include "platform/drawing/drawing.h"

namespace {

struct Scratch {
    Scratch() {
        folder = "/tmp/";
        name = "tidewrack_bitmap_fuzz_" + std::to_string(::getpid()) + ".bmp";
        surface = platform::CreateBitmap(48, 48, 1, 32, nullptr);
        dc = platform::CreateCompatibleDC(nullptr);
        platform::SelectObject(dc, surface);
    }
    ~Scratch() { std::remove((folder + name).c_str()); }
    std::string folder;
    std::string name;
    platform::Bitmap* surface;
    platform::DeviceContext* dc;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Scratch scratch;
    // One Picture for the whole run, so every load also releases what the last one left.
    static imaging::Picture picture;
    std::FILE* file = std::fopen((scratch.folder + scratch.name).c_str(), "wb");
    if (file == nullptr) return 0;
    if (size > 0) std::fwrite(data, 1, size, file);
    std::fclose(file);

    picture.scale = 0;
    picture.SetDrawMode(imaging::DrawModeOpaque);
    if (!picture.Load(scratch.folder.c_str(), scratch.name.c_str())) return 0;
    // Drawn into a small target, shrunk or grown, opaque and transparent, partly off its edge.
    picture.SetBounds(-3, 5, 40, 29);
    picture.Draw(scratch.dc);
    picture.SetDrawMode(imaging::DrawModeTransparent);
    picture.SetBounds(20, -7, 61, 30);
    picture.Draw(scratch.dc);
    return 0;
}
