#include "app/Files.h"
#include "app/Text.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace z7;

namespace {

int entriesIn(const std::string& dir) {
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++n;
    return n;
}

}  // namespace

TEST(Files, AtomicWriteReplacesTheWholeFileAndKeepsItsMode) {
    test::TempDir dir;
    dir.write("a.txt", std::string(10000, 'x'));
    ::chmod(dir.file("a.txt").c_str(), 0600);
    std::string error;
    ASSERT_TRUE(writeFileAtomic(dir.file("a.txt"), "short", error)) << error;
    EXPECT_EQ(dir.read("a.txt"), "short");
    EXPECT_EQ(std::filesystem::status(dir.file("a.txt")).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(entriesIn(dir.dir()), 1);
}

TEST(Files, LinesOfAnySizeAreWrittenInOrder) {
    test::TempDir dir;
    std::vector<std::string> lines;
    for (int i = 0; i < 3000; ++i) lines.push_back("line " + std::to_string(i) + std::string(static_cast<std::size_t>(i % 50), '.'));
    lines.insert(lines.begin() + 1000, std::string(200000, 'L'));  // longer than any write buffer
    lines.push_back("");
    std::string error;
    ASSERT_TRUE(writeLinesAtomic(dir.file("big.txt"), lines, error)) << error;
    EXPECT_EQ(dir.read("big.txt"), joinLines(lines));
    ASSERT_TRUE(writeLinesAtomic(dir.file("lf.txt"), {"a", "b"}, error, "\n"));
    EXPECT_EQ(dir.read("lf.txt"), "a\nb\n");
    ASSERT_TRUE(writeLinesAtomic(dir.file("none.txt"), {}, error));
    EXPECT_EQ(dir.read("none.txt"), "");
}

TEST(Files, FailedWritesNameTheFileAndLeaveNothingBehind) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("folder"));
    dir.write("folder/inside.txt", "kept");
    std::string error;
    for (const std::string& path : {dir.file("missing/a.txt"), dir.file("folder")}) {
        error.clear();
        EXPECT_FALSE(writeLinesAtomic(path, {"one", "two"}, error));
        EXPECT_NE(error.find(path), std::string::npos) << error;
    }
    EXPECT_EQ(dir.read("folder/inside.txt"), "kept");
    EXPECT_EQ(entriesIn(dir.dir()), 1);
}

TEST(Files, ReadingAcceptsEveryLineEnd) {
    test::TempDir dir;
    const char mixed[] = "a\r\nb\rc\nd\r\n\r\ne\0f";
    dir.write("mixed", std::string(mixed, sizeof mixed - 1));
    std::vector<std::string> lines;
    std::string error;
    ASSERT_TRUE(readTextLines(dir.file("mixed"), lines, error));
    EXPECT_EQ(lines, (std::vector<std::string> {"a", "b", "c", "d", "", std::string("e\0f", 3)}));

    EXPECT_FALSE(readTextLines(dir.file("none"), lines, error));
    EXPECT_NE(error.find(dir.file("none")), std::string::npos);
    EXPECT_FALSE(readTextLines(dir.dir(), lines, error));
    EXPECT_NE(error.find("folder"), std::string::npos);
}

TEST(Files, PathPiecesUseBothSeparators) {
    struct Case {
        const char* path;
        const char* directory;
        const char* name;
        const char* extension;
        const char* withZxn;
    };
    const Case cases[] = {
        {"C:\\Data.old\\pump.zxn", "C:\\Data.old\\", "pump.zxn", "zxn", "C:\\Data.old\\pump.zxn"},
        {"/data.old/pump", "/data.old/", "pump", "", "/data.old/pump.zxn"},
        {"pump.tar.gz", "", "pump.tar.gz", "gz", "pump.tar.zxn"},
        {"a/b\\c.", "a/b\\", "c.", "", "a/b\\c.zxn"},
        {"", "", "", "", ".zxn"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(directoryOf(c.path), c.directory);
        EXPECT_EQ(fileNameOf(c.path), c.name);
        EXPECT_EQ(extensionOf(c.path), c.extension);
        EXPECT_EQ(replaceExtension(c.path, ".zxn"), c.withZxn);
    }
}
