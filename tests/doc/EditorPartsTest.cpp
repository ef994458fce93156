#include "doc/DocumentParts.h"

#include "DocFixture.h"

#include <gtest/gtest.h>

using namespace z7;
using test::tlmRow;

namespace {

using Lines = std::vector<std::string>;

const DocIntro intro = DocIntro::fromLines({"!D x", "<D>", "!T x", "<T>", "!L x", "<L>", "!X x", "<X>", "!V x", "<V>"});

Lines run(void (*part)(DocumentContext&), const Project& project) {
    const ModuleLibrary library = test::docLibrary();
    Lines output;
    DocumentContext doc {project, library, intro, {}, output};
    part(doc);
    return output;
}

std::string dots(std::size_t n) { return std::string(n, '.'); }
std::string blanks(std::size_t n) { return std::string(n, ' '); }

TEST(DisplayPart, IndexOrderFontsSlotsAndContinuation) {
    Project project;
    const std::string longText = "Wet well level and both pump run times, shown on one line @@.@ @@@";  // 66 characters
    const std::string longerText = longText + " and some more text";                                  // 85 characters
    project.displays = {
        "~Second|1|0|1|TRIG2|", "Flow @@@.@ gpm|FLOW.Rate|2|3|4|5|6|7|8|9|10",
        "~First|0|5|2|TRIG1|", "Short @@@|AB|X.Late|3|4|5|6|7|8|9|10",
        longerText + "|LONG.Name.One|LONG.Name.Two|3|4|5|6|7|8|9|10",
        longText + "|LONG.Name.One|LONG.Name.Two|3|4|5|6|7|8|9|10",
        "~Gone|26|1|0|T|", "Never shown|X.Y|2|3|4|5|6|7|8|9|10",
        "Port 0...First",  // a stray line is text of the display above
        "~First|0|9|0|OTHER|", "Not shown either|2|3|4|5|6|7|8|9|10",
    };
    const Lines first {
        "", "",
        "DISPLAY NAME=First  Port=0  DSP#=5  Font=4X  Trigger=TRIG1",
        "",
        "  Short @@@" + dots(36),
        "  " + longerText,
        "     ...  LONG.Name.One  LONG.Name.Two",
        "  " + longText + "  LONG.Name.One",
        "     ...  LONG.Name.Two",
    };
    Lines expected {"<D>"};
    // The display on port 0, number 9 is read from the first header named First.
    expected.insert(expected.end(), first.begin(), first.end());
    expected.insert(expected.end(), first.begin(), first.end());
    expected.insert(expected.end(), {"", "", "DISPLAY NAME=Second  Port=1  DSP#=0  Font=2X  Trigger=TRIG2", "",
                                     "  Flow @@@.@ gpm" + dots(31) + "  FLOW.Rate"});
    EXPECT_EQ(run(appendDisplayPart, project), expected);
}

TEST(TelemetryPart, RxArraysWithoutTxArrays) {
    Project project;
    project.rxRows = {tlmRow("3", "12", "Us", "1", "-", "TANK.Level", "1.0", "Float"),
                      tlmRow("3", "12", "Us", "3", "-", "TANK.Flow", "", "Integer"),
                      tlmRow("4", "12", "Us", "1", "1", "TANK.Pump1", "", "Status"),
                      tlmRow("4", "12", "Us", "", "", "", "", "")};
    const std::string row1 = "  Port=3  Src=12  Dest=Us  Wd=1  Bit=-  TANK.Level";
    const Lines expected {
        "<T>", "", "RX ARRAYS:", "",
        row1 + blanks(60 - row1.size()) + "  Mult=1.0" + "  Float",
        "  Port=3  Src=12  Dest=Us  Wd=3  Bit=-  TANK.Flow" + blanks(11) + "  Mult=" + blanks(3) + "  Integer",
        "",
        "  Port=4  Src=12  Dest=Us  Wd=1  Bit=1  TANK.Pump1" + blanks(10) + "  Mult=" + blanks(3) + "  Status",
    };
    EXPECT_EQ(run(appendTelemetryPart, project), expected);
}

TEST(TelemetryPart, SingleRowTableIsLeftOutLikeTheCompilerDoes) {
    Project project;
    project.txRows = {tlmRow("1", "Us", "5", "1", "-", "A.Value", "", "Float")};
    project.rxRows = {tlmRow("1", "5", "Us", "1", "-", "RX.One", "", "Float")};
    EXPECT_EQ(run(appendTelemetryPart, project), (Lines {"<T>"}));
    project.txRows.push_back(tlmRow("1", "Us", "5", "3", "-", "B.Value", "", "Float"));
    const Lines lines = run(appendTelemetryPart, project);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], "TX ARRAYS:");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[4].substr(0, 40), "  Port=1  Src=Us  Dest=5  Wd=3  Bit=-  B");
}

TEST(LadderPart, ContactWiresAndCoilWithDelays) {
    Project project;
    LadderRung& rung = project.ladderRows[0];
    rung.kinds = {8, 2, 2, 2, 2, 2, 2, 9};
    rung.texts[0] = "PUMP.Run";
    rung.texts[7] = "PUMP.Coil";
    rung.onDelay = "5";
    rung.offDelay = "PUMP.Off";
    const Lines expected {
        "<L>",
        "  PUMP.Run    " + blanks(72) + "PUMP.Coil   ",
        "-----| |----" + std::string(72, '-') + "( ) ON=5 OFF=PUMP.Off",
    };
    EXPECT_EQ(run(appendLadderPart, project), expected);
}

