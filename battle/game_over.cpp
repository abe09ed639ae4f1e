// battle/game_over.cpp: CheckGameOver: win, loss or tie, each with its text, picture and sound.
#include "battle/game_over.h"

#include "battle/game_state.h"
#include "fleet/fleet.h"
#include "opponent/level.h"
#include "platform/repaint.h"
#include "platform/sound.h"
#include "resources/resource_ids.h"
#include "setup/status_line.h"
#include "shell/main_window.h"
#include "shell/play_record.h"
#include "shell/sound.h"
#include "windows/picture_popup.h"

namespace battle {

namespace {

constexpr std::uint32_t PlayToEnd = platform::SND_SYNC | platform::SND_NOSTOP;

void ShowResultPicture(platform::Window* window, int bitmapId) {
    // Until the player clicks it; the game does not wait for that.
    windows::ShowPicturePopup(shell::AppInstance, window, bitmapId, 0);
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
    if (shell::SoundOn) shell::PlaySoundEffect("Sounds\\win.wav", PlayToEnd);
}

void Loss(platform::Window* window) {
    setup::SetStatus(window, "YOU LOST!!!");
    // The computer's survivors come up one by one where they lie, afloat.
    for (int k = 0; k < ShipsPerSide; ++k) {
        fleet::Ship& ship = fleet::Ships[Enemy * ShipsPerSide + k];
        if (ship.IsSunk()) continue;
        ship.SetVisible(1, nullptr);
        ship.Invalidate(window);
        platform::UpdateWindow(window);
    }
    ShowResultPicture(window, resources::IDB_LOSS);
    if (shell::SoundOn) shell::PlaySoundEffect("Sounds\\lose.wav", PlayToEnd);
}

}  // namespace

void CheckGameOver(platform::Window* window) {
    const int playerSunk = ShipsPerSide - ShipsAfloat(Player);
    const int enemySunk = ShipsPerSide - ShipsAfloat(Enemy);
    shell::GameOutcome outcome;
    if (enemySunk >= ShipsPerSide && playerSunk >= ShipsPerSide) {
        outcome = shell::GameOutcome::Tied;
    } else if (enemySunk >= ShipsPerSide) {
        outcome = shell::GameOutcome::Won;
    } else if (playerSunk >= ShipsPerSide) {
        outcome = shell::GameOutcome::Lost;
    } else {
        return;
    }
    // Recorded before the result is shown: the win sound holds the game until it ends, and a
    // player who quits then has still finished the game.
    shell::AddGameToRecord(opponent::GameLevel, outcome, GameState.salvosResolved);
    switch (outcome) {
        case shell::GameOutcome::Tied:
            Tie(window);
            break;
        case shell::GameOutcome::Won:
            Win(window);
            break;
        case shell::GameOutcome::Lost:
            Loss(window);
            break;
    }
    GameState.phase = GameOver;
}

}  // namespace battle
