#include "CompilerTestSupport.h"

#include "support/TempDir.h"

#include <random>

namespace z7 {
namespace {

const std::string FixtureBasic = Z7_SOURCE_DIR "/tests/fixtures/compiler/basic/";

struct DriverTest : ::testing::Test {
    test::TempDir dir;
    Project project = test::emptyProject();
};

TEST_F(DriverTest, EmptyProjectGivesTheFourteenSections) {
    project.needToCompile = true;
    std::vector<std::string> steps;
    CompileHooks hooks;
    hooks.progress = [&](const std::string& text, int gauge) { steps.push_back(text + " " + std::to_string(gauge)); };
    const auto c = test::compile(project, dir.dir(), {}, false, hooks);
    ASSERT_TRUE(c.result.success);
    EXPECT_EQ(c.lines(), (std::vector<std::string> {
                             "#0 File name...|\\",
                             "40000|  11/14/23 22:13:20                    |\\",
                             "#1 Sys ptrs...Modules|dsps|Tx|Rx|Tmrs|#tmrs|Trigs|#trigs|UtypeDtype#brds|ComBufDef|Tbls|\\",
                             "40028|40094|40094|40094|40094|40F000|0|40F004|0|900|40094|40094|\\",
                             "#2 Cards...|\\",
                             "40054|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|\\",
                             "#3 Constants...|\\",
                             "40094|\\",
                             "#4 Modules...|\\",
                             "#5 Ladder...|\\",
                             "#6 Tx...|\\",
                             "#7 Rx...|\\",
                             "#8 Displays...|\\",
                             "#9 Com buffer def, TX then RX...|\\",
                             "#A Table def...|\\",
                             "#B Speech...|\\",
                             "#C Basic...|\\",
                             "#D End of file",
                             "40094|232F|4009C|\\",  // an empty constant line takes no FLASH
                         }));
    EXPECT_EQ(c.errors(), std::vector<std::string> {"No errors"});
    EXPECT_EQ(c.result.statusText, "Done compiling...no errors");
    EXPECT_FALSE(project.needToCompile);
    EXPECT_EQ(project.usedFlashBytes, 0x9Cu);
    EXPECT_EQ(project.usedRamBytes, 5u);  // the empty timer block takes one byte, the trigger block four
    EXPECT_EQ(dir.read(ImageFileName), joinLines(c.lines()));
    EXPECT_EQ(steps, (std::vector<std::string> {
                         "Initializing... 0", "Initializing... 10", "Assigning RAM... 10", "Assigning RAM... 15",
                         "Assigning RAM... 20", "Modules... 25", "Ladder... 25", "TX Arrays... 30", "RX Arrays... 35",
                         "Displays... 35", "Com buffers... 40", "Tables... 40", "Speech... 40", "Basic... 40",
                         "Basic... 70", "Modules... 75", "Ladder... 75", "TX Arrays... 80", "RX Arrays... 85",
                         "Displays... 85", "Com buffers... 90", "Tables... 90", "Speech... 90", "Basic... 90",
                         "Finishing... 90",
                     }));
}

TEST_F(DriverTest, CardCageRules) {
    struct Case {
        CardCage::UnitType unit;
        int cage2Code;
        bool ok;
    };
    for (const Case& c : {Case {CardCage::UnitType::ZEX3, 6, false}, Case {CardCage::UnitType::ZEX3, 13, true},
                          Case {CardCage::UnitType::ZEX7, 6, true}}) {
        Project p = test::emptyProject();
        p.cardCage.unitType = c.unit;
        p.cardCage.cages[1][1] = 11;
        p.cardCage.cages[2][8] = c.cage2Code;
        p.cardCage.cages[8][0] = 99;  // slot 0 is never written
        const auto compiled = test::compile(p, dir.dir());
        EXPECT_EQ(compiled.result.success, c.ok) << c.cage2Code;
        EXPECT_EQ(compiled.context->errors.contains("ZEX3 cannot have expansion card cage(s)"), !c.ok);
        const auto cards = test::section(compiled.lines(), "#2");
        if (!c.ok) {
            EXPECT_TRUE(cards.empty());
            continue;
        }
        // Cage 2 slot 8 is slot number 16 in the boards word.
        const std::string codeWord = hexUpper(static_cast<std::uint32_t>(c.cage2Code));
        EXPECT_EQ(cards, std::vector<std::string> {"40054|B000000|0|0|" + codeWord + "|0|0|0|0|0|0|0|0|0|0|0|0|\\"});
        EXPECT_NE(compiled.lines()[3].find(c.unit == CardCage::UnitType::ZEX3 ? "|510|" : "|910|"), std::string::npos);
    }
}

TEST_F(DriverTest, IoModulesAreCheckedAgainstTheCage) {
    project.cardCage.cages[1][3] = 7;
    project.appendInstance(test::makeInstance("InOk", 2, {"4", "3", "1", "InOk.In", "InOk.G"}));
    project.appendInstance(test::makeInstance("InBad", 2, {"5", "3", "1", "InBad.In", "InBad.G"}));
    project.appendInstance(test::makeInstance("NoCard", 1, {"1", "2", "1", "NoCard.Val"}));
    project.appendInstance(test::makeInstance("NoCage", 4, {"1", "3", "9", "X", "NoCage.Out", "NoCage.T"}));
    const auto c = test::compile(project, dir.dir());
    EXPECT_EQ(c.errors(), (std::vector<std::string> {"Missing or out of range cage number in NoCage",
                                                     "Missing or out of range channel number for card type in InBad",
                                                     "No card assigned corresponding to NoCard"}));
}

TEST_F(DriverTest, ErrorCaps) {
    // Nineteen errors during RAM assignment: the emission loop does not run, the end record is built.
    for (int i = 0; i < 19; ++i) project.appendInstance(test::makeInstance("A" + std::to_string(i), 7, {"x", "", "V", "I"}));
    auto c = test::compile(project, dir.dir());
    EXPECT_EQ(c.context->errorCount, 19);
    EXPECT_EQ(c.result.statusText, "Done compiling...errors");
    EXPECT_TRUE(test::section(c.lines(), "#4").empty());
    EXPECT_EQ(std::count(c.lines().begin(), c.lines().end(), "#4 Modules...|\\"), 0);
    EXPECT_EQ(c.lines()[c.lines().size() - 2], "#D End of file");
    EXPECT_GT(project.usedFlashBytes, 0u);

    // Twenty-five missing items in the modules step: twenty messages, the loop stops after it.
    Project p = test::emptyProject();
    for (int i = 0; i < 25; ++i) p.appendInstance(test::makeInstance("M" + std::to_string(i), 5, {"", "", "M.Out"}));
    c = test::compile(p, dir.dir());
    EXPECT_EQ(c.errors().size(), 20u);
    EXPECT_EQ(c.context->errorCount, 20);
    EXPECT_EQ(std::count(c.lines().begin(), c.lines().end(), "#5 Ladder...|\\"), 0);
    EXPECT_FALSE(fileExists(dir.file(ImageFileName)));
}

TEST_F(DriverTest, HaltStopsTheCompileAndKeepsTheOldImage) {
    dir.write(ImageFileName, "old image");
    project.needToCompile = true;
    CompileHooks hooks;
    std::string lastStep;
    hooks.progress = [&](const std::string& text, int) { lastStep = text; };
    hooks.haltRequested = [&] { return lastStep == "Ladder..."; };
    const auto c = test::compile(project, dir.dir(), {}, false, hooks);
    EXPECT_FALSE(c.result.success);
    EXPECT_TRUE(c.result.halted);
    EXPECT_EQ(c.errors(), std::vector<std::string> {"Compile halted by user"});
    EXPECT_EQ(c.result.statusText, "Compile halted by user");
    EXPECT_EQ(dir.read(ImageFileName), "old image");
    EXPECT_TRUE(project.needToCompile);
    EXPECT_EQ(std::count(c.lines().begin(), c.lines().end(), "#4 Modules...|\\"), 0);  // stopped in the first pass
}

TEST_F(DriverTest, FlashLimitIsInclusive) {
    // An object file whose constant section fills FLASH exactly up to the limit: 200-character
    // strings of 204 bytes each, topped up with integers.
    const auto compileWithConstants = [&](int strings, int integers) {
        std::string constants;
        for (int i = 0; i < strings; ++i) constants += "'" + std::to_string(100000 + i) + std::string(194, 's') + "|\r\n";
        for (int i = 0; i < integers; ++i) constants += std::to_string(1000000 + i) + "|\r\n";
        dir.write("BIG.Obj", "#System Data\r\n0|4|0|0|0\r\n#Constants:\r\n" + constants + "#Flash Code:\r\n");
        Project p = test::emptyProject();
        p.basicModules = {"BIG|BIG.BAS|$0|$0"};
        return test::compile(p, dir.dir(), dir.dir());
    };
    const auto probe = compileWithConstants(0, 0);
    ASSERT_TRUE(probe.result.success) << probe.errors().front();
    const std::uint32_t room = FlashLimit - (probe.context->FlashPointer - FlashBase);
    const int strings = static_cast<int>(room / 204);
    const int integers = static_cast<int>(room % 204 / 4);
    const auto exact = compileWithConstants(strings, integers);
    EXPECT_TRUE(exact.result.success);
    EXPECT_EQ(exact.context->FlashPointer - FlashBase, FlashLimit);
    const auto over = compileWithConstants(strings, integers + 1);
    EXPECT_EQ(over.errors(), std::vector<std::string> {"Insufficient FLASH for application"});
}

TEST_F(DriverTest, RamLimitAndLongLines) {
    // A BASIC string field as large as the whole RAM map.
    dir.write("R.Obj", "#System Data\r\n0|4|0|1|0\r\n#Constants:\r\n#Flash Code:\r\n");
    project.basicModules = {"R|R.BAS|sR.S$[200705]|$0|$0"};
    auto c = test::compile(project, dir.dir(), dir.dir());
    EXPECT_TRUE(c.context->errors.contains("Insufficient RAM for application"));
    EXPECT_TRUE(c.context->errors.contains("Cannot find large enough RAM block for Timers"));

    Project p = test::emptyProject();
    p.appendInstance(test::makeInstance("W", 5, {std::string(250, 'x'), "1", "W.Out"}));
    c = test::compile(p, dir.dir());
    EXPECT_EQ(c.errors(), std::vector<std::string> {"Image line too long in the record at 40094"});
}

TEST_F(DriverTest, BasicModulesWithProblems) {
    project.appendInstance(test::makeInstance("Sc", 5, {"1", "2", "Level"}));
    project.basicModules = {
        "P1|PUMP.BAS|ILevel|INoSuch|fP1.OUT|tP1.DONE!!|$0|$0",
        "M1|MISSING.BAS|I1|$0|$0",
        "P2|PUMP.BAS|ILevel|I1|fP2.OUT|$0|$0",
        "P3|PUMP.BAS|ILevel|I1|fP3.OUT|fP3.X|fP3.Y|$0|$0",
    };
    const auto c = test::compile(project, dir.dir(), FixtureBasic);
    EXPECT_EQ(c.errors(), (std::vector<std::string> {
                              "Cannot find MISSING.Obj",
                              "Cannot find MISSING.Obj referenced by M1",
                              "Parameter list of P2 does not match PUMP.Obj",
                              "Parameter list of P3 does not match PUMP.Obj",
                          }));
    // "NoSuch" became a string constant; a BASIC module line keeps a "$" inside a name when its
    // RAM fields are written.
    Project q = test::emptyProject();
    q.basicModules = {"Q|PUMP.BAS|I1|I2|sQ.A$[8]|fQ.B"};
    const auto d = test::compile(q, dir.dir(), FixtureBasic);
    EXPECT_TRUE(d.result.success) << d.errors().front();
    EXPECT_EQ(q.basicModules[0], "Q|PUMP.BAS|I1|I2|sQ.A$[8]|fQ.B|$40F000|$40F00B");
}

}  // namespace
}  // namespace z7

