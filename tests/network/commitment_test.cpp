// tests/network/commitment_test.cpp: a reveal checked against the commitment and the reported
// outcomes: an honest peer passes; a lie about a hit, a moved ship, a fleet off the board and a
// wrong nonce are each caught.
#include "network/commitment.h"

#include <gtest/gtest.h>

#include "rules/moves.h"
#include "rules/random.h"

namespace {

using namespace network;

struct Peer {
    rules::Game game = rules::NewGame(rules::Level::Standard);
    Reveal reveal;
    Digest committed{};

    explicit Peer(std::uint32_t seed) {
        rules::Random random(seed);
        rules::PlaceFleetAtRandom(game, rules::Player, random);
        reveal.layout = LayoutOf(game, rules::Player);
        for (std::size_t i = 0; i < reveal.nonce.size(); ++i) {
            reveal.nonce[i] = static_cast<std::uint8_t>(random.Next());
        }
        committed = CommitmentOf(reveal.layout, reveal.nonce);
    }

    // What an honest peer reports for a salvo at its fleet.
    std::vector<ShotOutcome> Honest(const std::vector<rules::Cell>& shots) {
        std::vector<ShotOutcome> outcomes;
        for (const rules::Cell& shot : shots) {
            const std::int32_t code = game.boards[rules::Player][shot.x][shot.y];
            if (code == rules::Water) {
                outcomes.push_back({ShotResult::Miss, 0, {}});
                continue;
            }
            rules::ShipState& ship = game.ShipOf(rules::Player, code);
            ++ship.hits;
            outcomes.push_back(
                ship.IsSunk()
                    ? ShotOutcome{ShotResult::Sunk, static_cast<std::uint8_t>(code), PlaceOf(ship)}
                    : ShotOutcome{ShotResult::Hit, 0, {}});
        }
        return outcomes;
    }
};

// Three salvos sweeping the first rows of the board.
std::vector<ReportedSalvo> Sweep(Peer& peer) {
    std::vector<ReportedSalvo> salvos;
    for (int s = 0; s < 3; ++s) {
        ReportedSalvo salvo;
        for (int k = 0; k < 5; ++k) {
            const int cell = s * 5 + k;
            salvo.shots.push_back({cell % 12, cell / 12});
        }
        salvo.outcomes = peer.Honest(salvo.shots);
        salvos.push_back(salvo);
    }
    return salvos;
}

TEST(Commitment, AnHonestPeerPassesAndEveryKindOfCheatingIsCaught) {
    for (std::uint32_t seed : {1u, 77u, 4000000000u}) {
        SCOPED_TRACE(seed);
        Peer peer(seed);
        const std::vector<ReportedSalvo> honest = Sweep(peer);
        EXPECT_EQ(CheckReveal(peer.committed, peer.reveal, honest), std::nullopt);

        // A shot reported the other way round.
        std::vector<ReportedSalvo> lied = honest;
        ShotOutcome& first = lied[0].outcomes[0];
        first = first.result == ShotResult::Miss ? ShotOutcome{ShotResult::Hit, 0}
                                                 : ShotOutcome{ShotResult::Miss, 0};
        EXPECT_NE(CheckReveal(peer.committed, peer.reveal, lied), std::nullopt);

        // A fleet moved after the commitment: a ship turned, committed to with the old layout.
        Reveal moved = peer.reveal;
        moved.layout[4].vertical = !moved.layout[4].vertical;
        EXPECT_NE(CheckReveal(peer.committed, moved, honest), std::nullopt);

        // Other secret bytes than the ones committed to.
        Reveal otherNonce = peer.reveal;
        otherNonce.nonce[0] ^= 1;
        EXPECT_NE(CheckReveal(peer.committed, otherNonce, honest), std::nullopt);
    }
}

TEST(Commitment, AFleetThatCannotLieOnTheBoardIsCaughtEvenWhenCommittedTo) {
    struct Case {
        const char* what;
        FleetLayout layout;
    };
    const Case cases[] = {
        {"the carrier sticks out",
         {ShipPlace{8, 0, false}, ShipPlace{0, 2, false}, ShipPlace{0, 4, false},
          ShipPlace{0, 6, false}, ShipPlace{0, 8, false}}},
        {"two ships overlap",
         {ShipPlace{0, 0, false}, ShipPlace{2, 0, true}, ShipPlace{0, 4, false},
          ShipPlace{0, 6, false}, ShipPlace{0, 8, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reveal reveal;
        reveal.layout = c.layout;
        const Digest committed = CommitmentOf(reveal.layout, reveal.nonce);
        EXPECT_EQ(CheckReveal(committed, reveal, {}),
                  "the fleet revealed does not fit on the board");
    }
}

}  // namespace
