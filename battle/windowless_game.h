// battle/windowless_game.h: whole games with no window, picture or sound, for the whole-game
// tests, the opponent benchmark and the strength tool. They play through the salvo driver the
// windowed game plays through.
#pragma once

#include <vector>

#include "battle/salvo_driver.h"
#include "opponent/targeting.h"
#include "rules/game.h"
#include "rules/random.h"

namespace battle {

// A game with the generator and the computer's memory it is played with. The memory starts
// afresh with each game, so that a game depends on its seed alone.
struct WindowlessGame {
    rules::Game game;
    rules::Random random;
    opponent::TargetingMemory memory;

    Computer computer() { return Computer{memory, random}; }
};

// Keeps the events it is shown, a salvo's settled shots among them.
class EventLog : public SalvoPresenter {
  public:
    void Present(const rules::Event& event) override { events.push_back(event); }
    bool BetweenShots(const rules::Shot&) override { return true; }

    std::vector<rules::Event> events;
};

}  // namespace battle
