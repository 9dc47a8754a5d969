#include "app/CommandLine.h"

#include <gtest/gtest.h>

using namespace glypharo;

TEST(CommandLine, PositionalArgumentsKeepTheLobbysMeaning)
{
    using M = CommandLine::Mode;
    struct Case {
        std::vector<std::string> args;
        M mode;
        int positional;
        int port;
    };
    const Case cases[] = {
        {{}, M::Game, 0, 7772}, {{"Ann", "10.0.0.5", "true"}, M::Game, 3, 7772},
        {{"Ann", "10.0.0.5"}, M::Game, 2, 7772}, {{"Ann", "10.0.0.5", "TRUE", "extra"}, M::Game, 4, 7772},
        {{"--version"}, M::Version, 0, 7772}, {{"Ann", "--help"}, M::Help, 1, 7772},
        {{"--serve"}, M::Serve, 0, 7772}, {{"--serve", "--port", "9000"}, M::Serve, 0, 9000},
        {{"--serve", "--port=9001"}, M::Serve, 0, 9001}, {{"--serve", "--port"}, M::Error, 0, 7772},
        {{"--serve", "--port", "70000"}, M::Error, 0, 7772}, {{"--serve", "--port", "x"}, M::Error, 0, 7772},
        {{"--bogus"}, M::Error, 0, 7772},
        {{"-x"}, M::Game, 1, 7772}, // a single dash is a name like any other
    };
    for (const auto& c : cases) {
        CommandLine cl = parseCommandLine(c.args);
        EXPECT_EQ(cl.mode, c.mode) << testing::PrintToString(c.args);
        EXPECT_EQ(cl.positional.size(), c.positional) << testing::PrintToString(c.args);
        if (cl.mode != M::Error) {
            EXPECT_EQ(cl.port, c.port) << testing::PrintToString(c.args);
        }
    }
}