namespace z7 {
namespace {

TEST(DriverInput, MalformedBasicInputsGiveMessages) {
    struct Case {
        std::string object;  // contents of X.Obj
        std::string line;    // the BASIC module line
        std::string message;
    };
    const std::string head = "#System Data\r\n";
    const std::vector<Case> cases = {
        {"", "X|X.BAS|$0|$0", "Bad summary line in X.Obj"},
        {head + "a|b|c|d|0\r\n#Constants:\r\n#Flash Code:\r\n", "X|X.BAS|$0|$0", "Bad summary line in X.Obj"},
        {head + "-4|4|0|0|0\r\n#Constants:\r\n#Flash Code:\r\n", "X|X.BAS|$0|$0", "Bad summary line in X.Obj"},
        {head + "0|999999999|0|0|0\r\n#Constants:\r\n#Flash Code:\r\n", "X|X.BAS|$0|$0", "Bad summary line in X.Obj"},
        {head + "0|8|0|0|0\r\n#Constants:\r\n#Flash Code:\r\nqz|\r\n", "X|X.BAS|$0|$0", "Bad code item qz in X.Obj"},
        {head + "0|8|0|0|0\r\n#Constants:\r\n#Flash Code:\r\ntx1|\r\n", "X|X.BAS|$0|$0", "Bad code item tx1 in X.Obj"},
        {head + "0|8|0|0|0\r\n#Constants:\r\n#Flash Code:\r\ncNowhere|\r\n", "X|X.BAS|$0|$0", "Cannot find Nowhere in X.Obj"},
        {head + "0|12|0|0|0\r\n#Constants:\r\n#Flash Code:\r\nt1|\r\n", "X|X.BAS|$0|$0", "Code size does not match the code of X.Obj"},
        {head + "0|4|0|1|0\r\n#Constants:\r\n#Flash Code:\r\n", "X|X.BAS|fA(2,x)|$0|$0", "Size is not a whole number in BASIC module X"},
        {head + "0|4|0|1|0\r\n#Constants:\r\n#Flash Code:\r\n", "X|X.BAS|sA$[999999]|$0|$0", "Size is not a whole number in BASIC module X"},
        {head + "0|4|0|1|0\r\n#Constants:\r\n#Flash Code:\r\n", "X|X.BAS|fA(1000,1000,1000)|$0|$0", "Size is not a whole number in BASIC module X"},
        {head + "0|4|0|0|0\r\n#Constants:\r\n#Flash Code:\r\n", "X", "Cannot find .Obj referenced by X"},
        {head + "0|4|0|0|0\r\n#Constants:\r\n#Flash Code:\r\n", "X|X.BAS", ""},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        dir.write("X.Obj", c.object);
        Project project = test::emptyProject();
        project.basicModules = {c.line};
        const auto compiled = test::compile(project, dir.dir(), dir.dir());
        EXPECT_EQ(compiled.result.success, c.message.empty()) << c.line << " / " << c.object;
        if (!c.message.empty()) {
            EXPECT_TRUE(compiled.context->errors.contains(c.message)) << c.message;
        }
    }
}

}  // namespace
}  // namespace z7

