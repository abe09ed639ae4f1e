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

void ShowResultPicture(platform::Window* window, int bitmapId) {
    // Until the player clicks it; the game does not wait for that.
    windows::ShowPicturePopup(windows::App.AppInstance, window, bitmapId, 0);
}

void Tie(platform::Window* window) {
    setup::SetStatus(window, "A TIE!!!");
    ShowResultPicture(window, resources::IDB_TIE);
    platform::UpdateWindow(window);
}

void Win(platform::Window* window) {
    setup::SetStatus(window, "YOU WON!!!");
    ShowResultPicture(window, resources::IDB_WIN);
    platform::UpdateWindow(window);
    // Waits for a sound still playing, such as the last sinking, then plays to its end.
    sound::PlaySoundEffect("Sounds\\win.wav", sound::PlayToEnd);
}

void Loss(platform::Window* window, const rules::Game& game) {
    setup::SetStatus(window, "YOU LOST!!!");
    // The computer's survivors come up one by one where they lie, afloat.
    for (std::uint32_t shipId = 1; shipId <= rules::ShipsPerSide; ++shipId) {
        if (game.ShipOf(rules::Enemy, static_cast<std::int32_t>(shipId)).IsSunk()) continue;
        fleet::Ship& ship = fleet::Ships[fleet::ShipIndex(rules::Enemy, shipId)];
        ship.SetVisible(1, nullptr);
        ship.Invalidate(window);
        platform::UpdateWindow(window);
    }
    ShowResultPicture(window, resources::IDB_LOSS);
    sound::PlaySoundEffect("Sounds\\lose.wav", sound::PlayToEnd);
}

}  // namespace

void ShowGameOver(platform::Window* window, const rules::Game& game, rules::GameOutcome outcome) {
    switch (outcome) {
        case rules::GameOutcome::Tied:
            Tie(window);
            break;
        case rules::GameOutcome::Won:
            Win(window);
            break;
        case rules::GameOutcome::Lost:
            Loss(window, game);
            break;
    }
}

}  // namespace battle
