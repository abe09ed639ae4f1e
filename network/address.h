// network/address.h: where to find a friend's game, as a player or a script types it: a host name
// or address with an optional port ("192.0.2.7", "192.0.2.7:6000", "::1", "[::1]:6000",
// "harbour.local:6000"), and a port alone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace network {

struct Address {
    std::string host;
    std::uint16_t port = 0;
    friend bool operator==(const Address&, const Address&) = default;
};

// A port from 1 to 65535, in decimal digits alone.
std::optional<std::uint16_t> ReadPort(std::string_view text);

// The host and port the text names, the port `defaultPort` when it names none. An IPv6 address
// with a port is written in brackets; one without may stand bare. Nothing for an empty host, a
// bad port, or characters no host name or address has.
std::optional<Address> ReadAddress(std::string_view text, std::uint16_t defaultPort);

}  // namespace network
