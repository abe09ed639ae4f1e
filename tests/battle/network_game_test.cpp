// tests/battle/network_game_test.cpp: two network sides in memory, each with its own game, playing
// whole games through the salvo driver the windowed game uses, every message going through its
// bytes. A relay between them can make one side lie, move its fleet or send garbage.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

#include "battle/salvo_driver.h"
#include "network/match.h"
#include "network/messages.h"
#include "rules/moves.h"
#include "rules/random.h"

namespace {

using network::Message;
using network::Step;

struct Side {
    explicit Side(std::uint32_t seed) : match(network::Nonce{static_cast<std::uint8_t>(seed)}) {
        random.Seed(seed);
        rules::PlaceFleetAtRandom(game, rules::Player, random);
    }
    rules::Game game = rules::NewGame(rules::Level::Standard);
    rules::Random random;
    network::Match match;
    std::optional<rules::GameOutcome> end;
    std::vector<Step> steps;
    bool revealed = false;
};

// What the relay may do to a side's message on its way: change it, or pass it as it is.
using Relay = std::function<void(Message&)>;

void Handle(Side& side, const Message& message) {
    const Step step = side.match.Received(side.game, message);
    side.steps.push_back(step);
    if (step == Step::Revealed) side.revealed = true;
    if (step != Step::PlaySalvo) return;
    battle::SilentPresenter quiet;
    side.end = battle::SettleSalvo(
        side.game, quiet, [&side](const rules::Shot& shot) { return side.match.ReportOf(shot); });
    if (side.end) {
        side.match.Leave(side.game, network::LeaveReason::GameOver);
    } else {
        side.match.NextSalvo(side.game);
    }
}

// Everything one side has to say, through its bytes, to the other.
void Deliver(Side& from, Side& to, const Relay& relay) {
    for (Message message : from.match.TakeOutbox()) {
        if (relay) relay(message);
        network::MessageReader reader;
        reader.Feed(network::Encode(message));
        const std::optional<Message> read = reader.Next();
        ASSERT_TRUE(read.has_value()) << reader.Fault();
        Handle(to, *read);
    }
}

// Aims every shot of the side's salvo at random cells of the friend's board; a refused aim (a cell
// already shot) is tried again elsewhere.
void AimSalvo(Side& side) {
    for (int tries = 0; tries < 100000 && side.game.phase == rules::Firing; ++tries) {
        const rules::Cell cell{side.random.Below(rules::BoardSize),
                               side.random.Below(rules::BoardSize)};
        side.match.Aim(side.game, cell);
    }
}

// Plays until both sides have ended, or a bounded number of rounds has passed.
void PlayOut(Side& a, Side& b, const Relay& fromB = {}) {
    ASSERT_TRUE(a.match.Start(a.game));
    ASSERT_TRUE(b.match.Start(b.game));
    for (int round = 0; round < 400 && !(a.match.Ended() && b.match.Ended()); ++round) {
        AimSalvo(a);
        AimSalvo(b);
        Deliver(a, b, {});
        Deliver(b, a, fromB);
    }
}

std::optional<rules::GameOutcome> Mirror(std::optional<rules::GameOutcome> outcome) {
    if (outcome == rules::GameOutcome::Won) return rules::GameOutcome::Lost;
    if (outcome == rules::GameOutcome::Lost) return rules::GameOutcome::Won;
    return outcome;
}

TEST(NetworkGame, HonestSidesEndAlikeAndEachSeesTheOthersBoardAsItIs) {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        Side a(seed);
        Side b(seed + 1000);
        PlayOut(a, b);
        ASSERT_TRUE(a.end.has_value()) << "seed " << seed;
        EXPECT_EQ(b.end, Mirror(a.end)) << "seed " << seed;
        EXPECT_EQ(a.game.salvosResolved, b.game.salvosResolved);
        ASSERT_TRUE(a.revealed && b.revealed);
        EXPECT_EQ(a.match.Verdict(), std::nullopt);
        EXPECT_EQ(b.match.Verdict(), std::nullopt);
        // What each side was told of the other's board is what the other's board holds.
        for (int x = 0; x < rules::BoardSize; ++x) {
            for (int y = 0; y < rules::BoardSize; ++y) {
                const std::int32_t seen = a.game.boards[rules::Enemy][x][y];
                const std::int32_t held = b.game.boards[rules::Player][x][y];
                EXPECT_EQ(seen == rules::Miss, held == rules::Miss) << x << "," << y;
                EXPECT_EQ(seen >= rules::SunkStage, held >= rules::SunkStage) << x << "," << y;
            }
        }
        // The fleet revealed at the end lies where the friend laid it.
        for (int ship = 0; ship < rules::ShipsPerSide; ++ship) {
            EXPECT_EQ(a.game.fleets[rules::Enemy][ship].column,
                      b.game.fleets[rules::Player][ship].column);
            EXPECT_EQ(a.game.fleets[rules::Enemy][ship].row,
                      b.game.fleets[rules::Player][ship].row);
        }
    }
}

