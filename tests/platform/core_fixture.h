// tests/platform/core_fixture.h: a test host installed for one test, a recording window class,
// and a way to run the queue until it is empty.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/messages.h"
#include "platform/test/test_host.h"
#include "platform/window.h"

namespace core_test {

struct Received {
    platform::Window* window;
    std::uint32_t message;
    platform::WPARAM wParam;
    platform::LPARAM lParam;
};

// Every message a recording window's procedure receives, in order.
inline std::vector<Received> received;

inline platform::LRESULT RecordingProc(platform::Window* window, std::uint32_t message,
                                       platform::WPARAM wParam, platform::LPARAM lParam) {
    received.push_back({window, message, wParam, lParam});
    return platform::DefWindowProc(window, message, wParam, lParam);
}

class CoreTest : public ::testing::Test {
  protected:
    CoreTest() { platform::SetHost(&host); }
    ~CoreTest() override {
        platform::ResetMessageQueue();
        platform::SetHost(nullptr);
        received.clear();
    }

    platform::Window* MakeWindow(std::uint32_t classStyle = 0, std::uint32_t style = 0,
                                 platform::Window* owner = nullptr) {
        const std::string name = "Recorder" + std::to_string(classStyle);
        platform::RegisterClassEx(
            platform::WindowClass{.name = name, .style = classStyle, .procedure = RecordingProc});
        platform::Window* window = platform::CreateWindowEx(
            0, name, "test", platform::WS_POPUP | style, 0, 0, 200, 100, owner, 0, nullptr);
        platform::ShowWindow(window, platform::SW_SHOWNORMAL);
        return window;
    }

    // Dispatches everything that waits, then returns what the windows received meanwhile.
    std::vector<std::uint32_t> Pump() {
        received.clear();
        platform::Message message;
        while (platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
            if (message.message == platform::WM_QUIT) break;
            platform::DispatchMessage(&message);
        }
        std::vector<std::uint32_t> kinds;
        for (const Received& r : received) kinds.push_back(r.message);
        return kinds;
    }

    platform::TestHost host;
};

}  // namespace core_test
