#include "link/Frames.h"

#include <array>

namespace z7 {

namespace {

constexpr std::array<std::uint16_t, 256> crcTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned crc = i << 8;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x8000) != 0 ? (crc << 1) ^ 0x1021 : crc << 1;
        table[i] = static_cast<std::uint16_t>(crc & 0xFFFF);
    }
    return table;
}

constexpr auto Table = crcTable();

char byteOf(int value) { return static_cast<char>(value & 0xFF); }

std::string header(int length, unsigned char command) {
    return {static_cast<char>(FrameStart), byteOf(length), static_cast<char>(command), 0, 0};
}

}  // namespace

std::uint16_t FrameCrc(std::string_view bytes) {
    unsigned crc = 0;
    for (const char c : bytes)
        crc = Table[(crc >> 8) & 0xFF] ^ ((crc << 8) & 0xFFFF) ^ static_cast<unsigned char>(c);
    return static_cast<std::uint16_t>(crc);
}

std::string buildFrame(std::string_view bytesBeforeCrc) {
    const std::uint16_t crc = FrameCrc(bytesBeforeCrc);
    std::string frame(bytesBeforeCrc);
    frame.push_back(byteOf(crc >> 8));
    frame.push_back(byteOf(crc));
    return frame;
}

bool frameCrcValid(std::string_view frame) {
    if (frame.size() < 3) return false;
    const std::uint16_t crc = FrameCrc(frame.substr(0, frame.size() - 2));
    return static_cast<unsigned char>(frame[frame.size() - 2]) == (crc >> 8) &&
           static_cast<unsigned char>(frame[frame.size() - 1]) == (crc & 0xFF);
}

std::string programRecordFrame(std::string_view line) {
    return buildFrame(header(static_cast<int>(line.size()) + 7, 0x90) + std::string(line));
}

std::string osRecordFrame(std::uint32_t address, std::string_view data) {
    std::string bytes = header(static_cast<int>(data.size()) + 11, 0x70);
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(byteOf(static_cast<int>(address >> shift)));
    bytes += data;
    return buildFrame(bytes);
}

std::string osChecksumFrame(std::uint32_t checksum) {
    std::string data;
    for (int shift = 24; shift >= 0; shift -= 8) data.push_back(byteOf(static_cast<int>(checksum >> shift)));
    return osRecordFrame(0x0003FFFC, data);
}

std::string commandFrame(char argument) { return buildFrame(header(0x08, 0x30) + argument); }

std::string passThroughStartFrame(const PassThroughParameters& p) {
    std::string bytes{static_cast<char>(FrameStart), 0x0E, 0x50, 0x01, 0x00, 0x01};
    for (const int value : {p.board, p.port, p.remoteAddress, p.forward1, p.forward2, p.forward3})
        bytes.push_back(byteOf(value));
    return buildFrame(bytes);
}

std::string passThroughEndFrame() { return buildFrame(std::string{static_cast<char>(FrameStart), 0x08, 0x50, 0x01, 0x00, 0x02}); }

std::string clockFrame(const std::tm& local) {
    const int year = local.tm_year + 1900;
    std::string bytes = header(0x0E, 0x60);
    for (const int value : {local.tm_sec, local.tm_min, local.tm_hour, local.tm_mday, local.tm_mon + 1,
                            local.tm_wday + 1, year >= 2000 ? year - 2000 : year - 1900})
        bytes.push_back(byteOf(value));
    return buildFrame(bytes);
}

unsigned char replyStatus(std::string_view reply) {
    return reply.size() > 5 ? static_cast<unsigned char>(reply[5]) : 0;
}

}  // namespace z7
