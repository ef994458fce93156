#include "CompilerTestSupport.h"

#include "app/Files.h"
#include "app/Text.h"
#include "compiler/RamAssignment.h"
#include "compiler/ReassignRam.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace z7 {
namespace {

std::string addressOf(const SymbolTable& table, const std::string& name) {
    const long i = table.find(name);
    return i < 0 ? std::string {"(none)"} : table.rows()[static_cast<std::size_t>(i)].address;
}

struct RamAssignmentTest : ::testing::Test {
    test::TempDir dir;
    Project project = test::emptyProject();
};

TEST_F(RamAssignmentTest, OutputsAreLaidOutInsideTheirBlock) {
    project.appendInstance(test::makeInstance("Arr", 7, {"5", "", "Arr.Vals", "Arr.Idx"}));
    project.appendInstance(test::makeInstance("Def", 7, {"", "", "Def.Vals", "Def.Idx"}));
    project.appendInstance(test::makeInstance("Txt", 9, {"", "12", "Txt.Txt", "Txt.Txts"}));
    project.appendInstance(test::makeInstance("Txd", 9, {"2", "", "Txd.Txt", "Txd.Txts"}));
    project.appendInstance(test::makeInstance("Tgt", 18, {"1", "Tgt.Blk", "Tgt.Out"}));
    project.appendInstance(test::makeInstance("DO1", 4, {"1", "1", "1", "X", "DO1.Out", "DO1.OnTmr"}));
    const auto c = test::compile(project, dir.dir());
    const SymbolTables& s = c.context->symbols;
    struct Row {
        const SymbolTable* table;
        std::string name, address;
    };
    const std::vector<Row> rows = {
        {&s.floats, "Arr.Vals", "140F000"},  {&s.integers, "Arr.Idx", "40F014"},   // 5 elements of 4 bytes
        {&s.floats, "Def.Vals", "140F018"},  {&s.integers, "Def.Idx", "40F040"},   // 10 elements by default
        {&s.strings, "Txt.Txt", "440F044"},  {&s.strings, "Txt.Txts", "440F054"},  // 16-byte strings, 10 of them
        {&s.strings, "Txd.Txt", "440F0F4"},  {&s.strings, "Txd.Txts", "440F120"},  // 40 characters by default
        {&s.integers, "Tgt.Blk", "40F178"},  {&s.floats, "Tgt.Out", "140F188"},   // module 18: 16-byte first output
        {&s.statuses, "DO1.Out", "240F18C"}, {&s.timers, "DO1.OnTmr", "40F194"},
    };
    for (const Row& r : rows) EXPECT_EQ(addressOf(*r.table, r.name), r.address) << r.name;
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> blocks = {
        {0x40F000, 0x40F017}, {0x40F018, 0x40F043}, {0x40F044, 0x40F0F3}, {0x40F0F4, 0x40F177}, {0x40F178, 0x40F18B}, {0x40F18C, 0x40F193}};
    for (int n = 1; n <= project.instanceCount(); ++n) {
        EXPECT_EQ(project.instance(n).ramStart, blocks[static_cast<std::size_t>(n - 1)].first) << n;
        EXPECT_EQ(project.instance(n).ramEnd, blocks[static_cast<std::size_t>(n - 1)].second) << n;
    }
    EXPECT_EQ(c.context->systemPointers.tmrs, 0x40F194u);
    EXPECT_EQ(c.context->systemPointers.timerCount, 1u);
}

TEST_F(RamAssignmentTest, Module168SizeCountsNamesThatAreNotStatuses) {
    project.appendInstance(test::makeInstance("Sw", 61, {"3", "1", "Sw.Out"}));
    project.appendInstance(test::makeInstance("Sw2", 61, {"3", "1", "Sw2.Out"}));
    // Items 5 to 24 longer than 3 characters: two statuses, one other name and the output itself.
    project.appendInstance(test::makeInstance("Pk", 168, {"1", "2", "3", "4", "Sw.Out", "Sw2.Out", "Other", "ab", "Pk.Pk"}));
    project.appendInstance(test::makeInstance("After", 5, {"1", "2", "After.Out"}));
    project.cardCage.cages[1][3] = 6;
    const auto c = test::compile(project, dir.dir());
    // n = 4, k = 2: (4 - 2 + 1) * 4 + 4 = 16 bytes, laid out as one integer.
    EXPECT_EQ(project.instance(3).ramEnd - project.instance(3).ramStart + 1, 16u);
    EXPECT_EQ(addressOf(c.context->symbols.integers, "Pk.Pk"), "40F008");
    EXPECT_EQ(addressOf(c.context->symbols.floats, "After.Out"), "140F018");
}

TEST_F(RamAssignmentTest, SeventeenTriggersTakeEightBytes) {
    for (int i = 1; i <= 17; ++i)
        project.appendInstance(test::makeInstance("T" + std::to_string(i), 2, {"", "", "", "T" + std::to_string(i) + ".In", "G" + std::to_string(i)}));
    const auto c = test::compile(project, dir.dir());
    const SymbolTable& g = c.context->symbols.triggers;
    ASSERT_EQ(g.size(), 34u);
    const std::uint32_t trigs = c.context->systemPointers.trigs;
    EXPECT_EQ(c.context->systemPointers.triggerCount, 17u);
    const auto typed = [](std::uint32_t bit, std::uint32_t a) { return hexUpper((bit << 27) | a | StatusTypeBits); };
    EXPECT_EQ(addressOf(g, "@G1"), typed(0, trigs));
    EXPECT_EQ(addressOf(g, "@G16"), typed(15, trigs));
    EXPECT_EQ(addressOf(g, "@G17"), typed(0, trigs + 2));
    EXPECT_EQ(addressOf(g, "G1"), typed(0, trigs + 4));
    EXPECT_EQ(addressOf(g, "G17"), typed(0, trigs + 6));
    // The block is 8 bytes: the next free block starts right after it.
    RamBlock next = FindRamBlock(*c.context, 4, "probe");
    EXPECT_EQ(next.first(), trigs + 8);
}

TEST_F(RamAssignmentTest, StoredBlocksAreKeptAndTooSmallOnesMove) {
    project.appendInstance(test::makeInstance("A", 5, {"1", "2", "A.Out"}));
    project.appendInstance(test::makeInstance("Txt", 9, {"1", "4", "Txt.Txt", "Txt.Txts"}));
    project.appendInstance(test::makeInstance("B", 5, {"1", "2", "B.Out"}));
    auto first = test::compile(project, dir.dir());
    ASSERT_TRUE(first.result.success);
    const std::vector<std::string> image = first.lines();
    const std::vector<Jobrecord> stored = project.instances();

    // Unchanged project: nothing is allocated anew and the image is the same.
    project.needToSave = project.needToCompile = false;
    auto second = test::compile(project, dir.dir());
    ASSERT_TRUE(second.result.success);
    EXPECT_EQ(second.lines(), image);
    EXPECT_EQ(project.instances(), stored);
    EXPECT_FALSE(project.needToSave);

    // A longer string no longer fits: Txt moves to a new block past B, the others stay.
    project.instance(2).bindings[2] = "20";
    auto third = test::compile(project, dir.dir());
    ASSERT_TRUE(third.result.success);
    EXPECT_EQ(project.instance(1).ramStart, stored[0].ramStart);
    EXPECT_EQ(project.instance(3).ramStart, stored[2].ramStart);
    EXPECT_EQ(project.instance(2).ramStart, stored[2].ramEnd + 1);
    EXPECT_TRUE(project.needToSave);

    // After Reassign everything is packed from the bottom again, in instance order.
    test::ScriptedDialogs dialogs;
    dialogs.confirmAnswers = {false, true};
    EXPECT_FALSE(ReassignRam(project, dialogs));
    EXPECT_NE(project.instance(1).ramStart, 0u);
    EXPECT_TRUE(ReassignRam(project, dialogs));
    EXPECT_EQ(dialogs.shown.back(), "confirm: Confirm OK to reassign project RAM?");
    EXPECT_EQ(project.instance(2).ramStart, 0u);
    auto fourth = test::compile(project, dir.dir());
    ASSERT_TRUE(fourth.result.success);
    EXPECT_EQ(project.instance(1).ramStart, RamBase);
    EXPECT_EQ(project.instance(2).ramStart, RamBase + 4);
    EXPECT_EQ(project.instance(3).ramStart, project.instance(2).ramEnd + 1);
}

TEST_F(RamAssignmentTest, OverlappingStoredBlocksFailTheCompile) {
    project.appendInstance(test::makeInstance("A", 5, {"1", "2", "A.Out"}));
    project.appendInstance(test::makeInstance("B", 5, {"1", "2", "B.Out"}));
    for (int n = 1; n <= 2; ++n) {
        project.instance(n).ramStart = 0x40F100;
        project.instance(n).ramEnd = 0x40F103;
    }
    const auto c = test::compile(project, dir.dir());
    EXPECT_FALSE(c.result.success);
    EXPECT_EQ(c.context->errors.count("Ram overlap detected...you should zero Ram"), 4u);
    EXPECT_FALSE(fileExists(dir.file(ImageFileName)));
}

TEST_F(RamAssignmentTest, SizeBindingsThatAreNotNumbersStopTheCompile) {
    struct Case {
        Jobrecord instance;
        std::string message;
    };
    const std::vector<Case> cases = {
        {test::makeInstance("Arr", 7, {"5x", "", "Arr.Vals", "Arr.Idx"}), "Size is not a whole number in Arr"},
        {test::makeInstance("Txt", 9, {"", "1.5", "Txt.Txt", "Txt.Txts"}), "Size is not a whole number in Txt"},
        {test::makeInstance("Neg", 7, {"-3", "", "Neg.Vals", "Neg.Idx"}), "Size is not a whole number in Neg"},
    };
    for (const Case& c : cases) {
        Project p = test::emptyProject();
        p.appendInstance(c.instance);
        const auto compiled = test::compile(p, dir.dir());
        EXPECT_FALSE(compiled.result.success);
        EXPECT_TRUE(compiled.context->errors.contains(c.message)) << c.message;
    }
    // Item 2 of a module without string outputs is no size.
    Project p = test::emptyProject();
    p.appendInstance(test::makeInstance("Arr", 7, {"2", "Level", "Arr.Vals", "Arr.Idx"}));
    EXPECT_FALSE(test::compile(p, dir.dir()).context->errors.contains("Size is not a whole number in Arr"));
}

}  // namespace
}  // namespace z7

