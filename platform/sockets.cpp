// platform/sockets.cpp: non-blocking sockets behind WM_SOCKET. Every socket is a small state
// (listening, looking up its host, connecting, connected, closing, dead) stepped by ServiceSockets
// whenever its descriptor is ready; the hosts only wake for them. The system's calls are in
// socket_calls.h.
#include "platform/sockets.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <utility>

#include "platform/core_state.h"
#include "platform/messages.h"
#include "platform/name_lookup.h"
#include "platform/socket_calls.h"

namespace platform {
namespace {

enum class Stage { Listening, LookingUp, Connecting, Connected, Closing, Dead };

// Bytes still unsent when the game closes a connection get this long to leave; a peer that takes
// nothing for so long will not take them.
constexpr auto kClosingGrace = std::chrono::seconds(10);

struct Socket {
    Window* window = nullptr;
    Stage stage = Stage::Dead;
    SocketDescriptor descriptor = NoSocketDescriptor;
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
    if (socket.descriptor != NoSocketDescriptor) CloseSocketDescriptor(socket.descriptor);
    socket.descriptor = NoSocketDescriptor;
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

// Tries the addresses left in turn until one is being connected to; Connected with the last
// error when none is left.
void ConnectNext(SocketId id, Socket& socket) {
    while (!socket.addresses.empty()) {
        const SocketAddress address = socket.addresses.front();
        socket.addresses.erase(socket.addresses.begin());
        const SocketDescriptor fd = OpenStreamSocket(IsIpv6(address));
        if (fd == NoSocketDescriptor) {
            socket.lastError = LastSocketError();
            continue;
        }
        const int result = StartConnect(fd, address);
        if (result == 0 || ConnectStarted(result)) {
            socket.descriptor = fd;
            socket.stage = Stage::Connecting;
            return;
        }
        socket.lastError = result;
        CloseSocketDescriptor(fd);
    }
    socket.stage = Stage::Dead;
    Post(id, socket, SocketEvent::Connected,
         socket.lastError != 0 ? socket.lastError : ErrorHostUnreachable());
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
    const int error = ConnectOutcome(socket.descriptor);
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
        const SocketDescriptor fd = AcceptPeer(listener.descriptor);
        // none waiting (or one that gave up before we took it)
        if (fd == NoSocketDescriptor) return;
        if (listener.peerTaken) {
            CloseSocketDescriptor(fd);  // a host plays one friend at a time
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
        const std::ptrdiff_t n =
            SendSome(socket.descriptor, socket.unsent.data() + sent, socket.unsent.size() - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        const int error = n < 0 ? LastSocketError() : 0;
        if (n < 0 && Interrupted(error)) continue;
        if (n < 0 && WouldBlock(error)) break;
        socket.lastError = n < 0 ? error : ErrorBrokenPipe();
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
        const std::ptrdiff_t n = ReceiveSome(socket.descriptor, chunk, room);
        if (n > 0) {
            socket.unread.insert(socket.unread.end(), chunk, chunk + n);
            continue;
        }
        const int error = n < 0 ? LastSocketError() : 0;
        if (n < 0 && Interrupted(error)) continue;
        if (n < 0 && WouldBlock(error)) break;
        ended = error;
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
    ShutdownSending(socket.descriptor);
    std::uint8_t discard[4096];
    while (ReceiveSome(socket.descriptor, discard, sizeof discard) > 0) {
    }
    CloseDescriptor(socket);
    socket.stage = Stage::Dead;
}

SocketDescriptor DescriptorToWatch(const Socket& socket) {
    if (socket.stage == Stage::LookingUp) return socket.lookup->Descriptor();
    return socket.descriptor;
}

SocketWatch WatchOf(const Socket& socket) {
    SocketWatch watch{.descriptor = static_cast<int>(DescriptorToWatch(socket))};
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

void Step(SocketId id, Socket& socket, const SocketPoll& ready) {
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
            if (ready.writable && !Flush(socket)) {
                Die(id, socket, socket.lastError);
                break;
            }
            if (ready.readable) Read(id, socket);
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
    SocketDescriptor fd = NoSocketDescriptor;
    int lastError = addresses.empty() ? ErrorAddressNotAvailable() : 0;
    for (const SocketAddress& a : addresses) {
        fd = OpenStreamSocket(IsIpv6(a));
        if (fd == NoSocketDescriptor) {
            lastError = LastSocketError();
            continue;
        }
        // Every address of the machine, in both families, through the one IPv6 socket.
        lastError = BindAndListen(fd, a, address.empty() && IsIpv6(a));
        if (lastError == 0) break;
        CloseSocketDescriptor(fd);
        fd = NoSocketDescriptor;
    }
    if (fd == NoSocketDescriptor) {
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
        Post(id, socket, SocketEvent::Connected, ErrorTryAgain());
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
    SocketAddress address;
    if (socket == nullptr || socket->descriptor == NoSocketDescriptor ||
        !LocalAddressOf(socket->descriptor, &address)) {
        return 0;
    }
    return PortOf(address);
}

std::string PeerAddress(SocketId id) {
    const Socket* socket = Find(id);
    SocketAddress address;
    if (socket == nullptr || socket->descriptor == NoSocketDescriptor ||
        !PeerAddressOf(socket->descriptor, &address)) {
        return {};
    }
    return NumericText(address);
}

std::vector<std::string> LocalAddresses() { return InterfaceAddresses(); }

std::string SocketErrorText(int error) {
    if (error == SocketErrorNoSuchHost) return "No such host is known";
    return SystemSocketErrorText(error);
}

void CloseAllSockets() {
    for (auto& [id, socket] : sockets) CloseDescriptor(socket);
    sockets.clear();
    std::erase_if(core::Core().queue, [](const Message& m) { return m.message == WM_SOCKET; });
}

std::vector<SocketWatch> SocketsToWatch() {
    std::vector<SocketWatch> watches;
    std::vector<SocketPoll> polls;
    for (const auto& [id, socket] : sockets) {
        const SocketWatch watch = WatchOf(socket);
        if (DescriptorToWatch(socket) == NoSocketDescriptor || !(watch.read || watch.write))
            continue;
        watches.push_back(watch);
        polls.push_back(SocketPoll{
            .socket = DescriptorToWatch(socket), .read = watch.read, .write = watch.write});
    }
    RaiseSocketsWakeIfReady(polls);
    return watches;
}

bool ServiceSockets() {
    if (sockets.empty()) return false;
    ClearSocketsWake();
    const std::size_t queuedBefore = core::Core().queue.size();
    std::vector<SocketPoll> polls;
    std::vector<SocketId> ids;
    const auto now = std::chrono::steady_clock::now();
    for (auto it = sockets.begin(); it != sockets.end();) {
        Socket& socket = it->second;
        const bool overdue =
            socket.stage == Stage::Closing && now - socket.closingSince > kClosingGrace;
        if (overdue) CloseDescriptor(socket);
        // A connection the game closed, now out of bytes or patience, is forgotten.
        if (socket.closedByGame && socket.descriptor == NoSocketDescriptor) {
            it = sockets.erase(it);
            continue;
        }
        // A lookup is looked at each time: its bell may not be a descriptor to poll.
        if (socket.stage == Stage::LookingUp) {
            FinishLookup(it->first, socket);
        } else if (const SocketWatch watch = WatchOf(socket);
                   DescriptorToWatch(socket) != NoSocketDescriptor && (watch.read || watch.write)) {
            polls.push_back(SocketPoll{
                .socket = DescriptorToWatch(socket), .read = watch.read, .write = watch.write});
            ids.push_back(it->first);
        }
        ++it;
    }
    if (!polls.empty() && PollSockets(polls)) {
        for (std::size_t i = 0; i < polls.size(); ++i) {
            if (!polls[i].readable && !polls[i].writable) continue;
            // Stepping one socket may add another (an accepted peer), never remove one.
            if (Socket* socket = Find(ids[i])) Step(ids[i], *socket, polls[i]);
        }
    }
    return core::Core().queue.size() > queuedBefore;
}

}  // namespace platform
