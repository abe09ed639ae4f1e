// platform/host.cpp: the host in use and the core's shared bookkeeping.
#include "platform/host.h"

#include <cstdio>
#include <cstdlib>

#include "platform/core_state.h"

namespace platform {

namespace {
Host* currentHost = nullptr;
}

void SetHost(Host* host) { currentHost = host; }

bool HasHost() { return currentHost != nullptr; }

Host& CurrentHost() {
    if (currentHost == nullptr) {
        std::fputs("platform: no host installed\n", stderr);
        std::abort();
    }
    return *currentHost;
}

namespace core {

State& Core() {
    static State state;
    return state;
}

bool IsLive(const Window* window) { return window != nullptr && Core().live.count(window) > 0; }

Host* HostOrNull() { return currentHost; }

}  // namespace core
}  // namespace platform
