#include "basic/BasicCompileCommand.h"

#include "app/Files.h"
#include "app/Text.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace z7;
using z7::test::TempDir;

namespace {

const char* const fourLines = "#OUTPUTS\r\nResult:Y\r\n#CODE\r\nY=1\r\n";

std::vector<std::string> linesOf(std::string_view text) { return splitLines(text); }

}  // namespace

TEST(BasicCompileCommand, WritesTheObjectFileNextToTheSource) {
    TempDir dir;
    BasicCompiler compiler;
    const auto outcome = compileBasicSource(compiler, linesOf(fourLines), dir.file("PUMP.BAS"));
    EXPECT_TRUE(outcome.errors.empty());
    EXPECT_EQ(outcome.statusText, "No errors.");
    EXPECT_EQ(outcome.objectFile, dir.file("PUMP.Obj"));
    EXPECT_EQ(dir.read("PUMP.Obj"),
              "#System Data\r\n4|28|0|1|0\r\n#Constants:\r\n1|\r\n#Flash Code:\r\nt51|c1|t62|t1|i0|t22|\r\n");
}

TEST(BasicCompileCommand, CompilingTwiceGivesIdenticalFiles) {
    TempDir dir;
    std::string source;
    readFileBytes(std::string(Z7_SOURCE_DIR) + "/tests/fixtures/basic/TAGFMT.BAS", source, source);
    BasicCompiler compiler;
    compileBasicSource(compiler, linesOf(source), dir.file("T.BAS"));
    const std::string first = dir.read("T.Obj");
    compileBasicSource(compiler, linesOf(source), dir.file("T.BAS"));
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(dir.read("T.Obj"), first);
}

TEST(BasicCompileCommand, ObjectFileNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"PUMP.BAS", "PUMP.Obj"},
        {"/home/u/proj.v2/PUMP.BAS", "/home/u/proj.v2/PUMP.Obj"},
        {"/home/u/proj.v2/PUMP", "/home/u/proj.v2/PUMP.Obj"},
        {"C:\\Z7.old\\Basic\\tank.bas", "C:\\Z7.old\\Basic\\tank.Obj"},
        {"a.b.BAS", "a.b.Obj"},
    };
    for (const auto& [source, object] : cases) EXPECT_EQ(basicObjectFileName(source), object) << source;
}

TEST(BasicCompileCommand, FolderWithDotsKeepsTheObjectBesideTheSource) {
    TempDir dir;
    std::filesystem::create_directories(dir.file("proj.v2"));
    BasicCompiler compiler;
    const auto outcome = compileBasicSource(compiler, linesOf(fourLines), dir.file("proj.v2/PUMP.BAS"));
    EXPECT_EQ(outcome.objectFile, dir.file("proj.v2/PUMP.Obj"));
    EXPECT_TRUE(fileExists(dir.file("proj.v2/PUMP.Obj")));
}

TEST(BasicCompileCommand, ErrorsLeaveAnExistingObjectFileAlone) {
    TempDir dir;
    dir.write("PUMP.Obj", "old contents");
    BasicCompiler compiler;
    const auto outcome = compileBasicSource(compiler, linesOf("#CODE\r\nX=1\r\n"), dir.file("PUMP.BAS"));
    ASSERT_EQ(outcome.errors.size(), 1u);
    EXPECT_EQ(outcome.errors[0].message, "Local variable..X..not used in expression");
    EXPECT_EQ(outcome.statusText, "There is one error");
    EXPECT_EQ(outcome.redLines, std::vector<int>{1});
    EXPECT_TRUE(outcome.objectFile.empty());
    EXPECT_TRUE(outcome.objectLines.empty());
    EXPECT_EQ(dir.read("PUMP.Obj"), "old contents");
}

TEST(BasicCompileCommand, SeveralErrorsAreCountedAndTheirLinesMarked) {
    BasicCompiler compiler;
    const auto result = compileBasicText(
        compiler, linesOf("#OUTPUTS\nr:Y%\n#CODE\nY%=1\nGOTO NOWHERE\nY%=\"A\"\nGOTO 7 : GOTO 8"));
    // The first error ends its line: the second GOTO of the last line is not looked at.
    EXPECT_EQ(result.statusText, "There are 3 errors.");
    EXPECT_EQ(result.redLines, (std::vector<int>{4, 5, 6}));
}

