#include "app/Text.h"

#include <gtest/gtest.h>

using namespace z7;

TEST(Text, FieldsSplitAtEveryBar) {
    EXPECT_EQ(splitFields("a||b|"), (std::vector<std::string> {"a", "", "b", ""}));
    EXPECT_EQ(splitFields(""), std::vector<std::string> {""});
    EXPECT_EQ(fieldAt("a||b|", 3), "b");
    EXPECT_EQ(fieldAt("a||b|", 5), "");
    EXPECT_EQ(fieldAt("a|b", 0), "");
    EXPECT_EQ(fieldAt("1,2,3", 2, ','), "2");
}

TEST(Text, WholeDecimalNumbersOnly) {
    struct Case {
        const char* text;
        bool ok;
        int value;
    };
    const Case cases[] = {{"12", true, 12},          {" -7 ", true, -7},       {"+3", true, 3},
                          {"2147483647", true, 2147483647}, {"2147483648", false, 0}, {"", false, 0},
                          {"-", false, 0},           {"2.5", false, 0},        {"1 2", false, 0},
                          {"0x10", false, 0},        {"A", false, 0},          {"--1", false, 0}};
    for (const Case& c : cases) {
        int value = 0;
        EXPECT_EQ(parseInt(c.text, value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
    EXPECT_EQ(intOr("x", 40), 40);
}

TEST(Text, HexadecimalAsTheImageWritesIt) {
    EXPECT_EQ(hexUpper(0), "0");
    EXPECT_EQ(hexUpper(0x40F10B), "40F10B");
    EXPECT_EQ(hexUpper(0xFFFFFFFF), "FFFFFFFF");
    EXPECT_EQ(readHexField("$40F10B"), 0x40F10Bu);
    EXPECT_EQ(readHexField("1AgB"), 0x1Au);  // stops at the first other character
    EXPECT_EQ(readHexField("$ab"), 0u);      // lower case is not a digit here
    EXPECT_EQ(readHexField(""), 0u);
}

TEST(Text, NotesTravelOnOneLine) {
    EXPECT_EQ(encodeNotes("ab\r\ncd\ne\r"), "ab\\cd\\e\\");
    EXPECT_EQ(decodeNotes("ab\\cd"), "ab\r\ncd");
    EXPECT_EQ(decodeNotes(encodeNotes("x\r\ny")), "x\r\ny");
}

TEST(Text, NamesSortWithoutRegardToCase) {
    std::vector<std::string> names = {"b1", "A2", "a1", "B", "a"};
    sortNoCase(names);
    EXPECT_EQ(names, (std::vector<std::string> {"a", "a1", "A2", "B", "b1"}));
    EXPECT_EQ(compareNoCase("Pump", "PUMP"), 0);
    EXPECT_LT(compareNoCase("Pum", "pump"), 0);
}

TEST(Text, CutAndPad) {
    EXPECT_EQ(cut("abcdef", 3), "abc");
    EXPECT_EQ(cut("ab", 3), "ab");
    EXPECT_EQ(padRight("ab", 4), "ab  ");
    EXPECT_EQ(padRight("abcde", 4), "abcde");
    EXPECT_EQ(splitLines("a\r\n"), std::vector<std::string> {"a"});
    EXPECT_EQ(joinLines({"a", ""}), "a\r\n\r\n");
}
