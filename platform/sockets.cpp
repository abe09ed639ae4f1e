// platform/sockets.cpp: non-blocking POSIX sockets behind WM_SOCKET. Every socket is a small
// state (listening, looking up its host, connecting, connected, closing, dead) stepped by
// ServiceSockets whenever its descriptor is ready; the hosts only wake for them.
#include "platform/sockets.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <string_view>
#include <utility>

#include "platform/core_state.h"
#include "platform/messages.h"
#include "platform/name_lookup.h"

namespace platform {
namespace {

enum class Stage { Listening, LookingUp, Connecting, Connected, Closing, Dead };

// Bytes still unsent when the game closes a connection get this long to leave; a peer that takes
// nothing for so long will not take them.
constexpr auto kClosingGrace = std::chrono::seconds(10);

struct Socket {
    Window* window = nullptr;
    Stage stage = Stage::Dead;
    int descriptor = -1;
    bool peerTaken = false;  // a listening socket's one peer
    std::unique_ptr<NameLookup> lookup;
    std::vector<SocketAddress> addresses;  // still to try, when connecting
    int lastError = 0;
    std::vector<std::uint8_t> unsent;
    std::vector<std::uint8_t> unread;
    bool readPosted = false;    // a Read the game has not answered with ReceiveFromSocket yet
    bool closedByGame = false;  // still sending its last bytes; forgotten once they are out
    std::chrono::steady_clock::time_point closingSince;
};

std::map<SocketId, Socket> sockets;
SocketId nextId = 1;

void CloseDescriptor(Socket& socket) {
    if (socket.descriptor >= 0) close(socket.descriptor);
    socket.descriptor = -1;
}

void Post(SocketId id, Socket& socket, SocketEvent event, int error) {
    PostMessage(socket.window, WM_SOCKET, id,
                MakeLong(static_cast<std::uint16_t>(event), static_cast<std::uint16_t>(error)));
}

// The connection is over: the game hears it once, and the socket stays, dead, until closed.
void Die(SocketId id, Socket& socket, int error) {
    CloseDescriptor(socket);
    socket.stage = Stage::Dead;
    socket.unsent.clear();
    Post(id, socket, SocketEvent::Closed, error);
}

int NewSocket(int family) {
    return ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

// Tries the addresses left in turn until one is being connected to; Connected with the last
// error when none is left.
void ConnectNext(SocketId id, Socket& socket) {
    while (!socket.addresses.empty()) {
        const SocketAddress address = socket.addresses.front();
        socket.addresses.erase(socket.addresses.begin());
        const int fd = NewSocket(address.storage.ss_family);
        if (fd < 0) {
            socket.lastError = errno;
            continue;
        }
        const int result =
            connect(fd, reinterpret_cast<const sockaddr*>(&address.storage), address.length);
        if (result == 0 || errno == EINPROGRESS) {
            socket.descriptor = fd;
            socket.stage = Stage::Connecting;
            return;
        }
        socket.lastError = errno;
        close(fd);
    }
    socket.stage = Stage::Dead;
    Post(id, socket, SocketEvent::Connected,
         socket.lastError != 0 ? socket.lastError : EHOSTUNREACH);
}

void FinishLookup(SocketId id, Socket& socket) {
    if (!socket.lookup->Done()) return;
    socket.addresses = socket.lookup->Addresses();
    socket.lookup.reset();
    if (socket.addresses.empty()) {
        socket.stage = Stage::Dead;
        Post(id, socket, SocketEvent::Connected, SocketErrorNoSuchHost);
        return;
    }
    ConnectNext(id, socket);
}

void FinishConnect(SocketId id, Socket& socket) {
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(socket.descriptor, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
    if (error == 0) {
        socket.stage = Stage::Connected;
        socket.addresses.clear();
        Post(id, socket, SocketEvent::Connected, 0);
        return;
    }
    socket.lastError = error;
    CloseDescriptor(socket);
    ConnectNext(id, socket);
}

void AcceptPeers(Socket& listener) {
    for (;;) {
        const int fd = accept4(listener.descriptor, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) return;  // none waiting (or one that gave up before we took it)
        if (listener.peerTaken) {
            close(fd);  // a host plays one friend at a time
            continue;
        }
        listener.peerTaken = true;
        const SocketId peerId = nextId++;
        Socket& peer = sockets[peerId];
        peer.window = listener.window;
        peer.stage = Stage::Connected;
        peer.descriptor = fd;
        PostMessage(listener.window, WM_SOCKET, peerId,
                    MakeLong(static_cast<std::uint16_t>(SocketEvent::Accepted), 0));
    }
}

// Writes what the peer will take now. False when the connection broke.
bool Flush(Socket& socket) {
    std::size_t sent = 0;
    while (sent < socket.unsent.size()) {
        const ssize_t n = send(socket.descriptor, socket.unsent.data() + sent,
                               socket.unsent.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        socket.lastError = n < 0 ? errno : EPIPE;
        return false;
    }
    socket.unsent.erase(socket.unsent.begin(),
                        socket.unsent.begin() + static_cast<std::ptrdiff_t>(sent));
    return true;
}

void Read(SocketId id, Socket& socket) {
    const std::size_t before = socket.unread.size();
    int ended = -1;  // the error the connection ended with, -1 while it lasts
    while (socket.unread.size() < MaxUnreadBytes) {
        std::uint8_t chunk[4096];
        const std::size_t room = std::min(sizeof chunk, MaxUnreadBytes - socket.unread.size());
        const ssize_t n = recv(socket.descriptor, chunk, room, MSG_DONTWAIT);
        if (n > 0) {
            socket.unread.insert(socket.unread.end(), chunk, chunk + n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        ended = n == 0 ? 0 : errno;
        break;
    }
    if (socket.unread.size() > before && !socket.readPosted) {
        socket.readPosted = true;
        Post(id, socket, SocketEvent::Read, 0);
    }
    if (ended >= 0) Die(id, socket, ended);
}

// A closing connection's last bytes are out: say we are done, leave the peer nothing to read
// from us that would turn our close into a reset, and let go.
void FinishClosing(Socket& socket) {
    shutdown(socket.descriptor, SHUT_WR);
    std::uint8_t discard[4096];
    while (recv(socket.descriptor, discard, sizeof discard, MSG_DONTWAIT) > 0) {
    }
    CloseDescriptor(socket);
    socket.stage = Stage::Dead;
}

int DescriptorToWatch(const Socket& socket) {
    if (socket.stage == Stage::LookingUp) return socket.lookup->Descriptor();
    return socket.descriptor;
}

SocketWatch WatchOf(const Socket& socket) {
    SocketWatch watch{.descriptor = DescriptorToWatch(socket)};
    switch (socket.stage) {
        case Stage::Listening:
        case Stage::LookingUp:
            watch.read = true;
            break;
        case Stage::Connecting:
            watch.write = true;
            break;
        case Stage::Connected:
            watch.read = socket.unread.size() < MaxUnreadBytes;
            watch.write = !socket.unsent.empty();
            break;
        case Stage::Closing:
            watch.write = true;
            break;
        case Stage::Dead:
            break;
    }
    return watch;
}

void Step(SocketId id, Socket& socket, short ready) {
    switch (socket.stage) {
        case Stage::Listening:
            AcceptPeers(socket);
            break;
        case Stage::LookingUp:
            FinishLookup(id, socket);
            break;
        case Stage::Connecting:
            FinishConnect(id, socket);
            break;
        case Stage::Connected:
            if ((ready & POLLOUT) != 0 && !Flush(socket)) {
                Die(id, socket, socket.lastError);
                break;
            }
            if ((ready & (POLLIN | POLLHUP | POLLERR)) != 0) Read(id, socket);
            break;
        case Stage::Closing:
            if (!Flush(socket)) {
                CloseDescriptor(socket);
                socket.stage = Stage::Dead;
            } else if (socket.unsent.empty()) {
                FinishClosing(socket);
            }
            break;
        case Stage::Dead:
            break;
    }
}

Socket* Find(SocketId id) {
    const auto it = sockets.find(id);
    return it == sockets.end() ? nullptr : &it->second;
}

}  // namespace

SocketId ListenOnPort(Window* window, const std::string& address, std::uint16_t port, int* error) {
    std::vector<SocketAddress> addresses = NumericAddresses(address, port);
    int fd = -1;
    int lastError = addresses.empty() ? EADDRNOTAVAIL : 0;
    for (const SocketAddress& a : addresses) {
        fd = NewSocket(a.storage.ss_family);
        if (fd < 0) {
            lastError = errno;
            continue;
        }
        const int on = 1;
        const int off = 0;
        // A game that ends and hosts again at once finds its port free.
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        // Every address of the machine, in both families, through the one IPv6 socket.
        if (address.empty() && a.storage.ss_family == AF_INET6) {
            // Where the system refuses, this socket hears IPv6 alone and IPv4 friends find the
            // port closed; every common system allows it.
            setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &off, sizeof off);
        }
        if (bind(fd, reinterpret_cast<const sockaddr*>(&a.storage), a.length) == 0 &&
            listen(fd, 4) == 0) {
            break;
        }
        lastError = errno;
        close(fd);
        fd = -1;
    }
    if (fd < 0) {
        if (error != nullptr) *error = lastError;
        return 0;
    }
    const SocketId id = nextId++;
    Socket& socket = sockets[id];
    socket.window = window;
    socket.stage = Stage::Listening;
    socket.descriptor = fd;
    if (error != nullptr) *error = 0;
    return id;
}

SocketId ConnectToHost(Window* window, const std::string& host, std::uint16_t port) {
    if (host.empty()) return 0;
    const SocketId id = nextId++;
    Socket& socket = sockets[id];
    socket.window = window;
    socket.addresses = NumericAddresses(host, port);
    if (!socket.addresses.empty()) {
        ConnectNext(id, socket);
        return id;
    }
    socket.lookup = NameLookup::Start(host, port);
    if (socket.lookup == nullptr) {
        socket.stage = Stage::Dead;
        Post(id, socket, SocketEvent::Connected, EAGAIN);
        return id;
    }
    socket.stage = Stage::LookingUp;
    return id;
}

bool SendToSocket(SocketId id, std::span<const std::uint8_t> bytes) {
    Socket* socket = Find(id);
    if (socket == nullptr || socket->stage != Stage::Connected) return false;
    if (bytes.size() > MaxUnsentBytes - socket->unsent.size()) return false;
    socket->unsent.insert(socket->unsent.end(), bytes.begin(), bytes.end());
    // Most messages leave at once; a broken connection is reported as the queue is next served.
    if (!Flush(*socket)) Die(id, *socket, socket->lastError);
    return true;
}

std::vector<std::uint8_t> ReceiveFromSocket(SocketId id) {
    Socket* socket = Find(id);
    if (socket == nullptr) return {};
    socket->readPosted = false;
    return std::exchange(socket->unread, {});
}

void CloseSocket(SocketId id) {
    const auto it = sockets.find(id);
    if (it == sockets.end()) return;
    std::deque<Message>& queue = core::Core().queue;
    std::erase_if(queue,
                  [id](const Message& m) { return m.message == WM_SOCKET && m.wParam == id; });
    Socket& socket = it->second;
    if (socket.stage == Stage::Connected && !socket.unsent.empty() && Flush(socket) &&
        !socket.unsent.empty()) {
        socket.stage = Stage::Closing;
        socket.closingSince = std::chrono::steady_clock::now();
        socket.closedByGame = true;
        return;
    }
    if (socket.stage == Stage::Connected) FinishClosing(socket);
    CloseDescriptor(socket);
    sockets.erase(it);
}

std::uint16_t SocketPort(SocketId id) {
    const Socket* socket = Find(id);
    if (socket == nullptr || socket->descriptor < 0) return 0;
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getsockname(socket->descriptor, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return 0;
    }
    if (address.ss_family == AF_INET) {
        return ntohs(reinterpret_cast<const sockaddr_in*>(&address)->sin_port);
    }
    if (address.ss_family == AF_INET6) {
        return ntohs(reinterpret_cast<const sockaddr_in6*>(&address)->sin6_port);
    }
    return 0;
}

namespace {

std::string NumericText(const sockaddr* address, socklen_t length) {
    char text[NI_MAXHOST] = {};
    if (getnameinfo(address, length, text, sizeof text, nullptr, 0, NI_NUMERICHOST) != 0) return {};
    std::string result = text;
    // A dual-stack socket sees an IPv4 peer as ::ffff:a.b.c.d; the player knows it as a.b.c.d.
    constexpr std::string_view mapped = "::ffff:";
    if (result.starts_with(mapped) && result.find('.') != std::string::npos) {
        result.erase(0, mapped.size());
    }
    return result;
}

}  // namespace

std::string PeerAddress(SocketId id) {
    const Socket* socket = Find(id);
    if (socket == nullptr || socket->descriptor < 0) return {};
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getpeername(socket->descriptor, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return {};
    }
    return NumericText(reinterpret_cast<const sockaddr*>(&address), length);
}

std::vector<std::string> LocalAddresses() {
    ifaddrs* interfaces = nullptr;
    if (getifaddrs(&interfaces) != 0) return {};
    std::vector<std::string> reachable;
    std::vector<std::string> local;  // loopback and link-local: the last resort
    for (const ifaddrs* i = interfaces; i != nullptr; i = i->ifa_next) {
        if (i->ifa_addr == nullptr || (i->ifa_flags & IFF_UP) == 0) continue;
        const int family = i->ifa_addr->sa_family;
        if (family != AF_INET && family != AF_INET6) continue;
        const socklen_t length = family == AF_INET ? sizeof(sockaddr_in) : sizeof(sockaddr_in6);
        std::string text = NumericText(i->ifa_addr, length);
        if (text.empty()) continue;
        const bool linkLocal =
            family == AF_INET6 &&
            IN6_IS_ADDR_LINKLOCAL(&reinterpret_cast<const sockaddr_in6*>(i->ifa_addr)->sin6_addr);
        ((i->ifa_flags & IFF_LOOPBACK) != 0 || linkLocal ? local : reachable)
            .push_back(std::move(text));
    }
    freeifaddrs(interfaces);
    reachable.insert(reachable.end(), local.begin(), local.end());
    return reachable;
}

std::string SocketErrorText(int error) {
    if (error == SocketErrorNoSuchHost) return "No such host is known";
    return std::strerror(error);
}

void CloseAllSockets() {
    for (auto& [id, socket] : sockets) CloseDescriptor(socket);
    sockets.clear();
    std::erase_if(core::Core().queue, [](const Message& m) { return m.message == WM_SOCKET; });
}

std::vector<SocketWatch> SocketsToWatch() {
    std::vector<SocketWatch> watches;
    for (const auto& [id, socket] : sockets) {
        const SocketWatch watch = WatchOf(socket);
        if (watch.descriptor >= 0 && (watch.read || watch.write)) watches.push_back(watch);
    }
    return watches;
}

bool ServiceSockets() {
    if (sockets.empty()) return false;
    const std::size_t queuedBefore = core::Core().queue.size();
    std::vector<pollfd> polled;
    std::vector<SocketId> ids;
    const auto now = std::chrono::steady_clock::now();
    for (auto it = sockets.begin(); it != sockets.end();) {
        Socket& socket = it->second;
        const bool overdue =
            socket.stage == Stage::Closing && now - socket.closingSince > kClosingGrace;
        if (overdue) CloseDescriptor(socket);
        // A connection the game closed, now out of bytes or patience, is forgotten.
        if (socket.closedByGame && socket.descriptor < 0) {
            it = sockets.erase(it);
            continue;
        }
        const SocketWatch watch = WatchOf(socket);
        if (watch.descriptor >= 0 && (watch.read || watch.write)) {
            polled.push_back(pollfd{.fd = watch.descriptor,
                                    .events = static_cast<short>((watch.read ? POLLIN : 0) |
                                                                 (watch.write ? POLLOUT : 0)),
                                    .revents = 0});
            ids.push_back(it->first);
        }
        ++it;
    }
    if (polled.empty() || poll(polled.data(), polled.size(), 0) <= 0) return false;
    for (std::size_t i = 0; i < polled.size(); ++i) {
        if (polled[i].revents == 0) continue;
        // Stepping one socket may add another (an accepted peer), never remove one.
        if (Socket* socket = Find(ids[i])) Step(ids[i], *socket, polled[i].revents);
    }
    return core::Core().queue.size() > queuedBefore;
}

}  // namespace platform