// A lie about a shot is caught: a hit told as a miss at the latest when the ship's wreck would lie
// over that "miss", a miss told as a hit at the reveal, where every report is settled again.
TEST(NetworkGame, ALieAboutAShotIsCaught) {
    using network::ShotResult;
    struct Case {
        ShotResult truth;
        ShotResult told;
        bool atTheReveal;
    };
    for (const Case& c : {Case{ShotResult::Hit, ShotResult::Miss, false},
                          Case{ShotResult::Miss, ShotResult::Hit, true}}) {
        Side a(7);
        Side b(8);
        bool lied = false;
        PlayOut(a, b, [&](Message& message) {
            auto* outcomes = std::get_if<network::Outcomes>(&message);
            if (lied || outcomes == nullptr) return;
            for (network::ShotOutcome& outcome : outcomes->outcomes) {
                if (outcome.result == c.truth) {
                    outcome.result = c.told;
                    lied = true;
                    return;
                }
            }
        });
        ASSERT_TRUE(lied);
        EXPECT_TRUE(a.match.CaughtCheating());
        EXPECT_FALSE(b.match.CaughtCheating());
        if (c.atTheReveal) {
            ASSERT_TRUE(a.revealed);
            EXPECT_EQ(a.match.Verdict(), "a reported outcome does not match the fleet");
        }
    }
}

TEST(NetworkGame, AFleetMovedAfterTheCommitmentIsCaught) {
    Side a(11);
    Side b(12);
    bool moved = false;
    PlayOut(a, b, [&b, &moved](Message& message) {
        // Right behind its commitment the friend lays its fleet out anew and plays honestly with
        // it.
        if (moved || !std::holds_alternative<network::Commit>(message)) return;
        rules::Game relaid = rules::NewGame(rules::Level::Standard);
        rules::PlaceFleetAtRandom(relaid, rules::Player, b.random);
        b.game.boards[rules::Player] = relaid.boards[rules::Player];
        b.game.fleets[rules::Player] = relaid.fleets[rules::Player];
        moved = true;
    });
    ASSERT_TRUE(moved && a.revealed);
    EXPECT_EQ(a.match.Verdict(), "the fleet revealed is not the one committed to");
    EXPECT_TRUE(a.match.CaughtCheating());
}

// Messages that break the game's order or cannot be true end the game with a reason; nothing is
// settled from them.
TEST(NetworkGame, MessagesThatCannotBeTrueEndTheGame) {
    struct Case {
        const char* what;
        Relay forge;
    };
    const std::vector<Case> cases = {
        {"fewer shots than ships afloat",
         [](Message& message) {
             if (auto* salvo = std::get_if<network::Salvo>(&message)) salvo->shots.pop_back();
         }},
        {"a sinking of a ship that lies elsewhere",
         [](Message& message) {
             if (auto* outcomes = std::get_if<network::Outcomes>(&message)) {
                 outcomes->outcomes[0] = {network::ShotResult::Sunk, 5, {10, 10, true}};
             }
         }},
        {"a second commitment",
         [](Message& message) {
             if (std::holds_alternative<network::Salvo>(message)) message = network::Commit{};
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Side a(3);
        Side b(4);
        PlayOut(a, b, c.forge);
        EXPECT_TRUE(a.match.Ended());
        ASSERT_FALSE(a.steps.empty());
        EXPECT_EQ(a.steps.back(), Step::Fault);
        EXPECT_FALSE(a.match.Fault().empty());
        EXPECT_EQ(a.game.salvosResolved, 0);
    }
}

}  // namespace
