#include "compiler/TableCompile.h"

#include "app/Text.h"

#include "compiler/SectionEmitters.h"

#include "compiler/CompilerTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace z7 {
namespace {

class TableCompileTest : public ::testing::Test {
protected:
    Project project;
    ModuleLibrary library;
    std::unique_ptr<CompileContext> ctx = std::make_unique<CompileContext>(project, library, CompileSettings {});

    void assignRam() {
        for (int pass = 1; pass <= 3; ++pass) AssignTableRam(*ctx, pass);
    }
    // Constants get their FLASH addresses from the constant section; here they are numbered.
    void placeConstants() {
        std::uint32_t address = 0x40100;
        for (ConstantKind kind : {ConstantKind::Integer, ConstantKind::Float, ConstantKind::String})
            for (ConstantEntry& entry : ctx->symbols.constants.column(kind)) {
                entry.address = hexUpper(address);
                address += 0x10;
            }
    }
    std::vector<std::string> emit(std::uint32_t start) {
        return test::emitBothPasses(*ctx, EmitTables, start, false);
    }
};

TEST_F(TableCompileTest, ThreeRowsTwoColumnsWithItsBlockOutputsAndConstants) {
    project.tables = {"~Tank|Col.Sel|||3|2|20|0|$0|$0|", "Integer|Low||5||Low.TBL|", "Float|High|Wr.In|2.5|Lim.A|High.TBL|",
                      "String|Label|||Hi|Label.TBL|"};
    ctx->symbols.addInteger("Col.Sel", 0x40F300);
    ctx->symbols.addFloat("Wr.In", 0x40F200);
    ctx->symbols.addFloat("Lim.A", 0x40F204);
    assignRam();
    EXPECT_TRUE(ctx->errors.empty());
    // Outputs first (pass 2), then the block: 4 + 4 (row 1), 4 (row 2), 28 + 28 (row 3).
    EXPECT_EQ(LookupAddress(*ctx, "Low.TBL"), "40F000");
    EXPECT_EQ(LookupAddress(*ctx, "High.TBL"), "140F004");
    EXPECT_EQ(LookupAddress(*ctx, "Label.TBL"), "440F008");
    EXPECT_EQ(project.tables[0], "~Tank|Col.Sel|||3|2|20|0|$40F024|$40F067|");
    EXPECT_TRUE(project.needToCompile);
    const auto& strings = ctx->symbols.constants.column(ConstantKind::String);
    ASSERT_EQ(strings.size(), 5u);  // Low, High, Label, Hi, Tank; "Lim.A" is no literal
    EXPECT_EQ(strings[3].text, "Hi");
    EXPECT_EQ(strings[4].text, "Tank");
    placeConstants();  // 5: 40100, 2.5: 40110, Low 40120 ... Tank 40160

    EXPECT_EQ(emit(0x40800), (std::vector<std::string> {
                                 "40800|2334|40830|40884|40F300|||3|2|14|40F024|40F044|40160|\\",
                                 "40830|2335|4084C||40100|40F024|40F000|40120|\\",
                                 "4084C|2335|40868|140F200|40110|140F204|140F004|40130|\\",
                                 "40868|2335|40884||440F028|40150|440F008|40140|\\",
                             }));
    EXPECT_TRUE(ctx->errors.empty());
    EXPECT_EQ(ctx->moduleAddresses.lookup("High"), "4084C");

    // The next compile re-marks the stored block and allocates no new one.
    project.needToCompile = false;
    ctx = std::make_unique<CompileContext>(project, library, CompileSettings {});
    assignRam();
    EXPECT_FALSE(project.needToCompile);
    EXPECT_TRUE(ctx->errors.empty());
    EXPECT_EQ(ctx->ramMap.usedCount(), 0x44u + 4 + 4 + 28);
}

TEST_F(TableCompileTest, LongRowsSplitAtTheNextWordAddress) {
    std::string row = "Integer|R1||";
    for (int c = 0; c < 20; ++c) row += "5|";
    project.tables = {"~Wide|Col.Sel|||2|20|20|0|$0|$0|", row + "R1.TBL|", "Integer|R2||" + std::string(20, '|') + "R2.TBL|"};
    ctx->symbols.addInteger("Col.Sel", 0x40F300);
    assignRam();
    placeConstants();  // 5: 40100
    const auto lines = emit(0x40800);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], "40830|2335|40894||" + [] {
        std::string s;
        for (int c = 0; c < 18; ++c) s += "40100|";
        return s;
    }() + "\\");
    EXPECT_EQ(lines[2], "40884|40100|40100|40F000|40110|\\");
    EXPECT_EQ(lines[0].substr(0, 24), "40800|2334|40830|408F8|4");
}

TEST_F(TableCompileTest, SelectorAndCellMessages) {
    // A row without a name still has a record, but its output cannot be found. A plain word in a
    // cell is a string literal; a dotted name that is no variable is not.
    project.tables = {"~T1||||2|1|20|0|$0|$0|", "Integer|A||Gone.X|A.TBL|", "~T2|Sel|W.Sel|W.Trig|1|1|20|0|$0|$0|",
                      "Integer|B||1|B.TBL|", "~T3|Sel|||1|1|20|0|$0|$0|", "Status||||.TBL|"};
    ctx->symbols.addInteger("Sel", 0x40F300);
    assignRam();
    placeConstants();
    emit(0x40800);
    EXPECT_EQ(ctx->errors.messages(), (std::vector<std::string> {
                                          "Cannot find .TBL in table T3",
                                          "Cannot find Gone.X in table T1",
                                          "Cannot find read column index for T1",
                                          "Cannot find write column index for T2",
                                          "Cannot find write trigger for T2",
                                      }));
}

TEST_F(TableCompileTest, UnknownRowTypesAreLaidOutAsIntegers) {
    project.tables = {"~T1|Sel|||2|1|20|0|$0|$0|", "Word|A|||A.TBL|", "Status|B|||B.TBL|"};
    ctx->symbols.addInteger("Sel", 0x40F300);
    assignRam();
    EXPECT_EQ(LookupAddress(*ctx, "A.TBL"), "40F000");
    EXPECT_EQ(project.tables[0], "~T1|Sel|||2|1|20|0|$40F008|$40F017|");
    placeConstants();
    const auto lines = emit(0x40800);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "40830|2335|40848||40F008|40F000|40100|\\");
    EXPECT_EQ(lines[2], "40848|2335|40860||240F00C|240F004|40110|\\");
}

TEST_F(TableCompileTest, TwoLineListEmitsAndAssignsNothing) {
    project.tables = {"~T1|Sel|||1|1|20|0|$0|$0|", "Integer|A||1|A.TBL|"};
    assignRam();
    EXPECT_TRUE(emit(0x40800).empty());
    EXPECT_EQ(ctx->FlashPointer, 0x40800u);
    EXPECT_EQ(ctx->ramMap.usedCount(), 0u);
    EXPECT_EQ(project.tables[0], "~T1|Sel|||1|1|20|0|$0|$0|");
}

TEST_F(TableCompileTest, SizesThatAreNoNumbersStopTheCompile) {
    project.tables = {"~T1|Sel|||x|1|20|0|$0|$0|", "Integer|A||1|A.TBL|", "Integer|B||1|B.TBL|"};
    assignRam();
    EXPECT_EQ(ctx->errors.messages(), std::vector<std::string> {"Rows, columns and characters must be whole numbers in table T1"});
    EXPECT_TRUE(emit(0x40800).empty());
}

}  // namespace
}  // namespace z7
