#include "doc/Documentation.h"
#include "doc/DocumentParts.h"

#include "DocFixture.h"
#include "app/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace z7;
using test::docInstance;

namespace {

using Lines = std::vector<std::string>;

const char* const IntroText =
    "!B ZEX7\r\nzex7 instructions\r\n!C ZEX3\r\nzex3 instructions\r\n!S x\r\n<S>\r\n!I x\r\n<I>\r\n!J x\r\n<J>\r\n"
    "!M x\r\n<M>\r\n!D x\r\n<D>\r\n!T x\r\n<T>\r\n!L x\r\n<L>\r\n!X x\r\n<X>\r\n!V x\r\n<V>\r\n";

Project namesProject() {
    Project project;
    project.clearInstances();
    project.fileName = "/work/plants/West Station.zxn";
    project.appendInstance(docInstance(31, 2, "beta", {"1", "2", "beta.Sum"}));
    project.appendInstance(docInstance(31, 2, "alpha", {"beta.Sum", "2", "alpha.Sum"}));
    project.appendInstance(docInstance(31, 2, "ALPHA", {"1", "2", "ALPHA.Sum"}));
    project.appendInstance(docInstance(30, 3, "PC", {"X.Coil", "alpha.Sum", "PC.On", "PC.Hrs"}));
    project.ladderRows[0].kinds = {8, 2, 2, 2, 2, 2, 2, 9};
    project.ladderRows[0].texts[0] = "PC.On";
    project.ladderRows[0].texts[7] = "X.Coil";
    project.tables = {"~T|S|||1|1|20|0|$0|$0|", "Integer|R1||1|R1.TBL|", ""};  // one Integer name only
    return project;
}

struct Recorded {
    Lines steps;
    std::vector<int> gauges;
    DocumentationProgress progress() {
        return {[this](const std::string& s) { steps.push_back(s); }, [this](int g) { gauges.push_back(g); }};
    }
};

class Documentation : public ::testing::Test {
protected:
    void SetUp() override {
        dir.write("Docintro.TXT", IntroText);
        settings.systemDirectory = dir.dir();
        settings.dateTime = "12/11/26 10:00:00";
    }
    Lines build(const Project& project, Recorded* recorded = nullptr) {
        Recorded unused;
        Lines lines;
        std::string error;
        EXPECT_TRUE(buildDocumentation(project, library, settings, (recorded ? recorded : &unused)->progress(), lines, error)) << error;
        return lines;
    }
    test::TempDir dir;
    ModuleLibrary library = test::docLibrary();
    DocumentationSettings settings;
};

TEST_F(Documentation, DefaultChoicesInTheirOrderWithProgress) {
    Project project;
    project.clearInstances();
    project.fileName = "C:\\Plants\\West.zxn";
    project.projectNotes = "Station West\r\nbuilt 2026";
    project.speechReports = {"~R||||||1"};
    project.speechMessages = {};
    Recorded recorded;
    const Lines expected {"Project Source File: West.zxn  12/11/26 10:00:00",
                          "zex7 instructions",
                          " ", "PROGRAMMER NOTES:", " ", "Station West", "built 2026",
                          "<S>", "<I>", "<J>", "<M>", "<D>", "<T>", "<L>", "<X>",
                          "<V>", " ", " ", "REPORTS:", " ", "RPT NAME=R, RPT Trig=, RPT STOP=, LINE Trig=, LINE SEL=, SCAN Trig=, BOARD=1"};
    EXPECT_EQ(build(project, &recorded), expected);
    EXPECT_EQ(recorded.steps, (Lines {"I/O...", "Modules...", "Displays...", "TLM Arrays...", "Ladder...", "Tables...", "Speech...",
                                      "DataBases...", "Cross references..."}));
    EXPECT_EQ(recorded.gauges, (std::vector<int> {0, 5, 10, 15, 20, 25, 30, 35, 40, 50}));
}

TEST_F(Documentation, UnitTypeChoosesTheInstructionsAndUncheckedPartsAreLeftOut) {
    Project project;
    project.clearInstances();
    project.cardCage.unitType = CardCage::UnitType::ZEX3;
    settings.choices = DocumentationChoices::none();
    settings.choices.operatingInstructions = true;
    settings.choices.ladderLogic = true;
    EXPECT_EQ(build(project), (Lines {"Project Source File:   12/11/26 10:00:00", "zex3 instructions", "<L>"}));
}

TEST_F(Documentation, DatabaseListsAndCrossReferences) {
    settings.choices = DocumentationChoices::none();
    settings.choices.databaseLists = true;
    settings.choices.crossReference = true;
    Recorded recorded;
    const Lines expected {
        "Project Source File: West Station.zxn  12/11/26 10:00:00",
        "DATABASES...",
        " ", "FLOATING POINT DATABASE...", "   alpha.Sum", "   ALPHA.Sum", "   beta.Sum", "   PC.Hrs",
        " ", "STATUS DATABASE...", "   PC.On", "   X.Coil",
        "CROSS REFERENCE LISTS...",
        " ", "FLOATING POINT DATABASE...",
        "   alpha.Sum", "     PC...Pump control...Speed",
        "   ALPHA.Sum",
        "   beta.Sum", "     alpha...Adder...Input A",
        "   PC.Hrs",
        " ", "STATUS DATABASE...",
        "   PC.On", "     Ladder rung 1, Contact 0",
        "   X.Coil", "     PC...Pump control...Run command",
    };
    EXPECT_EQ(build(namesProject(), &recorded), expected);
    const std::vector<int> crossReferenceGauges(recorded.gauges.end() - 6, recorded.gauges.end());
    EXPECT_EQ(crossReferenceGauges, (std::vector<int> {58, 66, 75, 83, 91, 100}));
}

TEST_F(Documentation, GenerateWritesTheFileAndReportsTheLineCount) {
    ::setenv("SOURCE_DATE_EPOCH", "1781172000", 1);
    Project project = namesProject();
    const std::string path = dir.file("West Station.zxn.Txt");
    dir.write("West Station.zxn.Txt", "old document");
    const DocumentationResult result = GenerateDocumentation(project, library, settings, path);
    ::unsetenv("SOURCE_DATE_EPOCH");
    ASSERT_TRUE(result.ok) << result.message;
    Lines lines;
    std::string error;
    ASSERT_TRUE(readTextLines(path, lines, error));
    EXPECT_EQ(result.lineCount, lines.size());
    EXPECT_EQ(result.message, "Documentation file done.  " + std::to_string(lines.size() - 1) +
                                  " lines generated in file...West Station.zxn.Txt");
    EXPECT_EQ(lines[0], "Project Source File: West Station.zxn  06/11/26 10:00:00");
    const std::string bytes = dir.read("West Station.zxn.Txt");
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(bytes.find('\n'), bytes.find('\r') + 1);
}

TEST_F(Documentation, MissingBoilerplateWritesNothing) {
    test::TempDir empty;
    settings.systemDirectory = empty.dir();
    const std::string path = dir.file("out.Txt");
    dir.write("out.Txt", "previous");
    const DocumentationResult result = GenerateDocumentation(namesProject(), library, settings, path);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find(empty.dir() + "Docintro.TXT"), std::string::npos) << result.message;
    EXPECT_EQ(dir.read("out.Txt"), "previous");
}

