// battle/game_over.cpp: the text, picture and sound of a game's end.
#include "battle/game_over.h"

#include "fleet/fleet.h"
#include "platform/repaint.h"
#include "resources/resource_ids.h"
#include "setup/status_line.h"
#include "sound/sound_effects.h"
#include "windows/picture_popup.h"
#include "windows/program_handles.h"

namespace battle {

namespace {

const char* StatusOf(rules::GameOutcome outcome) {
    switch (outcome) {
        case rules::GameOutcome::Won:
            return "YOU WON!!!";
        case rules::GameOutcome::Lost:
            return "YOU LOST!!!";
        case rules::GameOutcome::Tied:
            break;
    }
    return "A TIE!!!";
}

// The computer's survivors come up one by one where they lie, afloat.
void RevealSurvivors(platform::Window* window, const rules::Game& game) {
    for (std::uint32_t shipId = 1; shipId <= rules::ShipsPerSide; ++shipId) {
        if (game.ShipOf(rules::Enemy, static_cast<std::int32_t>(shipId)).IsSunk()) continue;
        fleet::Ship& ship = fleet::Ships[fleet::ShipIndex(rules::Enemy, shipId)];
        ship.SetVisible(1, nullptr);
        ship.Invalidate(window);
        platform::UpdateWindow(window);
    }
}

}  // namespace

void ShowGameOver(platform::Window* window, const rules::Game& game, rules::GameOutcome outcome) {
    setup::SetStatus(window, StatusOf(outcome));
    if (outcome == rules::GameOutcome::Lost) RevealSurvivors(window, game);
    platform::UpdateWindow(window);
}

void AnnounceGameOver(platform::Window* window, rules::GameOutcome outcome) {
    const int picture = outcome == rules::GameOutcome::Won    ? resources::IDB_WIN
                        : outcome == rules::GameOutcome::Lost ? resources::IDB_LOSS
                                                              : resources::IDB_TIE;
    // Until the player clicks it; the game does not wait for that.
    windows::ShowPicturePopup(windows::App.AppInstance, window, picture, 0);
    // Each waits for a sound still playing, such as the last sinking, then plays to its end.
    if (outcome == rules::GameOutcome::Won)
        sound::PlaySoundEffect("Sounds\\win.wav", sound::PlayToEnd);
    if (outcome == rules::GameOutcome::Lost)
        sound::PlaySoundEffect("Sounds\\lose.wav", sound::PlayToEnd);
}

}  // namespace battle
