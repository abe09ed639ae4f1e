// network/match.h: one side of a network game, without sockets or windows: the conversation with
// the friend, our commitment, what the friend reported, and the moves that a network game makes on
// our `rules::Game` where a game against the computer would ask the computer. Our own board and
// fleet are settled by the rules as always; the friend's board is known only by what the friend
// reports. Every call returns what the caller must do next; messages to send wait in the outbox.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "network/commitment.h"
#include "network/conversation.h"
#include "network/messages.h"
#include "rules/events.h"
#include "rules/game.h"
#include "rules/moves.h"

namespace network {

// What a message from the friend asks of the game.
enum class Step {
    Nothing,     // taken in; nothing to show yet
    Greeted,     // the friend's game answered our hello
    Committed,   // the friend pressed START
    SalvoAimed,  // the friend's salvo came before ours was complete
    PlaySalvo,   // both salvos and both sides' outcomes are known: play the salvo out now
    Revealed,    // the friend's fleet came at the end; `Verdict()` says whether it holds
    Left,        // the friend said farewell
    Fault,       // the connection must end; `Fault()` says why
};

// What the player is told when the friend's reports and fleet do not agree, at the reveal or
// earlier when a report cannot be true of any fleet.
inline constexpr const char* NotTheirFleet =
    "Your opponent's reports do not match the fleet they committed to";

class Match {
  public:
    // The secret bytes of our commitment: from the system's generator in a real game.
    explicit Match(const Nonce& nonce);

    // Messages for the friend, in order, taken once.
    std::vector<Message> TakeOutbox();

    // Our START: the battle begins with the friend's fleet unknown and we commit to ours. Refused
    // (false, nothing sent) outside the placement phase or with a ship not yet laid out.
    bool Start(rules::Game& game);
    // Our shot at the slot being filled; the salvo is complete when the game's phase is Resolving,
    // and then it goes to the friend. Refused as rules::AimShot refuses.
    rules::Events Aim(rules::Game& game, rules::Cell cell);
    // A message from the friend, taken into the game where it belongs.
    Step Received(rules::Game& game, const Message& message);
    // What the friend reported of our shot in the salvo in play, to settle it by
    // (rules::SettleNextShot); nothing for a shot at our own fleet, settled by our rules.
    std::optional<rules::Report> ReportOf(const rules::Shot& shot) const;
    // After the salvo was played out and had not ended the game: the next one is aimed from the
    // first slot of a ship of ours afloat.
    void NextSalvo(rules::Game& game);
    // The game is over or the player leaves: our fleet and secret bytes go to the friend, then
    // the farewell. Only once.
    void Leave(const rules::Game& game, LeaveReason reason);

    const std::string& Fault() const { return fault_; }
    // After Revealed: nothing when the friend's fleet and every report hold, otherwise what did
    // not.
    const std::optional<std::string>& Verdict() const { return verdict_; }
    // The friend's reports were found untrue: at the reveal, or as they came.
    bool CaughtCheating() const { return caughtCheating_; }
    bool FriendCommitted() const { return talk_.TheirCommitment().has_value(); }
    bool Ended() const { return ended_; }
    bool FriendRevealed() const { return talk_.TheirReveal().has_value(); }
    // Whether we wait for the friend now, for the silence warning.
    bool WaitingForFriend() const;

  private:
    void Send(const Message& message);
    void Flush();
    Step Failed(std::string why);
    Step TakeSalvoIfBothAimed(rules::Game& game);
    std::optional<std::string> AcceptOutcomes(const rules::Game& game, const Outcomes& outcomes);

    Conversation talk_;
    Nonce nonce_;
    std::vector<Message> outbox_;
    std::string fault_;
    std::optional<std::string> verdict_;
    // Our shots of the salvo in play, in slot order, and every salvo of ours with its outcomes.
    std::vector<ReportedSalvo> reported_;
    std::optional<Salvo> ourSalvo_;
    // The friend's reports of our shots in play, by the cell shot at; a salvo has no cell twice.
    std::vector<std::pair<rules::Cell, rules::Report>> reports_;
    // Messages the conversation does not allow yet (our salvo before the friend's commitment).
    std::vector<Message> held_;
    bool committed_ = false;
    bool commitSent_ = false;
    bool theirsTaken_ = false;
    bool answered_ = false;
    bool caughtCheating_ = false;
    bool leaveSent_ = false;
    bool revealSent_ = false;
    bool ended_ = false;
};

}  // namespace network
