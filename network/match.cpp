// network/match.cpp: one side of a network game: our salvo out, the friend's in, each side's
// outcomes settled by its own rules, and the reveal checked at the end.
#include "network/match.h"

#include <algorithm>
#include <utility>

#include "rules/moves.h"

namespace network {

namespace {

// The friend's aims fill no slot as they are being aimed: their cells come all at once, with
// their salvo.
const rules::ComputerAim NoAim = [](const rules::Game&) -> std::optional<rules::Cell> {
    return std::nullopt;
};

int UntouchedCells(const rules::Board& board) {
    int count = 0;
    for (const auto& column : board) {
        count += static_cast<int>(std::count_if(column.begin(), column.end(), rules::IsUntouched));
    }
    return count;
}

rules::Report ReportFrom(const ShotOutcome& outcome) {
    switch (outcome.result) {
        case ShotResult::Hit:
            return rules::Report{.kind = rules::EventKind::Hit};
        case ShotResult::Sunk:
            return rules::Report{.kind = rules::EventKind::Sinking,
                                 .shipId = outcome.shipId,
                                 .first = {outcome.place.column, outcome.place.row},
                                 .vertical = outcome.place.vertical};
        case ShotResult::Miss:
            break;
    }
    return rules::Report{.kind = rules::EventKind::Missed};
}

}  // namespace

Match::Match(const Nonce& nonce) : nonce_(nonce) { Send(Hello{}); }

std::vector<Message> Match::TakeOutbox() { return std::exchange(outbox_, {}); }

void Match::Send(const Message& message) {
    held_.push_back(message);
    Flush();
}

void Match::Flush() {
    while (!held_.empty() && talk_.Send(held_.front())) {
        commitSent_ = commitSent_ || std::holds_alternative<Commit>(held_.front());
        outbox_.push_back(held_.front());
        held_.erase(held_.begin());
    }
}

Step Match::Failed(std::string why) {
    fault_ = std::move(why);
    ended_ = true;
    return Step::Fault;
}

bool Match::Start(rules::Game& game) {
    if (committed_ || rules::StartAgainstPerson(game).Refused()) return false;
    committed_ = true;
    Send(Commit{CommitmentOf(LayoutOf(game, rules::Player), nonce_)});
    return true;
}

rules::Events Match::Aim(rules::Game& game, rules::Cell cell) {
    rules::Events events = rules::AimShot(game, cell);
    if (events.Refused()) return events;
    for (const rules::Event& event : rules::FillComputerSlots(game, NoAim)) events.Add(event);
    // With every square of the friend's board shot at, the shots left have nowhere to go.
    while (game.phase == rules::Firing && UntouchedCells(game.boards[rules::Enemy]) == 0) {
        for (const rules::Event& event : rules::FillComputerSlots(game, NoAim)) events.Add(event);
    }
    if (game.phase != rules::Resolving) return events;
    const Salvo ours{rules::OurShots(game)};
    reported_.push_back(ReportedSalvo{ours.shots, {}});
    ourSalvo_ = ours;
    Send(ours);
    TakeSalvoIfBothAimed(game);
    return events;
}

Step Match::TakeSalvoIfBothAimed(rules::Game& game) {
    if (!ourSalvo_ || theirsTaken_ || !talk_.TheirSalvo()) return Step::Nothing;
    const std::vector<rules::Cell>& theirs = talk_.TheirSalvo()->shots;
    switch (rules::FitOfOtherSalvo(game, theirs)) {
        case rules::SalvoFit::WrongCount:
            return Failed("your opponent fired more or fewer shots than they have ships afloat");
        case rules::SalvoFit::CellShotAt:
            return Failed("your opponent fired at a square already shot at");
        case rules::SalvoFit::Fits:
            break;
    }
    rules::TakeOtherSalvo(game, theirs);
    // Their outcomes are what our own rules make of their shots, found on a copy of the game: the
    // salvo is played out on screen only once both sides' outcomes are known. Our own shots settle
    // there too, all as misses on a board we know nothing of; they are not read.
    rules::Game settled = game;
    Outcomes outcomes;
    for (rules::Events events = rules::SettleNextShot(settled); !events.empty();
         events = rules::SettleNextShot(settled)) {
        if (events.front().shot.side != rules::Player) continue;
        outcomes.outcomes.push_back(OutcomeOf(settled, events.front()));
    }
    theirsTaken_ = true;
    Send(outcomes);
    return Step::Nothing;
}

std::optional<std::string> Match::AcceptOutcomes(const rules::Game& game,
                                                 const Outcomes& outcomes) {
    const std::vector<rules::Cell> ours = rules::OurShots(game);
    if (ours.size() != outcomes.outcomes.size()) return "outcomes missing";
    reports_.clear();
    for (std::size_t k = 0; k < ours.size(); ++k) {
        reports_.emplace_back(ours[k], ReportFrom(outcomes.outcomes[k]));
    }
    // The whole salvo settled on a copy: a report that cannot be true of any fleet is refused.
    rules::Game trial = game;
    const rules::ReportOf reported = [this](const rules::Shot& shot) { return ReportOf(shot); };
    for (rules::Events events = rules::SettleNextShot(trial, {}, reported); !events.empty();
         events = rules::SettleNextShot(trial, {}, reported)) {
        if (events.Refused()) {
            reports_.clear();
            return std::string(NotTheirFleet);
        }
    }
    reported_.back().outcomes = outcomes.outcomes;
    return std::nullopt;
}

Step Match::Received(rules::Game& game, const Message& message) {
    // After a fault the connection is as good as closed: nothing more is taken from it.
    if (!fault_.empty()) return Step::Fault;
    if (const std::optional<std::string> why = talk_.Received(message)) return Failed(*why);
    Step step = Step::Nothing;
    if (std::holds_alternative<Hello>(message)) {
        step = Step::Greeted;
    } else if (std::holds_alternative<Commit>(message)) {
        step = Step::Committed;
    } else if (std::holds_alternative<Salvo>(message)) {
        if (TakeSalvoIfBothAimed(game) == Step::Fault) return Step::Fault;
        step = ourSalvo_ ? Step::Nothing : Step::SalvoAimed;
    } else if (const auto* outcomes = std::get_if<Outcomes>(&message)) {
        if (!ourSalvo_ || !theirsTaken_) return Failed("your opponent answered out of turn");
        if (const auto why = AcceptOutcomes(game, *outcomes)) {
            caughtCheating_ = true;
            return Failed(*why);
        }
        answered_ = true;
        step = Step::PlaySalvo;
    } else if (const auto* reveal = std::get_if<Reveal>(&message)) {
        std::vector<ReportedSalvo> answered;
        for (const ReportedSalvo& salvo : reported_) {
            if (salvo.outcomes.size() == salvo.shots.size()) answered.push_back(salvo);
        }
        verdict_ = CheckReveal(*talk_.TheirCommitment(), *reveal, answered);
        caughtCheating_ = verdict_.has_value();
        if (!verdict_) {
            // The ships still afloat come up where they lay, as a lost game shows them.
            std::array<rules::Placement, rules::ShipsPerSide> fleet{};
            for (std::size_t k = 0; k < fleet.size(); ++k) {
                const ShipPlace& place = reveal->layout[k];
                fleet[k] = rules::Placement{{place.column, place.row}, place.vertical};
            }
            rules::TakeRevealedFleet(game, fleet);
        }
        step = Step::Revealed;
    } else if (std::holds_alternative<network::Leave>(message)) {
        ended_ = true;
        step = Step::Left;
    }
    Flush();
    return step;
}

std::optional<rules::Report> Match::ReportOf(const rules::Shot& shot) const {
    for (const auto& [cell, report] : reports_) {
        if (shot.side == rules::Enemy && cell == rules::Cell{shot.x, shot.y}) return report;
    }
    return std::nullopt;
}

void Match::NextSalvo(rules::Game& game) {
    ourSalvo_.reset();
    theirsTaken_ = false;
    answered_ = false;
    reports_.clear();
    if (game.phase == rules::Firing && rules::PlayerSlotPassed(game)) {
        rules::FillComputerSlots(game, NoAim);
    }
}

void Match::Leave(const rules::Game& game, LeaveReason reason) {
    if (leaveSent_) return;
    leaveSent_ = true;
    // Whatever still waited for the friend is moot now.
    held_.clear();
    // A commitment never sent has nothing to be held to.
    if (commitSent_) {
        revealSent_ = true;
        Send(Reveal{LayoutOf(game, rules::Player), nonce_});
    }
    Send(network::Leave{reason});
}

bool Match::WaitingForFriend() const {
    if (ended_) return false;
    if (talk_.stage() == Conversation::Stage::Greeting) return true;
    if (committed_ && !FriendCommitted()) return true;
    if (ourSalvo_ && !answered_) return true;
    return revealSent_ && !FriendRevealed();
}

}  // namespace network
