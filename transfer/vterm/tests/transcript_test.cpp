// The JSON transcript and the HEX output of a session.
#include "tarvo/vterm/transcript.h"

#include <gtest/gtest.h>

#include "fake_clock.h"

namespace tarvo::vterm {
namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class TranscriptTest : public ::testing::Test {
  protected:
    std::string send(VirtualTerminal& terminal, const std::string& bytes) {
        return terminal.receive(bytes, terminal.currentBaud());
    }
    testing::FakeClock clock_;
};

TEST_F(TranscriptTest, HoldsConfigurationStateAndTimedEvents) {
    TerminalConfig config;
    config.model = TerminalModel::VK61;
    config.version = "2.10";
    config.names = {"A\"B", "", "", "Z"};
    VirtualTerminal terminal(config, clock_);
    clock_.advanceMillis(1500);
    send(terminal, "/.\rj");
    send(terminal, ":100000F602616220202020202020202020200000D5\r");
    send(terminal, ":020000F100C04D\r:0400000100000000FB\r:000000F20E\r");

    const std::string json = transcriptJson(terminal);
    for (const char* part :
         {"\"model\": \"VK61\"", "\"version\": \"2.10\"",
          "\"names\": [\"A\\\"B\", \"\", \"\", \"Z\"]", "\"startBaud\": 9600", "\"reset\": true",
          "\"erase\": \"applications\"", "\"loadSlot\": 2", "\"applicationName\": \"ab\"",
          "\"fontFlag\": 0", "\"launchSlot\": null",
          "{\"ms\": 1500, \"from\": \"host\", \"kind\": \"probe\"}",
          "\"appRecords\": [\n    \":0400000100000000FB\"\n  ]",
          "{\"ms\": 1500, \"from\": \"host\", \"kind\": \"record\", \"text\": \":000000F20E\"}"}) {
        EXPECT_TRUE(contains(json, part)) << part << "\n" << json;
    }
    // The five transmissions, each answered by one ACK.
    EXPECT_TRUE(contains(json, "\"traffic\": [\n    {\"baud\": 9600, \"fromHost\": " +
                                   std::to_string(4 + 44 + 16 + 20 + 12) +
                                   ", \"toHost\": 5}\n  ],\n"))
        << json;
    EXPECT_EQ(json.front(), '{');
    EXPECT_EQ(json.substr(json.size() - 2), "}\n");
}

TEST_F(TranscriptTest, TrafficListsEachRateOnALineOfItsOwn) {
    VirtualTerminal terminal(TerminalConfig{}, clock_);
    EXPECT_TRUE(contains(transcriptJson(terminal), "\"traffic\": [],\n"));
    send(terminal, "/.\rj:010000F40506\r");
    send(terminal, "/.\rj");
    EXPECT_TRUE(contains(transcriptJson(terminal),
                         "\"traffic\": [\n"
                         "    {\"baud\": 9600, \"fromHost\": 18, \"toHost\": 2},\n"
                         "    {\"baud\": 38400, \"fromHost\": 4, \"toHost\": 1}\n"
                         "  ],\n"));
}

TEST_F(TranscriptTest, ControlBytesAreEscaped) {
    TerminalConfig config;
    config.names = {std::string("x\x01y"), "", "", ""};
    VirtualTerminal terminal(config, clock_);
    EXPECT_TRUE(contains(transcriptJson(terminal), "\"x\\u0001y\""));
}

TEST_F(TranscriptTest, ImageHoldsApplicationThenFontRecordsWithCrLf) {
    SessionLog log;
    log.osRecords = {":00000001FF"};
    log.appRecords = {":0400000100000000FB", ":00000001FF"};
    log.fontRecords = {":020000023000CC"};
    EXPECT_EQ(receivedImageHex(log), ":0400000100000000FB\r\n:00000001FF\r\n:020000023000CC\r\n");
}

}  // namespace
}  // namespace tarvo::vterm
