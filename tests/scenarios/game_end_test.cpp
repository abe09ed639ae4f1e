// tests/scenarios/game_end_test.cpp: whole games on the test host, won, lost and tied: the messages
// on the status line and the sounds that come with them, the picture shown at the end, the
// computer's fleet revealed after a loss and the player's remembered, and a finished game that
// takes no more shots.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "battle/salvo_driver.h"
#include "opponent/fleet_memory.h"
#include "rules/game.h"
#include "setup/status_line.h"
#include "shell/session.h"
#include "tests/scenarios/battle_scenario.h"
#include "windows/program_handles.h"

namespace {

using namespace scenario;
using Sounds = std::vector<std::string>;

bool IsEndText(const std::string& text) {
    return text == "YOU WON!!!" || text == "YOU LOST!!!" || text == "A TIE!!!";
}

// From the first salvo on, each message reaches the screen with the sounds of its own event: a
// shot's message after its drop sound and as its outcome sound starts, a sinking's message first
// and its sound just after. The end of the game plays finalSound (none for a tie).
void ExpectSoundsFollowTheMessages(const BattleGame& game, const Sounds& finalSound) {
    const std::vector<ShownStatus>& shown = game.host.shown;
    const Sounds sounds = game.audio.SoundFiles();
    ASSERT_FALSE(sounds.empty());
    EXPECT_EQ(sounds.front(), "siren.wav");
    auto entry = std::find_if(shown.begin(), shown.end(),
                              [](const ShownStatus& s) { return s.text == "Please Wait..."; });
    ASSERT_NE(entry, shown.end());
    std::size_t heard = entry->soundsStarted;
    std::string previous;
    for (; entry != shown.end() && !IsEndText(entry->text); ++entry) {
        const std::string& text = entry->text;
        Sounds expected;
        if (text == "Their Shot Has Missed..." || text == "Your Shot Has Missed...") {
            expected = {"drop.wav", "miss.wav"};
        } else if (text == "Your Ship Has Sustained A Direct Hit !!!" ||
                   text == "You Have Hit Your Enemy's Ship !!!") {
            expected = {"drop.wav", "hit.wav"};
        } else if ((text == "Your Ship Is Sinking...Oh The Humanity !!!" ||
                    text == "Their Ship Is Sinking...burn, Burn, BURN !!!") &&
                   previous == text) {
            expected = {"Sink.wav"};
        }
        const Sounds heardNow(sounds.begin() + heard, sounds.begin() + entry->soundsStarted);
        EXPECT_EQ(heardNow, expected) << "with \"" << text << "\"";
        heard = entry->soundsStarted;
        previous = text;
    }
    ASSERT_NE(entry, shown.end()) << "the end of the game never reached the screen";
    EXPECT_EQ(Sounds(sounds.begin() + heard, sounds.end()), finalSound);
}

// In a game played out shot by shot, every ship that went down was heard going down.
void ExpectASinkingSoundPerShipSunk(const BattleGame& game) {
    const Sounds sounds = game.audio.SoundFiles();
    const int sunk = 2 * rules::ShipsPerSide - rules::ShipsAfloat(TheGame(), rules::Player) -
                     rules::ShipsAfloat(TheGame(), rules::Enemy);
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "Sink.wav"), sunk);
}

void ExpectOnlyTheResultPicture(int bitmapId) {
    const std::vector<platform::Window*> popups = OpenPopups();
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_TRUE(ShowsResourcePicture(popups.front(), bitmapId));
}

// The colour of the frame at the centre of a board cell, after a full repaint.
platform::Pixel PixelAtCell(int side, int x, int y) {
    platform::InvalidateRect(windows::App.MainWindow, nullptr, false);
    platform::UpdateWindow(windows::App.MainWindow);
    const platform::Point at = CellCentre(side, x, y);
    return windows::App.MainWindow->surface.Row(at.y)[at.x];
}

platform::Pixel PixelOf(fixtures::Rgb24 c) {
    return platform::PixelOf(platform::Rgb(c.red, c.green, c.blue));
}

