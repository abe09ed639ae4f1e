// battle/shot_resolution.cpp: ResolveSalvo. The sounds set the pace: each drop sound plays to its
// end before the outcome is shown, and the outcome's sound must end before the next drop starts.
#include "battle/shot_resolution.h"

#include "battle/board_cell.h"
#include "battle/game_state.h"
#include "battle/salvo.h"
#include "fleet/fleet.h"
#include "platform/repaint.h"
#include "platform/sound.h"
#include "setup/status_line.h"
#include "shell/message_pump.h"
#include "shell/sound.h"

namespace battle {

namespace {

constexpr std::uint32_t PlayToEnd = platform::SND_SYNC | platform::SND_NOSTOP;
constexpr std::uint32_t StartAndGoOn = platform::SND_ASYNC | platform::SND_NOSTOP;

void PlayDropThen(const char* outcomeSound) {
    if (shell::SoundOn) {
        shell::PlaySoundEffect("Sounds\\drop.wav", PlayToEnd);
        shell::PlaySoundEffect(outcomeSound, StartAndGoOn);
    }
}

// The message and the mark appear together, after the drop sound and as the outcome's starts.
void ShowCell(platform::Window* window, Side side, int x, int y) {
    setup::InvalidateCell(window, side, x, y);
    platform::UpdateWindow(window);
}

void ResolveMiss(platform::Window* window, Side side, int x, int y) {
    GameState.boards[side][x][y] = Miss;
    setup::SetStatus(window,
                     side == Player ? "Their Shot Has Missed..." : "Your Shot Has Missed...");
    PlayDropThen("Sounds\\miss.wav");
    ShowCell(window, side, x, y);
}

void SinkShip(platform::Window* window, Side side, int x, int y, fleet::Ship& ship) {
    setup::SetStatus(window, side == Player ? "Your Ship Is Sinking...Oh The Humanity !!!"
                                            : "Their Ship Is Sinking...burn, Burn, BURN !!!");
    ShowCell(window, side, x, y);
    // Every cell of the ship has been hit, so this turns the whole ship.
    const std::int32_t hitCode = GameState.boards[side][x][y];
    for (auto& column : GameState.boards[side]) {
        for (std::int32_t& code : column) {
            if (code == hitCode) code += 10;
        }
    }
    if (shell::SoundOn) shell::PlaySoundEffect("Sounds\\Sink.wav", StartAndGoOn);
    // An enemy ship, hidden until now, comes up with its sunk picture.
    ship.SetVisible(1, window);
    ship.Sink(window);
    ship.Invalidate(window);
    platform::UpdateWindow(window);
}

void ResolveHit(platform::Window* window, Side side, int x, int y) {
    std::int32_t& cell = GameState.boards[side][x][y];
    fleet::Ship& ship = ShipOfCell(side, cell);
    ship.AddHit();
    cell += 10;
    setup::SetStatus(window, side == Player ? "Your Ship Has Sustained A Direct Hit !!!"
                                            : "You Have Hit Your Enemy's Ship !!!");
    PlayDropThen("Sounds\\hit.wav");
    ShowCell(window, side, x, y);
    if (ship.IsSunk()) SinkShip(window, side, x, y, ship);
}

// A filled slot always names an aimed cell of a board; anything else is dropped unresolved
// rather than read outside the boards.
bool IsAimedCell(const Shot& shot) {
    if (shot.side != Player && shot.side != Enemy) return false;
    if (shot.x < 0 || shot.x >= BoardSize || shot.y < 0 || shot.y >= BoardSize) return false;
    const std::int32_t code = GameState.boards[shot.side][shot.x][shot.y];
    return code >= AimedStage && code <= AimedStage + ShipsPerSide;
}

}  // namespace

void ResolveSalvo(platform::Window* window) {
    for (Shot& slot : GameState.salvo) {
        if (slot.side == NoShot) continue;
        const Shot shot = slot;
        slot.side = NoShot;
        if (!IsAimedCell(shot)) continue;

        const Side side = static_cast<Side>(shot.side);
        if (GameState.boards[side][shot.x][shot.y] == AimedStage) {
            ResolveMiss(window, side, shot.x, shot.y);
        } else {
            ResolveHit(window, side, shot.x, shot.y);
        }
        // The cell as drawn, which also takes its Target mark away now that the slot is empty.
        InvalidateDrawnCell(window, side, shot.x, shot.y);

        if (!shell::PumpPendingMessages()) break;
        // A new game (and perhaps a new battle after it) started from the messages just handled
        // owns the boards and the salvo now.
        if (GameState.phase != Resolving) break;
    }
    if (GameState.phase != Resolving) return;
    GameState.shotsLeft = ShipsAfloat(Player);
    ShowShotsRemaining(window);
}

}  // namespace battle
