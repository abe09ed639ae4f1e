// bench/imaging_bench.cpp: the costs of the board's pictures: an opaque full-screen stretch against
// a plain copy of the same frame, a transparent mark with its mask, and loading a screen-size file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "imaging/picture.h"
#include "platform/drawing/drawing.h"

namespace {

constexpr int FrameWidth = 1024;
constexpr int FrameHeight = 768;

// A colour memory context over a new bitmap, as the board painting draws into.
struct Frame {
    Frame(int width, int height) {
        bitmap = platform::CreateBitmap(width, height, 1, 32, nullptr);
        dc = platform::CreateCompatibleDC(nullptr);
        platform::SelectObject(dc, bitmap);
    }
    ~Frame() {
        platform::DeleteDC(dc);
        platform::DeleteObject(bitmap);
    }
    platform::Bitmap* bitmap;
    platform::DeviceContext* dc;
};

void Pattern(platform::Bitmap* bitmap) {
    for (std::size_t i = 0; i < bitmap->pixels.size(); ++i)
        bitmap->pixels[i] = static_cast<platform::Pixel>(i * 2654435761u) & 0xFFFFFF;
}

void BM_FrameMemcpy(benchmark::State& state) {
    std::vector<platform::Pixel> from(FrameWidth * FrameHeight, 0x123456);
    std::vector<platform::Pixel> to(FrameWidth * FrameHeight);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(platform::Pixel));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * from.size() * sizeof(platform::Pixel));
}
BENCHMARK(BM_FrameMemcpy);

void BM_OpaqueStretchFullFrame(benchmark::State& state) {
    Frame frame(FrameWidth, FrameHeight);
    imaging::Picture sea;
    sea.bitmap = platform::CreateBitmap(FrameWidth, FrameHeight, 1, 32, nullptr);
    Pattern(sea.bitmap);
    sea.SetBounds(0, 0, 0, 0);
    for (auto _ : state) {
        sea.Draw(frame.dc);
        benchmark::DoNotOptimize(frame.bitmap->pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * FrameWidth * FrameHeight * 4);
}
BENCHMARK(BM_OpaqueStretchFullFrame);

// The sea drawn into the 800 by 600 layout's client area: a shrink that combines pixels.
void BM_OpaqueShrinkTo800x600(benchmark::State& state) {
    Frame frame(800, 600);
    imaging::Picture sea;
    sea.bitmap = platform::CreateBitmap(FrameWidth, FrameHeight, 1, 32, nullptr);
    Pattern(sea.bitmap);
    sea.scale = 0;
    sea.SetBounds(0, 0, 800, 600);
    for (auto _ : state) {
        sea.Draw(frame.dc);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_OpaqueShrinkTo800x600);

// A hit mark as the board painting draws it: bounds set (so the mask is rebuilt), then drawn.
void BM_TransparentMarkWithMask(benchmark::State& state) {
    Frame frame(FrameWidth, FrameHeight);
    Pattern(frame.bitmap);
    imaging::Picture mark;
    mark.bitmap = platform::CreateBitmap(40, 42, 1, 32, nullptr);
    for (int y = 0; y < 42; ++y)
        for (int x = 0; x < 40; ++x)
            mark.bitmap->Row(y)[x] =
                (x - 20) * (x - 20) + (y - 21) * (y - 21) < 300 ? 0xC00000 : 0xFFFFFF;
    mark.SetDrawMode(imaging::DrawModeTransparent);
    for (auto _ : state) {
        mark.SetBounds(500, 300, 0, 0);
        mark.Draw(frame.dc);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TransparentMarkWithMask);

void BM_Load1024x768x24(benchmark::State& state) {
    const int stride = FrameWidth * 3;
    std::vector<std::uint8_t> file(54 + static_cast<std::size_t>(stride) * FrameHeight);
    auto put32 = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, FrameWidth);
    put32(22, FrameHeight);
    file[26] = 1;
    file[28] = 24;
    for (std::size_t i = 54; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(i * 7);
    const std::string folder = "/tmp/";
    const std::string name = "tidewrack_bench_" + std::to_string(::getpid()) + ".bmp";
    std::FILE* out = std::fopen((folder + name).c_str(), "wb");
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
    imaging::Picture picture;
    for (auto _ : state) {
        if (!picture.Load(folder.c_str(), name.c_str())) state.SkipWithError("load failed");
    }
    std::remove((folder + name).c_str());
}
BENCHMARK(BM_Load1024x768x24)->Unit(benchmark::kMillisecond);

}  // namespace
