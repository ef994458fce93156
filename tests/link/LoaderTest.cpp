#include "LinkRig.h"

#include <gtest/gtest.h>

namespace z7 {
namespace {

using test::LinkRig;

// Every section header of the image grammar, with data lines under some of them.
const std::vector<std::string> Image = {
    "#0 File name...|\\", "0|DEMO.zxn  05/03/26 14:07:09            |\\",
    "#1 System pointers...|\\", "10|20|30|\\",
    "#2 Cards...|\\", "100|1|2|\\",
    "#3 Constants...|\\", "200|3.5|\\",
    "#4 Modules...|\\", "300|1|2|3|\\",
    "#5 Ladder...|\\", "400|\\",
    "#6 Tx...|\\", "#7 Rx...|\\",
    "#8 Displays...|\\", "500|ABC|\\",
    "#9 Com buffer def, TX then RX...|\\",
    "#A Tables...|\\", "600|\\", "#B Speech...|\\", "#C Basic...|\\", "#D Basic code...|\\",
    "7FF|END|\\"};

std::vector<std::string> bigImage(int lines) {
    std::vector<std::string> image = {"#0 File name...|\\"};
    for (int i = 1; i < lines; ++i) image.push_back(hexUpper(static_cast<std::uint32_t>(i * 16)) + "|1A|2B|3C|4D|5E|6F|\\");
    return image;
}

TEST(ImageFilter, HeadersCutSkippedOrSentWhole) {
    EXPECT_EQ(Loader::filteredImage(Image),
              (std::vector<std::string>{"#0", "0|DEMO.zxn  05/03/26 14:07:09            |\\", "#1", "10|20|30|\\",
                                        "100|1|2|\\", "#3", "200|3.5|\\", "#4", "300|1|2|3|\\", "400|\\", "#8",
                                        "500|ABC|\\", "#9", "600|\\", "7FF|END|\\"}));
    // A skipped header that is the image's last line goes out whole.
    EXPECT_EQ(Loader::filteredImage({"#0 x", "1|2", "#D Basic code...|\\"}),
              (std::vector<std::string>{"#0", "1|2", "#D Basic code...|\\"}));
}

TEST(Loader, ProgramDownloadSendsTheFilteredImage) {
    LinkRig rig;
    rig.writeImage(Image);
    rig.loader.sendPgm(rig.project, {});
    ASSERT_TRUE(rig.runSequence());
    EXPECT_TRUE(rig.loader.succeeded());
    const SimulatedUnit& unit = rig.simulator.local();
    EXPECT_EQ(unit.programLines, Loader::filteredImage(Image));
    EXPECT_EQ(unit.erasedSectors, (std::vector<int>{5, 6}));
    EXPECT_TRUE(unit.securityInstalled);
    EXPECT_EQ(unit.programRestarts, 1);
    const std::vector<std::string> expected = {
        "Switching Z7 to ZEXON protocol...", "^R ", "^R ", "^R ", "Sending command to halt Z3/Z7 program...",
        "Z3/Z7 program is idle", "Sending command to erase sector 5 please wait...", "Z7 responded...",
        "Sending command to erase sector 6 please wait...", "Z7 responded...", "Installing program security...",
        "Program load successful.", "Restarting Z7 program...", "Sequence terminated"};
    const auto written = rig.written();
    ASSERT_GE(written.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(written.begin(), written.begin() + static_cast<long>(expected.size())), expected);
    EXPECT_EQ(rig.loader.progress().gauge, 100);
    EXPECT_FALSE(rig.loader.progress().visible);
    EXPECT_EQ(rig.link.comMode(), ComMode::Ascii);
    EXPECT_TRUE(rig.port.PortOpen());  // the page and port stay open
    // The restarted controller's greeting shows on the terminal again.
    rig.line.runForMs(200);
    EXPECT_TRUE(rig.wrote("Revision Version 5.63"));
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST(Loader, LostCorruptedNoisyAndSlowRepliesStillGiveAnExactDownload) {
    struct Case {
        const char* name;
        SimulatorFaults faults;
        bool repeats;
    };
    const Case cases[] = {
        {"every 3rd reply lost", {.dropEvery = 3}, true},
        {"every 4th crc bad", {.badCrcEvery = 4}, true},
        {"noise before replies", {.noiseBytes = 5}, false},
        {"slow replies", {.replyDelayMs = 100}, false},
        {"all at once", {.dropEvery = 5, .badCrcEvery = 7, .noiseBytes = 3, .replyDelayMs = 20}, true},
    };
    const auto image = bigImage(30);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinkRig rig(c.faults);
        rig.writeImage(image);
        rig.loader.sendPgm(rig.project, {});
        ASSERT_TRUE(rig.runSequence());
        EXPECT_EQ(rig.simulator.local().programLines, Loader::filteredImage(image));
        EXPECT_EQ(rig.loader.totalRepeats() > 0, c.repeats);
        EXPECT_EQ(rig.loader.progress().repeats, "Repeats=" + std::to_string(rig.loader.totalRepeats()));
        EXPECT_TRUE(rig.loader.succeeded());
    }
}

TEST(Loader, OsDownloadWritesTheImageAndItsChecksum) {
    struct Case {
        const char* name;
        std::size_t size;
    };
    for (const Case& c : {Case{"two records", 16384 + 256}, Case{"odd length", 16384 + 301}, Case{"header only", 16384}}) {
        SCOPED_TRACE(c.name);
        LinkRig rig;
        std::string image(c.size, '\0');
        for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>((i * 7 + 3) & 0xFF);
        rig.system.write("z7.dwn", image);
        rig.loader.sendOs();
        ASSERT_TRUE(rig.runSequence());
        EXPECT_TRUE(rig.loader.succeeded());
        const SimulatedUnit& unit = rig.simulator.local();
        EXPECT_EQ(ControllerSimulator::osBytes(unit), image.substr(0x4000));
        EXPECT_TRUE(ControllerSimulator::flashChecksumValid(unit.flash));
        EXPECT_EQ(unit.erasedSectors, (std::vector<int>{1, 2, 3, 4, 5, 6}));
        EXPECT_EQ(unit.osRestarts, 1);
        EXPECT_TRUE(rig.wrote("Sending OS security..."));
        EXPECT_TRUE(rig.wrote("OS load successful."));
        EXPECT_TRUE(rig.wrote("Restarting Z7 OS..."));
    }
}

TEST(Loader, OsChecksumIsTheWordSumWithUnwrittenFlashAsFF) {
    const std::string image = std::string(0x4000, '\0') + std::string(256, '\x01');
    // 128 words 0x0101, then 0xFFFF for each even offset from 0x4100 to 0x3FFF8.
    const std::uint64_t padding = (0x3FFF8 - 0x4100) / 2 + 1;
    EXPECT_EQ(Loader::osChecksum(image), static_cast<std::uint32_t>(128u * 0x0101u + padding * 0xFFFFu));
}

TEST(Loader, OsRecordsCarryTheirFileOffsets) {
    LinkRig rig;
    rig.system.write("z7.dwn", std::string(0x4000, 'x') + std::string(128, 'a') + std::string(128, 'b'));
    rig.loader.sendOs();
    ASSERT_TRUE(rig.runSequence());
    const std::string& flash = rig.simulator.local().flash;
    EXPECT_EQ(flash.substr(0x4000, 128), std::string(128, 'a'));
    EXPECT_EQ(flash.substr(0x4080, 128), std::string(128, 'b'));
    EXPECT_EQ(flash.substr(0, 0x4000), std::string(0x4000, '\xFF'));  // the first 16384 bytes are never sent
}

TEST(Loader, RemoteLoadPassesThroughTheMaster) {
    LinkRig rig;
    rig.writeImage(Image);
    PassThroughParameters p{.board = 2, .port = 3, .remoteAddress = 9, .forward1 = 1, .forward2 = 2, .forward3 = 3,
                            .waitSeconds = 4};
    rig.loader.showRemoteGroup();
    rig.loader.startRemote(rig.project, {}, p);
    EXPECT_FALSE(rig.loader.remoteGroupVisible());
    ASSERT_TRUE(rig.runSequence());
    EXPECT_TRUE(rig.loader.succeeded());
    EXPECT_EQ(rig.simulator.remote().programLines, Loader::filteredImage(Image));
    EXPECT_TRUE(rig.simulator.local().programLines.empty());
    EXPECT_EQ(rig.simulator.passThroughParameters(), (std::array<int, 6>{2, 3, 9, 1, 2, 3}));
    EXPECT_EQ(rig.countWritten("^R "), 4);
    EXPECT_TRUE(rig.wrote("Initiating master pass-through mode..."));
    EXPECT_TRUE(rig.wrote("Local Z3/Z7 is in passthrough mode"));
    rig.line.runForMs(10);
    EXPECT_FALSE(rig.simulator.passingThrough());  // the end frame went out after the sequence
    EXPECT_FALSE(rig.loader.remote());
}

TEST(Loader, RemoteModeWaitsTheGivenSecondsForEveryReply) {
    LinkRig rig;
    rig.writeImage(Image);
    std::vector<std::int64_t> halts;
    rig.link.onText = [&](const std::string& text) {
        rig.log += text;
        if (text == "Sending command to halt Z3/Z7 program...\r\n") halts.push_back(rig.loop.nowUs());
    };
    rig.loader.startRemote(rig.project, {}, {.waitSeconds = 4});
    ASSERT_TRUE(rig.line.runUntil([&] { return rig.wrote("Local Z3/Z7 is in passthrough mode"); }, 20'000));
    rig.simulator.faults().silent = true;
    ASSERT_TRUE(rig.runSequence());
    ASSERT_EQ(halts.size(), 3u);
    EXPECT_EQ(halts[1] - halts[0], 4'000'000);
    EXPECT_EQ(halts[2] - halts[1], 4'000'000);
}

TEST(Loader, StopSendsCtrlKThreeTimesAndEndsTwoTicksLater) {
    LinkRig rig;
    std::vector<std::int64_t> ctrlK;
    std::int64_t terminated = -1;
    rig.link.onText = [&](const std::string& text) {
        rig.log += text;
        if (text == "^K \r\n") ctrlK.push_back(rig.loop.nowUs());
        if (text == "Sequence terminated\r\n") terminated = rig.loop.nowUs();
    };
    rig.loader.stopPgm();
    ASSERT_TRUE(rig.runSequence());
    EXPECT_EQ(rig.written().front(), "Stopping Z7 program...");
    ASSERT_EQ(ctrlK.size(), 3u);
    EXPECT_EQ(ctrlK[1] - ctrlK[0], 500'000);
    EXPECT_EQ(terminated - ctrlK[2], 2'000'000);  // the gate's 1000 ms, then the halt tick's
    EXPECT_TRUE(rig.simulator.local().halted);
    EXPECT_TRUE(rig.loader.succeeded());
}

TEST(Loader, IdleReplyToTheFirstHaltSkipsTheOthers) {
    LinkRig rig;
    rig.writeImage(Image);
    rig.loader.sendPgm(rig.project, {});
    ASSERT_TRUE(rig.runSequence());
    EXPECT_EQ(rig.countWritten("Sending command to halt Z3/Z7 program..."), 1);
}

TEST(Loader, NoIdleReplySendsThreeHalts3000msApart) {
    LinkRig rig({.ignoreHalt = true});
    std::vector<std::int64_t> halts;
    std::int64_t noReply = -1;
    rig.link.onText = [&](const std::string& text) {
        rig.log += text;
        if (text == "Sending command to halt Z3/Z7 program...\r\n") halts.push_back(rig.loop.nowUs());
        if (text == "No reply from Z7.\r\n") noReply = rig.loop.nowUs();
    };
    rig.writeImage(Image);
    rig.loader.sendPgm(rig.project, {});
    ASSERT_TRUE(rig.runSequence());
    ASSERT_EQ(halts.size(), 3u);
    // A non-idle reply brings the next tick at once; without the ignoring unit's reply it is 3000 ms.
    EXPECT_LE(halts[1] - halts[0], 3'000'000);
    EXPECT_EQ(noReply, halts[2]);
    EXPECT_TRUE(rig.wrote("Sequence terminated"));
    EXPECT_TRUE(rig.simulator.local().erasedSectors.empty());
    LinkRig silent({.silent = true});
    halts.clear();
    silent.link.onText = [&](const std::string& text) {
        if (text == "Sending command to halt Z3/Z7 program...\r\n") halts.push_back(silent.loop.nowUs());
    };
    silent.writeImage(Image);
    silent.loader.sendPgm(silent.project, {});
    ASSERT_TRUE(silent.runSequence());
    ASSERT_EQ(halts.size(), 3u);
    EXPECT_EQ(halts[1] - halts[0], 3'000'000);
    EXPECT_EQ(halts[2] - halts[1], 3'000'000);
}

// Each row ends the sequence without a download; what the user sees is listed.
TEST(Loader, FailureRows) {
    struct Case {
        const char* name;
        std::function<void(LinkRig&)> arrange;
        std::function<void(LinkRig&)> act;
        std::vector<std::string> dialogs;
        std::vector<std::string> lines;  // terminal lines that must appear
        bool nothingSent;
    };
    auto sendPgm = [](LinkRig& r) { r.loader.sendPgm(r.project, {}); };
    auto image = [](LinkRig& r) { r.writeImage(Image); };
    const Case cases[] = {
        {"no project", [](LinkRig& r) { r.project.projectPresent = false; }, sendPgm,
         {"error: There is no project installed to send."}, {}, true},
        {"link does not open",
         [](LinkRig& r) {
             r.writeImage(Image);
             r.port.setDeviceOverride("/nonexistent/z7");
             r.dialogs.abortRetryAnswers = {Dialogs::AbortRetry::Abort};
         },
         sendPgm, {"abortRetry: Error Opening COM1: "}, {}, true},
        {"compile leaves errors", [](LinkRig& r) { r.project.needToCompile = true; },
         [](LinkRig& r) { r.loader.sendPgm(r.project, [](Project&, std::vector<std::string>&) {}); },
         {"error: Project compile resulted in error(s)."}, {}, true},
        {"image line too long",
         [](LinkRig& r) {
             auto lines = Image;
             lines[4] = std::string(249, 'A');
             r.writeImage(lines);
         },
         sendPgm, {"error: Image line 5 is longer than 248 characters: nothing was sent."}, {}, true},
        {"no Intermed.Obj", [](LinkRig&) {}, sendPgm, {}, {}, true},
        {"master not in pass-through", [](LinkRig& r) { r.writeImage(Image); r.simulator.faults().noPassThrough = true; },
         [](LinkRig& r) { r.loader.startRemote(r.project, {}, {}); }, {},
         {"Z3/Z7 master not ready to pass pgm through", "Sequence terminated"}, false},
        {"os version declined",
         [](LinkRig& r) {
             r.writeImage(Image);
             r.project.controllerOsVersion = "5.71";
             r.dialogs.confirmAnswers = {false};
         },
         sendPgm, {"confirm: Zex7 OS version may be incompatible with load, proceed anyway?"}, {"Sequence terminated"},
         false},
        {"os file missing", [](LinkRig&) {}, [](LinkRig& r) { r.loader.sendOs(); }, {}, {}, true},
        {"os file too short", [](LinkRig& r) { r.system.write("z7.dwn", std::string(16383, 'x')); },
         [](LinkRig& r) { r.loader.sendOs(); }, {}, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinkRig rig;
        c.arrange(rig);
        c.act(rig);
        rig.runSequence();
        rig.line.runForMs(5);
        EXPECT_FALSE(rig.loader.running());
        EXPECT_FALSE(rig.loader.succeeded());
        if (!c.dialogs.empty()) EXPECT_EQ(rig.dialogs.shown, c.dialogs);
        for (const std::string& line : c.lines) EXPECT_TRUE(rig.wrote(line)) << line;
        if (c.nothingSent) EXPECT_EQ(rig.simulator.bytesIn(), 0u);
        EXPECT_TRUE(rig.simulator.local().erasedSectors.empty());
        EXPECT_TRUE(rig.simulator.remote().erasedSectors.empty());
        EXPECT_FALSE(rig.loader.remote());
    }
    // The three file problems name what is missing.
    LinkRig missing;
    missing.loader.sendPgm(missing.project, {});
    ASSERT_EQ(missing.dialogs.shown.size(), 1u);
    EXPECT_NE(missing.dialogs.shown[0].find("Intermed.Obj"), std::string::npos);
    LinkRig noOs;
    noOs.loader.sendOs();
    EXPECT_EQ(noOs.dialogs.shown, std::vector<std::string>{"error: Cannot find file Z7.DWN in " + noOs.system.dir()});
    LinkRig shortOs;
    shortOs.system.write("z7.dwn", "tiny");
    shortOs.loader.sendOs();
    EXPECT_EQ(shortOs.dialogs.shown,
              std::vector<std::string>{"error: The OS image " + shortOs.system.file("z7.dwn") +
                                       " is shorter than 16384 bytes: nothing was sent."});
}

TEST(Loader, OsVersionAcceptedGoesOn) {
    LinkRig rig;
    rig.writeImage(Image);
    rig.project.controllerOsVersion = "5.71";
    rig.dialogs.confirmAnswers = {true};
    rig.loader.sendPgm(rig.project, {});
    ASSERT_TRUE(rig.runSequence());
    EXPECT_TRUE(rig.loader.succeeded());
    EXPECT_EQ(rig.simulator.local().programLines, Loader::filteredImage(Image));
}

TEST(Loader, EraseNotConfirmedWithinSevenCommands) {
    LinkRig rig;
    rig.writeImage(Image);
    rig.loader.sendPgm(rig.project, {});
    ASSERT_TRUE(rig.line.runUntil([&] { return rig.wrote("Z3/Z7 program is idle"); }, 20'000));
    rig.simulator.faults().silent = true;
    ASSERT_TRUE(rig.runSequence());
    EXPECT_EQ(rig.countWritten("Sending command to erase sector 5 please wait..."), 7);
    EXPECT_EQ(rig.dialogs.shown, std::vector<std::string>{"error: Z7 is not responding"});
    EXPECT_TRUE(rig.wrote("Sequence terminated"));
    EXPECT_FALSE(rig.wrote("Program load successful."));
}

TEST(Loader, UnansweredFrameIsSentFiveTimesThenGivesUp) {
    for (const bool os : {false, true}) {
        SCOPED_TRACE(os ? "os record" : "program record");
        LinkRig rig;
        rig.writeImage(bigImage(20));
        rig.system.write("z7.dwn", std::string(0x4000 + 128 * 10, 'z'));
        if (os)
            rig.loader.sendOs();
        else
            rig.loader.sendPgm(rig.project, {});
        ASSERT_TRUE(rig.line.runUntil([&] { return rig.simulator.framesReceived() >= 8; }, 60'000));
        rig.simulator.faults().silent = true;
        const int before = rig.simulator.framesReceived();
        ASSERT_TRUE(rig.runSequence());
        EXPECT_EQ(rig.simulator.framesReceived() - before, 5);
        EXPECT_EQ(rig.dialogs.shown, std::vector<std::string>{"error: Z7 is not responding"});
        EXPECT_EQ(rig.loader.progress().repeats, "Repeats=5");
        EXPECT_FALSE(rig.loader.progress().visible);
        EXPECT_TRUE(rig.wrote("Sequence terminated"));
        EXPECT_FALSE(rig.loader.succeeded());
    }
}

TEST(Loader, CancelClosesThePageWithoutTerminationOrEndFrame) {
    LinkRig rig;
    rig.writeImage(bigImage(40));
    rig.loader.startRemote(rig.project, {}, {});
    ASSERT_TRUE(rig.line.runUntil([&] { return rig.simulator.remote().programLines.size() >= 5; }, 60'000));
    rig.loader.cancel();
    rig.line.runForMs(3000);
    EXPECT_FALSE(rig.loader.running());
    EXPECT_FALSE(rig.port.PortOpen());
    EXPECT_FALSE(rig.link.terminalVisible());
    EXPECT_FALSE(rig.wrote("Sequence terminated"));
    EXPECT_TRUE(rig.simulator.passingThrough());  // no end frame after Cancel
    EXPECT_FALSE(rig.loader.remote());
}

TEST(Loader, DeviceVanishingEndsTheSequence) {
    LinkRig rig;
    rig.writeImage(bigImage(40));
    rig.loader.sendPgm(rig.project, {});
    ASSERT_TRUE(rig.line.runUntil([&] { return rig.simulator.local().programLines.size() >= 5; }, 60'000));
    rig.line.hangUp();
    ASSERT_TRUE(rig.line.runUntil([&] { return !rig.loader.running(); }, 5'000));
    EXPECT_TRUE(rig.wrote("Link lost: the serial device of COM1 is gone."));
    EXPECT_EQ(rig.written().back(), "Sequence terminated");
    EXPECT_FALSE(rig.port.PortOpen());
    EXPECT_FALSE(rig.loader.succeeded());
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

}  // namespace
}  // namespace z7
