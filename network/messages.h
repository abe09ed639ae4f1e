// network/messages.h: what two games say to each other over one TCP connection, as bytes, and the
// one reader of a peer's bytes. docs/protocol.md describes the same for anyone writing a
// compatible program. Every byte from a peer is checked here before the game sees it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "network/sha256.h"
#include "rules/game.h"

namespace network {

constexpr std::uint16_t ProtocolVersion = 1;
// In the dynamic range, so it clashes with no registered service.
constexpr std::uint16_t DefaultPort = 58432;
// A message's length prefix counts its type byte and body: the largest, Reveal, needs 48.
constexpr std::size_t MaxMessageBytes = 64;
constexpr std::size_t NonceBytes = 32;

using Nonce = std::array<std::uint8_t, NonceBytes>;

// Where a ship lies: its first cell (leftmost or topmost) and whether it stands up and down.
struct ShipPlace {
    std::uint8_t column = 0;
    std::uint8_t row = 0;
    bool vertical = false;
    friend bool operator==(const ShipPlace&, const ShipPlace&) = default;
};

using FleetLayout = std::array<ShipPlace, rules::ShipsPerSide>;  // by shipId - 1

enum class ShotResult : std::uint8_t { Miss = 0, Hit = 1, Sunk = 2 };

struct ShotOutcome {
    ShotResult result = ShotResult::Miss;
    std::uint8_t shipId = 0;  // 1..5 for Sunk, 0 otherwise
    // Where the sunk ship lay, so that its wreck shows where it went down; all zero otherwise.
    ShipPlace place{};
    friend bool operator==(const ShotOutcome&, const ShotOutcome&) = default;
};

struct Hello {
    std::uint16_t version = ProtocolVersion;
    friend bool operator==(const Hello&, const Hello&) = default;
};
struct Commit {
    Digest digest{};
    friend bool operator==(const Commit&, const Commit&) = default;
};
struct Salvo {
    std::vector<rules::Cell> shots;  // at most five, no cell twice
    friend bool operator==(const Salvo&, const Salvo&) = default;
};
struct Outcomes {
    std::vector<ShotOutcome> outcomes;  // of the peer's last salvo, shot by shot, at most five
    friend bool operator==(const Outcomes&, const Outcomes&) = default;
};
struct Reveal {
    FleetLayout layout{};
    Nonce nonce{};
    friend bool operator==(const Reveal&, const Reveal&) = default;
};
enum class LeaveReason : std::uint8_t { PlayerLeft = 0, GameOver = 1 };
struct Leave {
    LeaveReason reason = LeaveReason::PlayerLeft;
    friend bool operator==(const Leave&, const Leave&) = default;
};

using Message = std::variant<Hello, Commit, Salvo, Outcomes, Reveal, Leave>;

// The message as it goes on the wire: length prefix, type, body.
std::vector<std::uint8_t> Encode(const Message& message);

// A message's type and body (without the length prefix): the message, or why it cannot be one.
struct Decoded {
    std::optional<Message> message;
    std::string error;  // set when message is not
};
Decoded DecodeFrame(std::span<const std::uint8_t> frame);

// Reads a peer's byte stream into messages. Bytes come in any pieces; a message is taken once
// whole. The first fault (a length out of bounds, a malformed message) ends the reading for
// good: the connection is to be closed with the reason.
class MessageReader {
  public:
    void Feed(std::span<const std::uint8_t> bytes);
    // The next whole message; nothing while more bytes are needed or after a fault.
    std::optional<Message> Next();
    // Why reading stopped; empty while all is well.
    const std::string& Fault() const { return fault_; }

  private:
    std::vector<std::uint8_t> buffer_;
    std::string fault_;
};

}  // namespace network
