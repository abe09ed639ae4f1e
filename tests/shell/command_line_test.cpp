// tests/shell/command_line_test.cpp: the game's own options, and everything else left alone.
#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct Case {
    std::vector<const char*> arguments;  // after the program's name
    bool usable;
    std::optional<std::uint32_t> seed;
    bool showSplash;
};

TEST(CommandLine, ReadsSeedAndNoSplashAndLeavesTheRestToTheToolkit) {
    const Case cases[] = {
        {{}, true, std::nullopt, true},
        {{"--no-splash"}, true, std::nullopt, false},
        {{"--seed", "42"}, true, 42u, true},
        {{"--seed=4294967295", "--no-splash"}, true, 4294967295u, false},
        {{"-platform", "xcb", "--seed", "0"}, true, 0u, true},
        {{"--seed"}, false, std::nullopt, true},
        {{"--seed", "-1"}, false, std::nullopt, true},
        {{"--seed", "4294967296"}, false, std::nullopt, true},
        {{"--seed", "12abc"}, false, std::nullopt, true},
        {{"--seed="}, false, std::nullopt, true},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv = {"tidewrack"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        std::string trace;
        for (const char* argument : c.arguments) trace += std::string(argument) + " ";
        SCOPED_TRACE(trace);
        std::string error;
        const std::optional<shell::CommandLine> options =
            shell::ReadCommandLine(static_cast<int>(argv.size()), argv.data(), &error);
        ASSERT_EQ(options.has_value(), c.usable);
        if (!options) {
            EXPECT_NE(error.find("--seed"), std::string::npos);
            continue;
        }
        EXPECT_EQ(options->seed, c.seed);
        EXPECT_EQ(options->showSplash, c.showSplash);
    }
}

}  // namespace
