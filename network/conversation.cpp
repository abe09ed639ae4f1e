// network/conversation.cpp: the order of the messages, for one side.
#include "network/conversation.h"

namespace network {

namespace {

template <typename T>
bool Is(const Message& message) {
    return std::holds_alternative<T>(message);
}

}  // namespace

std::optional<std::string> Conversation::Fault(std::string why) {
    stage_ = Stage::Over;
    return why;
}

// Both sides past a stage move the conversation on; a salvo played out opens the next one.
void Conversation::MoveOn() {
    if (stage_ == Stage::Greeting && helloSent_ && helloReceived_) stage_ = Stage::Placing;
    if (stage_ == Stage::Placing && commitSent_ && theirCommit_) stage_ = Stage::Salvo;
    if (stage_ == Stage::Salvo && mySalvo_ && theirSalvo_) stage_ = Stage::Outcomes;
    if (stage_ == Stage::Outcomes && myOutcomes_ && theirOutcomes_) {
        mySalvo_.reset();
        theirSalvo_.reset();
        myOutcomes_.reset();
        theirOutcomes_.reset();
        stage_ = Stage::Salvo;
    }
}

std::optional<std::string> Conversation::Received(const Message& message) {
    if (stage_ == Stage::Over) return "a message after the end";
    if (const auto* hello = std::get_if<Hello>(&message)) {
        if (helloReceived_) return Fault("a second hello");
        if (hello->version != ProtocolVersion)
            return Fault("the friend's game speaks another version");
        helloReceived_ = true;
    } else if (!helloReceived_) {
        return Fault("no hello first");
    } else if (const auto* leave = std::get_if<Leave>(&message)) {
        (void)leave;
        stage_ = Stage::Over;
        return std::nullopt;
    } else if (const auto* reveal = std::get_if<Reveal>(&message)) {
        if (!theirCommit_ || theirReveal_) return Fault("a reveal without a commitment");
        theirReveal_ = *reveal;
        stage_ = Stage::Ending;
        return std::nullopt;
    } else if (stage_ == Stage::Ending) {
        return Fault("a move after the fleets were revealed");
    } else if (const auto* commit = std::get_if<Commit>(&message)) {
        if (stage_ != Stage::Placing || theirCommit_) return Fault("a commitment out of turn");
        theirCommit_ = commit->digest;
    } else if (const auto* salvo = std::get_if<Salvo>(&message)) {
        if (stage_ != Stage::Salvo || theirSalvo_) return Fault("a salvo out of turn");
        theirSalvo_ = *salvo;
    } else if (const auto* outcomes = std::get_if<Outcomes>(&message)) {
        if (stage_ != Stage::Outcomes || theirOutcomes_ ||
            outcomes->outcomes.size() != mySalvo_->shots.size()) {
            return Fault("outcomes out of turn, or not one for each shot");
        }
        theirOutcomes_ = *outcomes;
    }
    MoveOn();
    return std::nullopt;
}

bool Conversation::Send(const Message& message) {
    if (leaveSent_) return false;
    if (Is<Hello>(message)) {
        if (helloSent_) return false;
        helloSent_ = true;
    } else if (!helloSent_) {
        return false;
    } else if (Is<Leave>(message)) {
        leaveSent_ = true;
        return true;
    } else if (Is<Reveal>(message)) {
        if (!commitSent_ || revealSent_) return false;
        revealSent_ = true;
        if (stage_ != Stage::Over) stage_ = Stage::Ending;
        return true;
    } else if (stage_ == Stage::Ending || stage_ == Stage::Over) {
        return false;
    } else if (Is<Commit>(message)) {
        if (stage_ != Stage::Placing || commitSent_) return false;
        commitSent_ = true;
    } else if (const auto* salvo = std::get_if<Salvo>(&message)) {
        if (stage_ != Stage::Salvo || mySalvo_) return false;
        mySalvo_ = *salvo;
    } else if (const auto* outcomes = std::get_if<Outcomes>(&message)) {
        if (stage_ != Stage::Outcomes || myOutcomes_ ||
            outcomes->outcomes.size() != theirSalvo_->shots.size()) {
            return false;
        }
        myOutcomes_ = *outcomes;
    }
    MoveOn();
    return true;
}

}  // namespace network
