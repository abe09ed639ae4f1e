// tests/platform/sockets_test.cpp: connections over the loopback addresses, every event taken
// from the one queue on the test host, which waits for them in real time but never for long.
#include "platform/sockets.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/platform/core_fixture.h"

namespace {

using platform::SocketEvent;
using platform::SocketId;

struct SocketMessage {
    SocketId socket = 0;
    SocketEvent event = SocketEvent::Read;
    int error = 0;
};

class SocketsTest : public core_test::CoreTest {
  protected:
    SocketsTest() {
        host.socketPatienceMilliseconds = 3000;
        window = MakeWindow();
    }
    ~SocketsTest() override { platform::CloseAllSockets(); }

    // The next socket event, through GetMessage as the game takes it; nothing when the host
    // gave up waiting (it then asks the program to quit).
    std::optional<SocketMessage> NextEvent() {
        platform::Message message;
        while (platform::GetMessage(&message, nullptr, 0, 0)) {
            if (message.message == platform::WM_SOCKET) {
                EXPECT_EQ(message.window, window);
                return SocketMessage{message.wParam, platform::SocketEventOf(message.lParam),
                                     platform::SocketErrorOf(message.lParam)};
            }
        }
        return std::nullopt;
    }

    SocketMessage Expect(SocketEvent event) {
        const std::optional<SocketMessage> m = NextEvent();
        if (!m) {
            ADD_FAILURE() << "no socket event came";
            return {};
        }
        EXPECT_EQ(static_cast<int>(m->event), static_cast<int>(event));
        return *m;
    }

    // Reads the socket's bytes, as Read events bring them, until there are this many.
    std::string ReceiveText(SocketId socket, std::size_t size) {
        std::string text;
        while (text.size() < size) {
            const SocketMessage m = Expect(SocketEvent::Read);
            if (m.socket != socket) break;
            const std::vector<std::uint8_t> bytes = platform::ReceiveFromSocket(socket);
            EXPECT_LE(bytes.size(), platform::MaxUnreadBytes);
            text.append(bytes.begin(), bytes.end());
        }
        return text;
    }

