// platform/socket_calls_posix.cpp: the sockets' system calls on POSIX.
#include <arpa/inet.h>
#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/socket_calls.h"

namespace platform {

static_assert(sizeof(SocketAddress::storage) >= sizeof(sockaddr_storage));

namespace {

const sockaddr* AsSockaddr(const SocketAddress& address) {
    return reinterpret_cast<const sockaddr*>(address.storage);
}

int Fd(SocketDescriptor socket) { return static_cast<int>(socket); }

}  // namespace

bool IsIpv6(const SocketAddress& address) { return AsSockaddr(address)->sa_family == AF_INET6; }

std::vector<SocketAddress> ResolveHost(const std::string& host, std::uint16_t port,
                                       bool numericOnly, bool passive) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags =
        AI_NUMERICSERV | (numericOnly ? AI_NUMERICHOST : 0) | (passive ? AI_PASSIVE : 0);
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    std::vector<SocketAddress> addresses;
    if (getaddrinfo(host.empty() ? nullptr : host.c_str(), service.c_str(), &hints, &found) != 0) {
        return addresses;
    }
    for (const addrinfo* a = found; a != nullptr; a = a->ai_next) {
        if (a->ai_addrlen > sizeof(sockaddr_storage)) continue;
        SocketAddress address;
        std::memcpy(address.storage, a->ai_addr, a->ai_addrlen);
        address.length = a->ai_addrlen;
        addresses.push_back(address);
    }
    freeaddrinfo(found);
    return addresses;
}

int LastSocketError() { return errno; }
bool WouldBlock(int error) { return error == EAGAIN || error == EWOULDBLOCK; }
bool Interrupted(int error) { return error == EINTR; }
bool ConnectStarted(int error) { return error == EINPROGRESS; }
int ErrorAddressNotAvailable() { return EADDRNOTAVAIL; }
int ErrorHostUnreachable() { return EHOSTUNREACH; }
int ErrorTryAgain() { return EAGAIN; }
int ErrorBrokenPipe() { return EPIPE; }

SocketDescriptor OpenStreamSocket(bool ipv6) {
    return ::socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

void CloseSocketDescriptor(SocketDescriptor socket) { ::close(Fd(socket)); }

int BindAndListen(SocketDescriptor socket, const SocketAddress& address, bool bothFamilies) {
    const int on = 1;
    const int off = 0;
    // A game that ends and hosts again at once finds its port free.
    setsockopt(Fd(socket), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (bothFamilies) {
        // Where the system refuses, this socket hears IPv6 alone and IPv4 friends find the port
        // closed; every common system allows it.
        setsockopt(Fd(socket), IPPROTO_IPV6, IPV6_V6ONLY, &off, sizeof off);
    }
    if (bind(Fd(socket), AsSockaddr(address), address.length) == 0 && listen(Fd(socket), 4) == 0) {
        return 0;
    }
    return errno;
}

int StartConnect(SocketDescriptor socket, const SocketAddress& address) {
    return connect(Fd(socket), AsSockaddr(address), address.length) == 0 ? 0 : errno;
}

int ConnectOutcome(SocketDescriptor socket) {
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(Fd(socket), SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
    return error;
}

SocketDescriptor AcceptPeer(SocketDescriptor listener) {
    return accept4(Fd(listener), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
}

std::ptrdiff_t SendSome(SocketDescriptor socket, const std::uint8_t* bytes, std::size_t count) {
    return send(Fd(socket), bytes, count, MSG_NOSIGNAL | MSG_DONTWAIT);
}

std::ptrdiff_t ReceiveSome(SocketDescriptor socket, std::uint8_t* bytes, std::size_t count) {
    return recv(Fd(socket), bytes, count, MSG_DONTWAIT);
}

void ShutdownSending(SocketDescriptor socket) { shutdown(Fd(socket), SHUT_WR); }

bool LocalAddressOf(SocketDescriptor socket, SocketAddress* address) {
    socklen_t length = sizeof address->storage;
    if (getsockname(Fd(socket), reinterpret_cast<sockaddr*>(address->storage), &length) != 0) {
        return false;
    }
    address->length = length;
    return true;
}

bool PeerAddressOf(SocketDescriptor socket, SocketAddress* address) {
    socklen_t length = sizeof address->storage;
    if (getpeername(Fd(socket), reinterpret_cast<sockaddr*>(address->storage), &length) != 0) {
        return false;
    }
    address->length = length;
    return true;
}

std::uint16_t PortOf(const SocketAddress& address) {
    const sockaddr* a = AsSockaddr(address);
    if (a->sa_family == AF_INET) return ntohs(reinterpret_cast<const sockaddr_in*>(a)->sin_port);
    if (a->sa_family == AF_INET6) return ntohs(reinterpret_cast<const sockaddr_in6*>(a)->sin6_port);
    return 0;
}

namespace {

std::string NumericTextOf(const sockaddr* address, socklen_t length) {
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

std::string NumericText(const SocketAddress& address) {
    return NumericTextOf(AsSockaddr(address), address.length);
}

std::vector<std::string> InterfaceAddresses() {
    ifaddrs* interfaces = nullptr;
    if (getifaddrs(&interfaces) != 0) return {};
    std::vector<std::string> reachable;
    std::vector<std::string> local;  // loopback and link-local: the last resort
    for (const ifaddrs* i = interfaces; i != nullptr; i = i->ifa_next) {
        if (i->ifa_addr == nullptr || (i->ifa_flags & IFF_UP) == 0) continue;
        const int family = i->ifa_addr->sa_family;
        if (family != AF_INET && family != AF_INET6) continue;
        const socklen_t length = family == AF_INET ? sizeof(sockaddr_in) : sizeof(sockaddr_in6);
        std::string text = NumericTextOf(i->ifa_addr, length);
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

std::string SystemSocketErrorText(int error) { return std::strerror(error); }

bool PollSockets(std::vector<SocketPoll>& polls) {
    std::vector<pollfd> polled;
    for (const SocketPoll& p : polls) {
        polled.push_back(
            pollfd{.fd = Fd(p.socket),
                   .events = static_cast<short>((p.read ? POLLIN : 0) | (p.write ? POLLOUT : 0)),
                   .revents = 0});
    }
    if (polled.empty() || poll(polled.data(), polled.size(), 0) <= 0) return false;
    for (std::size_t i = 0; i < polls.size(); ++i) {
        polls[i].readable = (polled[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0;
        polls[i].writable = (polled[i].revents & POLLOUT) != 0;
    }
    return true;
}

void ClearSocketsWake() {}
void RaiseSocketsWakeIfReady(std::vector<SocketPoll>&) {}

bool OpenLookupBell(LookupBell* bell) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    bell->watched = ends[0];
    bell->ringing = ends[1];
    return true;
}

void RingLookupBell(const LookupBell& bell) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(Fd(bell.ringing), &byte, 1);
}

void CloseLookupBell(LookupBell* bell) {
    if (bell->watched >= 0) close(Fd(bell->watched));
    if (bell->ringing >= 0) close(Fd(bell->ringing));
    bell->watched = bell->ringing = NoSocketDescriptor;
}

}  // namespace platform
