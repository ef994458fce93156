#include "library/ProjectLists.h"

#include <gtest/gtest.h>

using namespace z7;

namespace {

ModuleLibrary listsLibrary() {
    ModuleLibrary library;
    std::vector<std::string> messages;
    library.loadFromLines(
        {"57|1|System|d|SCSC.A.A|SCSC.B.B|SCSC.C.C|SCSC.D.D|SCSC.E.E|SCSC.F.F|SCSC.G.G|SCSC.H.H|SCSC.I.I|SCSC.J.J|"
         "DOSG.Boot.BootTrg|DOSG.Sec.SecTrg|DOSS.Logon.Logon|\\",
         "12|2|Tank|d|FISS.In.In|FOSS.Level.Lvl|IOSS.Count.Cnt|SOSS.Text.Txt|TOSS.Tx.Tx|AOSS.Rx.Rx|\\",
         "30|103|Hidden|d|FOSS.Out.Out|\\",
         "41|4|Array|d|ICSC.Size.N|ICSC.Chars.L|FOAS.Values.V|SOSS.Text.T|FOSS.One.O|\\",
         "42|4|A very long definition name of forty ch|d|FOSS.X.X|\\"},
        messages);
    return library;
}

Jobrecord instanceOf(const ModuleLibrary& library, int definition, const std::string& name) {
    Jobrecord r;
    r.definitionNumber = definition;
    r.category = library.definition(definition).category;
    r.name = name;
    const Modul& m = library.definition(definition);
    for (int e = m.inputsAndConstants() + 1; e <= m.entryTotal(); ++e)
        r.bindings[static_cast<std::size_t>(e)] = name + "." + m.entries[static_cast<std::size_t>(e)].suffix;
    return r;
}

const std::vector<std::string>& names(const ProjectLists& lists, DatabaseKind kind) { return lists.namesOf(kind); }

}  // namespace

TEST(ProjectLists, NewProjectListsTheSystemInstanceAndItsOutputs) {
    const ModuleLibrary library = listsLibrary();
    Project project;
    const ProjectLists lists = rebuildProjectLists(project, library);
    EXPECT_EQ(lists.modules[1], std::vector<std::string> {"System...System"});
    EXPECT_EQ(names(lists, DatabaseKind::Status),
              (std::vector<std::string> {"System.BootTrg", "System.SecTrg", "System.Logon"}));
    EXPECT_EQ(lists.counts[static_cast<std::size_t>(DatabaseKind::Status)], 3);
    EXPECT_TRUE(names(lists, DatabaseKind::Float).empty());
}

TEST(ProjectLists, OutputsGoToTheViewOfTheirCodeLetter) {
    const ModuleLibrary library = listsLibrary();
    Project project;
    project.appendInstance(instanceOf(library, 12, "TANK"));
    project.appendInstance(instanceOf(library, 30, "SECRET"));
    const ProjectLists lists = rebuildProjectLists(project, library);
    EXPECT_EQ(lists.modules[2], std::vector<std::string> {"TANK...Tank"});
    for (int c = 1; c <= CategoryCount; ++c)
        for (const std::string& line : lists.modules[static_cast<std::size_t>(c)]) EXPECT_NE(line.find("SECRET"), 0u);
    EXPECT_EQ(names(lists, DatabaseKind::Float), (std::vector<std::string> {"TANK.Lvl", "SECRET.Out"}));
    EXPECT_EQ(names(lists, DatabaseKind::Integer), std::vector<std::string> {"TANK.Cnt"});
    EXPECT_EQ(names(lists, DatabaseKind::String), std::vector<std::string> {"TANK.Txt"});
    // Module outputs with the letters T and A never show in the TX and RX views.
    EXPECT_TRUE(names(lists, DatabaseKind::Tx).empty());
    EXPECT_TRUE(names(lists, DatabaseKind::Rx).empty());
}

TEST(ProjectLists, TelemetryLadderTablesSpeechAndBasicAddNames) {
    const ModuleLibrary library = listsLibrary();
    Project project;
    project.txRows = {{"2", "1", "5", "1", "0", "PUMP", "", "Integer", "", ""},
                      {"2", "1", "5", "2", "0", "NOTYPE", "", "", "", ""},
                      {"2", "1", "5", "3", "0", "", "", "Integer", "", ""}};
    project.rxRows = {{"1", "2", "1", "1", "0", "LVL", "", "Float", "", ""}, {"1", "2", "1", "1", "0", "X", "", "", "", ""}};
    project.ladderRows[0].texts[7] = "MOTOR";
    project.ladderRows[150].texts[7] = "LATE";
    project.tables = {"~CURVE|R|W|T|2|3|4|$0|$0|", "Float|A|W|1|2|3|A.TBL", "Float||W|1|2|3|.TBL", "x",
                      "Status|S|W|1|2|3|S.TBL", "~EMPTY|R|W|T|0|0|4|$0|$0|", "Integer|Z|W|Z.TBL"};
    project.speechReports = {"~ALARMS|a|b|c|d|e|1|", "1|2|"};
    project.basicModules = {"B1|P.BAS|I5||fB1.F|iB1.I%|mB1.T%%|nB1.N!|tB1.G!!|sB1.S$[20]|xB1.Q|$0|$0|fAFTER"};
    const ProjectLists lists = rebuildProjectLists(project, library);
    EXPECT_EQ(names(lists, DatabaseKind::Tx), std::vector<std::string> {"P2D5W1B0.PUMP"});
    EXPECT_EQ(names(lists, DatabaseKind::Rx), std::vector<std::string> {"LVL"});
    EXPECT_EQ(names(lists, DatabaseKind::Float), (std::vector<std::string> {"A.TBL", "B1.F"}));
    EXPECT_EQ(names(lists, DatabaseKind::Integer), (std::vector<std::string> {"ALARMS.Seq", "B1.I%", "B1.T%%"}));
    EXPECT_EQ(names(lists, DatabaseKind::Status),
              (std::vector<std::string> {"System.BootTrg", "System.SecTrg", "System.Logon", "MOTOR", "LATE", "S.TBL",
                                         "ALARMS.DunTrg", "ALARMS.ChgTrg", "ALARMS.HavAlrm", "B1.N!", "B1.G!!"}));
    EXPECT_EQ(names(lists, DatabaseKind::String), std::vector<std::string> {"B1.S$[20]"});
    EXPECT_EQ(lists.tableNames, (std::vector<std::string> {"CURVE", "EMPTY"}));
    EXPECT_EQ(lists.speechReportNames, std::vector<std::string> {"ALARMS"});
    EXPECT_EQ(lists.basicModuleLines, std::vector<std::string> {"B1...P.BAS"});
}

