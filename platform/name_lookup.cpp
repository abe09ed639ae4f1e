// platform/name_lookup.cpp: numbers resolved at once, names on a detached thread that rings a
// bell when done.
#include "platform/name_lookup.h"

#include <mutex>
#include <system_error>
#include <thread>

namespace platform {

struct NameLookup::Shared {
    ~Shared() { CloseLookupBell(&bell); }
    std::mutex mutex;
    bool done = false;
    std::vector<SocketAddress> addresses;
    LookupBell bell;
};

std::vector<SocketAddress> NumericAddresses(const std::string& host, std::uint16_t port) {
    if (!host.empty()) return ResolveHost(host, port, true, false);
    // Every address: IPv6's first, since one IPv6 socket can hear both families; IPv4's alone
    // where the system has no IPv6.
    std::vector<SocketAddress> addresses = ResolveHost("::", port, true, true);
    const std::vector<SocketAddress> v4 = ResolveHost("0.0.0.0", port, true, true);
    addresses.insert(addresses.end(), v4.begin(), v4.end());
    return addresses;
}

std::unique_ptr<NameLookup> NameLookup::Start(const std::string& host, std::uint16_t port) {
    auto shared = std::make_shared<Shared>();
    if (!OpenLookupBell(&shared->bell)) return nullptr;
    try {
        std::thread([shared, host, port] {
            std::vector<SocketAddress> addresses = ResolveHost(host, port, false, false);
            std::lock_guard<std::mutex> lock(shared->mutex);
            shared->addresses = std::move(addresses);
            shared->done = true;
            RingLookupBell(shared->bell);
        }).detach();
    } catch (const std::system_error&) {
        return nullptr;
    }
    return std::unique_ptr<NameLookup>(new NameLookup(std::move(shared)));
}

SocketDescriptor NameLookup::Descriptor() const { return shared_->bell.watched; }

bool NameLookup::Done() const {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->done;
}

std::vector<SocketAddress> NameLookup::Addresses() const {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->addresses;
}

}  // namespace platform
