// platform/sockets.h: TCP connections whose every event arrives as a WM_SOCKET message in the one
// queue, as the classic desktop's asynchronous sockets did, so no game code ever waits on the
// network. Nothing here blocks: sends are buffered, and names are looked up away from the game.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/types.h"
#include "platform/window.h"

namespace platform {

// Names one socket of the program; 0 names none. Numbers are never given twice in a run, so a
// message about a socket closed meanwhile cannot be taken for one opened later.
using SocketId = WPARAM;

// WM_SOCKET's lParam: the event in the low word, the system's error number (0 when all went
// well) in the high word; wParam is the socket.
enum class SocketEvent : std::uint16_t {
    Read = 0x01,       // bytes arrived: ReceiveFromSocket takes them
    Accepted = 0x08,   // a listening socket accepted its peer; wParam is the new connection
    Connected = 0x10,  // a connection is made, or with an error could not be
    Closed = 0x20,     // the peer closed the connection, or it broke (error set)
};

constexpr SocketEvent SocketEventOf(LPARAM lParam) {
    return static_cast<SocketEvent>(LowWord(lParam));
}
constexpr int SocketErrorOf(LPARAM lParam) { return HighWord(lParam); }
// The error of a Connected whose host name is known to no name server (beyond every errno).
constexpr int SocketErrorNoSuchHost = 0x7F01;

// Listens for one peer on the port (0: one the system picks; SocketPort tells which) at the
// numeric address, or at every address of the machine when it is empty (IPv6 and IPv4 together
// where the system allows, IPv4 alone otherwise). The first peer to connect is accepted and
// reported to the window as Accepted with the new connection's id; any later one is closed at
// once, unread, until the listening socket is closed. Returns 0 and sets *error when the port
// cannot be had.
SocketId ListenOnPort(Window* window, const std::string& address, std::uint16_t port,
                      int* error = nullptr);

// Starts connecting to the host (a numeric IPv4 or IPv6 address, or a name) and port, and
// returns at once; Connected follows, with an error when no address of the host answered. A name
// is looked up on a thread of its own, so a slow name server never freezes the game; a numeric
// address needs no lookup. Returns 0 only when the id cannot even be made (an empty host).
SocketId ConnectToHost(Window* window, const std::string& host, std::uint16_t port);

// Queues the bytes behind those still unsent and returns at once; the connection writes them as
// the peer takes them. False, with nothing queued, when the socket is not connected or more than
// MaxUnsentBytes would wait.
constexpr std::size_t MaxUnsentBytes = 1 << 20;
bool SendToSocket(SocketId socket, std::span<const std::uint8_t> bytes);

// The bytes that arrived since the last call, at most MaxUnreadBytes of them: the connection
// stops reading while that much waits, so a peer that floods us is held back by TCP itself. Read
// comes again once more bytes arrive after this call.
constexpr std::size_t MaxUnreadBytes = 1 << 16;
std::vector<std::uint8_t> ReceiveFromSocket(SocketId socket);

// Closes the socket. No message about it comes after this call, even one already queued is
// dropped. Bytes still unsent are written first, without waiting, as the peer takes them (a
// farewell reaches the peer); then the connection is shut down.
void CloseSocket(SocketId socket);

// The local port of a listening or connected socket (0 when unknown).
std::uint16_t SocketPort(SocketId socket);
// The numeric address and port of the connected peer, as "192.0.2.7" or "2001:db8::7".
std::string PeerAddress(SocketId socket);
// The machine's own addresses a friend might reach it at: every up interface's IPv4 and IPv6
// address, loopback and link-local ones last.
std::vector<std::string> LocalAddresses();
// A player's words for a WM_SOCKET error.
std::string SocketErrorText(int error);

// Closes every socket at once, unsent bytes dropped (the program's end, and between tests).
void CloseAllSockets();

// For the hosts. A file descriptor a host must wake for, and for what (on POSIX; a Windows host
// waits on SocketsEvent instead, and the descriptor is no handle to wait on).
struct SocketWatch {
    int descriptor = -1;
    bool read = false;
    bool write = false;
};
// What the open sockets wait for now; empty when none is open. Ask again before every wait: the
// list changes as sockets open, close, fill and drain.
std::vector<SocketWatch> SocketsToWatch();
// Does, without blocking, what the sockets are ready for (accepting, connecting, reading,
// writing) and posts the messages that result; true when it posted any. A host calls it after
// every wait and poll.
bool ServiceSockets();

#ifdef _WIN32
// For a Windows host, whose wait takes handles rather than descriptors: a manual-reset event (a
// HANDLE) that every socket sets as it becomes ready and every name lookup sets as it ends. Before
// each wait call SocketsToWatch (which sets the event at once when a socket is ready already, such
// as one whose bytes were left unread until the game took some), wait on the event beside the
// messages (MsgWaitForMultipleObjectsEx), then call ServiceSockets, which clears it before it
// looks. The event lives as long as the program; never close it.
void* SocketsEvent();
#endif

}  // namespace platform
