// tests/network/conversation_test.cpp: two sides' conversations in memory: a whole game's messages
// in order, and each message out of its turn ending the conversation with a reason.
#include "network/conversation.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace network;
using Stage = Conversation::Stage;

// Sends on one side and receives on the other; both must accept.
void Pass(Conversation& from, Conversation& to, const Message& message) {
    ASSERT_TRUE(from.Send(message));
    ASSERT_EQ(to.Received(message), std::nullopt);
}

Salvo Shots(int count) {
    Salvo salvo;
    for (int k = 0; k < count; ++k) salvo.shots.push_back({k, 0});
    return salvo;
}

Outcomes Misses(int count) {
    return Outcomes{std::vector<ShotOutcome>(static_cast<std::size_t>(count))};
}

// Both sides greeted and committed.
void ToTheBattle(Conversation& a, Conversation& b) {
    Pass(a, b, Hello{});
    Pass(b, a, Hello{});
    Pass(a, b, Commit{});
    Pass(b, a, Commit{});
}

TEST(Conversation, AWholeGameGoesThroughInOrder) {
    Conversation host;
    Conversation friendSide;
    ToTheBattle(host, friendSide);
    EXPECT_EQ(host.stage(), Stage::Salvo);
    for (int round = 0; round < 2; ++round) {
        // Either side's salvo may come first; outcomes follow once both are known.
        Pass(friendSide, host, Shots(3));
        EXPECT_FALSE(host.Send(Misses(3))) << "no outcomes before this side's own salvo";
        Pass(host, friendSide, Shots(5));
        EXPECT_EQ(host.stage(), Stage::Outcomes);
        EXPECT_FALSE(host.Send(Misses(5))) << "one outcome for each of the friend's shots";
        Pass(host, friendSide, Misses(3));
        Pass(friendSide, host, Misses(5));
        EXPECT_EQ(host.stage(), Stage::Salvo);
    }
    Pass(host, friendSide, Reveal{});
    Pass(friendSide, host, Reveal{});
    EXPECT_TRUE(host.TheirReveal().has_value());
    Pass(host, friendSide, Leave{LeaveReason::GameOver});
    Pass(friendSide, host, Leave{LeaveReason::GameOver});
    EXPECT_EQ(host.stage(), Stage::Over);
    EXPECT_FALSE(host.Send(Salvo{}));
}

TEST(Conversation, AMessageOutOfTurnEndsIt) {
    struct Case {
        const char* what;
        std::vector<Message> before;  // from the friend, all in order
        Message out;
    };
    const Case cases[] = {
        {"a salvo before the hello", {}, Shots(1)},
        {"another version", {}, Hello{2}},
        {"a second hello", {Hello{}}, Hello{}},
        {"a salvo before the commitments", {Hello{}}, Shots(1)},
        {"a commitment twice", {Hello{}, Commit{}}, Commit{}},
        {"a reveal without a commitment", {Hello{}}, Reveal{}},
        {"a second salvo before the outcomes", {Hello{}, Commit{}, Shots(2)}, Shots(2)},
        {"outcomes before the salvos", {Hello{}, Commit{}}, Misses(5)},
        {"a salvo after the reveal", {Hello{}, Commit{}, Reveal{}}, Shots(1)},
        {"anything after the farewell", {Hello{}, Leave{}}, Hello{}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Conversation side;
        ASSERT_TRUE(side.Send(Hello{}));
        for (const Message& m : c.before) {
            ASSERT_EQ(side.Received(m), std::nullopt);
            if (std::holds_alternative<Hello>(m)) {
                ASSERT_TRUE(side.Send(Commit{}));
            }
        }
        EXPECT_NE(side.Received(c.out), std::nullopt);
        EXPECT_EQ(side.stage(), Stage::Over);
        EXPECT_NE(side.Received(Leave{}), std::nullopt) << "nothing is read after a fault";
    }
}

TEST(Conversation, OutcomesMustAnswerEveryShot) {
    Conversation host;
    Conversation friendSide;
    ToTheBattle(host, friendSide);
    Pass(host, friendSide, Shots(4));
    Pass(friendSide, host, Shots(2));
    EXPECT_NE(host.Received(Misses(3)), std::nullopt);
}

}  // namespace
