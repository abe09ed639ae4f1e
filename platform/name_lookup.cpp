// platform/name_lookup.cpp: getaddrinfo at once for numbers, on a detached thread for names.
#include "platform/name_lookup.h"

#include <fcntl.h>
#include <netdb.h>
#include <unistd.h>

#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

namespace platform {

struct NameLookup::Shared {
    ~Shared() {
        if (wake[0] >= 0) close(wake[0]);
        if (wake[1] >= 0) close(wake[1]);
    }
    std::mutex mutex;
    bool done = false;
    std::vector<SocketAddress> addresses;
    int wake[2] = {-1, -1};  // the thread writes one byte when done
};

namespace {

std::vector<SocketAddress> Resolve(const std::string& host, std::uint16_t port, int flags) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = flags | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    std::vector<SocketAddress> addresses;
    if (getaddrinfo(host.empty() ? nullptr : host.c_str(), service.c_str(), &hints, &found) != 0) {
        return addresses;
    }
    for (const addrinfo* a = found; a != nullptr; a = a->ai_next) {
        if (a->ai_addrlen > sizeof(sockaddr_storage)) continue;
        SocketAddress address;
        std::memcpy(&address.storage, a->ai_addr, a->ai_addrlen);
        address.length = a->ai_addrlen;
        addresses.push_back(address);
    }
    freeaddrinfo(found);
    return addresses;
}

}  // namespace

std::vector<SocketAddress> NumericAddresses(const std::string& host, std::uint16_t port) {
    if (!host.empty()) return Resolve(host, port, AI_NUMERICHOST);
    // Every address: IPv6's first, since one IPv6 socket can hear both families; IPv4's alone
    // where the system has no IPv6.
    std::vector<SocketAddress> addresses = Resolve("::", port, AI_NUMERICHOST | AI_PASSIVE);
    const std::vector<SocketAddress> v4 = Resolve("0.0.0.0", port, AI_NUMERICHOST | AI_PASSIVE);
    addresses.insert(addresses.end(), v4.begin(), v4.end());
    return addresses;
}

std::unique_ptr<NameLookup> NameLookup::Start(const std::string& host, std::uint16_t port) {
    auto shared = std::make_shared<Shared>();
    if (pipe2(shared->wake, O_CLOEXEC | O_NONBLOCK) != 0) return nullptr;
    try {
        std::thread([shared, host, port] {
            std::vector<SocketAddress> addresses = Resolve(host, port, 0);
            std::lock_guard<std::mutex> lock(shared->mutex);
            shared->addresses = std::move(addresses);
            shared->done = true;
            const char byte = 1;
            [[maybe_unused]] const ssize_t written = write(shared->wake[1], &byte, 1);
        }).detach();
    } catch (const std::system_error&) {
        return nullptr;
    }
    return std::unique_ptr<NameLookup>(new NameLookup(std::move(shared)));
}

int NameLookup::Descriptor() const { return shared_->wake[0]; }

bool NameLookup::Done() const {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->done;
}

std::vector<SocketAddress> NameLookup::Addresses() const {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->addresses;
}

}  // namespace platform
