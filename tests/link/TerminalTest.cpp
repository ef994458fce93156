#include "LinkRig.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace z7 {
namespace {

using test::LinkRig;

// The controller sends bytes in chunks; each chunk is read by its own receive ticks.
void receive(LinkRig& rig, const std::vector<std::string>& chunks) {
    for (const std::string& chunk : chunks) {
        ASSERT_TRUE(rig.line.sendFromController(chunk));
        rig.line.runForMs(2);
    }
}

struct Terminal : ::testing::Test {
    LinkRig rig;
    void SetUp() override { ASSERT_TRUE(rig.link.OpenTerminal()); }
};

TEST_F(Terminal, VersionLineSetsTheControllerOsVersion) {
    struct Case {
        const char* name;
        std::vector<std::string> chunks;
        std::string version;
    };
    const Case cases[] = {
        {"four characters", {"Revision Version 5.71\r"}, "5.71"},
        {"three characters", {"Revision Version 5.7\r"}, "5.63"},
        {"leading blanks", {"   Revision Version 6.02\r\n"}, "6.02"},
        {"split across ticks", {"Revision Ver", "sion 5.80", "\r"}, "5.80"},
        {"other words", {"Revision version 5.71\r"}, "5.63"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rig.project.controllerOsVersion = "5.63";
        receive(rig, c.chunks);
        EXPECT_EQ(rig.project.controllerOsVersion, c.version);
    }
}

TEST_F(Terminal, ShowsReceivedLinesWithCrLfAndKeepsTheLast25) {
    receive(rig, {"a\r\nb", "c\r"});
    EXPECT_EQ(rig.link.terminalText(), "a\r\nbc\r\n");
    EXPECT_EQ(rig.link.lastCompleteLine(), "bc");
    std::string many;
    for (int i = 1; i <= 30; ++i) many += "line " + std::to_string(i) + "\r";
    receive(rig, {many});
    const auto lines = rig.link.terminalLines();
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines.front(), "line 6");
    EXPECT_EQ(lines.back(), "line 30");
}

TEST_F(Terminal, TypingSendsWithoutLocalEchoAndTheControllerEchoes) {
    for (const char c : std::string("hi\r")) rig.link.keyPress(c);
    EXPECT_EQ(rig.link.terminalText(), "");  // nothing shown before the controller answers
    rig.line.runForMs(5);
    EXPECT_EQ(rig.link.terminalText(), "hi\r\n");
    rig.link.keyPress('\r');  // an empty line asks the simulated unit for its version
    rig.line.runForMs(5);
    EXPECT_EQ(rig.link.terminalLines().back(), "Revision Version 5.63");
}

TEST_F(Terminal, CrcModeStillSendsKeysButShowsNothing) {
    rig.link.setComMode(ComMode::Crc);
    rig.link.keyPress('x');
    rig.line.runForMs(5);
    EXPECT_EQ(rig.simulator.bytesIn(), 1u);
    receive(rig, {"text\r"});
    EXPECT_EQ(rig.link.terminalText(), "");
}

TEST_F(Terminal, CloseTerminalClosesPortAndStopsTheReceiveTick) {
    rig.link.CloseTerminal();
    EXPECT_FALSE(rig.port.PortOpen());
    EXPECT_FALSE(rig.receiveTimer.enabled());
    EXPECT_FALSE(rig.link.terminalVisible());
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST(Link, OpenLinkAppliesTheSettingsAndDiscardsWaitingBytes) {
    LinkRig rig;
    rig.link.setSettings({.port = 1, .baudRate = 5, .parity = 0, .wordLength = 3});
    ASSERT_TRUE(rig.line.pty().writeMaster("old bytes"));
    // The kernel hands the bytes on asynchronously: they must be waiting before the port opens.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (rig.line.pty().slaveWaiting() < 9 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    ASSERT_EQ(rig.line.pty().slaveWaiting(), 9);
    ASSERT_TRUE(rig.link.OpenLink());
    EXPECT_EQ(rig.port.Port(), 2);
    EXPECT_EQ(rig.port.BaudRate(), TBaudRate::br19200);  // "19,200"
    EXPECT_EQ(rig.port.CharCount(), 0);
    EXPECT_TRUE(rig.receiveTimer.enabled());
    EXPECT_EQ(rig.receiveTimer.interval(), 1);
}

TEST(Link, FailedOpenLeavesThePageHidden) {
    LinkRig rig;
    rig.port.setDeviceOverride("/nonexistent/z7");
    rig.dialogs.abortRetryAnswers = {Dialogs::AbortRetry::Abort};
    EXPECT_FALSE(rig.link.OpenTerminal());
    EXPECT_FALSE(rig.link.terminalVisible());
    EXPECT_FALSE(rig.receiveTimer.enabled());
}

}  // namespace
}  // namespace z7
