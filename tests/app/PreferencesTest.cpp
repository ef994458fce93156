#include "app/Files.h"
#include "app/Preferences.h"
#include "app/Text.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace z7;

TEST(Preferences, FirstStartCreatesTheSixDefaultLines) {
    test::TempDir dir;
    Preferences p;
    std::string error;
    ASSERT_TRUE(readPreferences(dir.dir(), p, error)) << error;
    EXPECT_EQ(dir.read("Z7Setup.ini"), dir.dir() + "Z7System/\r\n" + dir.dir() + "Z7Projct/\r\n" + dir.dir() +
                                           "Z7Spares\r\n" + dir.dir() + "Z7Basic/\r\n" + dir.dir() + "Z7Spares\r\n0400311\r\n");
    EXPECT_EQ(p.systemDirectory, dir.dir() + "Z7System/");
    EXPECT_EQ(p.projectDirectory, dir.dir() + "Z7Projct/");
    EXPECT_EQ(p.basicDirectory, dir.dir() + "Z7Basic/");
    EXPECT_EQ(p.settingsString(), "0400311");
    EXPECT_TRUE(p.recentProjects.empty());

    // Saving writes "Spare" in lines 2 and 4, and the recent names after the settings.
    p.rememberProject("/p/A.zxn");
    p.rememberProject("/p/B.zxn");
    ASSERT_TRUE(savePreferences(dir.dir(), p, error)) << error;
    const std::vector<std::string> lines = splitLines(dir.read("Z7Setup.ini"));
    EXPECT_EQ(lines, (std::vector<std::string> {dir.dir() + "Z7System/", dir.dir() + "Z7Projct/", "Spare",
                                                dir.dir() + "Z7Basic/", "Spare", "0400311", "/p/B.zxn", "/p/A.zxn"}));
    Preferences again;
    ASSERT_TRUE(readPreferences(dir.dir(), again, error));
    EXPECT_EQ(again.recentProjects, p.recentProjects);
}

TEST(Preferences, SettingsStringSelectsTheChoices) {
    struct Case {
        const char* text;
        int port, baud, protocol, parity, word;
        bool alphabetize, flagDuplicates;
    };
    const Case cases[] = {
        {"1611310", 1, 6, 1, 1, 3, true, false},
        {"0400311", 0, 4, 0, 0, 3, true, true},
        {"7523200", 7, 5, 0, 3, 2, false, false},
        {"04003xy", 0, 4, 0, 0, 3, true, true},    // any character but "0" turns a check box on
        {"9x8470 ", 0, 4, 0, 0, 3, false, true},  // bad or out-of-range digits keep their defaults
        {"161", 0, 4, 0, 0, 3, true, true},       // too short: all defaults
        {"", 0, 4, 0, 0, 3, true, true},
        {"16113100000", 1, 6, 1, 1, 3, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Preferences p;
        p.applySettingsString(c.text);
        EXPECT_EQ(p.port, c.port);
        EXPECT_EQ(p.baudRate, c.baud);
        EXPECT_EQ(p.protocol, c.protocol);
        EXPECT_EQ(p.parity, c.parity);
        EXPECT_EQ(p.wordLength, c.word);
        EXPECT_EQ(p.alphabetizeModules, c.alphabetize);
        EXPECT_EQ(p.flagDuplicateNames, c.flagDuplicates);
    }
    Preferences p;
    p.applySettingsString("1611310");
    EXPECT_EQ(portCaptions()[static_cast<std::size_t>(p.port)], "COM2");
    EXPECT_EQ(baudRateCaptions()[static_cast<std::size_t>(p.baudRate)], "38,400");
    EXPECT_EQ(protocolCaptions()[static_cast<std::size_t>(p.protocol)], "XModem");
    EXPECT_EQ(parityCaptions()[static_cast<std::size_t>(p.parity)], "Odd");
    EXPECT_EQ(wordLengthCaptions()[static_cast<std::size_t>(p.wordLength)], "8");
    EXPECT_EQ(p.settingsString(), "1611310");
}

TEST(Preferences, ShortOrDamagedFilesFallBackToDefaults) {
    test::TempDir dir;
    dir.write("Z7Setup.ini", "/sys/\r\n/proj/\r\n");
    Preferences p;
    std::string error;
    ASSERT_TRUE(readPreferences(dir.dir(), p, error));
    EXPECT_EQ(p.systemDirectory, "/sys/");
    EXPECT_EQ(p.projectDirectory, "/proj/");
    EXPECT_EQ(p.basicDirectory, dir.dir() + "Z7Basic/");
    EXPECT_EQ(p.settingsString(), "0400311");

    dir.write("Z7Setup.ini", "a\nb\nc\nd\ne\n\x01\xff\n\n/p/X.zxn\n");
    ASSERT_TRUE(readPreferences(dir.dir(), p, error));
    EXPECT_EQ(p.settingsString(), "0400311");
    EXPECT_EQ(p.recentProjects, std::vector<std::string> {"/p/X.zxn"});
}

TEST(Preferences, RecentListHasAtMostTenEntries) {
    test::TempDir dir;
    std::string text = "s\np\nx\nb\nx\n0400311\n";
    for (int i = 1; i <= 12; ++i) text += "/p/P" + std::to_string(i) + ".zxn\n";
    dir.write("Z7Setup.ini", text);
    Preferences p;
    std::string error;
    ASSERT_TRUE(readPreferences(dir.dir(), p, error));
    ASSERT_EQ(p.recentProjects.size(), 10u);
    EXPECT_EQ(p.recentProjects.back(), "/p/P10.zxn");
}

TEST(Preferences, AFailedWriteSaysSoAndKeepsTheOldFile) {
    test::TempDir dir;
    Preferences p = Preferences::defaultsFor(dir.dir());
    std::string error;
    EXPECT_FALSE(savePreferences(dir.dir() + "missing/", p, error));
    EXPECT_NE(error.find(dir.dir() + "missing/Z7Setup.ini"), std::string::npos) << error;

    Preferences read;
    error.clear();
    EXPECT_FALSE(readPreferences(dir.dir() + "missing/", read, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(read.settingsString(), "0400311");
    EXPECT_EQ(read.systemDirectory, dir.dir() + "missing/Z7System/");

    // A folder where the file should be: reported, left alone.
    std::filesystem::create_directories(dir.file("Z7Setup.ini"));
    EXPECT_FALSE(savePreferences(dir.dir(), p, error));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("Z7Setup.ini")));
}