namespace z7 {
namespace {

TEST(ReassignRam, ClearsEveryStoredAssignment) {
    Project project = test::emptyProject();
    project.appendInstance(test::makeInstance("A", 5, {"1", "2", "A.Out"}));
    project.instance(1).ramStart = 0x40F000;
    project.instance(1).ramEnd = 0x40F003;
    TelemetryRow header {"Port", "Source", "Dest.", "Word", "Bit", "Name", "Mult", "Type", "Value", "Address"};
    TelemetryRow row {"1", "Us", "2", "1", "", "Flow.5", "", "Float", "", "140F010"};
    project.rxRows = {header, row};
    project.tables = {"~T1|2|3|4|5|6|7|8|$40F100|$40F1FF|", "Float|r1||1|2|r1.TBL", "~T2|a|b|c|d|e|f|g|$0|$0|"};
    project.basicModules = {"P|PUMP.BAS|I1|sP.M$[8]|$40F200|$40F20B", "Q|Q.BAS|I1", "R|R.BAS|$40F300"};
    project.ladderRows[0].statusAddress = 0x240F400;
    project.ladderRows[199].statusAddress = 0x240F404;
    project.needToCompile = false;
    test::ScriptedDialogs dialogs;
    ASSERT_TRUE(ReassignRam(project, dialogs));
    EXPECT_EQ(project.instance(1).ramStart, 0u);
    EXPECT_EQ(project.instance(1).ramEnd, 0u);
    EXPECT_EQ(project.rxRows[0][TlmAddress], "Address");
    EXPECT_EQ(project.rxRows[1][TlmAddress], "$0");
    EXPECT_EQ(project.tables, (std::vector<std::string> {"~T1|2|3|4|5|6|7|8|$0|$0|", "Float|r1||1|2|r1.TBL", "~T2|a|b|c|d|e|f|g|$0|$0|"}));
    EXPECT_EQ(project.basicModules, (std::vector<std::string> {"P|PUMP.BAS|I1|sP.M$[8]|$0|$0", "Q|Q.BAS|I1|$0|$0", "R|R.BAS|$0|$0"}));
    EXPECT_EQ(project.ladderRows[0].statusAddress, 0u);
    EXPECT_EQ(project.ladderRows[199].statusAddress, 0u);
    EXPECT_TRUE(project.needToCompile);
}

}  // namespace
}  // namespace z7