TEST(ProjectLists, DamagedTableCountsListNothing) {
    const ModuleLibrary library = listsLibrary();
    Project project;
    for (const char* count : {"2147483647", "-5", "x"}) {
        project.tables = {std::string("~T|R|W|T|1|") + count + "|4|$0|$0|", "Float|A|W|1|A.TBL", "Float|B|W|1|B.TBL"};
        const ProjectLists lists = rebuildProjectLists(project, library);
        EXPECT_TRUE(names(lists, DatabaseKind::Float).empty()) << count;
        EXPECT_EQ(lists.tableNames, std::vector<std::string> {"T"});
    }
}

TEST(ProjectLists, ShortTableAndSpeechListsAddNoNames) {
    const ModuleLibrary library = listsLibrary();
    Project project;
    project.tables = {"~T|R|W|T|1|1|4|$0|$0|", "Float|A|W|1|A.TBL"};
    project.speechReports = {"~ALARMS|a|b|c|d|e|1|"};
    const ProjectLists lists = rebuildProjectLists(project, library);
    EXPECT_TRUE(names(lists, DatabaseKind::Float).empty());
    EXPECT_TRUE(names(lists, DatabaseKind::Integer).empty());
    EXPECT_EQ(lists.speechReportNames, std::vector<std::string> {"ALARMS"});
}

TEST(ProjectLists, ListLinesAreCutAndFoundByName) {
    const ModuleLibrary library = listsLibrary();
    Jobrecord longName = instanceOf(library, 42, std::string(40, 'N'));
    const std::string line = instanceListLine(longName, library);
    EXPECT_EQ(line, std::string(40, 'N') + "..." + "A very long definition name of forty ch");
    EXPECT_EQ(line.size(), 82u);
    longName.name = std::string(42, 'N');  // longer than the list allows
    EXPECT_EQ(instanceListLine(longName, library), std::string(42, 'N') + "." + "A very long definition name of forty ch");

    Project project;
    project.appendInstance(instanceOf(library, 12, "TANK"));
    project.appendInstance(instanceOf(library, 12, "TANK2"));
    project.appendInstance(instanceOf(library, 12, "TANK"));
    EXPECT_EQ(findInstanceByListLine(project, "TANK2...Tank"), 3);
    EXPECT_EQ(findInstanceByListLine(project, "TANK...Tank"), 2);
    EXPECT_EQ(findInstanceByListLine(project, "TANK.Lvl"), 2);
    EXPECT_EQ(findInstanceByListLine(project, "tank...Tank"), 0);
    EXPECT_EQ(findInstanceByListLine(project, "System"), 1);
}

TEST(ProjectLists, SizeEstimateFollowsArraysAndStrings) {
    const ModuleLibrary library = listsLibrary();
    const Modul& arrays = library.definition(41);  // array, string and single outputs
    struct Case {
        const char* size;
        const char* chars;
        bool ok;
        int bytes;
        const char* badInput;
    };
    const Case cases[] = {
        {"10", "10", true, 40 + 12 + 4, ""},
        {"10", "12", true, 40 + 16 + 4, ""},
        {"0", "0", true, 0 + 4 + 4, ""},
        {"", "10", false, 0, "Size"},
        {"2.5", "10", false, 0, "Size"},
        {"-3", "10", false, 0, "Size"},
        {"1", "x", false, 0, "Chars"},
        {"50176", "200703", true, 200704 + 200704 + 4, ""},
        {"50177", "10", false, 0, "Size"},
        {"2147483647", "10", false, 0, "Size"},
        {"1", "200704", false, 0, "Chars"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.size) + "/" + c.chars);
        Jobrecord r = instanceOf(library, 41, "A");
        r.bindings[1] = c.size;
        r.bindings[2] = c.chars;
        int bytes = -1;
        std::string bad;
        EXPECT_EQ(estimateBlockSize(arrays, r, bytes, bad), c.ok);
        if (c.ok) {
            EXPECT_EQ(bytes, c.bytes);
        }
        else EXPECT_EQ(bad, c.badInput);
    }
    int bytes = 0;
    std::string bad;
    EXPECT_TRUE(estimateBlockSize(library.definition(57), makeSystemInstance(), bytes, bad));
    EXPECT_EQ(bytes, 12);
}
