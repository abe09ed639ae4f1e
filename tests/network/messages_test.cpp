// tests/network/messages_test.cpp: every message through its bytes and back, a stream cut into
// any pieces, and the peer's bytes the reader refuses, each ending the reading with a reason.
#include "network/messages.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace network;
using Bytes = std::vector<std::uint8_t>;

std::vector<Message> OneOfEach() {
    Commit commit;
    for (std::size_t i = 0; i < commit.digest.size(); ++i) {
        commit.digest[i] = static_cast<std::uint8_t>(i * 7);
    }
    Reveal reveal;
    reveal.layout = {ShipPlace{0, 0, false}, ShipPlace{11, 0, true}, ShipPlace{2, 4, false},
                     ShipPlace{5, 9, false}, ShipPlace{9, 6, true}};
    reveal.nonce.fill(0xA5);
    return {Hello{},
            commit,
            Salvo{{{0, 0}, {11, 11}, {3, 7}}},
            Salvo{},
            Outcomes{{{ShotResult::Miss, 0, {}},
                      {ShotResult::Hit, 0, {}},
                      {ShotResult::Sunk, 5, {9, 6, true}}}},
            reveal,
            Leave{LeaveReason::GameOver}};
}

TEST(Messages, EachMessageComesBackFromItsBytesWhateverPiecesTheyArriveIn) {
    Bytes stream;
    for (const Message& message : OneOfEach()) {
        const Bytes wire = Encode(message);
        EXPECT_LE(wire.size(), 2 + MaxMessageBytes);
        stream.insert(stream.end(), wire.begin(), wire.end());
    }
    for (std::size_t piece : {std::size_t{1}, std::size_t{5}, stream.size()}) {
        SCOPED_TRACE(piece);
        MessageReader reader;
        std::vector<Message> read;
        for (std::size_t at = 0; at < stream.size(); at += piece) {
            const std::size_t end = std::min(stream.size(), at + piece);
            reader.Feed(std::span<const std::uint8_t>(stream).subspan(at, end - at));
            while (auto message = reader.Next()) read.push_back(*message);
        }
        EXPECT_EQ(reader.Fault(), "");
        EXPECT_EQ(read, OneOfEach());
    }
}

TEST(Messages, RefusesWhatNoGameSends) {
    struct Case {
        const char* what;
        Bytes bytes;
    };
    const Case cases[] = {
        {"an empty message", {0, 0}},
        {"too long", {0, 65}},
        {"an unknown type", {0, 1, 9}},
        {"a stranger's hello", {0, 11, 1, 'H', 'T', 'T', 'P', '/', '1', '.', '1', 0, 1}},
        {"a short commitment", {0, 3, 2, 1, 2}},
        {"six shots", {0, 14, 3, 6, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5}},
        {"a shot off the board", {0, 4, 3, 1, 12, 0}},
        {"two shots at one square", {0, 6, 3, 2, 4, 4, 4, 4}},
        {"a salvo shorter than its count", {0, 4, 3, 2, 1, 1}},
        {"outcomes of the old, shorter size", {0, 4, 4, 1, 2, 5}},
        {"a hit that names a ship", {0, 7, 4, 1, 1, 3, 0, 0, 0}},
        {"a miss with a place", {0, 7, 4, 1, 0, 0, 1, 1, 0}},
        {"a sinking of ship 6", {0, 7, 4, 1, 2, 6, 0, 0, 0}},
        {"a wreck off the board", {0, 7, 4, 1, 2, 1, 8, 0, 0}},
        {"an outcome of 3", {0, 7, 4, 1, 3, 0, 0, 0, 0}},
        {"a farewell of 2", {0, 2, 6, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MessageReader reader;
        reader.Feed(c.bytes);
        EXPECT_FALSE(reader.Next().has_value());
        EXPECT_NE(reader.Fault(), "");
        // A reader that has refused takes nothing more, even a good message.
        const Bytes hello = Encode(Hello{});
        reader.Feed(hello);
        EXPECT_FALSE(reader.Next().has_value());
    }
}

TEST(Messages, AShipOffTheBoardOrAFloodEndsTheReading) {
    Reveal reveal;
    Bytes wire = Encode(reveal);
    wire[3] = 12;  // the first ship's column
    MessageReader offBoard;
    offBoard.Feed(wire);
    EXPECT_FALSE(offBoard.Next().has_value());
    EXPECT_EQ(offBoard.Fault(), "a ship off the board");

    MessageReader flooded;
    const Bytes leave = Encode(Leave{});
    for (int k = 0; k < 2000 && flooded.Fault().empty(); ++k) flooded.Feed(leave);
    EXPECT_NE(flooded.Fault(), "");
}

}  // namespace
