// shell/command_line.cpp: reading --seed and --no-splash.
#include "shell/command_line.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

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
        }
    }
    return options;
}

std::uint32_t ProgramSeed() {
    return Options.seed ? *Options.seed : static_cast<std::uint32_t>(platform::time());
}

}  // namespace shell
