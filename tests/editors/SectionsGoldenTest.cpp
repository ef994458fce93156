// A project holding a rung network, telemetry arrays, displays, communication buffers, a table and a
// speech report, compiled whole and compared with its hand-checked image.
#include "compiler/CompilerTestSupport.h"
#include "ladder/LadderCell.h"

#include "support/TempDir.h"

namespace z7 {
namespace {

const std::string FixtureDir = Z7_SOURCE_DIR "/tests/fixtures/sections/";

TelemetryRow tlm(std::string port, std::string src, std::string dst, std::string word, std::string bit, std::string name,
                 std::string mult, std::string type, std::string address = {}) {
    return {port, src, dst, word, bit, name, mult, type, "", address};
}

Project sectionsProject() {
    Project p = test::emptyProject();
    p.fileName = "sections.zxn";
    auto& cage = p.cardCage.cages[1];
    cage[1] = 3;   // speech/dialer
    cage[2] = 11;  // modem: buffers of channel 6
    cage[3] = 6;
    cage[4] = 10;
    p.appendInstance(test::makeInstance("DI1", 2, {"1", "3", "1", "DI1.In", "DI1.OnTrg"}));
    p.appendInstance(test::makeInstance("Lvl", 1, {"2", "4", "1", "Lvl.Val"}));
    p.appendInstance(test::makeInstance("Run", 8, {"7", "Run.Out"}));

    auto cell = [&](int row, int column, int kind, std::string text = {}) {
        p.ladderRows[static_cast<std::size_t>(row)].kinds[static_cast<std::size_t>(column)] = kind;
        p.ladderRows[static_cast<std::size_t>(row)].texts[static_cast<std::size_t>(column)] = std::move(text);
    };
    cell(0, 0, CellOpen, "DI1.In");
    cell(0, 1, CellDown);
    cell(0, 2, CellClosed, "Alarm.Coil");
    for (int c = 3; c <= 6; ++c) cell(0, c, CellHorizontal);
    cell(0, 7, CellCoil, "Pump.Coil");
    p.ladderRows[0].onDelay = "2";
    p.ladderRows[0].offDelay = "Lvl.Val";
    cell(1, 0, CellOpen, "Run.Out");
    cell(1, 1, CellAngle);
    cell(2, 0, CellOpen, "DI1.In");
    for (int c = 1; c <= 6; ++c) cell(2, c, CellHorizontal);
    cell(2, 7, CellCoil, "Alarm.Coil");

    p.txRows = {tlm("4", "Us", "9", "1", "-", "Lvl.Val", "10.0", "Float"), tlm("4", "Us", "9", "3", "-", "Run.Out", "", "Integer"),
                tlm("4", "Us", "9", "4", "1", "DI1.In", "", "Status")};
    p.rxRows = {tlm("4", "9", "Us", "1", "-", "Remote.9", ".1", "Integer", "$0"), tlm("4", "9", "Us", "2", "1", "Flag.9", "", "Status", "$0"),
                tlm("4", "9", "Us", "3", "-", "GlobalSP", "", "Integer", "$0")};

    p.displays = {"~Main|0|1|0|DI1.OnTrg|", "Level @@.@ ft|Lvl.Val|2|3|4|5|6|7|8|9|10", "Pump @  Alarm @|Pump.Coil|Alarm.Coil|3|4|5|6|7|8|9|10",
                  "~Remote|4|1|1|DI1.OnTrg|", "Start at @V|Start|2|3|4|5|6|7|8|9|10"};
    p.tables = {"~Curve|Run.Out|Run.Out|DI1.OnTrg|2|2|20|1|$0|$0|", "Float|Start||1.5||Start.TBL|", "Float|Stop||Lvl.Val||Stop.TBL|"};
    p.speechReports = {"~Alarms|DI1.OnTrg||||Run.Out|1", "|1|Lvl.Val;@@.@|2||||||||||||", "Pump.Coil;@|3||||||||||||||"};
    return p;
}

TEST(SectionsGoldenImage, MatchesTheCheckedImage) {
    test::TempDir dir;
    Project project = sectionsProject();
    const auto c = test::compile(project, dir.dir());
    ASSERT_TRUE(c.result.success) << c.errors().front();
    std::string expected;
    std::string error;
    ASSERT_TRUE(readFileBytes(FixtureDir + "sections.img", expected, error)) << error;
    EXPECT_EQ(dir.read(ImageFileName), expected);

    // A second compile of the now assigned project allocates nothing new and gives the same image.
    project.needToCompile = true;
    project.needToSave = false;
    const auto again = test::compile(project, dir.dir());
    ASSERT_TRUE(again.result.success);
    EXPECT_FALSE(project.needToSave);
    EXPECT_EQ(dir.read(ImageFileName), expected);
}

}  // namespace
}  // namespace z7
