// platform/socket_calls_win32.cpp: the sockets' system calls on Winsock 2. Every socket is tied to
// one event (WSAEventSelect), which the Windows host waits on beside its messages.
// clang-format off
// The game's headers come before the system's, whose macros (CreateFile, PostMessage,
// GENERIC_READ) would otherwise rename what they declare; the system's in the order they
// need each other.
#include "platform/socket_calls.h"
#include "platform/sockets.h"
#include "platform/wide_text.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <iphlpapi.h>
// clang-format on

#include <algorithm>
#include <cstring>
#include <string_view>

namespace platform {

static_assert(sizeof(SocketAddress::storage) >= sizeof(sockaddr_storage));

namespace {

const sockaddr* AsSockaddr(const SocketAddress& address) {
    return reinterpret_cast<const sockaddr*>(address.storage);
}

SOCKET Handle(SocketDescriptor socket) { return static_cast<SOCKET>(socket); }

constexpr long kAllEvents = FD_ACCEPT | FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE;

// Winsock is started once, at the first socket, and left running until the program ends.
bool StartWinsock() {
    static const bool started = [] {
        WSADATA data{};
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

HANDLE WakeEvent() {
    static const HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

// Non-blocking (WSAEventSelect makes it so) and tied to the event; not inherited by programs we
// start.
SocketDescriptor Adopt(SOCKET socket) {
    if (socket == INVALID_SOCKET) return NoSocketDescriptor;
    ::SetHandleInformation(reinterpret_cast<HANDLE>(socket), HANDLE_FLAG_INHERIT, 0);
    if (::WSAEventSelect(socket, WakeEvent(), kAllEvents) != 0) {
        ::closesocket(socket);
        return NoSocketDescriptor;
    }
    return static_cast<SocketDescriptor>(socket);
}

}  // namespace

void* SocketsEvent() { return WakeEvent(); }

bool IsIpv6(const SocketAddress& address) { return AsSockaddr(address)->sa_family == AF_INET6; }

std::vector<SocketAddress> ResolveHost(const std::string& host, std::uint16_t port,
                                       bool numericOnly, bool passive) {
    std::vector<SocketAddress> addresses;
    if (!StartWinsock()) return addresses;
    ADDRINFOW hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags =
        AI_NUMERICSERV | (numericOnly ? AI_NUMERICHOST : 0) | (passive ? AI_PASSIVE : 0);
    ADDRINFOW* found = nullptr;
    const std::wstring service = std::to_wstring(port);
    const std::wstring name = WideFromUtf8(host);
    if (::GetAddrInfoW(host.empty() ? nullptr : name.c_str(), service.c_str(), &hints, &found) !=
        0) {
        return addresses;
    }
    for (const ADDRINFOW* a = found; a != nullptr; a = a->ai_next) {
        if (a->ai_addrlen > sizeof(sockaddr_storage)) continue;
        SocketAddress address;
        std::memcpy(address.storage, a->ai_addr, a->ai_addrlen);
        address.length = static_cast<std::uint32_t>(a->ai_addrlen);
        addresses.push_back(address);
    }
    ::FreeAddrInfoW(found);
    return addresses;
}

int LastSocketError() { return ::WSAGetLastError(); }
bool WouldBlock(int error) { return error == WSAEWOULDBLOCK; }
bool Interrupted(int error) { return error == WSAEINTR; }
bool ConnectStarted(int error) { return error == WSAEWOULDBLOCK || error == WSAEINPROGRESS; }
int ErrorAddressNotAvailable() { return WSAEADDRNOTAVAIL; }
int ErrorHostUnreachable() { return WSAEHOSTUNREACH; }
int ErrorTryAgain() { return WSATRY_AGAIN; }
int ErrorBrokenPipe() { return WSAECONNRESET; }

SocketDescriptor OpenStreamSocket(bool ipv6) {
    if (!StartWinsock()) return NoSocketDescriptor;
    return Adopt(::WSASocketW(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0,
                              WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT));
}

void CloseSocketDescriptor(SocketDescriptor socket) { ::closesocket(Handle(socket)); }

int BindAndListen(SocketDescriptor socket, const SocketAddress& address, bool bothFamilies) {
    // No SO_REUSEADDR: on Windows it would let another program take the port from under us. A
    // port left in TIME_WAIT by our last game can be listened on again anyway.
    const BOOL exclusive = TRUE;
    ::setsockopt(Handle(socket), SOL_SOCKET, SO_EXCLUSIVEADDRUSE,
                 reinterpret_cast<const char*>(&exclusive), sizeof exclusive);
    if (bothFamilies) {
        const DWORD off = 0;
        ::setsockopt(Handle(socket), IPPROTO_IPV6, IPV6_V6ONLY, reinterpret_cast<const char*>(&off),
                     sizeof off);
    }
    if (::bind(Handle(socket), AsSockaddr(address), static_cast<int>(address.length)) == 0 &&
        ::listen(Handle(socket), 4) == 0) {
        return 0;
    }
    return ::WSAGetLastError();
}

int StartConnect(SocketDescriptor socket, const SocketAddress& address) {
    return ::connect(Handle(socket), AsSockaddr(address), static_cast<int>(address.length)) == 0
               ? 0
               : ::WSAGetLastError();
}

int ConnectOutcome(SocketDescriptor socket) {
    int error = 0;
    int length = sizeof error;
    if (::getsockopt(Handle(socket), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error),
                     &length) != 0) {
        error = ::WSAGetLastError();
    }
    return error;
}

SocketDescriptor AcceptPeer(SocketDescriptor listener) {
    return Adopt(::accept(Handle(listener), nullptr, nullptr));
}

std::ptrdiff_t SendSome(SocketDescriptor socket, const std::uint8_t* bytes, std::size_t count) {
    const int chunk = static_cast<int>(std::min<std::size_t>(count, 1 << 30));
    return ::send(Handle(socket), reinterpret_cast<const char*>(bytes), chunk, 0);
}

std::ptrdiff_t ReceiveSome(SocketDescriptor socket, std::uint8_t* bytes, std::size_t count) {
    const int chunk = static_cast<int>(std::min<std::size_t>(count, 1 << 30));
    return ::recv(Handle(socket), reinterpret_cast<char*>(bytes), chunk, 0);
}

void ShutdownSending(SocketDescriptor socket) { ::shutdown(Handle(socket), SD_SEND); }

bool LocalAddressOf(SocketDescriptor socket, SocketAddress* address) {
    int length = sizeof address->storage;
    if (::getsockname(Handle(socket), reinterpret_cast<sockaddr*>(address->storage), &length) !=
        0) {
        return false;
    }
    address->length = static_cast<std::uint32_t>(length);
    return true;
}

bool PeerAddressOf(SocketDescriptor socket, SocketAddress* address) {
    int length = sizeof address->storage;
    if (::getpeername(Handle(socket), reinterpret_cast<sockaddr*>(address->storage), &length) !=
        0) {
        return false;
    }
    address->length = static_cast<std::uint32_t>(length);
    return true;
}

std::uint16_t PortOf(const SocketAddress& address) {
    const sockaddr* a = AsSockaddr(address);
    if (a->sa_family == AF_INET) return ntohs(reinterpret_cast<const sockaddr_in*>(a)->sin_port);
    if (a->sa_family == AF_INET6) return ntohs(reinterpret_cast<const sockaddr_in6*>(a)->sin6_port);
    return 0;
}

namespace {

std::string NumericTextOf(const sockaddr* address, std::size_t length) {
    wchar_t text[NI_MAXHOST] = {};
    if (::GetNameInfoW(address, static_cast<socklen_t>(length), text, NI_MAXHOST, nullptr, 0,
                       NI_NUMERICHOST) != 0) {
        return {};
    }
    std::string result = Utf8FromWide(text);
    // A dual-stack socket sees an IPv4 peer as ::ffff:a.b.c.d; the player knows it as a.b.c.d.
    constexpr std::string_view mapped = "::ffff:";
    if (result.starts_with(mapped) && result.find('.') != std::string::npos) {
        result.erase(0, mapped.size());
    }
    return result;
}

}  // namespace

std::string NumericText(const SocketAddress& address) {
    if (!StartWinsock()) return {};
    return NumericTextOf(AsSockaddr(address), address.length);
}

std::vector<std::string> InterfaceAddresses() {
    if (!StartWinsock()) return {};
    ULONG size = 16 * 1024;
    std::vector<std::uint8_t> buffer;
    ULONG result = ERROR_BUFFER_OVERFLOW;
    for (int attempt = 0; attempt < 3 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
        buffer.resize(size);
        result = ::GetAdaptersAddresses(
            AF_UNSPEC, GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER,
            nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
    }
    if (result != NO_ERROR) return {};
    std::vector<std::string> reachable;
    std::vector<std::string> local;  // loopback and link-local: the last resort
    for (auto* adapter = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(buffer.data());
         adapter != nullptr; adapter = adapter->Next) {
        if (adapter->OperStatus != IfOperStatusUp) continue;
        const bool loopback = adapter->IfType == IF_TYPE_SOFTWARE_LOOPBACK;
        for (auto* a = adapter->FirstUnicastAddress; a != nullptr; a = a->Next) {
            const sockaddr* address = a->Address.lpSockaddr;
            if (address == nullptr) continue;
            if (address->sa_family != AF_INET && address->sa_family != AF_INET6) continue;
            std::string text =
                NumericTextOf(address, static_cast<std::size_t>(a->Address.iSockaddrLength));
            if (text.empty()) continue;
            const bool linkLocal =
                address->sa_family == AF_INET6 &&
                IN6_IS_ADDR_LINKLOCAL(&reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr);
            (loopback || linkLocal ? local : reachable).push_back(std::move(text));
        }
    }
    reachable.insert(reachable.end(), local.begin(), local.end());
    return reachable;
}

std::string SystemSocketErrorText(int error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string words = length > 0 ? Utf8FromWide(std::wstring_view(text, length)) : "";
    if (text != nullptr) ::LocalFree(text);
    // The system's text ends in a full stop and a line break; the game adds its own full stop.
    while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == '.' ||
                              words.back() == ' ')) {
        words.pop_back();
    }
    return words.empty() ? "Network error " + std::to_string(error) : words;
}

bool PollSockets(std::vector<SocketPoll>& polls) {
    std::vector<WSAPOLLFD> polled;
    for (const SocketPoll& p : polls) {
        polled.push_back(WSAPOLLFD{
            .fd = Handle(p.socket),
            .events = static_cast<short>((p.read ? POLLRDNORM : 0) | (p.write ? POLLWRNORM : 0)),
            .revents = 0});
    }
    if (polled.empty() || ::WSAPoll(polled.data(), static_cast<ULONG>(polled.size()), 0) <= 0) {
        return false;
    }
    for (std::size_t i = 0; i < polls.size(); ++i) {
        polls[i].readable = (polled[i].revents & (POLLRDNORM | POLLHUP | POLLERR)) != 0;
        polls[i].writable = (polled[i].revents & POLLWRNORM) != 0;
    }
    return true;
}

void ClearSocketsWake() { ::ResetEvent(WakeEvent()); }

void RaiseSocketsWakeIfReady(std::vector<SocketPoll>& polls) {
    if (PollSockets(polls)) ::SetEvent(WakeEvent());
}

bool OpenLookupBell(LookupBell* bell) {
    // Nothing to watch: the lookup's thread sets the sockets' own event.
    *bell = LookupBell{};
    return WakeEvent() != nullptr;
}

void RingLookupBell(const LookupBell&) { ::SetEvent(WakeEvent()); }

void CloseLookupBell(LookupBell* bell) { *bell = LookupBell{}; }

}  // namespace platform
