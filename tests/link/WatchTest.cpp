#include "LinkRig.h"

#include <gtest/gtest.h>

namespace z7 {
namespace {

using test::LinkRig;

struct Watch : ::testing::Test {
    LinkRig rig;
    void SetUp() override {
        rig.watch.setAddressLookup([](const std::string& name) -> std::string {
            if (name == "Tank.Level") return "1000400";
            if (name == "Pump.Run") return "A000410";
            if (name == "Flow") return "1000420";
            if (name == "Short") return "400";
            return "";
        });
        ASSERT_TRUE(rig.watch.open(rig.project, {}));
    }
    // The watch commands the controller received since the last call.
    std::vector<std::string> commands() {
        rig.line.runForMs(1);
        auto all = rig.simulator.watchCommands();
        std::vector<std::string> fresh(all.begin() + static_cast<long>(seen_), all.end());
        seen_ = all.size();
        return fresh;
    }

private:
    std::size_t seen_ = 0;
};

TEST_F(Watch, DroppingRegistersBySlotAndAddress) {
    rig.watch.drop(3, false, "Tank.Level");
    rig.watch.drop(3, true, "Pump.Run");
    EXPECT_EQ(commands(), (std::vector<std::string>{"?3=P1000400", "?18=PA000410"}));
    EXPECT_EQ(rig.simulator.slotAddress(18), "A000410");
    EXPECT_EQ(rig.watch.suppression(), 1);
    // Unknown names, short addresses and names of two characters stay in the cell unregistered.
    rig.watch.drop(4, false, "Nope");
    rig.watch.drop(5, false, "Short");
    rig.watch.drop(6, false, "AB");
    rig.watch.drop(0, false, "Tank.Level");   // header row
    rig.watch.drop(15, false, "Tank.Level");  // below the table
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(rig.watch.variable(4), "Nope");
    EXPECT_EQ(rig.watch.variable(6), "AB");
}

TEST_F(Watch, PollsOncePerSecondAfterTheSuppressionRunsOut) {
    rig.watch.drop(3, false, "Tank.Level");
    commands();
    rig.line.runForMs(1000);  // the suppression of 1 eats this tick
    EXPECT_TRUE(commands().empty());
    rig.line.runForMs(1000);
    EXPECT_EQ(commands(), std::vector<std::string>{"?92"});
    rig.watch.keyPress(3, false, 'a');  // any key holds the poll back for ten ticks
    rig.line.runForMs(10'000);
    EXPECT_TRUE(commands().empty());
    rig.line.runForMs(1000);
    EXPECT_EQ(commands(), std::vector<std::string>{"?92"});
}

TEST_F(Watch, RepliesFillTheValuesOfSlotsWithVariables) {
    rig.watch.drop(3, false, "Tank.Level");
    rig.watch.drop(1, true, "Flow");  // slot 16
    rig.simulator.setMemoryValue("1000400", "12.5");
    rig.simulator.setMemoryValue("1000420", "-3");
    rig.line.runForMs(2005);
    EXPECT_EQ(rig.watch.value(3), "12.5");
    EXPECT_EQ(rig.watch.value(16), "-3");
    EXPECT_EQ(rig.watch.value(4), "");
}

TEST_F(Watch, ReplyParsing) {
    rig.watch.drop(3, false, "Tank.Level");
    auto deliver = [&](const std::string& bytes) {
        ASSERT_TRUE(rig.line.sendFromController(bytes));
        rig.line.runForMs(2);
    };
    std::string fields = "?";
    for (int i = 1; i <= 30; ++i) fields += (i > 1 ? "," : "") + std::string(i == 4 ? "12.5" : "0");
    deliver("noise\n" + fields.substr(0, 10));
    deliver(fields.substr(10) + "\r");
    EXPECT_EQ(rig.watch.value(3), "12.5");
    deliver("?1,2,3,99\r");  // 27 characters or fewer: ignored
    EXPECT_EQ(rig.watch.value(3), "12.5");
    deliver("x" + fields.substr(1) + "\r");  // does not begin with "?"
    EXPECT_EQ(rig.watch.value(3), "12.5");
    deliver("?,,,7\x01,,,,,,,,,,,,,,,,,,,,,,,,,,\r");  // control characters inside are dropped
    EXPECT_EQ(rig.watch.value(3), "7");
}

TEST_F(Watch, PokeModeAndValueCommands) {
    rig.watch.drop(2, false, "Pump.Run");
    commands();
    rig.watch.doubleClickValue(2);
    EXPECT_TRUE(rig.watch.pokeMode(2));
    EXPECT_EQ(rig.watch.suppression(), 2);
    rig.watch.setValueText(2, "0");
    rig.watch.clickValue(2);
    EXPECT_EQ(rig.watch.value(2), "1");
    rig.watch.clickValue(2);
    EXPECT_EQ(rig.watch.value(2), "0");
    rig.watch.setValueText(2, "5");
    rig.watch.clickValue(2);  // neither 0 nor 1: nothing sent
    rig.watch.doubleClickValue(2);
    EXPECT_FALSE(rig.watch.pokeMode(2));
    rig.watch.setValueText(16, "7");
    rig.watch.keyPress(16, true, 13);
    rig.watch.keyPress(16, true, 11);
    EXPECT_EQ(rig.watch.suppression(), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"?2=X", "?2=V1", "?2=V0", "?2=Y", "?16=V7", "?16=V7"}));
    EXPECT_FALSE(rig.simulator.slotPokeMode(2));
    EXPECT_EQ(rig.simulator.memoryValue("A000410"), "0");  // the controller took the pokes
    rig.watch.clickValue(2);  // out of poke mode: nothing
    EXPECT_TRUE(commands().empty());
}

TEST_F(Watch, ClearValuesAndClearTable) {
    rig.watch.drop(3, false, "Tank.Level");
    rig.watch.doubleClickValue(3);
    rig.watch.setValueText(3, "1");
    rig.watch.clearValues();
    EXPECT_EQ(rig.watch.value(3), "");
    EXPECT_EQ(rig.watch.variable(3), "Tank.Level");
    commands();
    rig.watch.clearTable();
    EXPECT_EQ(rig.watch.variable(3), "");
    EXPECT_FALSE(rig.watch.pokeMode(3));
    EXPECT_EQ(commands(), std::vector<std::string>{"?91"});
    EXPECT_EQ(rig.simulator.slotAddress(3), "");
}

TEST(WatchOpen, CompileErrorsKeepTheWindowClosedAndTerminalClosesIt) {
    LinkRig rig;
    rig.project.needToCompile = true;
    EXPECT_FALSE(rig.watch.open(rig.project, [](Project&) {}));
    EXPECT_EQ(rig.dialogs.shown, std::vector<std::string>{"error: Project recompile resulted in error(s)."});
    EXPECT_FALSE(rig.port.PortOpen());
    EXPECT_TRUE(rig.watch.open(rig.project, [](Project& p) { p.needToCompile = false; }));
    EXPECT_TRUE(rig.watch.watching());
    ASSERT_TRUE(rig.link.OpenTerminal());
    EXPECT_FALSE(rig.watch.visible());
    EXPECT_FALSE(rig.watch.watching());
    EXPECT_TRUE(rig.port.PortOpen());  // reopened by the terminal
    rig.link.CloseTerminal();
    rig.watch.open(rig.project, {});
    rig.watch.close();
    EXPECT_FALSE(rig.port.PortOpen());
    EXPECT_FALSE(rig.receiveTimer.enabled());
}

TEST(Clock, SendRtcSendsTheClockFrameOfTheLocalTime) {
    LinkRig rig;
    ASSERT_TRUE(rig.link.OpenTerminal());
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 2;
    when.tm_mday = 5;
    when.tm_hour = 14;
    when.tm_min = 7;
    when.tm_sec = 9;
    when.tm_wday = 4;
    sendRtc(rig.link, when);
    rig.line.runForMs(2);
    EXPECT_EQ(rig.written(), std::vector<std::string>{"Sending RTC values..."});
    ASSERT_EQ(rig.simulator.clockSettings().size(), 1u);
    EXPECT_EQ(rig.simulator.clockSettings()[0], (std::array<int, 7>{9, 7, 14, 5, 3, 5, 26}));
}

}  // namespace
}  // namespace z7
