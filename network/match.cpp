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

rules::Events One(const rules::Event& event) {
    rules::Events events;
    events.Add(event);
    return events;
}

int UntouchedCells(const rules::Board& board) {
    int count = 0;
    for (const auto& column : board) {
        count += static_cast<int>(std::count_if(column.begin(), column.end(), rules::IsUntouched));
    }
    return count;
}

bool FleetLaidOut(const rules::Game& game) {
    return std::all_of(game.fleets[rules::Player].begin(), game.fleets[rules::Player].end(),
                       [](const rules::ShipState& ship) { return ship.OnBoard(); });
}

// Our shot at the friend's board settled by the friend's report: nothing when the report cannot
// be true of any fleet (a ship sunk twice, a wreck that does not lie over its hits).
std::optional<rules::Events> SettleReported(rules::Game& game, int slot,
                                            const ShotOutcome& outcome) {
    rules::Shot& held = game.salvo[slot];
    const rules::Shot shot = held;
    held.side = rules::NoShot;
    rules::Board& board = game.boards[rules::Enemy];
    std::int32_t& cell = board[shot.x][shot.y];
    switch (outcome.result) {
        case ShotResult::Miss:
            cell = rules::Miss;
            return One(rules::Event{.kind = rules::EventKind::Missed, .shot = shot});
        case ShotResult::Hit:
            cell = rules::HitUnknownShip;
            return One(rules::Event{.kind = rules::EventKind::Hit, .shot = shot});
        case ShotResult::Sunk:
            break;
    }
    rules::ShipState& ship = game.ShipOf(rules::Enemy, outcome.shipId);
    if (ship.IsSunk()) return std::nullopt;
    const ShipPlace& place = outcome.place;
    bool coversShot = false;
    for (int k = 0; k < ship.length; ++k) {
        const int x = place.column + (place.vertical ? 0 : k);
        const int y = place.row + (place.vertical ? k : 0);
        const bool isShot = x == shot.x && y == shot.y;
        coversShot = coversShot || isShot;
        if (!isShot && board[x][y] != rules::HitUnknownShip) return std::nullopt;
    }
    if (!coversShot) return std::nullopt;
    // The wreck's cells all carry the ship's own hit code, so that rules::SinkShip turns them.
    for (int k = 0; k < ship.length; ++k) {
        board[place.column + (place.vertical ? 0 : k)][place.row + (place.vertical ? k : 0)] =
            rules::HitStage + outcome.shipId;
    }
    ship.column = place.column;
    ship.row = place.row;
    ship.vertical = place.vertical;
    ship.hits = ship.length;
    return One(
        rules::Event{.kind = rules::EventKind::Sinking, .shot = shot, .shipId = outcome.shipId});
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
    if (game.phase != rules::Placing || !FleetLaidOut(game) || committed_) return false;
    game.phase = rules::Firing;
    game.shotsLeft = rules::ShipsAfloat(game, rules::Player);
    game.salvoSlot = 0;
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
    Salvo ours;
    for (int slot = 0; slot < rules::SalvoSize; slot += 2) {
        const rules::Shot& shot = game.salvo[slot];
        if (shot.side == rules::Enemy) ours.shots.push_back(rules::Cell{shot.x, shot.y});
    }
    reported_.push_back(ReportedSalvo{ours.shots, {}});
    ourSalvo_ = ours;
    Send(ours);
    TakeSalvoIfBothAimed(game);
    return events;
}

Step Match::TakeSalvoIfBothAimed(rules::Game& game) {
    if (!ourSalvo_ || theirsTaken_ || !talk_.TheirSalvo()) return Step::Nothing;
    const std::vector<rules::Cell>& theirs = talk_.TheirSalvo()->shots;
    const int shots = std::min(rules::ShipsAfloat(game, rules::Enemy),
                               UntouchedCells(game.boards[rules::Player]));
    if (theirs.size() != static_cast<std::size_t>(shots)) {
        return Failed("your opponent fired more or fewer shots than they have ships afloat");
    }
    for (const rules::Cell& cell : theirs) {
        if (!rules::IsUntouched(game.boards[rules::Player][cell.x][cell.y])) {
            return Failed("your opponent fired at a square already shot at");
        }
    }
    // The friend's shots take the slots behind our ships, one for each of their ships afloat.
    std::size_t next = 0;
    for (int shipIndex = 0; shipIndex < rules::ShipsPerSide && next < theirs.size(); ++shipIndex) {
        if (game.fleets[rules::Enemy][shipIndex].IsSunk()) continue;
        const rules::Cell cell = theirs[next++];
        game.boards[rules::Player][cell.x][cell.y] += rules::AimedStage;
        game.salvo[2 * shipIndex + 1] = rules::Shot{rules::Player, cell.x, cell.y};
    }
    // Their outcomes are what our own rules make of their shots, found on a copy of the game: the
    // salvo is played out on screen only once both sides' outcomes are known.
    rules::Game settled = game;
    Outcomes outcomes;
    for (int slot = 1; slot < rules::SalvoSize; slot += 2) {
        const rules::Events events = rules::SettleShot(settled, slot);
        if (events.empty()) continue;
        outcomes.outcomes.push_back(OutcomeOf(settled, events.front()));
        if (events.front().kind == rules::EventKind::Sinking) {
            rules::SinkShip(settled, events.front());
        }
    }
    theirsTaken_ = true;
    Send(outcomes);
    return Step::Nothing;
}

std::optional<std::string> Match::AcceptOutcomes(const rules::Game& game,
                                                 const Outcomes& outcomes) {
    rules::Game trial = game;
    std::size_t next = 0;
    for (int slot = 0; slot < rules::SalvoSize; slot += 2) {
        if (game.salvo[slot].side != rules::Enemy) continue;
        if (next >= outcomes.outcomes.size()) return "outcomes missing";
        const ShotOutcome& outcome = outcomes.outcomes[next++];
        const std::optional<rules::Events> events = SettleReported(trial, slot, outcome);
        if (!events) return std::string(NotTheirFleet);
        if (events->front().kind == rules::EventKind::Sinking) {
            rules::SinkShip(trial, events->front());
        }
        reportedBySlot_[slot] = outcome;
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
            for (std::int32_t shipId = 1; shipId <= rules::ShipsPerSide; ++shipId) {
                rules::ShipState& ship = game.ShipOf(rules::Enemy, shipId);
                if (ship.IsSunk()) continue;
                const ShipPlace& place = reveal->layout[shipId - 1];
                ship.column = place.column;
                ship.row = place.row;
                ship.vertical = place.vertical;
            }
        }
        step = Step::Revealed;
    } else if (std::holds_alternative<network::Leave>(message)) {
        ended_ = true;
        step = Step::Left;
    }
    Flush();
    return step;
}

rules::Events Match::Settle(rules::Game& game, int slot) {
    if (slot < 0 || slot >= rules::SalvoSize) return {};
    const std::optional<ShotOutcome> reported = std::exchange(reportedBySlot_[slot], std::nullopt);
    if (slot % 2 == 1 || !reported || game.salvo[slot].side != rules::Enemy) {
        return rules::SettleShot(game, slot);
    }
    // Checked as the outcomes came: the same report on the same game cannot fail now.
    return SettleReported(game, slot, *reported).value_or(rules::Events{});
}

void Match::NextSalvo(rules::Game& game) {
    ourSalvo_.reset();
    theirsTaken_ = false;
    answered_ = false;
    reportedBySlot_ = {};
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
