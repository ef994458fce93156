#pragma once
// Controller frames: start byte, length (CRC included), body, CRC high and low byte.
#include <array>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace z7 {

inline constexpr unsigned char FrameStart = 0xC8;
inline constexpr unsigned char ReplyStart = 0xC9;
inline constexpr std::size_t MaxProgramLine = 248;  // n + 7 must fit the length byte
inline constexpr std::size_t MaxOsRecord = 128;
inline constexpr unsigned char StatusIdle = 0x01;
inline constexpr unsigned char StatusPassThrough = 0x10;
inline constexpr char CtrlR = 0x12;  // switch the local unit to the ZEXON protocol
inline constexpr char CtrlK = 0x0B;  // stop its program

// Zero-initialised CCITT CRC (polynomial 0x1021, MSB first), with the rule that the last two bytes
// enter the low end after the table step.
std::uint16_t FrameCrc(std::string_view bytes);

// The bytes followed by their CRC, high byte first.
std::string buildFrame(std::string_view bytesBeforeCrc);
// True when the frame's last two bytes are the CRC of the rest.
bool frameCrcValid(std::string_view frame);

struct PassThroughParameters {
    int board = 1;
    int port = 1;
    int remoteAddress = 2;
    int forward1 = 0;
    int forward2 = 0;
    int forward3 = 0;
    int waitSeconds = 7;
};

// Command arguments (command byte 0x30).
inline constexpr char HaltForProgram = 0x10;
inline constexpr char HaltForOs = 0x60;
inline constexpr char InstallSecurity = 'P';
inline constexpr char RestartProgram = '0';
inline constexpr char RestartOs = ' ';
inline char eraseSectorArgument(int sector) { return static_cast<char>(0x40 + sector); }

// The line must be at most MaxProgramLine characters.
std::string programRecordFrame(std::string_view line);
// At most MaxOsRecord bytes written at address.
std::string osRecordFrame(std::uint32_t address, std::string_view data);
std::string osChecksumFrame(std::uint32_t checksum);
std::string commandFrame(char argument);
std::string passThroughStartFrame(const PassThroughParameters& p);
std::string passThroughEndFrame();
// The clock frame from a local broken-down time (tm_wday 0 is Sunday).
std::string clockFrame(const std::tm& local);

// The status byte of a reply (offset 5), 0 when the reply is too short to hold one.
unsigned char replyStatus(std::string_view reply);

}  // namespace z7
