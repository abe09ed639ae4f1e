// battle/network_battle.h: the battle against a friend over the network as the player sees it:
// START, the player's aimed shots and the salvo played out on screen, with a network::Match in
// place of the computer. The connection itself is the shell's.
#pragma once

#include <memory>
#include <optional>

#include "network/match.h"
#include "platform/window.h"
#include "rules/game.h"

namespace battle {

// START in a network game: the firing phase begins with the friend's fleet unknown and our
// commitment goes out. False, with nothing changed, when START cannot be taken now.
bool StartNetworkBattle(platform::Window* window, rules::Game& game, network::Match& match);

// The player's shot at a cell of the friend's board; a refused aim changes nothing. When it
// completes the salvo, the salvo goes to the friend and the caller shows what it waits for.
void AimNetworkShot(platform::Window* window, rules::Game& game, network::Match& match,
                    rules::Cell cell);

// Both salvos and both sides' outcomes are known: the salvo played out as against the computer.
// The game's end when it came; otherwise the next salvo is open. The windows answer between the
// shots, and the player may leave the network game there: the salvo holds the match only weakly,
// and once the caller lets it go the salvo stops and leaves the game (by then a new one) alone.
std::optional<rules::GameOutcome> PlayNetworkSalvo(platform::Window* window, rules::Game& game,
                                                   const std::weak_ptr<network::Match>& match);

// The friend's fleet as revealed: its ships afloat placed where they lay, hidden until a lost
// game shows them.
void PlaceRevealedFleet(platform::Window* window, const rules::Game& game);

}  // namespace battle