TEST_F(Documentation, UnwritableOutputIsReportedNotDone) {
    const DocumentationResult result = GenerateDocumentation(namesProject(), library, settings, dir.file("no/such/folder/out.Txt"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message.find("Documentation file done"), std::string::npos);
    EXPECT_FALSE(result.message.empty());
}

}  // namespace

namespace {

TEST_F(Documentation, NameWithABarDoesNotStopTheDocument) {
    Project project;
    project.clearInstances();
    project.appendInstance(docInstance(31, 2, "A|B", {"1", "2", "A|B.Sum"}));
    project.appendInstance(docInstance(31, 2, "C", {"1", "2", "C.Sum"}));
    settings.choices = DocumentationChoices::none();
    settings.choices.moduleSetup = true;
    const Lines lines = build(project);
    EXPECT_EQ(lines.back(), "C...Adder  Input A=1  Input B=2");
}

}  // namespace

namespace {

TEST_F(Documentation, DamagedListsAreDocumentedAsFarAsTheyRead) {
    Project project = namesProject();
    project.displays = {"", "~", "~|", "text before any header|A.B", "~D|x|y|z|", "~E|0|0|9|T", "|", "@@|" + std::string(50, 'N')};
    project.tables = {"", "~", "row before any header|x", "~T|||", "~U|S|||2|-5|20|", "Integer", "~V|S|||1|2147483647|20|", "Float|R|"};
    project.speechReports = {"line before any header", "~", "~R", "|", "99999999999|x;|", "~S|a|b|c|d|e|f|g|h"};
    project.basicModules = {"", "|", "B", "B|F.BAS|I", "B|F.BAS|$0|I.After"};
    project.txRows = {TelemetryRow {}, TelemetryRow {}};
    project.rxRows = {TelemetryRow {"x", "", "", "1"}, TelemetryRow {}};
    project.ladderRows[199].kinds = {10, 99, -1, 3, 4, 5, 6, 9};
    project.cardCage.cages[8] = {0, -1, 99, 13, 17, 12, 14, 16, 2};
    settings.choices = DocumentationChoices::all();
    const Lines lines = build(project);
    EXPECT_EQ(lines.back(), "     PC...Pump control...Run command");  // the use of X.Coil, the last name
    EXPECT_NE(std::find(lines.begin(), lines.end(), "DISPLAY NAME=E  Port=0  DSP#=0  Font=1X  Trigger=T"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "  8   " + std::string(24, ' ') + "AI4/AO1 LOOP    COMBO   AI 4/16 Sleep   "),
              lines.end());
}

}  // namespace
