#include "doc/DocumentParts.h"

#include "DocFixture.h"
#include "compiler/ModuleOrderList.h"

#include <gtest/gtest.h>

using namespace z7;
using test::docInstance;

namespace {

using Lines = std::vector<std::string>;

const DocIntro intro = DocIntro::fromLines({"!S x", "<S>", "!I x", "<I>", "!J x", "<J>", "!M x", "<M>"});

Lines run(void (*part)(DocumentContext&), const Project& project, bool alphabetize = false) {
    const ModuleLibrary library = test::docLibrary();
    Lines output;
    DocumentContext doc {project, library, intro, moduleOrder(project, alphabetize), output};
    part(doc);
    return output;
}

TEST(IoPart, SystemLinesAlignTheirColumns) {
    Project project;
    project.clearInstances();
    project.appendInstance(docInstance(53, 1, "NET", {"West", "1", "30"}));
    project.appendInstance(docInstance(8, 1, "SITE", {"Pump station", "12", "9600"}));
    // 8 + 27 = 35 characters: exactly one short of the column and left as it is.
    project.appendInstance(docInstance(8, 1, "LONG", {std::string(27, 'x'), std::string(40, 'y'), "1"}));
    project.appendInstance(docInstance(31, 2, "ADD", {"1", "2", "ADD.Sum"}));
    const Lines lines = run(appendIoPart, project, true);
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "<S>");
    EXPECT_EQ(lines[1], "Local:  " + std::string(27, 'x') + "  Unit address=" + std::string(40, 'y') + "  Baud rate=1");
    EXPECT_EQ(lines[2], "Global: West                          Master=1                 Poll time=30");
    EXPECT_EQ(lines[3], "Local:  Pump station                  Unit address=12          Baud rate=9600");
    EXPECT_EQ(lines[4], "<I>");
    EXPECT_EQ(lines[5], "<J>");
}

TEST(IoPart, CageOverviewAndChannelListing) {
    Project project;
    project.clearInstances();
    auto& cage1 = project.cardCage.cages[1];
    cage1[1] = 10;  // AI 8
    cage1[2] = 11;  // modem: no channels of its own
    cage1[3] = 13;  // vacant: not listed
    cage1[4] = 5;   // RLY 4
    project.cardCage.cages[3][8] = 13;  // a cage of only a vacant slot still shows in the overview
    project.appendInstance(docInstance(1, 1, "LVL", {"8", "1", "1", "4", "20.0", "LVL.Level"}));
    project.appendInstance(docInstance(2, 1, "SW1", {"3", "1", "1", "SW1.State"}));  // digital input module on the AI card
    project.appendInstance(docInstance(1, 1, "LVL2", {"3", "1", "1", "0", "100", "LVL2.Level"}));
    project.appendInstance(docInstance(1, 1, "ODD", {"2.5", "1", "1", "0", "1", "ODD.Level"}));  // 2.5 counts as 0
    project.appendInstance(docInstance(31, 2, "ADD", {"2", "1", "1"}));                           // not an I/O module
    project.appendInstance(docInstance(154, 1, "PD", {"2", "4", "1", "PD.On"}));
    const Lines lines = run(appendIoPart, project);
    const Lines expected {
        "<S>", "<I>",
        "  1   AI 8    MDM/232         RLY 4                                   ",
        "  3                                                                   ",
        "<J>",
        "Cage 1, card 1 = AI 8    :",
        "  Chan 8 LVL...Analog input 4-20  Zero=4  Span=20.0",
        "  Chan 7 Spare", "  Chan 6 Spare", "  Chan 5 Spare", "  Chan 4 Spare",
        "  Chan 3 SW1...Digital input DC",
        "  Chan 3 LVL2...Analog input 4-20  Zero=0  Span=100",
        "  Chan 2 Spare", "  Chan 1 Spare",
        "Cage 1, card 2 = MDM/232 :",
        "  No individual I/O for this card...see module list",
        "Cage 1, card 4 = RLY 4   :",
        "  Chan 4 Spare", "  Chan 3 Spare", "  Chan 2 PD...PulseDurationIn", "  Chan 1 Spare",
    };
    EXPECT_EQ(lines, expected);
}

TEST(IoPart, LongChannelLineContinues) {
    ModuleLibrary library;
    std::vector<std::string> messages;
    library.loadFromLines({"1|1|Analog input 4-20|x|FIIS.Channel.Ch|FIIS.Card.Cd|FIIS.Cage.Cg|FCSS.Zero scale value.Z|"
                           "FCSS.Full scale value.S|FCSS.Alarm limit.A|FOSS.Level.Lvl|\\"},
                          messages);
    Project project;
    project.clearInstances();
    project.cardCage.cages[1][1] = 8;
    project.appendInstance(docInstance(1, 1, "A_RATHER_LONG_LEVEL_NAME", {"1", "1", "1", "4.000", "20.000", "18.500", "x.Level"}));
    Lines output;
    DocumentContext doc {project, library, intro, {1}, output};
    appendIoPart(doc);
    const Lines tail(output.end() - 2, output.end());
    EXPECT_EQ(tail, (Lines {"  Chan 1 A_RATHER_LONG_LEVEL_NAME...Analog input 4-20  Zero scale value=4.000  Full scale value=20.000",
                            "        ...  Alarm limit=18.500"}));
}

TEST(ModulePart, NotesAndWrappedItemsInModuleOrder) {
    Project project;
    project.clearInstances();
    Jobrecord pump = docInstance(30, 3, "pump", {"START.Cmd", "SPEED.Value.With.A.Very.Long.Name.To.Pass.Eighty", "pump.On", "pump.Hrs"});
    pump.notes = "Main pump\r\nruns on demand";
    project.appendInstance(docInstance(31, 2, "Zed", {"1", "2", "Zed.Sum"}));
    project.appendInstance(pump);
    project.appendInstance(docInstance(31, 2, "ADD", {"ADD.Sum", "", "ADD.Sum"}));
    const Lines expected {
        "<M>",
        "ADD...Adder  Input A=ADD.Sum  Input B=",
        "pump...Pump control  PROGRAMMER NOTES:",
        "           Main pump",
        "           runs on demand",
        "        ...  Run command=START.Cmd  Speed=SPEED.Value.With.A.Very.Long.Name.To.Pass.Eighty",
        "Zed...Adder  Input A=1  Input B=2",
    };
    EXPECT_EQ(run(appendModulePart, project, true), expected);
    EXPECT_EQ(run(appendModulePart, project, false)[1], "Zed...Adder  Input A=1  Input B=2");
}

}  // namespace
