// shell/network_play.cpp: the connection to a friend's game and what its messages do to the main
// window's game. The rules of a network game are network::Match and battle/network_battle.h; this
// file is the part that knows sockets, boxes, the status line and the record.
#include "shell/network_play.h"

#include <memory>
#include <optional>
#include <string>

#include "battle/network_battle.h"
#include "battle/salvo_on_screen.h"
#include "network/match.h"
#include "network/messages.h"
#include "network/nonce.h"
#include "platform/message_box.h"
#include "platform/repaint.h"
#include "platform/sockets.h"
#include "platform/timers.h"
#include "setup/ship_placement.h"
#include "setup/status_line.h"
#include "shell/board_painting.h"
#include "shell/main_window.h"
#include "shell/play_record.h"
#include "shell/session.h"

namespace shell {

namespace {

constexpr const char* BoxCaption = "Network Game";

// The one network game of the main window. Written only here.
struct Link {
    platform::SocketId listening = 0;
    platform::SocketId connection = 0;
    std::string friendName;  // as the player typed it, or the address the friend came from
    // The status line of the game against the computer, given back when no friend came.
    std::string statusBefore;
    network::MessageReader reader;
    // Shared with a salvo being played out, which holds it weakly: leaving the network game
    // between the salvo's shots lets it go, and the salvo finds it gone.
    std::shared_ptr<network::Match> match;
    // The game's end once the last salvo decided it; shown when the friend's fleet has come.
    std::optional<rules::GameOutcome> end;
    bool peerClosed = false;
    // While a salvo or the end is being shown, the windows answer between its steps: messages
    // from the friend wait in the reader until it is done.
    bool busy = false;
};

Link TheLink;

rules::Game& Game() { return TheSession.game; }

void CloseLink(platform::Window* window) {
    platform::KillTimer(window, FriendSilenceTimer);
    if (TheLink.connection != 0) platform::CloseSocket(TheLink.connection);
    if (TheLink.listening != 0) platform::CloseSocket(TheLink.listening);
    TheLink = Link{};
}

void WatchSilence(platform::Window* window) {
    platform::SetTimer(window, FriendSilenceTimer, FriendSilenceMilliseconds);
}

// Ends the network game with a word to the player. A network game that had begun leaves a fresh
// game against the computer; one that never connected leaves the game that was there before.
void EndWithMessage(platform::Window* window, const std::string& text,
                    std::optional<NetworkEnd> record) {
    const bool begun = TheLink.match != nullptr;
    const std::string statusBefore = TheLink.statusBefore;
    CloseLink(window);
    if (record) AddNetworkGameToRecord(*record);
    platform::MessageBox(window, text, BoxCaption, platform::MB_OK);
    if (begun) {
        StartNewGame(window);
    } else {
        setup::SetStatus(window, statusBefore.c_str());
    }
    PaintBoard(window);
}

// A network game that had begun and did not reach its end counts as left.
std::optional<NetworkEnd> LeftIfBegun() {
    if (TheLink.match) return NetworkEnd::Left;
    return std::nullopt;
}

void SendOutbox(platform::Window* window) {
    if (!TheLink.match) return;
    for (const network::Message& message : TheLink.match->TakeOutbox()) {
        if (!platform::SendToSocket(TheLink.connection, network::Encode(message))) {
            EndWithMessage(window, "The connection to your opponent was lost.", LeftIfBegun());
            return;
        }
    }
}

void ShowWaiting(platform::Window* window) {
    const network::Match& match = *TheLink.match;
    if (!match.FriendCommitted()) {
        setup::SetStatus(window, "Waiting For Your Opponent To Place Ships...");
    } else if (Game().phase == rules::Resolving) {
        setup::SetStatus(window, "Waiting For Your Opponent To Fire...");
    }
    platform::UpdateWindow(window);
}

std::string CheatingCaught() { return std::string(network::NotTheirFleet) + "."; }

NetworkEnd RecordOf(rules::GameOutcome outcome) {
    switch (outcome) {
        case rules::GameOutcome::Won:
            return NetworkEnd::Won;
        case rules::GameOutcome::Lost:
            return NetworkEnd::Lost;
        case rules::GameOutcome::Tied:
            break;
    }
    return NetworkEnd::Tied;
}

// The end, once the friend's fleet came (or never will): checked, recorded and shown; the link
// closes after the farewell went out.
void Finish(platform::Window* window, bool revealed) {
    const rules::GameOutcome outcome = *TheLink.end;
    const bool cheated = TheLink.match->CaughtCheating();
    CloseLink(window);
    if (revealed && !cheated) battle::PlaceRevealedFleet(window, Game());
    AddNetworkGameToRecord(cheated ? NetworkEnd::Cheating : RecordOf(outcome));
    ShowGameEnd(window, Game(), outcome);
    if (cheated) {
        platform::MessageBox(window, CheatingCaught(), BoxCaption, platform::MB_OK);
    } else if (!revealed) {
        platform::MessageBox(window,
                             "Your opponent left without showing their fleet, so their reports "
                             "could not be checked.",
                             BoxCaption, platform::MB_OK);
    }
}

// The network game ended before its end: told as cheating when the friend's reports were caught
// untrue, otherwise in the words given.
void EndEarly(platform::Window* window, const std::string& otherwise) {
    if (TheLink.match->CaughtCheating()) {
        EndWithMessage(window, CheatingCaught(), NetworkEnd::Cheating);
    } else {
        EndWithMessage(window, otherwise, NetworkEnd::Left);
    }
}

void PlaySalvo(platform::Window* window) {
    const std::weak_ptr<network::Match> match = TheLink.match;
    TheLink.busy = true;
    const std::optional<rules::GameOutcome> end = battle::PlayNetworkSalvo(window, Game(), match);
    // The player may have left between the shots (File > New), and even begun another network
    // game: this salvo's game is gone, and the link is not its own.
    if (match.expired()) return;
    TheLink.busy = false;
    if (!end) return;
    TheLink.end = end;
    TheLink.match->Leave(Game(), network::LeaveReason::GameOver);
    SendOutbox(window);
    if (!TheLink.match) return;
    if (TheLink.match->FriendRevealed()) {
        Finish(window, true);
        return;
    }
    setup::SetStatus(window, "Waiting For Your Opponent's Fleet...");
    platform::UpdateWindow(window);
}

void Take(platform::Window* window, network::Step step) {
    network::Match& match = *TheLink.match;
    switch (step) {
        case network::Step::Committed:
            if (Game().phase == rules::Resolving) ShowWaiting(window);
            return;
        case network::Step::PlaySalvo:
            PlaySalvo(window);
            return;
        case network::Step::Revealed:
            if (TheLink.end) Finish(window, true);
            return;
        case network::Step::Left:
            EndEarly(window, "Your opponent has left the game.");
            return;
        case network::Step::Fault:
            EndEarly(window, "The game with your opponent has ended: " + match.Fault() + ".");
            return;
        default:
            return;
    }
}

// The friend's messages that wait, taken one by one while the game is free to show them; then
// the end of the stream, if it came.
void TakeWaitingMessages(platform::Window* window) {
    while (TheLink.match && !TheLink.busy) {
        if (!TheLink.reader.Fault().empty()) {
            EndWithMessage(window,
                           "Your opponent's game sent something this game cannot read (" +
                               TheLink.reader.Fault() + ").",
                           NetworkEnd::Left);
            return;
        }
        const std::optional<network::Message> message = TheLink.reader.Next();
        if (!message) break;
        Take(window, TheLink.match->Received(Game(), *message));
        SendOutbox(window);
    }
    if (!TheLink.match || TheLink.busy || !TheLink.peerClosed) return;
    if (TheLink.end) {
        Finish(window, false);
    } else {
        EndWithMessage(window, "The connection to your opponent was lost.", NetworkEnd::Left);
    }
}

void Connected(platform::Window* window) {
    const std::optional<network::Nonce> nonce = network::DrawNonce();
    if (!nonce) {
        EndWithMessage(window,
                       "This computer cannot give the random bytes that keep a network game "
                       "honest, so it cannot play one now.",
                       std::nullopt);
        return;
    }
    StartNewGame(window);
    TheLink.match = std::make_shared<network::Match>(*nonce);
    SendOutbox(window);
    if (!TheLink.match) return;
    WatchSilence(window);
    setup::SetStatus(window, "Your Opponent Is Here... Place Your Ships");
    PaintBoard(window);
}

}  // namespace

bool InNetworkGame() {
    return TheLink.listening != 0 || TheLink.connection != 0 || TheLink.match != nullptr;
}

void HostNetworkGame(platform::Window* window, std::uint16_t port, bool tellHow) {
    LeaveNetworkGame(window);
    int error = 0;
    TheLink.listening = platform::ListenOnPort(window, "", port, &error);
    if (TheLink.listening == 0) {
        platform::MessageBox(window,
                             "The game cannot wait for a friend on port " + std::to_string(port) +
                                 ": " + platform::SocketErrorText(error) + ".",
                             BoxCaption, platform::MB_OK);
        return;
    }
    TheLink.statusBefore = setup::Status.StatusText;
    const std::string portText = std::to_string(platform::SocketPort(TheLink.listening));
    setup::SetStatus(window, ("Waiting For Your Opponent On Port " + portText + "...").c_str());
    PaintBoard(window);
    if (!tellHow) return;
    std::string text =
        "Waiting for your friend to join.\n\nYour friend chooses File > Join a "
        "Network Game... and types one of this computer's addresses:\n\n";
    for (const std::string& address : platform::LocalAddresses()) {
        text += "    " + (address.find(':') != std::string::npos ? "[" + address + "]" : address) +
                ":" + portText + "\n";
    }
    text += "\nOK goes on waiting; Cancel stops.";
    const int answer =
        platform::MessageBox(window, text, "Host a Network Game", platform::MB_OKCANCEL);
    // A friend who came while the box was up is taken now, unless the player cancelled.
    if (answer == platform::IDCANCEL && TheLink.listening != 0 && !TheLink.match) {
        const std::string statusBefore = TheLink.statusBefore;
        CloseLink(window);
        setup::SetStatus(window, statusBefore.c_str());
        PaintBoard(window);
    }
}

void JoinNetworkGame(platform::Window* window, const network::Address& address) {
    LeaveNetworkGame(window);
    TheLink.statusBefore = setup::Status.StatusText;
    TheLink.friendName = address.host + " port " + std::to_string(address.port);
    TheLink.connection = platform::ConnectToHost(window, address.host, address.port);
    setup::SetStatus(window, ("Calling Your Opponent At " + TheLink.friendName + "...").c_str());
    PaintBoard(window);
}

void AskToHost(platform::Window* window) { HostNetworkGame(window, network::DefaultPort, true); }

void AskToJoin(platform::Window* window) {
    static std::string lastTyped;
    const std::optional<std::string> typed = platform::AskForText(
        window,
        "Your friend's computer: its name or address, with :port when the port is not " +
            std::to_string(network::DefaultPort) + ".",
        "Join a Network Game", lastTyped);
    PaintBoard(window);
    if (!typed) return;
    lastTyped = *typed;
    const std::optional<network::Address> address =
        network::ReadAddress(*typed, network::DefaultPort);
    if (!address) {
        platform::MessageBox(window, "\"" + *typed + "\" is not a computer's name or address.",
                             BoxCaption, platform::MB_OK);
        return;
    }
    JoinNetworkGame(window, *address);
}

void OnNetworkSocket(platform::Window* window, platform::WPARAM socket, platform::LPARAM event) {
    const int error = platform::SocketErrorOf(event);
    switch (platform::SocketEventOf(event)) {
        case platform::SocketEvent::Accepted:
            // One friend: anyone else is turned away by the listening socket itself.
            if (TheLink.listening == 0 || TheLink.connection != 0) {
                platform::CloseSocket(socket);
                return;
            }
            TheLink.connection = socket;
            TheLink.friendName = platform::PeerAddress(socket);
            Connected(window);
            return;
        case platform::SocketEvent::Connected:
            if (socket != TheLink.connection || TheLink.match) return;
            if (error != 0) {
                EndWithMessage(window,
                               "Your friend's game at " + TheLink.friendName +
                                   " could not be reached: " + platform::SocketErrorText(error) +
                                   ".",
                               std::nullopt);
                return;
            }
            Connected(window);
            return;
        case platform::SocketEvent::Read:
            if (socket != TheLink.connection || !TheLink.match) return;
            TheLink.reader.Feed(platform::ReceiveFromSocket(socket));
            WatchSilence(window);
            TakeWaitingMessages(window);
            return;
        case platform::SocketEvent::Closed:
            if (socket != TheLink.connection) return;
            TheLink.peerClosed = true;
            TakeWaitingMessages(window);
            return;
    }
}

void OnFriendSilence(platform::Window* window) {
    platform::KillTimer(window, FriendSilenceTimer);
    if (!TheLink.match) return;
    if (TheLink.busy || !TheLink.match->WaitingForFriend()) {
        WatchSilence(window);
        return;
    }
    const int answer =
        platform::MessageBox(window, "Your opponent is not answering.\n\nKeep waiting for them?",
                             BoxCaption, platform::MB_YESNO);
    // The friend may have answered, or gone, while the box was up.
    if (!TheLink.match) return;
    if (answer == platform::IDYES) {
        WatchSilence(window);
        return;
    }
    LeaveNetworkGame(window);
    StartNewGame(window);
    PaintBoard(window);
}

bool StartNetworkBattle(platform::Window* window) {
    if (!TheLink.match) return false;
    setup::PutBackCarriedShip(window);
    if (battle::StartNetworkBattle(window, Game(), *TheLink.match)) SendOutbox(window);
    return true;
}

bool AimNetworkShot(platform::Window* window, rules::Cell cell) {
    if (!TheLink.match) return false;
    if (Game().phase != rules::Firing || TheLink.end) return true;
    battle::AimNetworkShot(window, Game(), *TheLink.match, cell);
    if (!TheLink.match->Fault().empty()) {
        Take(window, network::Step::Fault);
        return true;
    }
    SendOutbox(window);
    if (TheLink.match && Game().phase == rules::Resolving) ShowWaiting(window);
    return true;
}

void LeaveNetworkGame(platform::Window* window) {
    if (!InNetworkGame()) return;
    const bool begun = TheLink.match != nullptr && !TheLink.end;
    if (TheLink.match) {
        TheLink.match->Leave(Game(), network::LeaveReason::PlayerLeft);
        for (const network::Message& message : TheLink.match->TakeOutbox()) {
            platform::SendToSocket(TheLink.connection, network::Encode(message));
        }
    }
    CloseLink(window);
    if (begun) AddNetworkGameToRecord(NetworkEnd::Left);
}

}  // namespace shell
