// The sample project compiles cleanly, and every section from ladder to speech holds records.
#include "app/Files.h"
#include "app/ProjectFile.h"
#include "app/Text.h"
#include "basic/BasicCompileCommand.h"
#include "compiler/CompileDriver.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace z7 {
namespace {

const std::string SourceDir = Z7_SOURCE_DIR;

TEST(ExampleSections, CompilesCleanlyWithEverySection) {
    ::setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    ModuleLibrary library;
    std::vector<std::string> messages;
    ASSERT_TRUE(library.load(SourceDir + "/system/", messages));
    Project project;
    ASSERT_TRUE(readProjectFile(SourceDir + "/examples/projects/PUMPSTN.zxn", project, library).ok());

    test::TempDir dir;
    for (const char* source : {"PUMPCTL", "BLOWSEQ"}) {
        std::string bytes, error;
        ASSERT_TRUE(readFileBytes(SourceDir + "/examples/basic/" + source + ".BAS", bytes, error)) << error;
        const BasicCompileResult basic = compileBasicBytes(bytes);
        ASSERT_TRUE(basic.errors.empty()) << source;
        ASSERT_TRUE(writeLinesAtomic(dir.file(std::string(source) + ".Obj"), basic.objectLines, error)) << error;
    }
    CompileSettings settings;
    settings.systemDirectory = dir.dir();
    settings.basicDirectory = dir.dir();
    CompileContext context(project, library, settings);
    const CompileResult result = compileProject(context);
    ASSERT_TRUE(result.success) << context.errors.messages().front();

    // Record types of each section, by its header's second character.
    std::map<char, std::vector<std::string>> types;
    char section = 0;
    for (const std::string& line : context.image.lines()) {
        if (startsWith(line, "#")) section = line.size() > 1 ? line[1] : 0;
        else types[section].push_back(fieldAt(line, 2));
    }
    const std::map<char, std::vector<std::string>> expected {
        {'5', {"232E", "232C", "232D", "232E"}},
        {'9', {"2332", "2332", "2332", "2332", "2333", "2333", "2333"}},
        {'A', {"2334", "2335", "2335"}},
        {'B', {"2336", "2337", "2337", "2337", "2337"}},
    };
    for (const auto& [id, records] : expected) EXPECT_EQ(types[id], records) << "#" << id;
    // Entry lines of the arrays carry their codes where records carry their type.
    EXPECT_EQ(types['6'].front(), "2329");
    EXPECT_EQ(types['7'].front(), "232B");
    EXPECT_EQ(types['8'].front(), "2330");
    EXPECT_EQ(std::count(types['8'].begin(), types['8'].end(), "2331"), 9);
    EXPECT_EQ(std::count(types['6'].begin(), types['6'].end(), "2328"), 1);
    EXPECT_EQ(std::count(types['7'].begin(), types['7'].end(), "232A"), 1);
}

}  // namespace
}  // namespace z7
