#include "link/FrameReceiver.h"
#include "link/Frames.h"

#include <gtest/gtest.h>

namespace z7 {
namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (const int v : values) s.push_back(static_cast<char>(v));
    return s;
}

std::string reply(int status) { return buildFrame(bytes({0xC9, 0x08, 0x30, 0, 0, status})); }

TEST(FrameCrc, MatchesTheTableRuleAndTheCcittForm) {
    EXPECT_EQ(FrameCrc("abc"), 0x1EE4);
    EXPECT_EQ(FrameCrc(""), 0);
    // Equivalent form: the CCITT CRC of all but the last two bytes, xor the last two bytes.
    auto ccitt = [](std::string_view data) {
        unsigned crc = 0;
        for (const char c : data) {
            crc ^= static_cast<unsigned char>(c) << 8;
            for (int i = 0; i < 8; ++i) crc = (crc & 0x8000) ? ((crc << 1) ^ 0x1021) & 0xFFFF : (crc << 1) & 0xFFFF;
        }
        return crc;
    };
    const std::string data = bytes({0xC8, 0x10, 0x90, 0, 0, '#', '0', 0x7F, 0xFF, 0x00, 0x41});
    const unsigned tail = static_cast<unsigned char>(data[data.size() - 2]) * 256u + static_cast<unsigned char>(data.back());
    EXPECT_EQ(FrameCrc(data), ccitt(std::string_view(data).substr(0, data.size() - 2)) ^ tail);
}

TEST(Frames, EveryFrameOfTheCatalogue) {
    struct Case {
        const char* name;
        std::string frame;
        std::string head;  // the bytes before the CRC
    };
    PassThroughParameters p;
    p.board = 3;
    p.port = 4;
    p.remoteAddress = 0x105;  // low 8 bits only
    p.forward1 = 7;
    p.forward2 = 8;
    p.forward3 = 9;
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 2;
    when.tm_mday = 5;
    when.tm_hour = 14;
    when.tm_min = 7;
    when.tm_sec = 9;
    when.tm_wday = 4;  // Thursday
    std::tm old = when;
    old.tm_year = 1999 - 1900;
    const Case cases[] = {
        {"security", commandFrame(InstallSecurity), bytes({0xC8, 0x08, 0x30, 0, 0, 'P'})},
        {"halt", commandFrame(HaltForProgram), bytes({0xC8, 0x08, 0x30, 0, 0, 0x10})},
        {"erase 5", commandFrame(eraseSectorArgument(5)), bytes({0xC8, 0x08, 0x30, 0, 0, 'E'})},
        {"program #0", programRecordFrame("#0"), bytes({0xC8, 9, 0x90, 0, 0, '#', '0'})},
        {"os record", osRecordFrame(0x4080, bytes({1, 2, 3})), bytes({0xC8, 14, 0x70, 0, 0, 0, 0, 0x40, 0x80, 1, 2, 3})},
        {"os checksum", osChecksumFrame(0x12345678),
         bytes({0xC8, 0x0F, 0x70, 0, 0, 0x00, 0x03, 0xFF, 0xFC, 0x12, 0x34, 0x56, 0x78})},
        {"pass-through start", passThroughStartFrame(p), bytes({0xC8, 0x0E, 0x50, 0x01, 0x00, 0x01, 3, 4, 5, 7, 8, 9})},
        {"pass-through end", passThroughEndFrame(), bytes({0xC8, 0x08, 0x50, 0x01, 0x00, 0x02})},
        {"clock 2026", clockFrame(when), bytes({0xC8, 0x0E, 0x60, 0, 0, 0x09, 0x07, 0x0E, 0x05, 0x03, 0x05, 0x1A})},
        {"clock 1999", clockFrame(old), bytes({0xC8, 0x0E, 0x60, 0, 0, 0x09, 0x07, 0x0E, 0x05, 0x03, 0x05, 99})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.frame.size(), c.head.size() + 2);
        EXPECT_EQ(c.frame.substr(0, c.head.size()), c.head);
        EXPECT_EQ(static_cast<std::size_t>(static_cast<unsigned char>(c.frame[1])), c.frame.size());
        EXPECT_TRUE(frameCrcValid(c.frame));
    }
    EXPECT_EQ(commandFrame(InstallSecurity), bytes({0xC8, 0x08, 0x30, 0x00, 0x00, 0x50, 0x9A, 0x03}));
    EXPECT_EQ(programRecordFrame(std::string(MaxProgramLine, 'x')).size(), 255u);
}

TEST(FrameReceiver, AssemblesFindsAndDrops) {
    const std::string good = reply(0x01);
    const std::string other = reply(0x10);
    const std::string longer = buildFrame(bytes({0xC9, 10, 0x30, 0, 0, 0x01, 0xAA, 0xBB}));
    std::string bad = good;
    bad.back() = static_cast<char>(bad.back() ^ 1);
    struct Case {
        const char* name;
        std::vector<std::string> chunks;
        std::vector<std::string> expected;
        std::string left;  // the buffer afterwards
    };
    const Case cases[] = {
        {"whole", {good}, {good}, ""},
        {"split over three chunks", {good.substr(0, 3), good.substr(3, 3), good.substr(6)}, {good}, ""},
        {"noise before", {"xyz\x01" + good}, {good}, ""},
        {"six and seven bytes wait", {good.substr(0, 6), good.substr(6, 1)}, {}, good.substr(0, 7)},
        {"wrong crc drops what follows", {bad + other}, {}, ""},
        {"bytes after the frame are lost", {good + other}, {good}, ""},
        {"waits for the length byte's count", {longer.substr(0, 8), longer.substr(8)}, {longer}, ""},
        {"noise only stays until more than seven bytes", {"abcdefg"}, {}, "abcdefg"},
        {"noise then frame in the next chunk", {"abcdefg", good}, {good}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FrameReceiver receiver;
        std::vector<std::string> got;
        for (const std::string& chunk : c.chunks)
            for (std::string& f : receiver.feed(chunk)) got.push_back(std::move(f));
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(receiver.buffer(), c.left);
    }
}

TEST(FrameReceiver, ShortLengthByteIsDroppedNotTrusted) {
    FrameReceiver receiver;
    // A length of 0 to 2 cannot hold a CRC: the whole buffer goes, no crash.
    EXPECT_TRUE(receiver.feed(bytes({0xC9, 0x01, 1, 2, 3, 4, 5, 6})).empty());
    EXPECT_TRUE(receiver.buffer().empty());
}

TEST(Frames, ReplyStatus) {
    EXPECT_EQ(replyStatus(reply(0x11)), 0x11);
    EXPECT_EQ(replyStatus("abc"), 0);
}

}  // namespace
}  // namespace z7
