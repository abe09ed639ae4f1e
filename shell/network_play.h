// shell/network_play.h: a game against a friend over the network in the main window: hosting or
// joining, the connection's messages, the friend's silence, and the end with the friend's fleet
// revealed and checked. While no network game is on, the main window plays the computer exactly
// as always.
#pragma once

#include <cstdint>

#include "network/address.h"
#include "platform/types.h"
#include "platform/window.h"
#include "rules/game.h"

namespace shell {

// The timer of the main window that watches the friend's silence.
constexpr std::uintptr_t FriendSilenceTimer = 7;
constexpr std::uint32_t FriendSilenceMilliseconds = 60000;

// Whether a network game is on: waiting for a friend, connecting, or playing.
bool InNetworkGame();

// Waits for a friend's game on the port (--host, and File > Host a Network Game...). `tellHow`
// shows the player, in a box that can cancel the wait, which addresses the friend may type.
void HostNetworkGame(platform::Window* window, std::uint16_t port, bool tellHow);
// Calls the friend's game at the address (--join, and File > Join a Network Game...).
void JoinNetworkGame(platform::Window* window, const network::Address& address);
// The File menu's commands: Host waits on the default port; Join asks where first.
void AskToHost(platform::Window* window);
void AskToJoin(platform::Window* window);

// WM_SOCKET and the silence timer of the main window.
void OnNetworkSocket(platform::Window* window, platform::WPARAM socket, platform::LPARAM event);
void OnFriendSilence(platform::Window* window);

// START and an aimed shot, when a network game is being played: true when taken.
bool StartNetworkBattle(platform::Window* window);
bool AimNetworkShot(platform::Window* window, rules::Cell cell);

// The player leaves (File > New, a new network game, the program's end): the friend is told and
// the network game ends, counted as left unless it had ended. Nothing when none is on.
void LeaveNetworkGame(platform::Window* window);

}  // namespace shell
