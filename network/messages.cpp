// network/messages.cpp: the bytes of each message, written and read with every bound checked.
#include "network/messages.h"

#include <algorithm>
#include <cstring>

namespace network {

namespace {

enum Type : std::uint8_t {
    HelloType = 1,
    CommitType = 2,
    SalvoType = 3,
    OutcomesType = 4,
    RevealType = 5,
    LeaveType = 6
};

constexpr char Magic[8] = {'T', 'I', 'D', 'E', 'W', 'R', 'C', 'K'};
constexpr std::size_t LayoutBytes = 3 * rules::ShipsPerSide;

struct Writer {
    std::vector<std::uint8_t> bytes;
    void Byte(std::uint8_t b) { bytes.push_back(b); }
    void Bytes(std::span<const std::uint8_t> b) { bytes.insert(bytes.end(), b.begin(), b.end()); }
};

void WriteBody(Writer& out, const Hello& hello) {
    out.Byte(HelloType);
    for (char c : Magic) out.Byte(static_cast<std::uint8_t>(c));
    out.Byte(static_cast<std::uint8_t>(hello.version >> 8));
    out.Byte(static_cast<std::uint8_t>(hello.version & 0xFF));
}
void WriteBody(Writer& out, const Commit& commit) {
    out.Byte(CommitType);
    out.Bytes(commit.digest);
}
void WriteBody(Writer& out, const Salvo& salvo) {
    out.Byte(SalvoType);
    out.Byte(static_cast<std::uint8_t>(salvo.shots.size()));
    for (const rules::Cell& shot : salvo.shots) {
        out.Byte(static_cast<std::uint8_t>(shot.x));
        out.Byte(static_cast<std::uint8_t>(shot.y));
    }
}
void WriteBody(Writer& out, const Outcomes& outcomes) {
    out.Byte(OutcomesType);
    out.Byte(static_cast<std::uint8_t>(outcomes.outcomes.size()));
    for (const ShotOutcome& outcome : outcomes.outcomes) {
        out.Byte(static_cast<std::uint8_t>(outcome.result));
        out.Byte(outcome.shipId);
        out.Byte(outcome.place.column);
        out.Byte(outcome.place.row);
        out.Byte(outcome.place.vertical ? 1 : 0);
    }
}
void WriteBody(Writer& out, const Reveal& reveal) {
    out.Byte(RevealType);
    for (const ShipPlace& ship : reveal.layout) {
        out.Byte(ship.column);
        out.Byte(ship.row);
        out.Byte(ship.vertical ? 1 : 0);
    }
    out.Bytes(reveal.nonce);
}
void WriteBody(Writer& out, const Leave& leave) {
    out.Byte(LeaveType);
    out.Byte(static_cast<std::uint8_t>(leave.reason));
}

Decoded Fault(const char* why) { return Decoded{std::nullopt, why}; }
Decoded Accept(Message message) { return Decoded{std::move(message), {}}; }

bool OnBoard(std::uint8_t i) { return i < rules::BoardSize; }

Decoded ReadHello(std::span<const std::uint8_t> body) {
    if (body.size() != sizeof Magic + 2) return Fault("a hello of the wrong size");
    if (std::memcmp(body.data(), Magic, sizeof Magic) != 0) return Fault("not a Tidewrack game");
    return Accept(Hello{static_cast<std::uint16_t>((body[8] << 8) | body[9])});
}

Decoded ReadCommit(std::span<const std::uint8_t> body) {
    if (body.size() != Digest{}.size()) return Fault("a commitment of the wrong size");
    Commit commit;
    std::copy(body.begin(), body.end(), commit.digest.begin());
    return Accept(commit);
}

Decoded ReadSalvo(std::span<const std::uint8_t> body) {
    if (body.empty() || body[0] > rules::ShipsPerSide || body.size() != 1u + 2u * body[0]) {
        return Fault("a salvo of the wrong size");
    }
    Salvo salvo;
    for (std::size_t k = 0; k < body[0]; ++k) {
        const std::uint8_t x = body[1 + 2 * k];
        const std::uint8_t y = body[2 + 2 * k];
        if (!OnBoard(x) || !OnBoard(y)) return Fault("a shot off the board");
        const rules::Cell cell{x, y};
        if (std::find(salvo.shots.begin(), salvo.shots.end(), cell) != salvo.shots.end()) {
            return Fault("two shots at one square");
        }
        salvo.shots.push_back(cell);
    }
    return Accept(salvo);
}

Decoded ReadOutcomes(std::span<const std::uint8_t> body) {
    constexpr std::size_t Size = 5;
    if (body.empty() || body[0] > rules::ShipsPerSide || body.size() != 1u + Size * body[0]) {
        return Fault("outcomes of the wrong size");
    }
    Outcomes outcomes;
    for (std::size_t k = 0; k < body[0]; ++k) {
        const std::uint8_t* field = body.data() + 1 + Size * k;
        const std::uint8_t result = field[0];
        const std::uint8_t shipId = field[1];
        const ShipPlace place{field[2], field[3], field[4] == 1};
        const bool sunk = result == static_cast<std::uint8_t>(ShotResult::Sunk);
        if (result > static_cast<std::uint8_t>(ShotResult::Sunk) || field[4] > 1) {
            return Fault("an outcome that is no outcome");
        }
        if (sunk) {
            if (shipId < 1 || shipId > rules::ShipsPerSide) return Fault("a ship that is none");
            const int length = rules::ShipLengths[shipId - 1];
            const int end = (place.vertical ? place.row : place.column) + length;
            if (!OnBoard(place.column) || !OnBoard(place.row) || end > rules::BoardSize) {
                return Fault("a sunk ship off the board");
            }
        } else if (shipId != 0 || place != ShipPlace{}) {
            return Fault("an outcome that is no outcome");
        }
        outcomes.outcomes.push_back(ShotOutcome{static_cast<ShotResult>(result), shipId, place});
    }
    return Accept(outcomes);
}

Decoded ReadReveal(std::span<const std::uint8_t> body) {
    if (body.size() != LayoutBytes + NonceBytes) return Fault("a reveal of the wrong size");
    Reveal reveal;
    for (int s = 0; s < rules::ShipsPerSide; ++s) {
        ShipPlace& ship = reveal.layout[s];
        ship.column = body[3 * s];
        ship.row = body[3 * s + 1];
        if (!OnBoard(ship.column) || !OnBoard(ship.row) || body[3 * s + 2] > 1) {
            return Fault("a ship off the board");
        }
        ship.vertical = body[3 * s + 2] == 1;
    }
    std::copy(body.begin() + LayoutBytes, body.end(), reveal.nonce.begin());
    return Accept(reveal);
}

Decoded ReadLeave(std::span<const std::uint8_t> body) {
    if (body.size() != 1 || body[0] > static_cast<std::uint8_t>(LeaveReason::GameOver)) {
        return Fault("a farewell that is no farewell");
    }
    return Accept(Leave{static_cast<LeaveReason>(body[0])});
}

}  // namespace

std::vector<std::uint8_t> Encode(const Message& message) {
    Writer frame;
    std::visit([&frame](const auto& m) { WriteBody(frame, m); }, message);
    const std::size_t length = frame.bytes.size();
    std::vector<std::uint8_t> wire(2 + length);
    wire[0] = static_cast<std::uint8_t>(length >> 8);
    wire[1] = static_cast<std::uint8_t>(length & 0xFF);
    std::copy(frame.bytes.begin(), frame.bytes.end(), wire.begin() + 2);
    return wire;
}

Decoded DecodeFrame(std::span<const std::uint8_t> frame) {
    if (frame.empty()) return Fault("an empty message");
    const std::span<const std::uint8_t> body = frame.subspan(1);
    switch (frame[0]) {
        case HelloType:
            return ReadHello(body);
        case CommitType:
            return ReadCommit(body);
        case SalvoType:
            return ReadSalvo(body);
        case OutcomesType:
            return ReadOutcomes(body);
        case RevealType:
            return ReadReveal(body);
        case LeaveType:
            return ReadLeave(body);
        default:
            return Fault("an unknown message");
    }
}

void MessageReader::Feed(std::span<const std::uint8_t> bytes) {
    if (!fault_.empty()) return;
    // The game takes each message as it comes; a peer that runs this far ahead is flooding.
    constexpr std::size_t MostBuffered = 4096;
    if (buffer_.size() + bytes.size() > MostBuffered) {
        fault_ = "more bytes than any conversation needs";
        buffer_.clear();
        return;
    }
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

std::optional<Message> MessageReader::Next() {
    if (!fault_.empty() || buffer_.size() < 2) return std::nullopt;
    const std::size_t length = (std::size_t{buffer_[0]} << 8) | buffer_[1];
    if (length == 0 || length > MaxMessageBytes) {
        fault_ = length == 0 ? "an empty message" : "a message longer than any the game sends";
        buffer_.clear();
        return std::nullopt;
    }
    if (buffer_.size() < 2 + length) return std::nullopt;
    Decoded decoded = DecodeFrame(std::span<const std::uint8_t>(buffer_).subspan(2, length));
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(2 + length));
    if (!decoded.message) {
        fault_ = decoded.error;
        buffer_.clear();
    }
    return decoded.message;
}

}  // namespace network