TEST(LadderPart, BranchFromTheRungAboveEvenWhenThatRungIsNotDrawn) {
    Project project;
    auto& rows = project.ladderRows;
    rows[0].kinds = {8, 4, 2, 2, 2, 2, 2, 9};
    rows[0].texts[0] = "VERY.LONG.CONTACT.NAME";
    rows[0].texts[7] = "A.Coil";
    rows[1].kinds = {1, 3, 0, 0, 0, 0, 0, 0};  // not drawn: its first cell is blank
    rows[1].texts[1] = "HIDDEN";
    rows[2].kinds = {7, 6, 0, 0, 0, 0, 0, 0};
    rows[2].texts[0] = "B.Run";
    rows[2].texts[1] = "REPLACED";
    const Lines expected {
        "<L>",
        "  VERY.LONG.C " + blanks(72) + "A.Coil      ",
        "-----| |----------*-----" + std::string(60, '-') + "( ) ON=0 OFF=0",
        "  B.Run           |       " + blanks(72),
        "-----|/|----------|     " + blanks(72),
    };
    EXPECT_EQ(run(appendLadderPart, project), expected);
}

TEST(TablePart, HeadingRowsAndPlaceholders) {
    Project project;
    project.tables = {"~T1|SEL|WSEL|WTRIG|2|2|20|0|$0|$0|", "Integer|R1|IN.Value|1|ABCDEFGHIJKLM|R1.TBL|",
                      "Float||||2.5|.TBL|", "~EMPTY|S|||0|1|20|0|$0|$0|"};
    const Lines expected {
        "<X>",
        "TABLE NAME=T1  Read column ctrl=SEL  Write column ctrl=WSEL",
        "Write trigger=WTRIG  #Rows=2  #Cols=2  #Output chars/string=20",
        "ROW  TYPE      READNAME   WRITESRC   1          2           OUTPUT",
        "1   Integer    R1         IN.Value   1          ABCDEFGHIJ R1.TBL     ",
        "2   Float      ---        ---        RAM        2.5        .TBL       ",
        "", "",
        "TABLE NAME=EMPTY  Read column ctrl=S  Write column ctrl=",
        "Write trigger=  #Rows=0  #Cols=1  #Output chars/string=20",
        "", "",
    };
    EXPECT_EQ(run(appendTablePart, project), expected);
}

TEST(TablePart, RowNumbersFromTenLoseTheirExtraBlank) {
    Project project;
    project.tables = {"~T|S|||11|1|20|0|$0|$0|"};
    for (int r = 1; r <= 11; ++r) project.tables.push_back("Integer|R" + std::to_string(r) + "||" + std::to_string(r) + "|R.TBL|");
    const Lines lines = run(appendTablePart, project);
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[4].substr(0, 8), "1   Inte");
    EXPECT_EQ(lines[12].substr(0, 8), "9   Inte");
    EXPECT_EQ(lines[13].substr(0, 8), "10  Inte");
}

TEST(TablePart, DamagedColumnCountIsBounded) {
    Project project;
    project.tables = {"~T|S|||1|99999999|20|0|$0|$0|", "Integer|R||1|R.TBL|"};
    const Lines lines = run(appendTablePart, project);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[4].size(), 4 + 11 * (3 + 1000 + 1));
}

TEST(SpeechPart, PhrasesAndReports) {
    Project project;
    project.speechMessages[40] = "Pump";
    project.speechMessages[41] = "A";      // one character: not listed
    project.speechMessages[255] = "Last";  // beyond the listed phrases
    project.speechReports = {"~R1|TRIG|STOP|LT|LS|ST|2",
                             "EN.Bit|40|2|PUMP.Level;@@@.@@|" + std::string(10, '|') + "7|",
                             "E|1|2|3|4|5|6|7|8|9|10|11|12|13|14|",
                             "~R2||||||0",
                             "|300|"};
    Lines expected {"<V>"};
    for (int m = 1; m <= 34; ++m) expected.push_back(std::to_string(m) + " " + project.speechMessages[static_cast<std::size_t>(m)]);
    expected.insert(expected.end(), {
        "40 Pump", " ", " ", "REPORTS:", " ",
        "RPT NAME=R1, RPT Trig=TRIG, RPT STOP=STOP, LINE Trig=LT, LINE SEL=LS, SCAN Trig=ST, BOARD=2",
        "1 {EN.Bit} Pump One {PUMP.Level;@@@.@@} Six ",
        "2 {E} Zero One Two Three Four Five Six Seven Eight Nine Ten Eleven Twelve Thirteen ",
        " ", " ",
        "RPT NAME=R2, RPT Trig=, RPT STOP=, LINE Trig=, LINE SEL=, SCAN Trig=, BOARD=0",
        "1 {300} ",
    });
    EXPECT_EQ(run(appendSpeechPart, project), expected);
}

TEST(SpeechPart, NothingWithoutReports) {
    Project project;
    EXPECT_TRUE(run(appendSpeechPart, project).empty());
}

}  // namespace