TEST(BasicCompileCommand, StatusTexts) {
    EXPECT_EQ(basicStatusText(0), "No errors.");
    EXPECT_EQ(basicStatusText(1), "There is one error");
    EXPECT_EQ(basicStatusText(2), "There are 2 errors.");
    EXPECT_EQ(basicStatusText(25), "There are 25 errors.");
}

TEST(BasicCompileCommand, EmptyTextIsNoProgram) {
    TempDir dir;
    BasicCompiler compiler;
    const auto outcome = compileBasicSource(compiler, {}, dir.file("E.BAS"));
    EXPECT_TRUE(outcome.noProgram);
    EXPECT_EQ(outcome.statusText, "No program detected");
    EXPECT_FALSE(fileExists(dir.file("E.Obj")));
}

TEST(BasicCompileCommand, UnsavedTextIsCompiledButNotWritten) {
    BasicCompiler compiler;
    const auto clean = compileBasicSource(compiler, linesOf(fourLines), "");
    EXPECT_TRUE(clean.errors.empty());
    EXPECT_FALSE(clean.objectLines.empty());
    EXPECT_TRUE(clean.objectFile.empty());
    EXPECT_EQ(clean.statusText, "No errors. Save the text to write its object file.");
    const auto faulty = compileBasicSource(compiler, linesOf("#CODE\nX=1"), "");
    EXPECT_EQ(faulty.statusText, "There is one error");
}

TEST(BasicCompileCommand, SourceIsNeverReplacedByItsObjectFile) {
    TempDir dir;
    dir.write("ODD.Obj", fourLines);
    BasicCompiler compiler;
    const auto outcome = compileBasicSource(compiler, linesOf(fourLines), dir.file("ODD.Obj"));
    EXPECT_FALSE(outcome.writeError.empty());
    EXPECT_EQ(dir.read("ODD.Obj"), fourLines);
}

TEST(BasicCompileCommand, UnwritableFolderIsReported) {
    TempDir dir;
    BasicCompiler compiler;
    const auto outcome = compileBasicSource(compiler, linesOf(fourLines), dir.file("missing/PUMP.BAS"));
    EXPECT_FALSE(outcome.writeError.empty());
    EXPECT_EQ(outcome.statusText, outcome.writeError);
    EXPECT_TRUE(outcome.objectFile.empty());
}

// Hand-checked object files of realistic modules.
TEST(BasicCompileCommand, GoldenObjectFiles) {
    const std::string fixtures = std::string(Z7_SOURCE_DIR) + "/tests/fixtures/basic/";
    for (const char* name : {"PUMPCTL", "BLOWSEQ", "TAGFMT"}) {
        std::vector<std::string> source;
        std::string error, expected;
        ASSERT_TRUE(readTextLines(fixtures + name + ".BAS", source, error)) << error;
        ASSERT_TRUE(readFileBytes(fixtures + name + ".Obj", expected, error)) << error;
        TempDir dir;
        BasicCompiler compiler;
        const auto outcome = compileBasicSource(compiler, source, dir.file(std::string(name) + ".BAS"));
        ASSERT_TRUE(outcome.errors.empty()) << name << ": " << outcome.errors[0].message;
        EXPECT_EQ(dir.read(std::string(name) + ".Obj"), expected) << name;
    }
}

TEST(BasicCompileCommand, ShippedSourcesCompileCleanly) {
    std::vector<std::string> files{std::string(Z7_SOURCE_DIR) + "/system/Z7Basic.Tpl"};
    for (const auto& entry : std::filesystem::directory_iterator(std::string(Z7_SOURCE_DIR) + "/examples/basic"))
        if (entry.path().extension() == ".BAS") files.push_back(entry.path().string());
    ASSERT_GE(files.size(), 3u);
    for (const std::string& file : files) {
        std::vector<std::string> source;
        std::string error;
        ASSERT_TRUE(readTextLines(file, source, error)) << error;
        BasicCompiler compiler;
        const auto result = compileBasicText(compiler, source);
        ASSERT_TRUE(result.errors.empty()) << file << ":" << result.errors[0].line + 1 << ": "
                                           << result.errors[0].message;
        // A shipped object file must be the one the source compiles to.
        std::string shipped;
        if (readFileBytes(basicObjectFileName(file), shipped, error)) {
            EXPECT_EQ(shipped, joinLines(result.objectLines)) << file;
        }
    }
}
