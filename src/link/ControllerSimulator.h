#pragma once
// A Z7 controller as seen from the serial line, for z7sim and the link tests: terminal echo and
// version line in ASCII mode, frames after Ctrl-R, program lines and OS bytes stored as received,
// the watch commands, the clock frame, pass-through to a remote unit, and faults on demand.
// Time is given by the caller in microseconds, so the same machine runs in real or virtual time.
#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace z7 {

struct SimulatorFaults {
    int dropEvery = 0;       // every Nth reply frame is not sent
    int badCrcEvery = 0;     // every Nth reply frame goes out with a wrong CRC
    int noiseBytes = 0;      // line noise sent before every reply frame
    int replyDelayMs = 0;    // added before every reply
    bool silent = false;     // sends nothing at all
    bool ignoreHalt = false; // never reports the program idle
    bool noPassThrough = false;
    int lineRate = 0;        // bit/s at which every byte is paced in both directions; 0 = instant
};

struct SimulatedUnit {
    bool halted = false;
    bool securityInstalled = false;
    int programRestarts = 0;
    int osRestarts = 0;
    std::vector<int> erasedSectors;
    std::vector<std::string> programLines;
    std::string flash;      // OS bytes by address, 0xFF where nothing was written
    std::size_t osEnd = 0;  // one past the highest OS byte written below the checksum
};

class ControllerSimulator {
public:
    static constexpr std::size_t FlashSize = 0x40000;

    explicit ControllerSimulator(std::string version = "5.63", SimulatorFaults faults = {});

    // Bytes that reached the line at nowUs (paced further when a line rate is set).
    void receive(std::string_view bytes, std::int64_t nowUs);
    // Processes what has arrived by nowUs and returns the bytes due on the line by then.
    std::string takeOutput(std::int64_t nowUs);
    // When something next happens (a byte arrives completely or is due out), if anything waits.
    std::optional<std::int64_t> nextEventUs() const;

    bool frameMode() const { return frameMode_; }
    bool passingThrough() const { return passingThrough_; }
    const SimulatedUnit& local() const { return local_; }
    const SimulatedUnit& remote() const { return remote_; }
    const std::array<int, 6>& passThroughParameters() const { return passThroughParameters_; }
    const std::vector<std::array<int, 7>>& clockSettings() const { return clockSettings_; }
    // Faults may change while running, e.g. falling silent after the halt.
    SimulatorFaults& faults() { return faults_; }
    const std::vector<std::string>& watchCommands() const { return watchCommands_; }
    const std::string& slotAddress(int slot) const { return slotAddress_.at(static_cast<std::size_t>(slot)); }
    bool slotPokeMode(int slot) const { return slotPoke_.at(static_cast<std::size_t>(slot)); }
    // The value the controller holds at a RAM address text ("0" until poked).
    std::string memoryValue(const std::string& address) const;
    void setMemoryValue(const std::string& address, const std::string& value);
    int framesReceived() const { return framesReceived_; }
    int repliesLost() const { return repliesLost_; }
    std::uint64_t bytesIn() const { return bytesIn_; }
    std::uint64_t bytesOut() const { return bytesOut_; }
    // The flash image's checksum word matches the sum of its words from 0x4000 to 0x3FFF8.
    static bool flashChecksumValid(const std::string& flash);
    // The OS bytes written from 0x4000 up to the highest address written (checksum excluded).
    static std::string osBytes(const SimulatedUnit& unit);

private:
    void process(char c, std::int64_t atUs);
    void asciiByte(char c, std::int64_t atUs);
    void frameByte(char c, std::int64_t atUs);
    void handleFrame(const std::string& frame, std::int64_t atUs);
    void watchCommand(const std::string& line, std::int64_t atUs);
    void reply(unsigned char command, const SimulatedUnit& unit, std::int64_t atUs);
    void emit(std::string_view bytes, std::int64_t readyUs);
    std::int64_t byteTimeUs() const;
    void restartIntoAscii(std::int64_t atUs);

    std::string version_;
    SimulatorFaults faults_;
    std::deque<std::pair<std::int64_t, char>> inbound_;
    std::deque<std::pair<std::int64_t, char>> outbound_;
    std::int64_t inboundFreeUs_ = 0;
    std::int64_t outboundFreeUs_ = 0;
    bool frameMode_ = false;
    bool passingThrough_ = false;
    bool asciiFrame_ = false;
    std::string asciiLine_;
    std::string frameBuffer_;
    std::string lastFrame_;
    bool lastReplyLost_ = false;
    int replies_ = 0;
    int repliesLost_ = 0;
    int framesReceived_ = 0;
    std::uint32_t noiseSeed_ = 12345;
    SimulatedUnit local_;
    SimulatedUnit remote_;
    std::array<int, 6> passThroughParameters_{};
    std::vector<std::array<int, 7>> clockSettings_;
    std::vector<std::string> watchCommands_;
    std::array<std::string, 30> slotAddress_{};
    std::array<bool, 30> slotPoke_{};
    std::vector<std::pair<std::string, std::string>> memory_;
    std::uint64_t bytesIn_ = 0;
    std::uint64_t bytesOut_ = 0;
};

}  // namespace z7
