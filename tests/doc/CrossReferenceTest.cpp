#include "doc/CrossReference.h"
#include "doc/VariableSearch.h"

#include "DocFixture.h"
#include "app/Text.h"
#include "library/ProjectLists.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace z7;
using test::docInstance;

namespace {

using Lines = std::vector<std::string>;

// A project in which PUMP1.Level is used once by every source, with decoys that must not count.
Project everySourceProject() {
    Project project;
    project.clearInstances();
    project.appendInstance(docInstance(31, 2, "ADD1", {"PUMP1.Level", "5", "ADD1.Sum"}));
    project.appendInstance(docInstance(30, 3, "PC", {"LAD.Coil", "PUMP1.Level", "PC.On", "PC.Hrs"}));
    project.displays = {"~Main|0|1|0|PUMP1.Level|", "Level @@.@|PUMP1.Level|2|3|4|5|6|7|8|9|10",
                        "~Hidden|30|1|0|PUMP1.Level|", "@@.@|PUMP1.Level|2|3|4|5|6|7|8|9|10"};
    project.txRows = {test::tlmRow("4", "Us", "7", "3", "-", "PUMP1.Level", "1.0", "Float")};
    project.ladderRows[0].kinds = {8, 2, 2, 2, 2, 2, 2, 9};
    project.ladderRows[0].texts[0] = "PUMP1.Level";
    project.ladderRows[0].texts[7] = "LAD.Coil";
    project.ladderRows[0].onDelay = "PUMP1.Level";
    project.ladderRows[2].offDelay = "PUMP1.Level";
    project.tables = {"~T1|PUMP1.Level|||2|2|20|0|$0|$0|", "Integer|R1|PUMP1.Level|1|PUMP1.Level|R1.TBL|",
                      "Integer|R2||PUMP1.Level|2|R2.TBL|"};
    project.speechReports = {"~RPT|PUMP1.Level|||||1", "|1|||||||||||||  PUMP1.Level;@@@.@@|"};
    project.basicModules = {"B1|PUMP.BAS|IPUMP1.Level||I5|fB1.OUT|iPUMP1.Level|$0|$0"};
    return project;
}

TEST(CrossReference, ListsEverySourceInOrder) {
    const ModuleLibrary library = test::docLibrary();
    Lines lines;
    CrossReference(everySourceProject(), library, "PUMP1.Level", lines);
    const Lines expected {
        "     ADD1...Adder...Input A",
        "     PC...Pump control...Speed",
        "     Display Main...Display trigger",
        "     Display Main...Displayed variable",
        "     TX to: Board 1, Port 2, Dest 7, Word 3",
        "     Ladder rung 1, Contact 0",
        "     Ladder rung 1, Call delay ",
        "     Ladder rung 3, Off delay ",
        "     Table T1...Read column selector",
        "     Table T1...Variable in cell",
        "     Table T1...Variable in cell",  // last column of R1
        "     Table T1...Variable in cell",  // first column of R2
        "     Speech Report RPT...Report trigger",
        "     Speech Report RPT...Variable in cell",  // the fourteenth phrase
        "     Basic module...B1...Input",
    };
    EXPECT_EQ(lines, expected);
}

TEST(CrossReference, ShortTextsCountOnlyWhereTheyMay) {
    const ModuleLibrary library = test::docLibrary();
    Project project;
    project.clearInstances();
    project.appendInstance(docInstance(31, 2, "ADD1", {"ABCD", "ABC", "ADD1.Sum"}));
    project.displays = {"~D|0|1|0|ABC|", "@@|ABCD|AB|ABCD|4|5|6|7|8|9|10"};
    project.ladderRows[0].texts[0] = "ABCD";
    project.ladderRows[0].onDelay = "ABCD";
    project.tables = {"~T|ABCD|||1|1|20|0|$0|$0|", "Integer|R|ABCD|ABCD|R.TBL|"};
    project.speechReports = {"~S|ABCD|||||1", "ABCD|1|"};

    Lines four;
    CrossReference(project, library, "ABCD", four);
    EXPECT_EQ(four, (Lines {"     ADD1...Adder...Input A", "     Display D...Displayed variable", "     Table T...Read column selector",
                            "     Speech Report S...Report trigger"}));
    Lines three;
    CrossReference(project, library, "ABC", three);
    EXPECT_EQ(three, (Lines {"     Display D...Display trigger"}));
}

TEST(CrossReference, EmptyNameHasNoUses) {
    const ModuleLibrary library = test::docLibrary();
    Project project = everySourceProject();
    project.tables.push_back("~T2||||1|1|20|0|$0|$0|");  // empty selectors everywhere
    Lines lines;
    CrossReference(project, library, "", lines);
    EXPECT_TRUE(lines.empty());
}

TEST(CrossReference, IndexGivesTheSameLinesAsTheSearchForEveryName) {
    const ModuleLibrary library = test::docLibrary();
    const Project project = everySourceProject();
    const CrossReferenceIndex index(project, library);
    const ProjectLists lists = rebuildProjectLists(project, library);
    Lines names {"PUMP1.Level", "LAD.Coil", "5", "nothing", "ADD1.Sum"};
    for (const auto& list : lists.names) names.insert(names.end(), list.begin(), list.end());
    for (const std::string& name : names) {
        Lines direct, indexed;
        CrossReference(project, library, name, direct);
        index.append(name, indexed);
        EXPECT_EQ(direct, indexed) << name;
    }
}

TEST(VariableSearch, SearchesOnlyWhileShownAndSortsTheUses) {
    const ModuleLibrary library = test::docLibrary();
    const Project project = everySourceProject();
    VariableSearch search;
    search.entryPressed(project, library, "PUMP1.Level");
    EXPECT_TRUE(search.results().empty());
    EXPECT_EQ(search.searchText(), "");

    search.open();
    EXPECT_TRUE(search.isVisible());
    search.entryPressed(project, library, "PUMP1.Level");
    EXPECT_EQ(search.searchText(), "PUMP1.Level");
    ASSERT_EQ(search.results().size(), 15u);
    EXPECT_EQ(search.results().front(), "     ADD1...Adder...Input A");
    EXPECT_TRUE(std::is_sorted(search.results().begin(), search.results().end(),
                               [](const std::string& a, const std::string& b) { return lessNoCase(a, b); }));

    search.entryPressed(project, library, "LAD.Coil");
    EXPECT_EQ(search.results(), (Lines {"     PC...Pump control...Run command"}));

    search.open();
    EXPECT_TRUE(search.results().empty());
    EXPECT_EQ(search.searchText(), "");
    search.close();
    search.entryPressed(project, library, "PUMP1.Level");
    EXPECT_TRUE(search.results().empty());
}

}  // namespace
