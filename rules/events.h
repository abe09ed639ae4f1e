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

// The events of one move, in the order they happened. A move causes a handful at the most (the
// computer's five aims and the salvo's completion), so they are kept in place; a move made for
// every computer shot of every game of the strength tool must not allocate.
class Events {
  public:
    static constexpr int Capacity = 8;

    Events() = default;
    Events(const Events& other) : count_(other.count_) {
        for (int i = 0; i < count_; ++i) Slot(i) = other.Slot(i);
    }
    Events& operator=(const Events& other) {
        count_ = other.count_;
        for (int i = 0; i < count_; ++i) Slot(i) = other.Slot(i);
        return *this;
    }

    void Add(const Event& event) {
        if (count_ < Capacity) Slot(count_++) = event;
    }
    const Event* begin() const { return &Slot(0); }
    const Event* end() const { return &Slot(0) + count_; }
    int size() const { return count_; }
    bool empty() const { return count_ == 0; }
    const Event& front() const { return Slot(0); }
    bool Refused() const { return count_ == 1 && Slot(0).kind == EventKind::Refused; }

  private:
    // Left unset until added: an Event is plain data, and most moves fill one slot of eight.
    Event& Slot(int i) { return reinterpret_cast<Event*>(storage_)[i]; }
    const Event& Slot(int i) const { return reinterpret_cast<const Event*>(storage_)[i]; }

    alignas(Event) unsigned char storage_[Capacity * sizeof(Event)];
    int count_ = 0;
};

}  // namespace rules
