// tests/scenarios/network_play_test.cpp: the game on the test host joins a friend's game running on
// a thread of its own over a real loopback connection (tests/scenarios/network_peer.h): a whole
// honest game to its end on both sides, and each way a friend can break the game (a lie, a moved
// fleet, garbage, a hang-up at every step, silence) ending it with a message, a record and a
// playable game against the computer, never a crash or a hang.
#include "shell/network_play.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "network/match.h"
#include "platform/message_box.h"
#include "shell/play_record.h"
#include "tests/scenarios/battle_scenario.h"
#include "tests/scenarios/network_peer.h"

namespace {

using namespace scenario;
using Behaviour = NetworkPeer::Behaviour;

// The record of play goes to a folder of the test's own.
class RecordFolder {
  public:
    RecordFolder() {
        folder_ = std::filesystem::temp_directory_path() /
                  ("tidewrack-network-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        setenv("XDG_DATA_HOME", folder_.c_str(), 1);
    }
    ~RecordFolder() {
        setenv("XDG_DATA_HOME", "/dev/null/tidewrack-tests", 1);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

  private:
    std::filesystem::path folder_;
};

bool InTheBattle() { return shell::InNetworkGame() && TheGame().phase == rules::Firing; }

// Fires at the friend's board whenever the game lets the player, until the network game is over;
// then leaves the program.
void FireUntilTheEnd(BattleGame& game) {
    game.host.ThenWhen([] { return InTheBattle() || !shell::InNetworkGame(); },
                       [&game] {
                           if (!InTheBattle()) {
                               game.host.ChooseMenu(windows::App.MainWindow, resources::IDM_EXIT);
                               return;
                           }
                           const std::vector<Cell> cells = UntouchedCells(rules::Enemy, false);
                           if (!cells.empty()) ClickEnemyCell(game.host, cells[0].x, cells[0].y);
                           FireUntilTheEnd(game);
                       });
}

// Joins the peer, lays the fleet out and starts, fires to the end, then leaves the program.
void PlayAgainst(BattleGame& game, const NetworkPeer& peer) {
    game.Then([&game] { game.host.Clock().Advance(5000); });
    game.Then([&peer] {
        shell::JoinNetworkGame(windows::App.MainWindow, network::Address{"127.0.0.1", peer.port()});
    });
    game.host.ThenWhen(
        [] {
            return std::string(setup::Status.StatusText).find("Opponent Is Here") !=
                       std::string::npos ||
                   !shell::InNetworkGame();
        },
        [&game] {
            game.Then([&game] {
                game.host.ClickControl(windows::App.MainWindow, setup::ID_PLACE_RANDOM);
            });
            game.Then(
                [&game] { game.host.ClickControl(windows::App.MainWindow, setup::ID_START); });
            FireUntilTheEnd(game);
        });
}

std::vector<std::string> BoxTexts(const BattleGame& game) {
    std::vector<std::string> texts;
    for (const auto& box : game.host.MessageBoxes()) texts.push_back(box.text);
    return texts;
}

TEST(NetworkPlay, AWholeGameEndsAlikeOnBothSidesAndIsRecorded) {
    RecordFolder folder;
    NetworkPeer peer(Behaviour::Honest);
    BattleGame game;
    PlayAgainst(game, peer);
    EXPECT_EQ(game.Run(), 0);
    const std::optional<rules::GameOutcome> theirs = peer.Outcome();
    ASSERT_TRUE(theirs.has_value()) << "the friend's game did not end";
    const std::string shown = game.host.shown.empty() ? "" : game.host.shown.back().text;
    const char* expected = *theirs == rules::GameOutcome::Won    ? "YOU LOST!!!"
                           : *theirs == rules::GameOutcome::Lost ? "YOU WON!!!"
                                                                 : "A TIE!!!";
    bool showedEnd = false;
    for (const ShownStatus& status : game.host.shown) showedEnd |= status.text == expected;
    EXPECT_TRUE(showedEnd) << "the friend's game ended " << static_cast<int>(*theirs);
    EXPECT_TRUE(BoxTexts(game).empty()) << BoxTexts(game).front();
    const shell::NetworkRecord record = shell::ReadNetworkRecord();
    EXPECT_EQ(record.won + record.lost + record.tied, 1);
    EXPECT_EQ(record.cheating, 0);
    EXPECT_EQ(shell::ReadPlayRecord()[0].won + shell::ReadPlayRecord()[0].lost, 0)
        << "a network game counts apart from games against the computer";
}

// Each broken or hostile friend ends the network game with a word to the player and a record,
// and leaves a game against the computer to play.
TEST(NetworkPlay, ABrokenOrHostileFriendEndsTheGameWithAMessage) {
    struct Case {
        const char* what;
        Behaviour behaviour;
        int hangUpAfter;
        const char* message;  // the start of the box's text
        int cheating;
    };
    const std::vector<Case> cases = {
        {"a lie about a miss", Behaviour::LieAboutAMiss, 0, network::NotTheirFleet, 1},
        {"a fleet moved after the commitment", Behaviour::MoveFleet, 0, network::NotTheirFleet, 1},
        {"garbage", Behaviour::Garbage, 0, "Your opponent's game sent something", 0},
        {"a hang-up before the hello", Behaviour::HangUp, 0, "The connection to your opponent", 0},
        {"a hang-up before the commitment", Behaviour::HangUp, 1, "The connection to your opponent",
         0},
        {"a hang-up before the salvo", Behaviour::HangUp, 2, "The connection to your opponent", 0},
        {"a hang-up before the outcomes", Behaviour::HangUp, 3, "The connection to your opponent",
         0},
        {"a hang-up in the second salvo", Behaviour::HangUp, 5, "The connection to your opponent",
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordFolder folder;
        NetworkPeer peer(c.behaviour, c.hangUpAfter);
        BattleGame game;
        PlayAgainst(game, peer);
        EXPECT_EQ(game.Run(), 0);
        peer.Stop();
        const std::vector<std::string> boxes = BoxTexts(game);
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes.back().rfind(c.message, 0), 0u) << boxes.back();
        const shell::NetworkRecord record = shell::ReadNetworkRecord();
        EXPECT_EQ(record.cheating, c.cheating);
        EXPECT_EQ(record.left + record.cheating + record.won + record.lost + record.tied, 1);
        // A game against the computer is there to be played.
        EXPECT_FALSE(shell::InNetworkGame());
    }
}

TEST(NetworkPlay, AFriendWhoFallsSilentIsAskedAboutAndCanBeLeft) {
    RecordFolder folder;
    NetworkPeer peer(Behaviour::Silent);
    BattleGame game;
    game.host.socketPatienceMilliseconds = 300;
    std::vector<unsigned> boxTypes;
    game.host.onMessageBox = [&game, &boxTypes](const platform::RecordedMessageBox& box) {
        boxTypes.push_back(box.type);
        // Keep waiting the first time, leave the second.
        if (box.type == platform::MB_YESNO) {
            game.host.AnswerMessageBox(boxTypes.size() == 1 ? platform::IDYES : platform::IDNO);
        }
    };
    game.Then([&game] { game.host.Clock().Advance(5000); });
    game.Then([&peer] {
        shell::JoinNetworkGame(windows::App.MainWindow, network::Address{"127.0.0.1", peer.port()});
    });
    // Its hello comes; nothing more ever will. START, and a minute passes twice.
    game.host.ThenWhen(
        [] {
            return shell::InNetworkGame() && TheGame().phase == rules::Placing &&
                   std::string(setup::Status.StatusText).find("Here") != std::string::npos;
        },
        [] {});
    game.Then([&game] { game.host.ClickControl(windows::App.MainWindow, setup::ID_PLACE_RANDOM); });
    game.Then([&game] { game.host.ClickControl(windows::App.MainWindow, setup::ID_START); });
    for (int minute = 0; minute < 2; ++minute) {
        game.Then([&game] { game.host.Clock().Advance(shell::FriendSilenceMilliseconds); });
    }
    game.Then([&game] { game.host.ChooseMenu(windows::App.MainWindow, resources::IDM_EXIT); });
    EXPECT_EQ(game.Run(), 0);
    peer.Stop();
    const std::vector<std::string> boxes = BoxTexts(game);
    ASSERT_EQ(boxes.size(), 2u);
    for (const std::string& text : boxes)
        EXPECT_EQ(text.rfind("Your opponent is not answering", 0), 0u);
    // A minute of silence each time, by the game's clock.
    EXPECT_GE(game.host.MessageBoxes()[1].time - game.host.MessageBoxes()[0].time,
              shell::FriendSilenceMilliseconds);
    EXPECT_EQ(shell::ReadNetworkRecord().left, 1);
    EXPECT_FALSE(shell::InNetworkGame());
}

// The player's own commands taken between the shots of a network salvo: a new game and a battle
// against the computer begun in it. The salvo that was being played out belongs to a game that
// has gone, so it must leave the new one alone, and touch nothing of the network game it ended.
class CommandsAtFirstDrop : public platform::FakeAudio {
  public:
    using FakeAudio::FakeAudio;
    platform::PlayResult Play(const std::string& hostPath, std::uint32_t flags) override {
        if (!posted && shell::InNetworkGame() && TheGame().phase == rules::Resolving &&
            hostPath.find("drop.wav") != std::string::npos) {
            posted = true;
            for (const std::uintptr_t command :
                 {std::uintptr_t{resources::IDM_NEW}, std::uintptr_t{setup::ID_PLACE_RANDOM},
                  std::uintptr_t{setup::ID_START}}) {
                platform::PostMessage(windows::App.MainWindow, platform::WM_COMMAND, command, 0);
            }
        }
        return FakeAudio::Play(hostPath, flags);
    }
    bool posted = false;
};

TEST(NetworkPlay, ANewBattleBegunDuringANetworkSalvoIsLeftAlone) {
    RecordFolder folder;
    NetworkPeer peer(Behaviour::Honest);
    BattleGame game;
    CommandsAtFirstDrop audio(game.host.Clock());
    platform::SetAudioDevice(&audio);
    PlayAgainst(game, peer);
    EXPECT_EQ(game.Run(), 0);
    peer.Stop();
    platform::SetAudioDevice(&game.audio);
    ASSERT_TRUE(audio.posted) << "no network salvo was played";
    EXPECT_FALSE(shell::InNetworkGame());
    EXPECT_EQ(shell::ReadNetworkRecord().left, 1);
    // The battle against the computer, untouched by the salvo it interrupted.
    const rules::Game& now = TheGame();
    EXPECT_EQ(now.phase, rules::Firing);
    EXPECT_EQ(now.salvoSlot, 0);
    EXPECT_EQ(now.shotsLeft, 5);
    EXPECT_EQ(now.salvosResolved, 0);
    for (const rules::Shot& shot : now.salvo) EXPECT_EQ(shot.side, rules::NoShot);
    for (const rules::Board& board : now.boards) {
        for (const auto& column : board) {
            for (std::int32_t code : column) ASSERT_TRUE(rules::IsUntouched(code));
        }
    }
}

// A friend who is not there costs the player nothing: the game against the computer stays as it
// was, fleet and all.
TEST(NetworkPlay, AFriendNotThereLeavesTheGameAgainstTheComputerAsItWas) {
    BattleGame game;
    game.Then([&game] { game.host.Clock().Advance(5000); });
    game.Then([&game] { game.host.ClickControl(windows::App.MainWindow, setup::ID_PLACE_RANDOM); });
    game.Then([] {
        // Port 1 on the loopback address: nothing listens there, the connection is refused.
        shell::JoinNetworkGame(windows::App.MainWindow, network::Address{"127.0.0.1", 1});
    });
    game.host.ThenWhen(
        [] { return !shell::InNetworkGame(); },
        [&game] { game.host.ChooseMenu(windows::App.MainWindow, resources::IDM_EXIT); });
    EXPECT_EQ(game.Run(), 0);
    const std::vector<std::string> boxes = BoxTexts(game);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Your friend's game at 127.0.0.1 port 1 could not be reached", 0), 0u)
        << boxes[0];
    for (const rules::ShipState& ship : TheGame().fleets[rules::Player]) {
        EXPECT_TRUE(ship.OnBoard()) << "the fleet laid out before the call was cleared";
    }
}

}  // namespace
