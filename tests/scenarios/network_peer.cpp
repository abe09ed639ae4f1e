// tests/scenarios/network_peer.cpp: the friend's side, with plain blocking sockets and poll.
#include "tests/scenarios/network_peer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <vector>

#include "battle/salvo_driver.h"
#include "network/match.h"
#include "network/messages.h"
#include "rules/moves.h"
#include "rules/random.h"

namespace scenario {

namespace {

constexpr auto MostTime = std::chrono::seconds(60);

bool SendAll(int socket, const std::vector<std::uint8_t>& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

NetworkPeer::NetworkPeer(Behaviour behaviour, int hangUpAfter, std::uint32_t seed)
    : behaviour_(behaviour), hangUpAfter_(hangUpAfter), seed_(seed) {
    listening_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (listening_ >= 0 &&
        ::bind(listening_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::listen(listening_, 1) == 0 &&
        ::getsockname(listening_, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
        port_ = ntohs(address.sin_port);
    }
    thread_ = std::thread([this] { Run(); });
}

NetworkPeer::~NetworkPeer() { Stop(); }

void NetworkPeer::Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (listening_ >= 0) ::close(listening_);
    listening_ = -1;
}

std::optional<rules::GameOutcome> NetworkPeer::Outcome() {
    Stop();
    return outcome_;
}

void NetworkPeer::Run() {
    const auto deadline = std::chrono::steady_clock::now() + MostTime;
    const auto timeLeft = [&] { return std::chrono::steady_clock::now() < deadline && !stop_; };
    int connection = -1;
    while (connection < 0 && timeLeft() && listening_ >= 0) {
        pollfd waiting{listening_, POLLIN, 0};
        if (::poll(&waiting, 1, 50) > 0) connection = ::accept(listening_, nullptr, nullptr);
    }
    if (connection < 0) return;

    rules::Random random(seed_);
    rules::Game game = rules::NewGame(rules::Level::Standard);
    rules::PlaceFleetAtRandom(game, rules::Player, random);
    network::Match match(network::Nonce{static_cast<std::uint8_t>(seed_)});
    match.Start(game);
    network::MessageReader reader;
    int taken = 0;
    bool lied = false;
    bool hungUp = false;

    const auto flush = [&] {
        for (network::Message message : match.TakeOutbox()) {
            if (behaviour_ == Behaviour::Silent &&
                !std::holds_alternative<network::Hello>(message)) {
                continue;
            }
            if (auto* outcomes = std::get_if<network::Outcomes>(&message);
                outcomes != nullptr && behaviour_ == Behaviour::LieAboutAMiss && !lied) {
                for (network::ShotOutcome& outcome : outcomes->outcomes) {
                    if (outcome.result != network::ShotResult::Miss) continue;
                    outcome.result = network::ShotResult::Hit;
                    lied = true;
                    break;
                }
            }
            SendAll(connection, network::Encode(message));
            if (std::holds_alternative<network::Commit>(message) &&
                behaviour_ == Behaviour::MoveFleet) {
                rules::Game relaid = rules::NewGame(rules::Level::Standard);
                rules::PlaceFleetAtRandom(relaid, rules::Player, random);
                game.boards[rules::Player] = relaid.boards[rules::Player];
                game.fleets[rules::Player] = relaid.fleets[rules::Player];
            }
        }
    };
    const auto aim = [&] {
        for (int tries = 0; tries < 10000 && game.phase == rules::Firing; ++tries) {
            match.Aim(game,
                      rules::Cell{random.Below(rules::BoardSize), random.Below(rules::BoardSize)});
        }
    };
    flush();
    aim();
    flush();
    std::uint8_t buffer[512];
    while (timeLeft() && !hungUp) {
        pollfd waiting{connection, POLLIN, 0};
        if (::poll(&waiting, 1, 50) <= 0) continue;
        const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        reader.Feed(std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(n)));
        while (const std::optional<network::Message> message = reader.Next()) {
            if (behaviour_ == Behaviour::HangUp && ++taken > hangUpAfter_) {
                hungUp = true;
                break;
            }
            if (behaviour_ == Behaviour::Garbage) {
                SendAll(connection, {0xFF, 0xFF, 0x01, 0x02});
                continue;
            }
            const network::Step step = match.Received(game, *message);
            if (step == network::Step::PlaySalvo) {
                battle::SilentPresenter quiet;
                outcome_ = battle::SettleSalvo(game, quiet, [&match](const rules::Shot& shot) {
                    return match.ReportOf(shot);
                });
                if (outcome_) {
                    match.Leave(game, network::LeaveReason::GameOver);
                } else {
                    match.NextSalvo(game);
                }
            }
            flush();
            aim();
            flush();
        }
        if (match.Ended() && match.FriendRevealed()) break;
    }
    // Our last bytes go out before the end of the stream; then the friend's are read to theirs.
    ::shutdown(connection, SHUT_WR);
    while (timeLeft() && !hungUp) {
        pollfd waiting{connection, POLLIN, 0};
        if (::poll(&waiting, 1, 50) <= 0) continue;
        if (::recv(connection, buffer, sizeof buffer, 0) <= 0) break;
    }
    ::close(connection);
}

}  // namespace scenario