TEST(GameEnd, APlayerWhoFindsTheShipsFirstWins) {
    BattleGame game;
    game.StartBattle();
    std::array<rules::Board, 2> boardsAtTheEnd{};
    SalvoPlayer player(game, /*shootShipsFirst=*/true, [&] {
        EXPECT_STREQ(setup::Status.StatusText, "YOU WON!!!");
        EXPECT_EQ(game.host.shown.back().text, "YOU WON!!!");
        ExpectOnlyTheResultPicture(resources::IDB_WIN);
        ExpectSoundsFollowTheMessages(game, {"win.wav"});
        ExpectASinkingSoundPerShipSunk(game);
        EXPECT_EQ(game.audio.Calls().back().flags, platform::SND_SYNC | platform::SND_NOSTOP);
        for (int k = 0; k < rules::ShipsPerSide; ++k) {
            const fleet::Ship& ship = ShipAt(rules::Enemy, k);
            EXPECT_TRUE(TheGame().fleets[rules::Enemy][k].IsSunk());
            EXPECT_EQ(ship.visible, 1);
            EXPECT_TRUE(ship.currentPicture == &ship.sunkPicture ||
                        ship.currentPicture == &ship.sunkVerticalPicture);
        }
        // The first click closes the picture; the game takes no more shots.
        boardsAtTheEnd = TheGame().boards;
        for (const Cell& cell : UntouchedCells(rules::Enemy, false)) {
            ClickEnemyCell(game.host, cell.x, cell.y);
            if (cell.y > 3) break;
        }
        game.Then([&] {
            EXPECT_TRUE(OpenPopups().empty());
            EXPECT_EQ(TheGame().phase, rules::GameOver);
            EXPECT_EQ(TheGame().boards, boardsAtTheEnd);
        });
    });
    player.Start();
    EXPECT_EQ(game.Run(), 0);
}

TEST(GameEnd, APlayerWhoOnlyHitsWaterLosesAndSeesTheEnemyFleet) {
    BattleGame game;
    game.StartBattle();
    SalvoPlayer player(game, /*shootShipsFirst=*/false, [&] {
        EXPECT_STREQ(setup::Status.StatusText, "YOU LOST!!!");
        ExpectOnlyTheResultPicture(resources::IDB_LOSS);
        ExpectSoundsFollowTheMessages(game, {"lose.wav"});
        ExpectASinkingSoundPerShipSunk(game);
        ASSERT_EQ(rules::ShipsAfloat(TheGame(), rules::Player), 0);
        int afloat = 0;
        for (int k = 0; k < rules::ShipsPerSide; ++k) {
            SCOPED_TRACE(testing::Message() << "enemy ship " << k);
            const fleet::Ship& ship = ShipAt(rules::Enemy, k);
            EXPECT_EQ(ship.visible, 1);
            const bool sunk = TheGame().fleets[rules::Enemy][k].IsSunk();
            afloat += !sunk;
            const bool vertical = ship.orientation == fleet::OrientationVertical;
            const imaging::Picture* expected =
                sunk ? (vertical ? &ship.sunkVerticalPicture : &ship.sunkPicture)
                     : (vertical ? &ship.boatVerticalPicture : &ship.boatPicture);
            EXPECT_EQ(ship.currentPicture, expected);
            // On the screen: an unhit cell of a survivor shows its afloat hull, a wreck its
            // sunk hull.
            for (const Cell& cell : UntouchedCells(rules::Enemy, true)) {
                const std::int32_t code = TheGame().boards[rules::Enemy][cell.x][cell.y];
                if (code != static_cast<std::int32_t>(ship.shipId)) continue;
                EXPECT_EQ(PixelAtCell(rules::Enemy, cell.x, cell.y),
                          PixelOf(fixtures::AfloatColour));
                break;
            }
            if (sunk) {
                for (int x = 0; x < rules::BoardSize; ++x) {
                    for (int y = 0; y < rules::BoardSize; ++y) {
                        if (TheGame().boards[rules::Enemy][x][y] !=
                            rules::SunkStage + static_cast<std::int32_t>(ship.shipId)) {
                            continue;
                        }
                        EXPECT_EQ(PixelAtCell(rules::Enemy, x, y), PixelOf(fixtures::SunkColour));
                    }
                }
            }
        }
        EXPECT_GT(afloat, 0);
        // The computer remembers the fleet it sank, for the games to come.
        const opponent::FleetMemory& memory = shell::TheSession.memory.fleets;
        ASSERT_EQ(memory.count, 1);
        ASSERT_EQ(memory.fleets[0].count, rules::ShipsPerSide);
        for (int k = 0; k < rules::ShipsPerSide; ++k) {
            const rules::ShipState& ship = TheGame().fleets[rules::Player][k];
            EXPECT_EQ(memory.fleets[0].ships[k],
                      (opponent::SeenShip{static_cast<std::int8_t>(ship.length),
                                          static_cast<std::int8_t>(ship.column),
                                          static_cast<std::int8_t>(ship.row), ship.vertical}));
        }
    });
    player.Start();
    EXPECT_EQ(game.Run(), 0);
}

