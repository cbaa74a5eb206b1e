// The options of tarvoterm: accepted forms, refused values, defaults.
#include "tarvo/vterm/command_line.h"

#include <gtest/gtest.h>

namespace tarvo::vterm {
namespace {

TEST(CommandLine, DefaultsWithoutOptions) {
    TermOptions options;
    std::string error;
    ASSERT_TRUE(parseCommandLine({}, options, error));
    EXPECT_EQ(options.terminal.model, TerminalModel::VK81);
    EXPECT_EQ(options.terminal.version, "1.00");
    EXPECT_EQ(options.terminal.startBaud, 9600);
    EXPECT_FALSE(options.throttle);
    EXPECT_EQ(options.idleLimitSeconds, 0);
}

TEST(CommandLine, EveryOptionInBothSpellings) {
    TermOptions options;
    std::string error;
    ASSERT_TRUE(
        parseCommandLine({"--model", "vk61", "--version=2.05", "--names", "INV,,PRICE",
                          "--baud=38400", "--transcript", "t.json", "--hex-out=o.hex", "--throttle",
                          "--fault", "nak:app1:2", "--fault=badversion", "--idle-limit", "30"},
                         options, error))
        << error;
    EXPECT_EQ(options.terminal.model, TerminalModel::VK61);
    EXPECT_EQ(options.terminal.version, "2.05");
    EXPECT_EQ(options.terminal.names, (std::array<std::string, 4>{"INV", "", "PRICE", ""}));
    EXPECT_EQ(options.terminal.startBaud, 38400);
    EXPECT_EQ(options.transcriptPath, "t.json");
    EXPECT_EQ(options.hexOutPath, "o.hex");
    EXPECT_TRUE(options.throttle);
    EXPECT_EQ(options.terminal.faults.faults().size(), 2u);
    EXPECT_EQ(options.idleLimitSeconds, 30);
}

class CommandLineRefused : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(CommandLineRefused, WithAMessage) {
    TermOptions options;
    std::string error;
    EXPECT_FALSE(parseCommandLine(GetParam(), options, error));
    EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(BadArguments, CommandLineRefused,
                         ::testing::Values(std::vector<std::string>{"--model", "VK99"},
                                           std::vector<std::string>{"--model"},
                                           std::vector<std::string>{"--version", "1.2"},
                                           std::vector<std::string>{"--version", "a.bc"},
                                           std::vector<std::string>{"--version", "12.3"},
                                           std::vector<std::string>{"--baud", "4800"},
                                           std::vector<std::string>{"--baud", "96OO"},
                                           std::vector<std::string>{"--names", "A,B,C,D,E"},
                                           std::vector<std::string>{"--names", "FIFTEEN_CHARS__"},
                                           std::vector<std::string>{"--fault", "nak"},
                                           std::vector<std::string>{"--throttle=yes"},
                                           std::vector<std::string>{"--idle-limit", "-1"},
                                           std::vector<std::string>{"--idle-limit", "86401"},
                                           std::vector<std::string>{"--verbose"},
                                           std::vector<std::string>{"stray-argument"}));

TEST(CommandLine, VersionNoneAndHelp) {
    TermOptions options;
    std::string error;
    ASSERT_TRUE(parseCommandLine({"--version", "none", "--help"}, options, error));
    EXPECT_EQ(options.terminal.version, "none");
    EXPECT_TRUE(options.showHelp);
    EXPECT_NE(usageText().find("--fault SPEC"), std::string::npos);
    EXPECT_NE(usageText().find("nak:SEL"), std::string::npos);
}

}  // namespace
}  // namespace tarvo::vterm
