// tests/network/address_test.cpp: what a player or a script may type to join a friend.
#include "network/address.h"

#include <gtest/gtest.h>

namespace {

using network::Address;
using network::ReadAddress;

TEST(Address, HostsAndPortsAsTyped) {
    struct Case {
        const char* typed;
        std::optional<Address> read;
    };
    const Case cases[] = {
        {"192.0.2.7", Address{"192.0.2.7", 58432}},
        {" 192.0.2.7:6000 ", Address{"192.0.2.7", 6000}},
        {"::1", Address{"::1", 58432}},
        {"[::1]:6000", Address{"::1", 6000}},
        {"[2001:db8::7]", Address{"2001:db8::7", 58432}},
        {"harbour.local:65535", Address{"harbour.local", 65535}},
        {"", std::nullopt},
        {":6000", std::nullopt},
        {"host:0", std::nullopt},
        {"host:65536", std::nullopt},
        {"host:12ab", std::nullopt},
        {"[::1", std::nullopt},
        {"[::1]6000", std::nullopt},
        {"--seed", std::nullopt},
        {"host/../etc", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadAddress(c.typed, 58432), c.read) << c.typed;
    }
}

}  // namespace
