// battle/shot_resolution.cpp: ResolveSalvo. The sounds set the pace: each drop sound plays to its
// end before the outcome is shown, and the outcome's sound must end before the next drop starts.
#include "battle/shot_resolution.h"

#include "battle/message_pump.h"
#include "battle/salvo_rules.h"
#include "fleet/board_cell.h"
#include "fleet/fleet.h"
#include "platform/repaint.h"
#include "setup/status_line.h"
#include "sound/sound_effects.h"

namespace battle {

namespace {

using fleet::GameState;

void PlayDropThen(const char* outcomeSound) {
    sound::PlaySoundEffect("Sounds\\drop.wav", sound::PlayToEnd);
    sound::PlaySoundEffect(outcomeSound, sound::StartAndGoOn);
}

// The message and the mark appear together, after the drop sound and as the outcome's starts.
void ShowCell(platform::Window* window, const fleet::Shot& shot) {
    fleet::InvalidateCell(window, static_cast<fleet::Side>(shot.side), shot.x, shot.y);
    platform::UpdateWindow(window);
}

void ShowMiss(platform::Window* window, const fleet::Shot& shot) {
    setup::SetStatus(window, shot.side == fleet::Player ? "Their Shot Has Missed..."
                                                        : "Your Shot Has Missed...");
    PlayDropThen("Sounds\\miss.wav");
    ShowCell(window, shot);
}

void ShowHit(platform::Window* window, const fleet::Shot& shot) {
    setup::SetStatus(window, shot.side == fleet::Player ? "Your Ship Has Sustained A Direct Hit !!!"
                                                        : "You Have Hit Your Enemy's Ship !!!");
    PlayDropThen("Sounds\\hit.wav");
    ShowCell(window, shot);
}

// The hit stays on screen under the sinking message until the ship turns.
void ShowSinking(platform::Window* window, const SettledShot& settled) {
    setup::SetStatus(window, settled.shot.side == fleet::Player
                                 ? "Your Ship Is Sinking...Oh The Humanity !!!"
                                 : "Their Ship Is Sinking...burn, Burn, BURN !!!");
    ShowCell(window, settled.shot);
    SinkShip(settled);
    sound::PlaySoundEffect("Sounds\\Sink.wav", sound::StartAndGoOn);
    // An enemy ship, hidden until now, comes up with its sunk picture.
    fleet::Ship& ship = *settled.ship;
    ship.SetVisible(1, window);
    ship.Sink(window);
    ship.Invalidate(window);
    platform::UpdateWindow(window);
}

}  // namespace

void ResolveSalvo(platform::Window* window) {
    for (int slot = 0; slot < fleet::SalvoSize; ++slot) {
        const SettledShot settled = SettleShot(slot);
        if (settled.outcome == ShotOutcome::Empty) continue;
        if (settled.outcome == ShotOutcome::Miss) {
            ShowMiss(window, settled.shot);
        } else {
            ShowHit(window, settled.shot);
            if (settled.outcome == ShotOutcome::Sinking) ShowSinking(window, settled);
        }
        // The cell as drawn, which also takes its Target mark away now that the slot is empty.
        fleet::InvalidateCell(window, static_cast<fleet::Side>(settled.shot.side), settled.shot.x,
                              settled.shot.y);

        if (!PumpPendingMessages()) break;
        // A new game (and perhaps a new battle after it) started from the messages just handled
        // owns the boards and the salvo now.
        if (GameState.phase != fleet::Resolving) break;
    }
}

}  // namespace battle
