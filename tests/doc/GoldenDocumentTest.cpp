// Whole documents with every section chosen, compared byte for byte with files checked by hand.
#include "doc/Documentation.h"

#include "app/Files.h"
#include "app/ProjectFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace z7;

namespace {

struct GoldenCase {
    const char* project;         // relative to the source tree
    const char* libraryDirectory;
    const char* golden;
};

class GoldenDocument : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenDocument, MatchesTheCheckedFile) {
    const GoldenCase& c = GetParam();
    const std::string source = Z7_SOURCE_DIR "/";
    ModuleLibrary library;
    std::vector<std::string> messages;
    ASSERT_TRUE(library.load(source + c.libraryDirectory, messages));
    Project project;
    ASSERT_TRUE(readProjectFile(source + c.project, project, library).ok());
    project.fileName = source + c.project;

    DocumentationSettings settings;
    settings.systemDirectory = source + "system/";
    settings.choices = DocumentationChoices::all();
    test::TempDir dir;
    ::setenv("SOURCE_DATE_EPOCH", "1765450000", 1);
    const DocumentationResult result = GenerateDocumentation(project, library, settings, dir.file("out.Txt"));
    ::unsetenv("SOURCE_DATE_EPOCH");
    ASSERT_TRUE(result.ok) << result.message;

    std::string expected, error;
    ASSERT_TRUE(readFileBytes(source + c.golden, expected, error)) << error;
    EXPECT_EQ(dir.read("out.Txt"), expected);
}

INSTANTIATE_TEST_SUITE_P(Projects, GoldenDocument,
                         ::testing::Values(GoldenCase {"examples/projects/PUMPSTN.zxn", "system/",
                                                       "tests/fixtures/doc/PUMPSTN.zxn.Txt"},
                                           GoldenCase {"tests/fixtures/doc/PumpStation.zxn", "tests/fixtures/doc/",
                                                       "tests/fixtures/doc/PumpStation.zxn.Txt"}));

}  // namespace
