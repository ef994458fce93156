#include "link/PortMap.h"
#include "link/Pty.h"
#include "link/SeComm32.h"
#include "link/TimerLoop.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace z7 {
namespace {

using test::ScriptedDialogs;

// Waits (a few microseconds of kernel latency) until the port sees n bytes.
void waitForBytes(TSeComm32& port, int n) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (port.CharCount() < n && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::microseconds(20));
}

struct PortOnPty : ::testing::Test {
    Pty pty;
    ScriptedDialogs dialogs;
    TSeComm32 port{dialogs};
    void SetUp() override {
        ASSERT_TRUE(pty.ok()) << pty.error();
        port.setDeviceOverride(pty.devicePath());
    }
    termios settings() {
        termios t{};
        EXPECT_EQ(::tcgetattr(port.fileDescriptor(), &t), 0);
        return t;
    }
    speed_t speed() {
        const termios t = settings();
        return ::cfgetospeed(&t);
    }
};

TEST_F(PortOnPty, EveryBaudRateOpensAtItsOwnRate) {
    const std::pair<TBaudRate, speed_t> rates[] = {
        {TBaudRate::br300, B300},     {TBaudRate::br600, B600},       {TBaudRate::br1200, B1200},
        {TBaudRate::br2400, B2400},   {TBaudRate::br4800, B4800},     {TBaudRate::br9600, B9600},
        {TBaudRate::br19200, B19200}, {TBaudRate::br38400, B38400},   {TBaudRate::br57600, B57600},
        {TBaudRate::br115200, B115200}};
    ASSERT_TRUE(port.Open());
    for (const auto& [rate, expected] : rates) {
        port.setBaudRate(rate);
        ASSERT_TRUE(port.PortOpen());
        EXPECT_EQ(speed(), expected) << baudRateValue(rate);
    }
}

TEST(SerialPort, LineSettingsAreBinaryWithTheChosenFraming) {
    struct Case {
        TParity parity;
        TDataBits bits;
        TStopBits stop;
        tcflag_t expected;
    };
    const Case cases[] = {
        {TParity::pNone, TDataBits::db8, TStopBits::sb1, CS8},
        {TParity::pOdd, TDataBits::db7, TStopBits::sb1, CS7 | PARENB | PARODD},
        {TParity::pEven, TDataBits::db6, TStopBits::sb2, CS6 | PARENB | CSTOPB},
        {TParity::pMark, TDataBits::db5, TStopBits::sb1, CS5 | PARENB | PARODD | CMSPAR},
    };
    for (const Case& c : cases) {
        termios t{};
        t.c_iflag = IXON | IXOFF | INPCK | ICRNL;
        t.c_lflag = ECHO | ICANON | ISIG;
        t.c_oflag = OPOST;
        t.c_cflag = CRTSCTS | HUPCL;
        t.c_cc[VSTART] = 0x11;
        setLineSettings(t, {TBaudRate::br19200, c.bits, c.parity, c.stop});
        EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | HUPCL), c.expected);
        EXPECT_EQ(t.c_iflag, 0u);
        EXPECT_EQ(t.c_lflag, 0u);
        EXPECT_EQ(t.c_oflag, 0u);
        EXPECT_EQ(t.c_cc[VSTART], 0x11);  // the rest of the record keeps what was read
        EXPECT_EQ(::cfgetospeed(&t), B19200);
    }
    EXPECT_EQ(parityCode(TParity::pNone), 0);
    EXPECT_EQ(parityCode(TParity::pOdd), 1);
    EXPECT_EQ(parityCode(TParity::pEven), 2);
    EXPECT_EQ(parityCode(TParity::pMark), 3);
}

TEST_F(PortOnPty, UnchangedPortKeepsTheLineButParityAlwaysReopens) {
    ASSERT_TRUE(port.Open());
    // Change the line behind the component's back; only a reopen puts 9600 back.
    termios t = settings();
    ::cfsetospeed(&t, B1200);
    ::cfsetispeed(&t, B1200);
    ::tcsetattr(port.fileDescriptor(), TCSANOW, &t);
    port.setPort(port.Port());
    port.setBaudRate(TBaudRate::br9600);
    EXPECT_EQ(speed(), B1200);
    port.setParity(TParity::pNone);
    EXPECT_TRUE(port.PortOpen());
    EXPECT_EQ(speed(), B9600);
}

