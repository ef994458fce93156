#include "CompilerTestSupport.h"

#include "app/ProjectFile.h"
#include "basic/BasicCompileCommand.h"
#include "support/TempDir.h"

#include <filesystem>

namespace z7 {
namespace {

// The shipped example compiles with the shipped library and its own BASIC modules.
TEST(ExampleProject, CompilesCleanlyAndStaysTheSameWhenCompiledAgain) {
    const std::string root = Z7_SOURCE_DIR;
    ModuleLibrary library;
    std::vector<std::string> messages;
    ASSERT_TRUE(library.load(root + "/system/", messages));

    test::TempDir basic;
    for (const auto& entry : std::filesystem::directory_iterator(root + "/examples/basic")) {
        if (entry.path().extension() != ".BAS") continue;
        std::string bytes;
        std::string error;
        ASSERT_TRUE(readFileBytes(entry.path().string(), bytes, error)) << error;
        const BasicCompileResult result = compileBasicBytes(bytes);
        ASSERT_TRUE(result.errors.empty()) << entry.path();
        ASSERT_TRUE(writeLinesAtomic(basic.dir() + basicObjectFileName(entry.path().filename().string()), result.objectLines, error));
    }

    for (const auto& entry : std::filesystem::directory_iterator(root + "/examples/projects")) {
        if (entry.path().extension() != ".zxn") continue;
        Project project;
        project.resetToNew();
        ASSERT_TRUE(readProjectFile(entry.path().string(), project, library).ok()) << entry.path();
        test::TempDir system;
        test::fixSourceDate();
        CompileSettings settings;
        settings.systemDirectory = system.dir();
        settings.basicDirectory = basic.dir();
        CompileContext first(project, library, settings);
        const CompileResult result = compileProject(first);
        EXPECT_TRUE(result.success) << entry.path() << ": " << first.errors.messages().front();
        const std::string image = system.read(ImageFileName);

        project.needToSave = false;
        CompileContext second(project, library, settings);
        EXPECT_TRUE(compileProject(second).success);
        EXPECT_EQ(system.read(ImageFileName), image);
        EXPECT_FALSE(project.needToSave);
    }
}

}  // namespace
}  // namespace z7
