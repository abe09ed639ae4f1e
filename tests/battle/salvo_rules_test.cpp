// tests/battle/salvo_rules_test.cpp: the salvo rules on a hand-made board: which aims are taken,
// which slots are passed, what settling each kind of shot leaves, and how a game ends.
#include "battle/salvo_rules.h"

#include <gtest/gtest.h>

#include <optional>

#include "battle/windowless_game.h"
#include "fleet/fleet.h"
#include "fleet/game_state.h"

namespace {

using fleet::GameState;

fleet::Ship& ShipOf(fleet::Side side, std::uint32_t shipId) {
    return fleet::Ships[fleet::ShipIndex(side, shipId)];
}

void SinkOutright(fleet::Side side, std::uint32_t shipId) {
    ShipOf(side, shipId).hits = ShipOf(side, shipId).length;
}

class SalvoRules : public testing::Test {
  protected:
    void SetUp() override { battle::NewWindowlessGame(); }
};

TEST_F(SalvoRules, AimingTakesOnlyUntouchedCellsOfTheEnemyBoard) {
    GameState.boards[fleet::Enemy][4][4] = fleet::Miss;
    GameState.boards[fleet::Enemy][6][2] = fleet::AimedStage + 3;
    GameState.boards[fleet::Enemy][7][7] = 3;  // a ship, unseen: still untouched
    struct Case {
        int column, row;
        bool taken;
    } cases[] = {{4, 4, false}, {6, 2, false}, {12, 0, false}, {0, -1, false}, {7, 7, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.column << ", " << c.row);
        const fleet::GameStateRecord before = GameState;
        EXPECT_EQ(battle::AimShot(c.column, c.row), c.taken);
        if (!c.taken) {
            EXPECT_EQ(GameState.boards, before.boards);
            EXPECT_EQ(GameState.shotsLeft, before.shotsLeft);
            continue;
        }
        EXPECT_EQ(GameState.boards[fleet::Enemy][7][7], fleet::AimedStage + 3);
        EXPECT_EQ(GameState.salvo[0].side, fleet::Enemy);
        EXPECT_EQ(GameState.salvo[0].x, 7);
        EXPECT_EQ(GameState.salvo[0].y, 7);
        EXPECT_EQ(GameState.shotsLeft, 4);
    }
}

TEST_F(SalvoRules, SlotsOfSunkShipsArePassedOnBothSides) {
    SinkOutright(fleet::Enemy, 1);   // its slot 1 stays empty
    SinkOutright(fleet::Player, 3);  // its slot 4 is passed without waiting
    ASSERT_TRUE(battle::AimShot(0, 0));
    EXPECT_FALSE(battle::FillComputerSlots());
    EXPECT_EQ(GameState.salvoSlot, 2);
    EXPECT_EQ(GameState.salvo[1].side, fleet::NoShot);

    ASSERT_TRUE(battle::AimShot(1, 0));
    EXPECT_FALSE(battle::FillComputerSlots());
    EXPECT_EQ(GameState.salvoSlot, 6);
    EXPECT_EQ(GameState.salvo[3].side, fleet::Player);
    EXPECT_EQ(GameState.salvo[4].side, fleet::NoShot);
    EXPECT_EQ(GameState.salvo[5].side, fleet::Player);

    ASSERT_TRUE(battle::AimShot(2, 0));
    EXPECT_FALSE(battle::FillComputerSlots());
    ASSERT_TRUE(battle::AimShot(3, 0));
    EXPECT_TRUE(battle::FillComputerSlots());
    EXPECT_EQ(GameState.salvoSlot, fleet::SalvoSize);
}

TEST_F(SalvoRules, SettlingMarksMissesAndHitsAndTurnsASunkShipOnlyWhenAsked) {
    // Ship 5 (two cells) lies at (0, 0) and (1, 0) of the enemy board.
    GameState.boards[fleet::Enemy][0][0] = 5;
    GameState.boards[fleet::Enemy][1][0] = 5;
    const int aims[][2] = {{0, 0}, {1, 0}, {5, 5}};
    for (int k = 0; k < 3; ++k) {
        GameState.salvoSlot = 2 * k;
        fleet::QueueShot(fleet::Enemy, aims[k][0], aims[k][1]);
    }
    // A slot that names a cell nobody aimed at is dropped, not read.
    GameState.salvo[7] = fleet::Shot{fleet::Player, 3, 3};
    battle::BeginSettling();

    const battle::SettledShot first = battle::SettleShot(0);
    EXPECT_EQ(first.outcome, battle::ShotOutcome::Hit);
    EXPECT_EQ(first.ship, &ShipOf(fleet::Enemy, 5));
    EXPECT_EQ(GameState.boards[fleet::Enemy][0][0], fleet::HitStage + 5);

    const battle::SettledShot second = battle::SettleShot(2);
    EXPECT_EQ(second.outcome, battle::ShotOutcome::Sinking);
    EXPECT_EQ(GameState.boards[fleet::Enemy][1][0], fleet::HitStage + 5);
    battle::SinkShip(second);
    EXPECT_EQ(GameState.boards[fleet::Enemy][0][0], fleet::SunkStage + 5);
    EXPECT_EQ(GameState.boards[fleet::Enemy][1][0], fleet::SunkStage + 5);

    EXPECT_EQ(battle::SettleShot(4).outcome, battle::ShotOutcome::Miss);
    EXPECT_EQ(GameState.boards[fleet::Enemy][5][5], fleet::Miss);
    EXPECT_EQ(battle::SettleShot(6).outcome, battle::ShotOutcome::Empty);
    EXPECT_EQ(battle::SettleShot(7).outcome, battle::ShotOutcome::Empty);
    EXPECT_EQ(GameState.boards[fleet::Player][3][3], fleet::Water);
    for (const fleet::Shot& slot : GameState.salvo) EXPECT_EQ(slot.side, fleet::NoShot);

    SinkOutright(fleet::Player, 2);
    battle::EndSalvo();
    EXPECT_EQ(GameState.shotsLeft, 4);
    EXPECT_EQ(GameState.salvosResolved, 1);
    EXPECT_EQ(GameState.phase, fleet::Firing);
    EXPECT_EQ(GameState.salvoSlot, 0);
}

TEST_F(SalvoRules, TheGameEndsWhenAFleetIsSunkAndBothAtOnceIsATie) {
    struct Case {
        bool playerSunk, enemySunk;
        std::optional<battle::GameOutcome> outcome;
    } cases[] = {{false, false, std::nullopt},
                 {false, true, battle::GameOutcome::Won},
                 {true, false, battle::GameOutcome::Lost},
                 {true, true, battle::GameOutcome::Tied}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.playerSunk << c.enemySunk);
        battle::StartWindowlessGame();
        for (std::uint32_t shipId = 1; shipId <= fleet::ShipsPerSide; ++shipId) {
            // One ship of each side stays afloat unless the whole fleet is meant to be sunk.
            if (c.playerSunk || shipId != 4) SinkOutright(fleet::Player, shipId);
            if (c.enemySunk || shipId != 2) SinkOutright(fleet::Enemy, shipId);
        }
        EXPECT_EQ(battle::DecideGame(), c.outcome);
        EXPECT_EQ(GameState.phase, c.outcome ? fleet::GameOver : fleet::Firing);
    }
}

}  // namespace
