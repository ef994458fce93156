// The sample project in examples/projects: it loads cleanly, its names refer to what exists, and
// the command line round-trips and compiles it.
#include "app/Files.h"
#include "app/ProjectFile.h"
#include "app/Text.h"
#include "library/ModuleLibrary.h"
#include "library/ProjectLists.h"
#include "support/TempDir.h"
#include "RunZ7c.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace z7;

namespace {

const std::string SourceDir = Z7_SOURCE_DIR;
const std::string Example = SourceDir + "/examples/projects/PUMPSTN.zxn";

using test::Outcome;
using test::z7c;

std::string readAll(const std::string& path) {
    std::string bytes, error;
    EXPECT_TRUE(readFileBytes(path, bytes, error)) << error;
    return bytes;
}

class ExampleProject : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<std::string> messages;
        ASSERT_TRUE(library.load(SourceDir + "/system/", messages));
        ASSERT_TRUE(messages.empty());
        const ProjectFileResult result = readProjectFile(Example, project, library);
        ASSERT_TRUE(result.ok()) << result.message;
    }
    ModuleLibrary library;
    Project project;
};

}  // namespace

TEST_F(ExampleProject, UsesEverySectionOfTheFile) {
    EXPECT_GT(project.instanceCount(), 20);
    bool anyCard = false;
    for (int slot = 1; slot <= 8; ++slot) anyCard = anyCard || project.cardCage.cages[1][static_cast<std::size_t>(slot)] != 0;
    EXPECT_TRUE(anyCard);
    EXPECT_FALSE(project.displays.empty());
    EXPECT_GE(project.txRows.size(), 2u);
    EXPECT_GE(project.rxRows.size(), 2u);
    EXPECT_TRUE(project.ladderRows[0].isUsed());
    EXPECT_GE(project.tables.size(), 3u);
    EXPECT_GE(project.speechReports.size(), 2u);
    EXPECT_FALSE(project.speechMessages[35].empty());
    EXPECT_EQ(project.basicModules.size(), 2u);
    EXPECT_FALSE(project.projectNotes.empty());
    // Every definition it uses is in the library, and every category shows up.
    std::set<int> categories;
    for (const Jobrecord& instance : project.instances()) {
        EXPECT_TRUE(library.isDefined(instance.definitionNumber)) << instance.name;
        EXPECT_EQ(instance.category, library.definition(instance.definitionNumber).category) << instance.name;
        categories.insert(instance.category);
    }
    EXPECT_EQ(categories, (std::set<int> {1, 2, 3, 4, 5}));
}

TEST_F(ExampleProject, NamesReferToWhatTheProjectDefines) {
    const ProjectLists lists = rebuildProjectLists(project, library);
    std::set<std::string> defined {"GlobalSP", "GlobalRTC", "ArchiveData"};
    for (const auto& names : lists.names) defined.insert(names.begin(), names.end());
    std::set<std::string> instances;
    for (const Jobrecord& instance : project.instances()) instances.insert(instance.name);
    // A binding that looks like "instance.output" must name an existing entry.
    auto expectDefined = [&](const std::string& name, const std::string& where) {
        if (name.find('.') == std::string::npos || name[0] < 'A' || name[0] > 'Z') return;
        EXPECT_TRUE(defined.count(name)) << name << " in " << where;
    };

    for (const Jobrecord& instance : project.instances()) {
        const Modul& m = library.definition(instance.definitionNumber);
        for (int e = 1; e <= m.inputsAndConstants(); ++e) {
            const ModuleEntry& entry = m.entries[static_cast<std::size_t>(e)];
            const std::string& binding = instance.bindings[static_cast<std::size_t>(e)];
            if (entry.grouping() == 'M') {
                EXPECT_TRUE(instances.count(binding)) << binding;
            }
            else if (entry.databaseLetter() != 'S') expectDefined(binding, instance.name);
        }
    }
    for (const std::string& line : project.displays) {
        if (startsWith(line, "~")) {
            expectDefined(fieldAt(line.substr(1), 5), line);
            continue;
        }
        const std::vector<std::string> fields = splitFields(line);
        for (std::size_t s = 1; s < fields.size(); ++s) {
            if (fields[s].size() <= 2) continue;  // a free slot holds its own number
            EXPECT_TRUE(defined.count(fields[s]) || instances.count(fields[s])) << fields[s];
        }
    }
    for (const TelemetryRow& row : project.txRows)
        if (!row[TlmName].empty()) expectDefined(row[TlmName], "TX");
    for (const LadderRung& rung : project.ladderRows)
        for (int c = 0; c < 7; ++c) expectDefined(rung.texts[static_cast<std::size_t>(c)], "ladder");
    for (const std::string& line : project.basicModules)
        for (const std::string& field : splitFields(line))
            if (startsWith(field, "I")) expectDefined(field.substr(1), line);
    for (const std::string& line : project.speechReports)
        for (const std::string& field : splitFields(line.substr(startsWith(line, "~") ? 1 : 0)))
            expectDefined(field.substr(0, field.find(';')), line);

    // I/O modules sit on cards of cage 1.
    for (const Jobrecord& instance : project.instances()) {
        if (library.definition(instance.definitionNumber).entries[1].prompt != "Channel") continue;
        const int slot = intOr(instance.bindings[2], 0);
        ASSERT_GE(slot, 1) << instance.name;
        ASSERT_LE(slot, 8) << instance.name;
        EXPECT_EQ(instance.bindings[3], "1") << instance.name;
        EXPECT_NE(project.cardCage.cages[1][static_cast<std::size_t>(slot)], 0) << instance.name;
    }
}

