// battle/salvo_driver.h: the one order of a salvo's steps, for every caller: the player's shot,
// the computer's shots behind it, and a complete salvo settled shot by shot. Each move's events go
// to a presenter as they happen: the windowed game shows them, headless callers keep or ignore
// them.
#pragma once

#include <functional>
#include <optional>

#include "opponent/targeting.h"
#include "rules/events.h"
#include "rules/game.h"
#include "rules/moves.h"
#include "rules/random.h"

namespace battle {

class SalvoPresenter {
  public:
    virtual ~SalvoPresenter() = default;
    // The game already holds what the event says.
    virtual void Present(const rules::Event& event) = 0;
    // After each settled shot has been presented. False when the player asked to end the program:
    // the salvo's other shots are then left unsettled.
    virtual bool BetweenShots(const rules::Shot& shot) = 0;
    // Asked after BetweenShots: false once the game this salvo was played for has gone (a new
    // game taken up from the windows between shots), and the salvo then stops where it is.
    virtual bool SameGame(const rules::Game& game) const { return game.phase == rules::Resolving; }
};

// For callers that show nothing.
class SilentPresenter : public SalvoPresenter {
  public:
    void Present(const rules::Event&) override {}
    bool BetweenShots(const rules::Shot&) override { return true; }
};

// The computer's side of a salvo: what it remembers between shots and the generator it draws from.
struct Computer {
    opponent::TargetingMemory& memory;
    rules::Random& random;
};

// Presents each event in order.
void Present(SalvoPresenter& presenter, const rules::Events& events);

// The computer fills its slots behind the player's; true when that completed the salvo.
bool FillComputerSlots(rules::Game& game, Computer computer, SalvoPresenter& presenter);

// The complete salvo settled slot by slot, a sinking ship turned right after its hit is shown,
// then the salvo's end and the end test: the game's end when it came. Nothing more once the
// presenter finds the game gone between shots (the windowed game lets its windows answer there).
// Our shots are settled by the rules against the fleet the game holds, or in a network game by
// what the friend reported of them (`reportOf`).
std::optional<rules::GameOutcome> SettleSalvo(rules::Game& game, SalvoPresenter& presenter,
                                              const rules::ReportOf& reportOf = {});

// The player's shot at a cell of the enemy board, then the computer's shots behind it and, when
// the salvo is complete, the salvo settled; the slots of the player's sunk ships are passed, so a
// salvo that they leave to the computer alone follows at once. The game's end when it came; a
// refused aim changes nothing.
std::optional<rules::GameOutcome> FirePlayerShot(rules::Game& game, rules::Cell cell,
                                                 Computer computer, SalvoPresenter& presenter);

// One whole salvo for a headless player: `aim(game)` is asked for a cell at each of the player's
// slots that waits for a shot, and may give none.
template <typename PlayerAim>
std::optional<rules::GameOutcome> PlaySalvo(rules::Game& game, PlayerAim&& aim, Computer computer,
                                            SalvoPresenter& presenter) {
    do {
        if (!rules::PlayerSlotPassed(game)) {
            if (const std::optional<rules::Cell> cell = aim(game)) {
                Present(presenter, rules::AimShot(game, *cell));
            }
        }
    } while (!FillComputerSlots(game, computer, presenter));
    return SettleSalvo(game, presenter);
}

}  // namespace battle