    static bool Send(SocketId socket, const std::string& text) {
        return platform::SendToSocket(
            socket, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    }

    // A host and a friend connected to it over the address.
    struct Pair {
        SocketId listener = 0;
        SocketId hostSide = 0;
        SocketId friendSide = 0;
    };
    Pair Connect(const std::string& address) {
        Pair pair;
        pair.listener = platform::ListenOnPort(window, address, 0);
        EXPECT_NE(pair.listener, 0u);
        pair.friendSide =
            platform::ConnectToHost(window, address, platform::SocketPort(pair.listener));
        // Either may be reported first; both must come.
        for (int i = 0; i < 2; ++i) {
            const std::optional<SocketMessage> m = NextEvent();
            if (!m) {
                ADD_FAILURE() << "the connection was never made over " << address;
                break;
            }
            if (m->event == SocketEvent::Accepted) pair.hostSide = m->socket;
            if (m->event == SocketEvent::Connected) {
                EXPECT_EQ(m->socket, pair.friendSide);
                EXPECT_EQ(m->error, 0) << platform::SocketErrorText(m->error);
            }
        }
        EXPECT_NE(pair.hostSide, 0u);
        return pair;
    }

    platform::Window* window = nullptr;
};

TEST_F(SocketsTest, BytesGoBothWaysAndAFarewellSentJustBeforeClosingArrives) {
    for (const std::string address : {"127.0.0.1", "::1"}) {
        SCOPED_TRACE(address);
        const Pair pair = Connect(address);
        EXPECT_EQ(platform::PeerAddress(pair.hostSide), address);

        ASSERT_TRUE(Send(pair.friendSide, "hello, host"));
        EXPECT_EQ(ReceiveText(pair.hostSide, 11), "hello, host");
        ASSERT_TRUE(Send(pair.hostSide, "hello, friend"));
        EXPECT_EQ(ReceiveText(pair.friendSide, 13), "hello, friend");

        // The host says goodbye and closes at once: the words still arrive, then the close.
        ASSERT_TRUE(Send(pair.hostSide, "goodbye"));
        platform::CloseSocket(pair.hostSide);
        EXPECT_EQ(ReceiveText(pair.friendSide, 7), "goodbye");
        const SocketMessage closed = Expect(SocketEvent::Closed);
        EXPECT_EQ(closed.socket, pair.friendSide);
        EXPECT_EQ(closed.error, 0);
        EXPECT_FALSE(Send(pair.friendSide, "anyone?"));  // dead: refused, nothing queued

        platform::CloseSocket(pair.friendSide);
        platform::CloseSocket(pair.listener);
    }
}

TEST_F(SocketsTest, EveryAddressListensWhenNoneIsGiven) {
    // The one dual-stack socket hears friends over IPv4 and IPv6 alike.
    for (const std::string address : {"127.0.0.1", "::1"}) {
        SCOPED_TRACE(address);
        const SocketId listener = platform::ListenOnPort(window, "", 0);
        ASSERT_NE(listener, 0u);
        const SocketId friendSide =
            platform::ConnectToHost(window, address, platform::SocketPort(listener));
        bool accepted = false;
        bool connected = false;
        while (!(accepted && connected)) {
            const std::optional<SocketMessage> m = NextEvent();
            ASSERT_TRUE(m.has_value());
            accepted |= m->event == SocketEvent::Accepted;
            connected |= m->event == SocketEvent::Connected && m->socket == friendSide;
        }
        platform::CloseAllSockets();
    }
}

TEST_F(SocketsTest, AHostAcceptsOneFriendAndClosesOnEveryOtherUnread) {
    const Pair pair = Connect("127.0.0.1");
    const SocketId intruder =
        platform::ConnectToHost(window, "127.0.0.1", platform::SocketPort(pair.listener));
    EXPECT_EQ(Expect(SocketEvent::Connected).socket, intruder);
    const SocketMessage closed = Expect(SocketEvent::Closed);
    EXPECT_EQ(closed.socket, intruder);

    // The friend is still the host's.
    ASSERT_TRUE(Send(pair.friendSide, "still here"));
    EXPECT_EQ(ReceiveText(pair.hostSide, 10), "still here");
}

TEST_F(SocketsTest, AConnectionNobodyAnswersIsReportedWithItsError) {
    // A port that was just free: listen on it, note it, let it go.
    const SocketId listener = platform::ListenOnPort(window, "127.0.0.1", 0);
    const std::uint16_t port = platform::SocketPort(listener);
    platform::CloseSocket(listener);

    const SocketId socket = platform::ConnectToHost(window, "127.0.0.1", port);
    const SocketMessage m = Expect(SocketEvent::Connected);
    EXPECT_EQ(m.socket, socket);
    EXPECT_EQ(m.error, ECONNREFUSED) << platform::SocketErrorText(m.error);
    EXPECT_FALSE(Send(socket, "x"));
}

TEST_F(SocketsTest, AListenerReportsAPortInUse) {
    const SocketId first = platform::ListenOnPort(window, "127.0.0.1", 0);
    int error = 0;
    EXPECT_EQ(platform::ListenOnPort(window, "127.0.0.1", platform::SocketPort(first), &error), 0u);
    EXPECT_EQ(error, EADDRINUSE);
    EXPECT_EQ(platform::ListenOnPort(window, "not an address", 0, &error), 0u);
    EXPECT_NE(error, 0);
}

TEST_F(SocketsTest, AHostNameIsLookedUpWithoutHoldingTheGame) {
    std::ifstream hosts("/etc/hosts");
    std::string line;
    bool known = false;
    while (std::getline(hosts, line))
        known |= line.starts_with("127.0.0.1") && line.find("localhost") != std::string::npos;
    if (!known) GTEST_SKIP() << "localhost is not in /etc/hosts; a name server is not asked";

    const SocketId listener = platform::ListenOnPort(window, "127.0.0.1", 0);
    const SocketId socket =
        platform::ConnectToHost(window, "localhost", platform::SocketPort(listener));
    // The lookup runs apart: the call returned with the connection still to come.
    bool connected = false;
    for (int i = 0; i < 2; ++i) {
        const std::optional<SocketMessage> m = NextEvent();
        ASSERT_TRUE(m.has_value());
        if (m->event == SocketEvent::Connected) {
            EXPECT_EQ(m->socket, socket);
            EXPECT_EQ(m->error, 0) << platform::SocketErrorText(m->error);
            connected = true;
        }
    }
    EXPECT_TRUE(connected);
}

TEST_F(SocketsTest, AFloodIsHeldBackAndArrivesWhole) {
    const Pair pair = Connect("::1");
    std::string flood(300 * 1024, '\0');
    for (std::size_t i = 0; i < flood.size(); ++i) flood[i] = static_cast<char>('a' + i % 26);
    ASSERT_TRUE(Send(pair.friendSide, flood));
    EXPECT_EQ(ReceiveText(pair.hostSide, flood.size()), flood);

    // Beyond what may wait unsent, a send is refused whole.
    const std::string tooMuch(platform::MaxUnsentBytes + 1, 'x');
    EXPECT_FALSE(Send(pair.friendSide, tooMuch));
}

TEST_F(SocketsTest, NoEventOfAClosedSocketIsDelivered) {
    const Pair pair = Connect("127.0.0.1");
    ASSERT_TRUE(Send(pair.friendSide, "unread"));
    // Let the bytes arrive and their Read be queued, then close before the game takes it.
    platform::Message peeked;
    for (int i = 0; i < 100 && !platform::PeekMessage(&peeked, nullptr, platform::WM_SOCKET,
                                                      platform::WM_SOCKET, platform::PM_NOREMOVE);
         ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_EQ(peeked.wParam, pair.hostSide);
    platform::CloseSocket(pair.hostSide);
    // The friend hears the close, and nothing of the closed socket comes before or after.
    const SocketMessage closed = Expect(SocketEvent::Closed);
    EXPECT_EQ(closed.socket, pair.friendSide);
    platform::CloseSocket(pair.friendSide);
    host.socketPatienceMilliseconds = 50;
    EXPECT_FALSE(NextEvent().has_value());
}

TEST_F(SocketsTest, TheTestHostWakesForAPeerAndGivesUpOnASilentOne) {
    const SocketId listener = platform::ListenOnPort(window, "127.0.0.1", 0);
    const std::uint16_t port = platform::SocketPort(listener);
    // A peer of plain sockets on a thread of its own, which speaks only after a while: the wait
    // must end on its bytes, not on the script or the clock.
    std::thread peer([port] {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            [[maybe_unused]] const ssize_t sent = send(fd, "late", 4, MSG_NOSIGNAL);
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        close(fd);
    });
    const SocketId accepted = Expect(SocketEvent::Accepted).socket;
    EXPECT_EQ(ReceiveText(accepted, 4), "late");
    EXPECT_EQ(Expect(SocketEvent::Closed).socket, accepted);
    peer.join();
    EXPECT_EQ(host.QuitRequests(), 0);

    // Nobody else will come: the wait ends after the patience, and the program is asked to quit.
    host.socketPatienceMilliseconds = 100;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(NextEvent().has_value());
    EXPECT_EQ(host.QuitRequests(), 1);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
}

}  // namespace
