// tests/windows/window_test_support.h: what the pop-up and viewer tests share: the test host
// installed for one test, an owner window that counts its paints, pictures made in the test, and
// a loop that hands every waiting message to its window.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "platform/drawing/drawing.h"
#include "platform/messages.h"
#include "platform/module_resources.h"
#include "platform/repaint.h"
#include "platform/test/test_host.h"
#include "platform/window.h"

namespace windows_test {

// The colour of a test picture at a pixel: stripes that show any shift or flip.
inline platform::ColourRef PatternColour(int x, int y) {
    static const platform::ColourRef palette[] = {
        platform::Rgb(200, 30, 40), platform::Rgb(20, 160, 60), platform::Rgb(240, 220, 10),
        platform::Rgb(30, 40, 210)};
    return palette[(x / 5 + y / 7) % 4];
}

// Bitmap resources built in the test: 8 bits per pixel, 4 colours, rows bottom-up.
class FakePictures : public platform::ModuleResources {
  public:
    void Add(int id, int width, int height) {
        const int stride = (width + 3) / 4 * 4;
        std::vector<std::uint8_t> bytes(40 + 4 * 4 + static_cast<std::size_t>(stride) * height);
        auto put32 = [&bytes](std::size_t at, std::uint32_t v) {
            for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        };
        put32(0, 40);
        put32(4, static_cast<std::uint32_t>(width));
        put32(8, static_cast<std::uint32_t>(height));
        bytes[12] = 1;  // planes
        bytes[14] = 8;  // bits per pixel
        put32(32, 4);   // colours used
        for (int i = 0; i < 4; ++i) {
            const platform::ColourRef c = PatternColour(5 * i, 0);
            bytes[40 + 4 * i] = static_cast<std::uint8_t>(platform::BlueOf(c));
            bytes[41 + 4 * i] = static_cast<std::uint8_t>(platform::GreenOf(c));
            bytes[42 + 4 * i] = static_cast<std::uint8_t>(platform::RedOf(c));
        }
        for (int y = 0; y < height; ++y) {
            const std::size_t row = 56 + static_cast<std::size_t>(height - 1 - y) * stride;
            for (int x = 0; x < width; ++x) {
                bytes[row + x] = static_cast<std::uint8_t>((x / 5 + y / 7) % 4);
            }
        }
        bitmaps_[id] = std::move(bytes);
    }
    std::span<const std::uint8_t> Bitmap(int id) const override {
        auto found = bitmaps_.find(id);
        if (found == bitmaps_.end()) return {};
        return found->second;
    }
    std::span<const std::uint8_t> Icon(int) const override { return {}; }
    bool MenuTemplate(int, platform::Menu*) const override { return false; }

  private:
    std::map<int, std::vector<std::uint8_t>> bitmaps_;
};

// Hands every waiting message, due timer and paint request to its window.
inline void RunQueue() {
    platform::Message message;
    while (platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
        platform::DispatchMessage(&message);
    }
}

inline int OwnerPaints = 0;

inline platform::LRESULT OwnerProc(platform::Window* window, std::uint32_t message,
                                   platform::WPARAM wParam, platform::LPARAM lParam) {
    if (message == platform::WM_PAINT) {
        ++OwnerPaints;
        platform::PaintStruct paint;
        platform::BeginPaint(window, &paint);
        platform::EndPaint(window, &paint);
        return 0;
    }
    return platform::DefWindowProc(window, message, wParam, lParam);
}

// The test host for one test, with a shown owner window standing in for the main window.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::SetHost(&host);
        platform::WindowClass ownerClass;
        ownerClass.name = "TestOwner";
        ownerClass.procedure = OwnerProc;
        platform::RegisterClassEx(ownerClass);
        owner = platform::CreateWindowEx(0, "TestOwner", "Owner", platform::WS_POPUP, 0, 0,
                                         host.Screen().width, host.Screen().height, nullptr, 0,
                                         nullptr);
        platform::ShowWindow(owner, platform::SW_SHOWNORMAL);
        RunQueue();
        OwnerPaints = 0;
    }
    void TearDown() override {
        platform::ResetMessageQueue();
        platform::SetHost(nullptr);
    }

    // The top-level windows of a class, oldest first.
    static std::vector<platform::Window*> WindowsOfClass(const std::string& name) {
        std::vector<platform::Window*> found;
        for (platform::Window* w : platform::TopLevelWindows()) {
            if (w->windowClass != nullptr && w->windowClass->name == name) found.push_back(w);
        }
        return found;
    }

    platform::TestHost host;
    platform::Window* owner = nullptr;
};

}  // namespace windows_test
