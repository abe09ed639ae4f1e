// battle/salvo_on_screen.cpp: how each event of a salvo looks and sounds. The sounds set the pace:
// each drop sound plays to its end before the outcome is shown, and the outcome's sound must end
// before the next drop starts.
#include "battle/salvo_on_screen.h"

#include <cstdio>

#include "battle/message_pump.h"
#include "fleet/board_cell.h"
#include "fleet/fleet.h"
#include "platform/repaint.h"
#include "setup/status_line.h"
#include "sound/sound_effects.h"

namespace battle {

namespace {

void PlayDropThen(const char* outcomeSound) {
    sound::PlaySoundEffect("Sounds\\drop.wav", sound::PlayToEnd);
    sound::PlaySoundEffect(outcomeSound, sound::StartAndGoOn);
}

// The message and the mark appear together, after the drop sound and as the outcome's starts.
void ShowCell(platform::Window* window, const rules::Shot& shot) {
    fleet::InvalidateCell(window, static_cast<rules::Side>(shot.side), shot.x, shot.y);
    platform::UpdateWindow(window);
}

void ShowMiss(platform::Window* window, const rules::Shot& shot) {
    setup::SetStatus(window, shot.side == rules::Player ? "Their Shot Has Missed..."
                                                        : "Your Shot Has Missed...");
    PlayDropThen("Sounds\\miss.wav");
    ShowCell(window, shot);
}

void ShowHit(platform::Window* window, const rules::Shot& shot) {
    setup::SetStatus(window, shot.side == rules::Player ? "Your Ship Has Sustained A Direct Hit !!!"
                                                        : "You Have Hit Your Enemy's Ship !!!");
    PlayDropThen("Sounds\\hit.wav");
    ShowCell(window, shot);
}

// The hit stays on screen under the sinking message until the ship turns.
void ShowSinking(platform::Window* window, const rules::Shot& shot) {
    setup::SetStatus(window, shot.side == rules::Player
                                 ? "Your Ship Is Sinking...Oh The Humanity !!!"
                                 : "Their Ship Is Sinking...burn, Burn, BURN !!!");
    ShowCell(window, shot);
}

void ShowSunk(platform::Window* window, const rules::Event& sunk) {
    sound::PlaySoundEffect("Sounds\\Sink.wav", sound::StartAndGoOn);
    // An enemy ship, hidden until now, comes up with its sunk picture.
    fleet::Ship& ship = fleet::Ships[fleet::ShipIndex(static_cast<rules::Side>(sunk.shot.side),
                                                      static_cast<std::uint32_t>(sunk.shipId))];
    ship.SetVisible(1, window);
    ship.Sink(window);
    ship.Invalidate(window);
    platform::UpdateWindow(window);
}

}  // namespace

void ShowShotsRemaining(platform::Window* window, const rules::Game& game) {
    const char* pattern =
        game.shotsLeft == 1 ? "You Have %i Shot Remaining..." : "You Have %i Shots Remaining...";
    char text[64];
    std::snprintf(text, sizeof text, pattern, static_cast<int>(game.shotsLeft));
    setup::SetStatus(window, text);
}

void ScreenPresenter::Present(const rules::Event& event) {
    switch (event.kind) {
        case rules::EventKind::Aimed:
            // The painter draws the Target mark on the cell of every filled player's slot.
            fleet::InvalidateCell(window_, rules::Enemy, event.shot.x, event.shot.y);
            ShowShotsRemaining(window_, game_);
            return;
        case rules::EventKind::SalvoComplete:
            setup::SetStatus(window_, "Please Wait...");
            platform::UpdateWindow(window_);
            return;
        case rules::EventKind::Missed:
            ShowMiss(window_, event.shot);
            return;
        case rules::EventKind::Hit:
            ShowHit(window_, event.shot);
            return;
        case rules::EventKind::Sinking:
            ShowHit(window_, event.shot);
            ShowSinking(window_, event.shot);
            return;
        case rules::EventKind::Sunk:
            ShowSunk(window_, event);
            return;
        case rules::EventKind::SalvoEnded:
            ShowShotsRemaining(window_, game_);
            return;
        default:
            // The computer's aims are never shown; the placement and the end have their own
            // presentation.
            return;
    }
}

bool ScreenPresenter::BetweenShots(const rules::Shot& shot) {
    fleet::InvalidateCell(window_, static_cast<rules::Side>(shot.side), shot.x, shot.y);
    return PumpPendingMessages();
}

}  // namespace battle
