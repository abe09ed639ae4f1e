// shell/command_line.h: the game's own options on the command line, for scripts and tests; the
// toolkit reads its own (such as -platform) from what is left.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "network/address.h"

namespace shell {

struct CommandLine {
    // --seed N: the generator starts from N instead of the time, so a game replays.
    std::optional<std::uint32_t> seed;
    // --no-splash: the main window comes up without the start-up picture.
    bool showSplash = true;
    // --host [PORT]: wait for a friend's game on the port (the default one without it).
    std::optional<std::uint16_t> hostPort;
    // --join HOST[:PORT]: play the friend's game that waits there.
    std::optional<network::Address> join;
};

// Written once, before the program starts; read by the main window as it is created.
extern CommandLine Options;

// The game's options among the arguments; anything else is left to the toolkit. On a malformed
// option of the game's, nothing and the reason in `error`.
std::optional<CommandLine> ReadCommandLine(int argc, const char* const* argv, std::string* error);

// The generator's seed for this run: the one given, or the time in seconds.
std::uint32_t ProgramSeed();

}  // namespace shell