namespace z7 {
namespace {

// Random bindings and card codes: every compile ends with a result, and a successful one never
// writes a line the controller could not take.
TEST(DriverInput, RandomProjectsCompileWithoutHarm) {
    std::mt19937 random(11);
    const std::vector<std::string> pieces = {"", "1", "-", "9", "x", "2.5", "A.Out", "B.Out", "@", "$", "12", "99999", "0", "|"};
    const std::vector<int> modules = {1, 2, 4, 5, 7, 8, 9, 18, 19, 31, 60, 61, 125, 168, 170, 200};
    test::TempDir dir;
    for (int round = 0; round < 60; ++round) {
        Project project = test::emptyProject();
        project.cardCage.unitType = random() % 2 ? CardCage::UnitType::ZEX3 : CardCage::UnitType::ZEX7;
        for (int s = 0; s < 4; ++s) project.cardCage.cages[random() % 9][random() % 9] = static_cast<int>(random() % 300) - 20;
        const int count = static_cast<int>(random() % 12);
        for (int n = 0; n < count; ++n) {
            std::vector<std::string> bindings;
            for (int b = 0; b < 40; ++b) bindings.push_back(pieces[random() % pieces.size()] + pieces[random() % pieces.size()]);
            project.appendInstance(test::makeInstance(n % 2 ? "A" : "B", modules[random() % modules.size()], bindings));
        }
        const auto c = test::compile(project, dir.dir());
        if (!c.result.success) continue;
        for (const std::string& line : c.lines()) EXPECT_LE(line.size(), 248u);
    }
}

}  // namespace
}  // namespace z7
