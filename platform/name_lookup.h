// platform/name_lookup.h: turning a host and port into socket addresses for the sockets. A
// numeric address is parsed at once; a name is looked up on a thread of its own, since a name
// server may take many seconds to answer and the game must go on meanwhile.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/socket_calls.h"

namespace platform {

// The addresses a numeric host ("192.0.2.7", "2001:db8::7"; empty: every address of the machine,
// for listening) stands for, without asking any name server. Empty when the host is a name.
std::vector<SocketAddress> NumericAddresses(const std::string& host, std::uint16_t port);

// One name being looked up. The thread keeps its own share of the result, so the lookup may be
// dropped while the name server still thinks.
class NameLookup {
  public:
    // Starts the lookup; null when no thread or bell can be had.
    static std::unique_ptr<NameLookup> Start(const std::string& host, std::uint16_t port);
    // Becomes readable once the lookup has ended (POSIX; on Windows the sockets' event is set).
    SocketDescriptor Descriptor() const;
    bool Done() const;
    // Once done: every address of the name, in the order the system prefers; empty when no
    // name server knows it.
    std::vector<SocketAddress> Addresses() const;

    struct Shared;

  private:
    explicit NameLookup(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}
    std::shared_ptr<Shared> shared_;
};

}  // namespace platform
