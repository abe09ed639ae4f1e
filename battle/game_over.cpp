// battle/game_over.cpp: the record, text, picture and sound of a game's end.
#include "battle/game_over.h"

#include "fleet/fleet.h"
#include "opponent/level.h"
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

void Loss(platform::Window* window) {
    setup::SetStatus(window, "YOU LOST!!!");
    // The computer's survivors come up one by one where they lie, afloat.
    for (std::uint32_t shipId = 1; shipId <= fleet::ShipsPerSide; ++shipId) {
        fleet::Ship& ship = fleet::Ships[fleet::ShipIndex(fleet::Enemy, shipId)];
        if (ship.IsSunk()) continue;
        ship.SetVisible(1, nullptr);
        ship.Invalidate(window);
        platform::UpdateWindow(window);
    }
    ShowResultPicture(window, resources::IDB_LOSS);
    sound::PlaySoundEffect("Sounds\\lose.wav", sound::PlayToEnd);
}

}  // namespace

void ShowGameOver(platform::Window* window, GameOutcome outcome) {
    // Recorded before the result is shown: the win sound holds the game until it ends, and a
    // player who quits then has still finished the game.
    AddGameToRecord(opponent::Levels.GameLevel, outcome, fleet::GameState.salvosResolved);
    switch (outcome) {
        case GameOutcome::Tied:
            Tie(window);
            break;
        case GameOutcome::Won:
            Win(window);
            break;
        case GameOutcome::Lost:
            Loss(window);
            break;
    }
}

}  // namespace battle
