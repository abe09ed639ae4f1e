// tests/scenarios/network_peer.h: a friend's game for the tests, on a thread of its own behind a
// real loopback connection: it listens on 127.0.0.1, takes the one game that joins, and plays its
// side with a network::Match of its own, honestly or in one of the ways a broken or hostile peer
// would. It stops by itself: when its game is over, when the connection ends, or after a bounded
// time.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <thread>

#include "rules/game.h"

namespace scenario {

class NetworkPeer {
  public:
    enum class Behaviour {
        Honest,
        LieAboutAMiss,  // tells the first miss at its fleet as a hit
        MoveFleet,      // lays its fleet out anew right after committing to it
        Garbage,        // answers the hello with bytes that are no message
        Silent,         // says hello, then nothing ever again
        HangUp,         // closes the connection after taking `hangUpAfter` messages
    };

    explicit NetworkPeer(Behaviour behaviour, int hangUpAfter = 0, std::uint32_t seed = 5);
    ~NetworkPeer();
    NetworkPeer(const NetworkPeer&) = delete;
    NetworkPeer& operator=(const NetworkPeer&) = delete;

    std::uint16_t port() const { return port_; }
    // After the peer stopped: how its game ended, if it did.
    std::optional<rules::GameOutcome> Outcome();
    // Ends the peer now and waits for it.
    void Stop();

  private:
    void Run();

    Behaviour behaviour_;
    int hangUpAfter_;
    std::uint32_t seed_;
    int listening_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::optional<rules::GameOutcome> outcome_;
    std::thread thread_;
};

}  // namespace scenario
