// shell/command_line.cpp: reading --seed, --no-splash, --host and --join.
#include "shell/command_line.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "network/messages.h"
#include "platform/screen.h"

namespace shell {

CommandLine Options;

namespace {

// A whole decimal number 0..4294967295 and nothing else.
std::optional<std::uint32_t> ReadSeed(const char* text) {
    if (text == nullptr || *text < '0' || *text > '9') return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0' || value > 0xFFFFFFFFull) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

}  // namespace

std::optional<CommandLine> ReadCommandLine(int argc, const char* const* argv, std::string* error) {
    CommandLine options;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--no-splash") == 0) {
            options.showSplash = false;
        } else if (std::strcmp(argument, "--seed") == 0 ||
                   std::strncmp(argument, "--seed=", 7) == 0) {
            const char* value =
                argument[6] == '=' ? argument + 7 : (i + 1 < argc ? argv[++i] : nullptr);
            options.seed = ReadSeed(value);
            if (!options.seed) {
                *error = "--seed takes a whole number from 0 to 4294967295";
                return std::nullopt;
            }
        } else if (std::strcmp(argument, "--host") == 0) {
            // The port is optional: a next argument that is no port is not this option's.
            options.hostPort = network::DefaultPort;
            if (i + 1 < argc) {
                if (const auto port = network::ReadPort(argv[i + 1])) {
                    options.hostPort = port;
                    ++i;
                }
            }
        } else if (std::strcmp(argument, "--join") == 0) {
            if (i + 1 < argc) options.join = network::ReadAddress(argv[++i], network::DefaultPort);
            if (!options.join) {
                *error = "--join takes a host name or address, with :PORT if it is not " +
                         std::to_string(network::DefaultPort);
                return std::nullopt;
            }
        }
    }
    if (options.hostPort && options.join) {
        *error = "--host and --join cannot go together: a game either waits or calls";
        return std::nullopt;
    }
    return options;
}

std::uint32_t ProgramSeed() {
    return Options.seed ? *Options.seed : static_cast<std::uint32_t>(platform::time());
}

}  // namespace shell
