// tests/rules/salvo_test.cpp: the moves of a salvo on hand-made boards: which aims are taken,
// which slots are passed, what settling each kind of shot leaves, and how a game ends.
#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "rules/game.h"
#include "rules/moves.h"

namespace {

using rules::EventKind;

rules::Game Battle() {
    rules::Game game = rules::NewGame(rules::Level::Standard);
    game.phase = rules::Firing;
    return game;
}

void SinkOutright(rules::Game& game, rules::Side side, std::int32_t shipId) {
    game.ShipOf(side, shipId).hits = game.ShipOf(side, shipId).length;
}

// The computer aims at the first untouched cell of the player's board, column by column.
std::optional<rules::Cell> FirstUntouched(const rules::Game& game) {
    for (int x = 0; x < rules::BoardSize; ++x) {
        for (int y = 0; y < rules::BoardSize; ++y) {
            if (rules::IsUntouched(game.boards[rules::Player][x][y])) return rules::Cell{x, y};
        }
    }
    return std::nullopt;
}

TEST(SalvoMoves, AimingTakesOnlyUntouchedCellsOfTheEnemyBoard) {
    rules::Game start = Battle();
    start.boards[rules::Enemy][4][4] = rules::Miss;
    start.boards[rules::Enemy][6][2] = rules::AimedStage + 3;
    start.boards[rules::Enemy][7][7] = 3;  // a ship, unseen: still untouched
    struct Case {
        int column, row;
        bool taken;
    } cases[] = {{4, 4, false}, {6, 2, false}, {12, 0, false}, {0, -1, false}, {7, 7, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.column << ", " << c.row);
        rules::Game game = start;
        const rules::Events events = rules::AimShot(game, rules::Cell{c.column, c.row});
        ASSERT_EQ(events.size(), 1);
        if (!c.taken) {
            EXPECT_TRUE(events.Refused());
            EXPECT_EQ(game.boards, start.boards);
            EXPECT_EQ(game.shotsLeft, start.shotsLeft);
            continue;
        }
        EXPECT_EQ(events.front().kind, EventKind::Aimed);
        EXPECT_EQ(game.boards[rules::Enemy][7][7], rules::AimedStage + 3);
        EXPECT_EQ(game.salvo[0].side, rules::Enemy);
        EXPECT_EQ(game.salvo[0].x, 7);
        EXPECT_EQ(game.salvo[0].y, 7);
        EXPECT_EQ(game.shotsLeft, 4);
    }
    // Outside the firing phase nothing is aimed.
    rules::Game placing = rules::NewGame(rules::Level::Standard);
    EXPECT_TRUE(rules::AimShot(placing, rules::Cell{7, 7}).Refused());
}

TEST(SalvoMoves, SlotsOfSunkShipsArePassedOnBothSides) {
    rules::Game game = Battle();
    SinkOutright(game, rules::Enemy, 1);   // its slot 1 stays empty
    SinkOutright(game, rules::Player, 3);  // its slot 4 is passed without waiting
    ASSERT_FALSE(rules::AimShot(game, {0, 0}).Refused());
    EXPECT_TRUE(rules::FillComputerSlots(game, FirstUntouched).empty());
    EXPECT_EQ(game.salvoSlot, 2);
    EXPECT_EQ(game.salvo[1].side, rules::NoShot);

    ASSERT_FALSE(rules::AimShot(game, {1, 0}).Refused());
    const rules::Events computer = rules::FillComputerSlots(game, FirstUntouched);
    ASSERT_EQ(computer.size(), 2);
    EXPECT_EQ(computer.front().kind, EventKind::ComputerAimed);
    EXPECT_EQ(game.salvoSlot, 6);
    EXPECT_EQ(game.salvo[3].side, rules::Player);
    EXPECT_EQ(game.salvo[4].side, rules::NoShot);
    EXPECT_EQ(game.salvo[5].side, rules::Player);

    ASSERT_FALSE(rules::AimShot(game, {2, 0}).Refused());
    rules::FillComputerSlots(game, FirstUntouched);
    ASSERT_FALSE(rules::AimShot(game, {3, 0}).Refused());
    const rules::Events last = rules::FillComputerSlots(game, FirstUntouched);
    EXPECT_EQ(last.size(), 2);
    EXPECT_EQ((last.end() - 1)->kind, EventKind::SalvoComplete);
    EXPECT_EQ(game.salvoSlot, rules::SalvoSize);
    EXPECT_EQ(game.phase, rules::Resolving);
}

TEST(SalvoMoves, AComputerAimThatIsNotAnUntouchedCellLeavesItsSlotEmpty) {
    const rules::Cell wrong[] = {{-1, 0}, {0, 12}, {3, 3}};
    for (const rules::Cell& cell : wrong) {
        rules::Game game = Battle();
        game.boards[rules::Player][3][3] = rules::Miss;
        const rules::Game before = game;
        rules::FillComputerSlots(game, [&](const rules::Game&) { return cell; });
        EXPECT_EQ(game.salvo[1].side, rules::NoShot) << cell.x << ", " << cell.y;
        EXPECT_EQ(game.boards, before.boards);
    }
}

TEST(SalvoMoves, SettlingMarksMissesAndHitsAndSinksAShipOnlyAfterItsHitWasShown) {
    rules::Game game = Battle();
    // Ship 5 (two cells) lies at (0, 0) and (1, 0) of the enemy board.
    game.boards[rules::Enemy][0][0] = 5;
    game.boards[rules::Enemy][1][0] = 5;
    const rules::Cell aims[] = {{0, 0}, {1, 0}, {5, 5}};
    for (int k = 0; k < 3; ++k) {
        game.salvoSlot = 2 * k;
        rules::AimShot(game, aims[k]);
    }
    // A slot that names a cell nobody aimed at is dropped, not read.
    game.salvo[7] = rules::Shot{rules::Player, 3, 3};
    game.phase = rules::Resolving;

    const rules::Events first = rules::SettleNextShot(game);
    EXPECT_EQ(first.front().kind, EventKind::Hit);
    EXPECT_EQ(first.front().shipId, 5);
    EXPECT_EQ(game.boards[rules::Enemy][0][0], rules::HitStage + 5);

    // The sinking is shown with its hit on the board, then the ship goes down.
    std::vector<std::pair<EventKind, std::int32_t>> shown;
    const rules::Events second = rules::SettleNextShot(game, [&](const rules::Events& events) {
        for (const rules::Event& event : events) {
            shown.emplace_back(event.kind, game.boards[rules::Enemy][1][0]);
        }
    });
    const std::vector<std::pair<EventKind, std::int32_t>> expected = {
        {EventKind::Sinking, rules::HitStage + 5}, {EventKind::Sunk, rules::SunkStage + 5}};
    EXPECT_EQ(shown, expected);
    ASSERT_EQ(second.size(), 2);
    EXPECT_EQ(second.front().kind, EventKind::Sinking);
    EXPECT_EQ(game.boards[rules::Enemy][0][0], rules::SunkStage + 5);

    EXPECT_EQ(rules::SettleNextShot(game).front().kind, EventKind::Missed);
    EXPECT_EQ(game.boards[rules::Enemy][5][5], rules::Miss);
    EXPECT_TRUE(rules::SettleNextShot(game).empty());
    EXPECT_EQ(game.boards[rules::Player][3][3], rules::Water);
    for (const rules::Shot& slot : game.salvo) EXPECT_EQ(slot.side, rules::NoShot);

    SinkOutright(game, rules::Player, 2);
    EXPECT_EQ(rules::EndSalvo(game).front().kind, EventKind::SalvoEnded);
    EXPECT_EQ(game.shotsLeft, 4);
    EXPECT_EQ(game.salvosResolved, 1);
    EXPECT_EQ(game.phase, rules::Firing);
    EXPECT_EQ(game.salvoSlot, 0);
}

TEST(SalvoMoves, TheGameEndsWhenAFleetIsSunkAndBothAtOnceIsATie) {
    struct Case {
        bool playerSunk, enemySunk;
        std::optional<rules::GameOutcome> outcome;
    } cases[] = {{false, false, std::nullopt},
                 {false, true, rules::GameOutcome::Won},
                 {true, false, rules::GameOutcome::Lost},
                 {true, true, rules::GameOutcome::Tied}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.playerSunk << c.enemySunk);
        rules::Game game = Battle();
        for (std::int32_t shipId = 1; shipId <= rules::ShipsPerSide; ++shipId) {
            // One ship of each side stays afloat unless the whole fleet is meant to be sunk.
            if (c.playerSunk || shipId != 4) SinkOutright(game, rules::Player, shipId);
            if (c.enemySunk || shipId != 2) SinkOutright(game, rules::Enemy, shipId);
        }
        const rules::Events end = rules::DecideGame(game);
        if (c.outcome) {
            ASSERT_EQ(end.size(), 1);
            EXPECT_EQ(end.front().kind, EventKind::GameOver);
            EXPECT_EQ(end.front().outcome, *c.outcome);
        } else {
            EXPECT_TRUE(end.empty());
        }
        EXPECT_EQ(game.phase, c.outcome ? rules::GameOver : rules::Firing);
    }
}

}  // namespace
