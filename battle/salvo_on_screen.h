// battle/salvo_on_screen.h: a salvo's events shown in the main window: status texts, sounds and
// repaints, with the windows answering between shots.
#pragma once

#include "battle/salvo_driver.h"
#include "platform/window.h"
#include "rules/game.h"

namespace battle {

class ScreenPresenter : public SalvoPresenter {
  public:
    ScreenPresenter(platform::Window* window, const rules::Game& game)
        : window_(window), game_(game) {}

    void Present(const rules::Event& event) override;
    // The cell as drawn, which also takes its Target mark away now that the slot is empty; then
    // the waiting messages are handed on.
    bool BetweenShots(const rules::Shot& shot) override;

  private:
    platform::Window* window_;
    const rules::Game& game_;
};

// The salvo prompt for the player's shots left: "Shot" for exactly one, "Shots" for every other
// count, 0 included.
void ShowShotsRemaining(platform::Window* window, const rules::Game& game);

}  // namespace battle
