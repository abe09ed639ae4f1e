// tests/platform/qt/qt_host_sockets_test.cpp: the Qt host's wait ends when a socket is ready, so a
// game on a real display hears its friend with no timer ticking (offscreen platform).
#include <gtest/gtest.h>

#include <optional>

#include "platform/messages.h"
#include "platform/qt/qt_application.h"
#include "platform/sockets.h"
#include "platform/timers.h"
#include "platform/window.h"

namespace {

using platform::SocketEvent;

TEST(QtHostSockets, AWaitWithNoTimerWakesForEachSocketEvent) {
    char name[] = "qt_host_sockets_test";
    char* argv[] = {name, nullptr};
    platform::RunOnQtHost(1, argv, [] {
        platform::RegisterClassEx(
            platform::WindowClass{.name = "Sockets", .procedure = platform::DefWindowProc});
        platform::Window* window = platform::CreateWindowEx(
            0, "Sockets", "sockets", platform::WS_POPUP, 0, 0, 10, 10, nullptr, 0, nullptr);
        // Should a socket never wake the wait, this ends the test instead of hanging it.
        platform::SetTimer(window, 1, 10000);

        const platform::SocketId listener = platform::ListenOnPort(window, "127.0.0.1", 0);
        ASSERT_NE(listener, 0u);
        const platform::SocketId friendSide =
            platform::ConnectToHost(window, "127.0.0.1", platform::SocketPort(listener));
        platform::SocketId hostSide = 0;
        bool connected = false;
        std::string heard;
        platform::Message message;
        while (heard != "ahoy" && platform::GetMessage(&message, nullptr, 0, 0)) {
            ASSERT_NE(message.message, platform::WM_TIMER) << "a socket event never woke the wait";
            if (message.message != platform::WM_SOCKET) continue;
            switch (platform::SocketEventOf(message.lParam)) {
                case SocketEvent::Accepted:
                    hostSide = message.wParam;
                    break;
                case SocketEvent::Connected:
                    EXPECT_EQ(platform::SocketErrorOf(message.lParam), 0);
                    connected = true;
                    break;
                case SocketEvent::Read: {
                    const std::vector<std::uint8_t> bytes =
                        platform::ReceiveFromSocket(message.wParam);
                    heard.append(bytes.begin(), bytes.end());
                    break;
                }
                case SocketEvent::Closed:
                    ADD_FAILURE() << "closed";
                    return;
            }
            if (hostSide != 0 && connected && heard.empty()) {
                const std::uint8_t words[] = {'a', 'h', 'o', 'y'};
                ASSERT_TRUE(platform::SendToSocket(friendSide, words));
                connected = false;  // said once
            }
        }
        EXPECT_EQ(heard, "ahoy");
        platform::CloseAllSockets();
        platform::DestroyWindow(window);
    });
}

}  // namespace
