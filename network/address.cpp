// network/address.cpp: reading a typed host and port.
#include "network/address.h"

#include <algorithm>
#include <cctype>

namespace network {

namespace {

// Letters, digits and the punctuation of names and of IPv4 and IPv6 addresses (a scope as in
// "fe80::1%eth0" included); nothing that could be taken for an option or a path.
bool IsHostText(std::string_view host) {
    return !host.empty() && host.size() <= 253 && host.front() != '-' &&
           std::all_of(host.begin(), host.end(), [](char c) {
               const auto u = static_cast<unsigned char>(c);
               return std::isalnum(u) || c == '.' || c == '-' || c == ':' || c == '%' || c == '_';
           });
}

}  // namespace

std::optional<std::uint16_t> ReadPort(std::string_view text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    std::uint32_t port = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        port = port * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (port == 0 || port > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(port);
}

std::optional<Address> ReadAddress(std::string_view text, std::uint16_t defaultPort) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    std::string_view host = text;
    std::optional<std::uint16_t> port = defaultPort;
    if (!text.empty() && text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        host = text.substr(1, close - 1);
        const std::string_view rest = text.substr(close + 1);
        if (!rest.empty()) {
            if (rest.front() != ':') return std::nullopt;
            port = ReadPort(rest.substr(1));
        }
    } else if (std::count(text.begin(), text.end(), ':') == 1) {
        const std::size_t colon = text.find(':');
        host = text.substr(0, colon);
        port = ReadPort(text.substr(colon + 1));
    }
    if (!port || !IsHostText(host)) return std::nullopt;
    return Address{std::string(host), *port};
}

}  // namespace network
