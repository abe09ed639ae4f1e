// rules/events.h: what a move did, for whoever shows it: the windowed game turns each event into
// texts, sounds and repaints; headless players, tools and tests read them.
#pragma once

#include <array>
#include <cstdint>

#include "rules/game.h"

namespace rules {

enum class EventKind : std::uint8_t {
    Refused,        // the move changed nothing
    ShipPlaced,     // shipId of side shot.side now lies from its first cell (shot.x, shot.y)
    ShipTurned,     // shipId of side shot.side turned; it lies nowhere new until placed again
    FleetPlaced,    // side shot.side laid out at random
    BattleStarted,  // the firing phase began, the enemy fleet laid out and hidden
    Aimed,          // the player's shot queued at shot
    ComputerAimed,  // the computer's shot queued at shot
    SalvoComplete,  // every slot passed: from now on the salvo's shots are settled
    Missed,         // shot hit water
    Hit,            // shot hit shipId, which is still afloat
    Sinking,        // shot hit shipId with its last unhit cell
    Sunk,           // every cell of shipId became a cell of a sunk ship
    SalvoEnded,     // the next salvo opens, with a shot for each of the player's ships afloat
    GameOver,       // the game ended with outcome
};

struct Event {
    EventKind kind = EventKind::Refused;
    Shot shot{};
    std::int32_t shipId = 0;
    GameOutcome outcome = GameOutcome::Tied;
};

// The events of one move, in the order they happened. A move causes a handful at the most.
class Events {
  public:
    static constexpr int Capacity = 12;

    void Add(const Event& event) {
        if (count_ < Capacity) items_[count_++] = event;
    }
    const Event* begin() const { return items_.data(); }
    const Event* end() const { return items_.data() + count_; }
    int size() const { return count_; }
    bool empty() const { return count_ == 0; }
    const Event& front() const { return items_[0]; }
    bool Refused() const { return count_ == 1 && items_[0].kind == EventKind::Refused; }

  private:
    std::array<Event, Capacity> items_{};
    int count_ = 0;
};

}  // namespace rules