// Both fleets are down to one ship with one cell left, the computer's only untouched target on
// the player's board being that cell; the player's one click sinks the enemy's last ship.
struct TieCase {
    int playerLastShip;  // 1: the player's ship 0 is sunk, so the computer's slot 1 comes first
    std::vector<std::string> sinkings;
};

class Tie : public testing::TestWithParam<TieCase> {};

TEST_P(Tie, BothFleetsSunkInOneSalvoIsATieWithoutSound) {
    const TieCase& c = GetParam();
    BattleGame game;
    game.StartBattle();
    game.Then([&] {
        ASSERT_EQ(TheGame().phase, rules::Firing);
        for (int k = 0; k < rules::ShipsPerSide; ++k) {
            if (k != 0) SinkInPlace(rules::Enemy, k);
            if (k != c.playerLastShip) SinkInPlace(rules::Player, k);
        }
        const Cell enemyLast = HitAllButOneCell(rules::Enemy, 0);
        HitAllButOneCell(rules::Player, c.playerLastShip);
        MissAllWater(rules::Player);
        TheGame().shotsLeft = 1;
        // What the salvo loop does when a salvo opens with the player's ship 0 sunk.
        if (c.playerLastShip != 0) {
            battle::SilentPresenter silent;
            battle::FillComputerSlots(TheGame(),
                                      {shell::TheSession.memory, shell::TheSession.random}, silent);
        }
        ClickEnemyCell(game.host, enemyLast.x, enemyLast.y);
    });
    game.Then([&] {
        EXPECT_EQ(TheGame().phase, rules::GameOver);
        EXPECT_STREQ(setup::Status.StatusText, "A TIE!!!");
        ExpectOnlyTheResultPicture(resources::IDB_TIE);
        ExpectSoundsFollowTheMessages(game, {});
        std::vector<std::string> sinkings;
        for (const ShownStatus& s : game.host.shown) {
            if (s.text.find("Sinking") != std::string::npos &&
                (sinkings.empty() || sinkings.back() != s.text)) {
                sinkings.push_back(s.text);
            }
        }
        EXPECT_EQ(sinkings, c.sinkings);
    });
    EXPECT_EQ(game.Run(), 0);
}

INSTANTIATE_TEST_SUITE_P(WhicheverSinksFirst, Tie,
                         testing::Values(TieCase{0,
                                                 {"Their Ship Is Sinking...burn, Burn, BURN !!!",
                                                  "Your Ship Is Sinking...Oh The Humanity !!!"}},
                                         TieCase{1,
                                                 {"Your Ship Is Sinking...Oh The Humanity !!!",
                                                  "Their Ship Is Sinking...burn, Burn, BURN !!!"}}),
                         [](const testing::TestParamInfo<TieCase>& info) {
                             return info.param.playerLastShip == 0 ? "EnemyShipSinksFirst"
                                                                   : "PlayerShipSinksFirst";
                         });

}  // namespace
