#include "link/ControllerSimulator.h"
#include "link/FrameReceiver.h"
#include "link/Frames.h"

#include <gtest/gtest.h>

namespace z7 {
namespace {

std::vector<std::string> replies(ControllerSimulator& sim, std::int64_t at) {
    FrameReceiver receiver;
    return receiver.feed(sim.takeOutput(at));
}

TEST(Simulator, PacesEveryByteAtTheLineRate) {
    ControllerSimulator sim("5.63", {.lineRate = 10'000});  // 1000 us a byte
    sim.receive("a", 0);
    EXPECT_EQ(sim.takeOutput(1999), "");  // "a" arrives at 1000, its echo is on the line until 2000
    EXPECT_EQ(sim.nextEventUs(), 2000);
    EXPECT_EQ(sim.takeOutput(2000), "a");
    sim.receive("bc", 2000);
    EXPECT_EQ(sim.takeOutput(3999), "");  // "b" arrives at 3000 and goes back out until 4000
    EXPECT_EQ(sim.takeOutput(4000), "b");
    EXPECT_EQ(sim.takeOutput(5000), "c");
}

TEST(Simulator, AsciiEchoVersionAndUnechoedWatchCommands) {
    ControllerSimulator sim("5.71");
    sim.receive("hi\r\r?92\r", 0);
    const std::string out = sim.takeOutput(0);
    EXPECT_EQ(out.substr(0, 4 + 2 + 23), "hi\r\n\r\nRevision Version 5.71\r\n");
    EXPECT_EQ(out.substr(29), "?,,,,,,,,,,,,,,,,,,,,,,,,,,,,,\r\n");
    EXPECT_EQ(sim.watchCommands(), std::vector<std::string>{"?92"});
}

TEST(Simulator, RepeatAfterALostReplyIsNotStoredTwice) {
    const std::string record = programRecordFrame("1|2|\\");
    {
        ControllerSimulator sim("5.63", {.dropEvery = 2});
        sim.receive(std::string(1, CtrlR) + record + record, 0);  // the second is a repeat: reply 1 got through
        sim.takeOutput(0);
        EXPECT_EQ(sim.local().programLines.size(), 2u);  // two equal lines are two lines
        sim.receive(record, 0);  // reply 2 was lost: this is the resend
        EXPECT_EQ(replies(sim, 0).size(), 1u);
        EXPECT_EQ(sim.local().programLines.size(), 2u);
        EXPECT_EQ(sim.repliesLost(), 1);
    }
    ControllerSimulator sim("5.63", {.badCrcEvery = 1});
    sim.receive(std::string(1, CtrlR) + record, 0);
    EXPECT_TRUE(replies(sim, 0).empty());  // the damaged reply does not pass the receiver
    sim.receive(record, 0);
    sim.takeOutput(0);
    EXPECT_EQ(sim.local().programLines.size(), 1u);
}

TEST(Simulator, ReplyStatusAndDamagedFrames) {
    ControllerSimulator sim;
    std::string damaged = commandFrame(HaltForProgram);
    damaged.back() = static_cast<char>(damaged.back() ^ 1);
    sim.receive(std::string(1, CtrlR) + "\x12\x12" + damaged, 0);
    EXPECT_TRUE(sim.takeOutput(0).empty());  // stray Ctrl-R and a bad CRC get no answer
    sim.receive(commandFrame(HaltForProgram), 0);
    auto got = replies(sim, 0);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(replyStatus(got[0]), StatusIdle);
    sim.receive(passThroughStartFrame({}), 0);
    got = replies(sim, 0);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(replyStatus(got[0]), StatusIdle | StatusPassThrough);
    EXPECT_TRUE(sim.passingThrough());
}

}  // namespace
}  // namespace z7
