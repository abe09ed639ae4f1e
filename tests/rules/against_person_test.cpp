// tests/rules/against_person_test.cpp: the moves of a game against a person: their salvo taken
// only when it fits, and our shots settled by their reports, an untrue one refused.
#include <gtest/gtest.h>

#include <vector>

#include "rules/game.h"
#include "rules/moves.h"
#include "rules/random.h"

namespace {

using rules::Cell;
using rules::EventKind;

// Our fleet laid out and the battle begun against a person; our salvo aimed at `ours` and the
// friend's shots taken behind it.
rules::Game Battle(const std::vector<Cell>& ours) {
    rules::Game game = rules::NewGame(rules::Level::Standard);
    rules::Random random(3);
    rules::PlaceFleetAtRandom(game, rules::Player, random);
    EXPECT_FALSE(rules::StartAgainstPerson(game).Refused());
    EXPECT_FALSE(rules::AimWholeSalvo(game, ours).Refused());
    return game;
}

TEST(AgainstPerson, TheirSalvoIsTakenOnlyWhenItFitsOurBoard) {
    rules::Game game = Battle({{0, 0}});
    const Cell five[] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}};
    const Cell four[] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}};
    const Cell twice[] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 0}};
    const Cell off[] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {12, 0}};
    EXPECT_EQ(rules::FitOfOtherSalvo(game, four), rules::SalvoFit::WrongCount);
    EXPECT_EQ(rules::FitOfOtherSalvo(game, twice), rules::SalvoFit::CellShotAt);
    EXPECT_EQ(rules::FitOfOtherSalvo(game, off), rules::SalvoFit::CellShotAt);
    const rules::Game before = game;
    EXPECT_TRUE(rules::TakeOtherSalvo(game, twice).Refused());
    EXPECT_EQ(game.boards, before.boards);

    EXPECT_EQ(rules::TakeOtherSalvo(game, five).size(), 5);
    // Now taken, the same cells are shot at.
    EXPECT_EQ(rules::FitOfOtherSalvo(game, five), rules::SalvoFit::CellShotAt);
    EXPECT_EQ(rules::OurShots(game), (std::vector<Cell>{{0, 0}}));
}

// Two hits told at (0, 0) and (1, 0); then the shot at (2, 0) reported as each case says.
TEST(AgainstPerson, OurShotsSettleByTheReportsAndAnUntrueOneIsRefused) {
    struct Case {
        const char* what;
        rules::Report report;
        bool holds;
    };
    const std::vector<Case> cases = {
        {"a miss", {.kind = EventKind::Missed}, true},
        {"a sinking over the hits", {EventKind::Sinking, 3, {0, 0}, false}, true},
        {"a wreck not over the shot", {EventKind::Sinking, 5, {0, 0}, false}, false},
        {"a wreck over an unhit cell", {EventKind::Sinking, 3, {1, 0}, false}, false},
        {"a wreck off the board", {EventKind::Sinking, 3, {0, 10}, true}, false},
        {"a ship that is not", {EventKind::Sinking, 6, {0, 0}, false}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        rules::Game game = Battle({{0, 0}, {1, 0}});
        const rules::ReportOf hit = [](const rules::Shot&) {
            return rules::Report{.kind = EventKind::Hit};
        };
        while (!rules::SettleNextShot(game, {}, hit).empty()) {
        }
        EXPECT_EQ(game.boards[rules::Enemy][1][0], rules::HitUnknownShip);
        rules::EndSalvo(game);
        const Cell next[] = {{2, 0}};
        rules::AimWholeSalvo(game, next);
        const rules::Events settled =
            rules::SettleNextShot(game, {}, [&c](const rules::Shot&) { return c.report; });
        EXPECT_EQ(!settled.Refused(), c.holds);
        if (c.holds && c.report.kind == EventKind::Sinking) {
            ASSERT_EQ(settled.size(), 2);
            EXPECT_EQ(settled.begin()[1].kind, EventKind::Sunk);
            EXPECT_TRUE(game.ShipOf(rules::Enemy, 3).IsSunk());
            for (int x = 0; x < 3; ++x) {
                EXPECT_EQ(game.boards[rules::Enemy][x][0], rules::SunkStage + 3);
            }
            // Sunk once; a second report of it cannot be true.
            const Cell again[] = {{5, 5}};
            rules::AimWholeSalvo(game, again);
            rules::Report twice = c.report;
            twice.first = {5, 5};
            EXPECT_TRUE(rules::SettleNextShot(game, {}, [&](const rules::Shot&) {
                            return twice;
                        }).Refused());
        }
        // Settled or refused, the slot is empty and the salvo ends.
        EXPECT_TRUE(rules::SettleNextShot(game).empty());
    }
}

}  // namespace
