// platform/socket_calls.h: the few calls the sockets (platform/sockets.cpp) and the name lookup
// make of the system, given by POSIX (socket_calls_posix.cpp) and by Winsock 2
// (socket_calls_win32.cpp), so the sockets' states are written once for both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// A socket of the system: a file descriptor, or a Winsock SOCKET.
using SocketDescriptor = std::intptr_t;
constexpr SocketDescriptor NoSocketDescriptor = -1;

// An address as the system's sockaddr_storage holds it, its family in the first bytes.
struct SocketAddress {
    alignas(8) std::uint8_t storage[128] = {};
    std::uint32_t length = 0;
};
bool IsIpv6(const SocketAddress& address);

// The addresses a host and port stand for, in the order the system prefers. With numericOnly
// only numbers are understood and no name server is asked; otherwise a name is looked up, which
// may take long (only a lookup's own thread does that). passive: addresses to listen at.
std::vector<SocketAddress> ResolveHost(const std::string& host, std::uint16_t port,
                                       bool numericOnly, bool passive);

// The system's error number of the last call that failed, and the kinds the sockets tell apart.
int LastSocketError();
bool WouldBlock(int error);      // nothing to do now: try when ready
bool Interrupted(int error);     // a signal came: try again at once
bool ConnectStarted(int error);  // a non-blocking connect goes on in the background
// Error numbers the sockets report of their own.
int ErrorAddressNotAvailable();
int ErrorHostUnreachable();
int ErrorTryAgain();
int ErrorBrokenPipe();

// A new stream socket of the family, non-blocking and not inherited by programs we start.
SocketDescriptor OpenStreamSocket(bool ipv6);
void CloseSocketDescriptor(SocketDescriptor socket);
// Listens at the address; with bothFamilies an IPv6 socket hears IPv4 peers too. 0 or the error.
int BindAndListen(SocketDescriptor socket, const SocketAddress& address, bool bothFamilies);
// 0 when connected at once, or the error (ConnectStarted: it goes on).
int StartConnect(SocketDescriptor socket, const SocketAddress& address);
// The error a background connect ended with (0: connected).
int ConnectOutcome(SocketDescriptor socket);
// The next waiting peer, non-blocking as well; NoSocketDescriptor when none waits.
SocketDescriptor AcceptPeer(SocketDescriptor listener);
// As send() and recv() without waiting (and without SIGPIPE): the bytes moved, 0 at the peer's
// end (receiving), -1 with LastSocketError.
std::ptrdiff_t SendSome(SocketDescriptor socket, const std::uint8_t* bytes, std::size_t count);
std::ptrdiff_t ReceiveSome(SocketDescriptor socket, std::uint8_t* bytes, std::size_t count);
void ShutdownSending(SocketDescriptor socket);

// The local and the peer's address; false when unknown.
bool LocalAddressOf(SocketDescriptor socket, SocketAddress* address);
bool PeerAddressOf(SocketDescriptor socket, SocketAddress* address);
std::uint16_t PortOf(const SocketAddress& address);
// The address as numbers ("192.0.2.7", "2001:db8::7"), an IPv4 address in IPv6 dress as IPv4.
std::string NumericText(const SocketAddress& address);
// Every up interface's addresses, loopback and link-local ones last.
std::vector<std::string> InterfaceAddresses();
std::string SystemSocketErrorText(int error);

// Which of the sockets are ready, without waiting: for each one asked, readable (or closed, or
// failed: something to read or learn) and writable.
struct SocketPoll {
    SocketDescriptor socket = NoSocketDescriptor;
    bool read = false;
    bool write = false;
    bool readable = false;
    bool writable = false;
};
// False when none is ready.
bool PollSockets(std::vector<SocketPoll>& polls);

// On Windows, where the host waits on one event for every socket (SocketsEvent): clear it before
// the sockets are served, and raise it when one of the sockets asked about is ready already (a
// socket whose bytes wait unread sets no event again). Nothing on POSIX, where the host watches
// the descriptors themselves.
void ClearSocketsWake();
void RaiseSocketsWakeIfReady(std::vector<SocketPoll>& polls);

// How a name lookup's thread wakes the host's wait when it ends: a pipe whose reading end is
// watched like a socket on POSIX; on Windows, the event every socket sets (SocketsEvent).
struct LookupBell {
    SocketDescriptor watched = NoSocketDescriptor;  // what SocketsToWatch hands the host
    SocketDescriptor ringing = NoSocketDescriptor;
};
bool OpenLookupBell(LookupBell* bell);
void RingLookupBell(const LookupBell& bell);
void CloseLookupBell(LookupBell* bell);

}  // namespace platform