TEST(ExampleProjectCommandLine, ResaveRoundTripsTheFile) {
    test::TempDir dir;
    const Outcome run = z7c("project " + Example + " --system " + SourceDir + "/system/ --resave " + dir.file("OUT.zxn"), dir);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("Module instances: "), std::string::npos);
    std::vector<std::string> original = splitLines(readAll(Example));
    std::vector<std::string> resaved = splitLines(dir.read("OUT.zxn"));
    ASSERT_FALSE(original.empty());
    ASSERT_EQ(original.size(), resaved.size());
    EXPECT_EQ(fieldAt(resaved[0], 5), fieldAt(original[0], 5));
    original[0] = resaved[0] = "";  // the save date differs
    EXPECT_EQ(original, resaved);
}

TEST(ExampleProjectCommandLine, ResavingWithoutTheLibraryKeepsEveryValue) {
    test::TempDir dir;
    const Outcome run = z7c("project " + Example + " --system " + dir.file("nowhere/") + " --resave " + dir.file("OUT.zxn"), dir);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find(dir.file("nowhere/") + "Z7MODDEF.TXT"), std::string::npos) << run.err;
    std::vector<std::string> original = splitLines(readAll(Example));
    std::vector<std::string> resaved = splitLines(dir.read("OUT.zxn"));
    ASSERT_EQ(original.size(), resaved.size());
    original[0] = resaved[0] = "";
    EXPECT_EQ(original, resaved);
}

TEST(ExampleProjectCommandLine, AFileThatIsNoProjectIsRefused) {
    test::TempDir dir;
    dir.write("x.zxn", "hello\r\n");
    const Outcome run = z7c("project " + dir.file("x.zxn") + " --system " + SourceDir + "/system/ --resave " + dir.file("y.zxn"), dir);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("Referenced file is not Z7/Z3 program."), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("y.zxn")));
}

TEST(ExampleProjectCommandLine, CompilesWithItsBasicModules) {
    test::TempDir dir;
    for (const char* source : {"PUMPCTL.BAS", "BLOWSEQ.BAS"})
        std::filesystem::copy_file(SourceDir + "/examples/basic/" + source, dir.file(source));
    const Outcome basic = z7c("basic " + dir.file("PUMPCTL.BAS") + " " + dir.file("BLOWSEQ.BAS"), dir);
    ASSERT_EQ(basic.status, 0) << basic.out << basic.err;
    const Outcome compile = z7c("compile " + Example + " --system " + SourceDir + "/system/ --basic " + dir.dir() +
                                " -o " + dir.file("Intermed.Obj"),
                            dir);
    EXPECT_EQ(compile.status, 0) << compile.out << compile.err;
    EXPECT_NE(compile.out.find("no errors"), std::string::npos) << compile.out;
    EXPECT_TRUE(std::filesystem::exists(dir.file("Intermed.Obj")));
}