TEST_F(PortOnPty, ReadAllAddsOneNulAndSendStringWritesAll) {
    ASSERT_TRUE(port.Open());
    std::string text = "stale";
    port.ReadAll(text);
    EXPECT_EQ(text, "");
    ASSERT_TRUE(pty.writeMaster("ABC"));
    waitForBytes(port, 3);
    EXPECT_EQ(port.CharCount(), 3);
    port.ReadAll(text);
    EXPECT_EQ(text, std::string("ABC\0", 4));
    EXPECT_TRUE(port.SendString(""));
    EXPECT_TRUE(port.SendString("hello"));
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_EQ(pty.readMaster(), "hello");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PortOnPty, ClosedPortWarnsUnlessErrorsAreHidden) {
    std::string text;
    EXPECT_EQ(port.CharCount(), 0);
    port.ReadAll(text);
    EXPECT_FALSE(port.SendString("x"));
    EXPECT_EQ(dialogs.shown, std::vector<std::string>(3, "warning: Port Not Open -- Operation Aborted"));
    dialogs.shown.clear();
    port.setShowErrors(false);
    EXPECT_EQ(port.CharCount(), 0);
    EXPECT_FALSE(port.SendString("x"));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PortOnPty, DestroyingTheComponentClosesThePort) {
    int fd = -1;
    {
        TSeComm32 other(dialogs);
        other.setDeviceOverride(pty.devicePath());
        ASSERT_TRUE(other.Open());
        fd = other.fileDescriptor();
    }
    EXPECT_EQ(::fcntl(fd, F_GETFD), -1);
}

TEST_F(PortOnPty, OpenedExclusively) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser passes an exclusive lock";
    ASSERT_TRUE(port.Open());
    TSeComm32 second(dialogs);
    second.setDeviceOverride(pty.devicePath());
    second.setShowErrors(false);
    EXPECT_FALSE(second.Open());
    port.Close();
    EXPECT_TRUE(second.Open());  // the lock went with the first opener
}

TEST_F(PortOnPty, HangUpIsSeenAsALostLine) {
    ASSERT_TRUE(port.Open());
    EXPECT_FALSE(port.LineLost());
    pty.hangUp();
    EXPECT_EQ(port.CharCount(), 0);
    EXPECT_TRUE(port.LineLost());
}

TEST(SerialPort, MissingDeviceAsksAbortRetryOnlyWhenErrorsAreShown) {
    ScriptedDialogs dialogs;
    TSeComm32 port(dialogs);
    port.setDeviceOverride("/nonexistent/z7-port");
    port.setPort(3);
    port.setShowErrors(false);
    EXPECT_FALSE(port.Open());
    EXPECT_TRUE(dialogs.shown.empty());
    port.setShowErrors(true);
    dialogs.abortRetryAnswers = {Dialogs::AbortRetry::Retry, Dialogs::AbortRetry::Retry, Dialogs::AbortRetry::Abort};
    EXPECT_FALSE(port.Open());
    EXPECT_EQ(dialogs.shown, std::vector<std::string>(3, "abortRetry: Error Opening COM3: "));
}

TEST(SerialPort, MessageModeGathersFromStartToStop) {
    Pty pty;
    ASSERT_TRUE(pty.ok());
    ScriptedDialogs dialogs;
    TimerLoop loop;
    TimerLoop::Timer& timer = loop.addTimer();
    TSeComm32 port(dialogs, &timer);
    timer.setOnTick([&] { port.messageTick(); });
    port.setDeviceOverride(pty.devicePath());
    std::vector<std::string> messages;
    port.OnDataMessage = [&](TSeComm32&) {
        messages.push_back(TSeComm32::messageBuffer());
        TSeComm32::messageBuffer().clear();
        TSeComm32::messageComplete() = false;
    };
    ASSERT_TRUE(port.Open());
    EXPECT_FALSE(timer.enabled());
    port.setMode(TMode::mMessage);
    EXPECT_TRUE(timer.enabled());
    EXPECT_EQ(timer.interval(), 250);
    auto deliver = [&](const std::string& bytes) {
        pty.writeMaster(bytes);
        waitForBytes(port, static_cast<int>(bytes.size()));
        loop.advanceByMs(250);
    };
    deliver("junk");          // no start: discarded
    deliver("x\x01" "ab");    // starts a message
    deliver("cd\x02" "zz");   // completes it up to the stop
    deliver("\x02q\x01" "r\x02" "s");  // a stop before the start does not count
    EXPECT_EQ(messages, (std::vector<std::string>{"\x01" "abcd\x02", "\x01" "r\x02"}));
    port.setMode(TMode::mNormal);
    EXPECT_FALSE(timer.enabled());
}

TEST(PortMap, EnvironmentThenIniThenTtyS) {
    test::TempDir dir;
    ::unsetenv("Z7_COM2");
    EXPECT_EQ(comPortDevice(2, dir.dir()), "/dev/ttyS1");
    dir.write("Z7Ports.ini", "COM1=/dev/ttyUSB0\r\nCOM2=/dev/ttyACM0\r\n");
    EXPECT_EQ(comPortDevice(2, dir.dir()), "/dev/ttyACM0");
    EXPECT_EQ(comPortDevice(3, dir.dir()), "/dev/ttyS2");
    ::setenv("Z7_COM2", "/tmp/sim-link", 1);
    EXPECT_EQ(comPortDevice(2, dir.dir()), "/tmp/sim-link");
    ::unsetenv("Z7_COM2");
}

}  // namespace
}  // namespace z7
