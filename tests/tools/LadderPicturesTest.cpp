// The ladder cell pictures shipped in system/: one valid 62 by 36 BMP per cell kind.
#include "app/Files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace {

std::uint32_t le32(const std::string& b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t le16(const std::string& b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

}  // namespace

TEST(LadderPictures, EveryKindHasItsOwnValidBitmap) {
    const char* names[] = {"CBlank.BMP", "CLineH.BMP", "CLineV.BMP", "CDown.BMP", "CUp.BMP",
                           "CAngle.BMP", "CClosed.BMP", "COpen.BMP", "CCoil.BMP", "CLeft.BMP"};
    std::set<std::string> pixels;
    for (const char* name : names) {
        SCOPED_TRACE(name);
        std::string bytes, error;
        ASSERT_TRUE(z7::readFileBytes(std::string(Z7_SOURCE_DIR) + "/system/" + name, bytes, error)) << error;
        ASSERT_GE(bytes.size(), 54u);
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(le32(bytes, 2), bytes.size());
        const std::uint32_t offset = le32(bytes, 10);
        EXPECT_EQ(le32(bytes, 14), 40u);                         // BITMAPINFOHEADER
        EXPECT_EQ(le32(bytes, 18), 62u);                         // width
        EXPECT_EQ(le32(bytes, 22), 36u);                         // height, rows bottom-up
        EXPECT_EQ(le16(bytes, 26), 1u);                          // planes
        EXPECT_EQ(le16(bytes, 28), 24u);                         // bits per pixel
        EXPECT_EQ(le32(bytes, 30), 0u);                          // uncompressed
        EXPECT_EQ(bytes.size(), offset + 36u * ((62u * 3 + 3) / 4 * 4));
        pixels.insert(bytes.substr(offset));
    }
    EXPECT_EQ(pixels.size(), 10u);  // no two kinds look alike
}
