#include "CompilerTestSupport.h"

#include "support/TempDir.h"

namespace z7 {
namespace {

const std::string FixtureDir = Z7_SOURCE_DIR "/tests/fixtures/compiler/";

Project modulesProject() {
    Project p = test::emptyProject();
    p.fileName = "C:\\Projects\\PUMPS.zxn";
    p.cardCage.cages[1][3] = 6;
    p.cardCage.cages[1][4] = 10;
    p.cardCage.cages[2][1] = 4;
    p.cardCage.lcdType = CardCage::LcdType::Small;
    p.appendInstance(test::makeInstance("Scale1", 5, {"Lvl.Val", "0.5", "Scale1.Out"}));
    p.appendInstance(test::makeInstance("Lvl", 1, {"2", "4", "1", "Lvl.Val"}));
    p.appendInstance(test::makeInstance("Arr", 7, {"5", "4", "Arr.Vals", "Arr.Idx"}));
    p.appendInstance(test::makeInstance("Txt", 9, {"2", "12", "Txt.Txt", "Txt.Txts"}));
    p.appendInstance(test::makeInstance("DI1", 2, {"1", "3", "1", "DI1.In", "DI1.OnTrg"}));
    p.appendInstance(test::makeInstance("Ptr", 19, {"Tgt.Out", "Ptr.Out"}));
    p.appendInstance(test::makeInstance("Tgt", 18, {"Scale1.Out", "Tgt.Blk", "Tgt.Out"}));
    p.appendInstance(test::makeInstance("Run", 8, {"Arr.Idx", "Run.Out"}));
    p.appendInstance(test::makeInstance("Dsw", 61, {"3", "1", "Dsw.Out"}));
    return p;
}

Project constantsProject() {
    Project p = test::emptyProject();
    p.fileName = "consts.zxn";
    for (int i = 0; i < 4; ++i) {
        const std::string n = "Add" + std::to_string(i);
        p.appendInstance(test::makeInstance(n, 5, {std::to_string(100 + i), std::to_string(i) + ".25", n + ".Out"}));
    }
    p.appendInstance(test::makeInstance("Msg", 9, {"3", "7", "Msg.Txt", "Msg.Txts"}));
    p.appendInstance(test::makeInstance("Neg", 5, {"-17", "-0.5", "Neg.Out"}));
    p.appendInstance(test::makeInstance("Word", 5, {"Hello", "A rather long text constant that spans", "Word.Out"}));
    return p;
}

Project basicProject() {
    Project p = test::emptyProject();
    p.fileName = "/home/user/projects/a-project-with-a-very-long-file-name.zxn";
    p.appendInstance(test::makeInstance("Sc", 5, {"1", "2", "Level"}));
    p.basicModules = {
        "PUMP1|PUMP.BAS|ILevel|I10|fPUMP1.OUT|tPUMP1.DONE!!|$0|$0",
        "PUMP2|PUMP.BAS|I2.5||fPUMP2.OUT|sPUMP2.MSG$[20]|$0|$0",
        "VALVE1|VALVE.BAS|IPUMP1.OUT|$0|$0",
    };
    return p;
}

struct Golden {
    const char* name;
    Project (*make)();
};

TEST(GoldenImage, MatchesTheCheckedImage) {
    for (const Golden& g : {Golden {"modules", modulesProject}, Golden {"constants", constantsProject}, Golden {"basic", basicProject}}) {
        test::TempDir dir;
        Project project = g.make();
        const auto c = test::compile(project, dir.dir(), FixtureDir + "basic/");
        ASSERT_TRUE(c.result.success) << g.name << ": " << c.errors().front();
        const std::string written = dir.read(ImageFileName);
        std::string expected;
        std::string error;
        ASSERT_TRUE(readFileBytes(FixtureDir + g.name + ".img", expected, error)) << error;
        EXPECT_EQ(written, expected) << g.name;

        // Compiling again keeps every stored assignment and gives the same image.
        const std::vector<std::string> basicLines = project.basicModules;
        const std::vector<Jobrecord> instances = project.instances();
        project.needToSave = false;
        const auto again = test::compile(project, dir.dir(), FixtureDir + "basic/");
        EXPECT_TRUE(again.result.success);
        EXPECT_EQ(dir.read(ImageFileName), expected) << g.name;
        EXPECT_FALSE(project.needToSave) << g.name;
        EXPECT_EQ(project.basicModules, basicLines);
        EXPECT_EQ(project.instances(), instances);
    }
}

}  // namespace
}  // namespace z7
