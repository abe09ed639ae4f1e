// network/conversation.h: the order of a network game's messages, kept for one side: what may be
// sent and what may come next (docs/protocol.md, "The conversation"). Plain code over decoded
// messages; the sockets and the game's screens stand around it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "network/messages.h"

namespace network {

class Conversation {
  public:
    enum class Stage {
        Greeting,  // waiting for the friend's hello
        Placing,   // both greeted; commitments to come
        Salvo,     // both committed: each side's salvo to come
        Outcomes,  // both salvos known: each side's outcomes to come
        Ending,    // a reveal and a farewell to come
        Over,      // the friend has said farewell, or a fault ended it
    };

    // What came from the friend: nothing when it was in order, otherwise why the connection
    // must end. After a fault every later message is one too.
    std::optional<std::string> Received(const Message& message);
    // Whether this side may send the message now; the sent message is taken into account.
    bool Send(const Message& message);

    Stage stage() const { return stage_; }
    // The friend's salvo and outcomes of the salvo in play, once they came.
    const std::optional<Salvo>& TheirSalvo() const { return theirSalvo_; }
    const std::optional<Outcomes>& TheirOutcomes() const { return theirOutcomes_; }
    const std::optional<Digest>& TheirCommitment() const { return theirCommit_; }
    const std::optional<Reveal>& TheirReveal() const { return theirReveal_; }

  private:
    std::optional<std::string> Fault(std::string why);
    void MoveOn();

    Stage stage_ = Stage::Greeting;
    bool helloSent_ = false;
    bool helloReceived_ = false;
    bool commitSent_ = false;
    std::optional<Digest> theirCommit_;
    std::optional<Salvo> mySalvo_;
    std::optional<Salvo> theirSalvo_;
    std::optional<Outcomes> myOutcomes_;
    std::optional<Outcomes> theirOutcomes_;
    bool revealSent_ = false;
    std::optional<Reveal> theirReveal_;
    bool leaveSent_ = false;
};

}  // namespace network
