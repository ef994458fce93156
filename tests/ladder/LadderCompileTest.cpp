#include "ladder/LadderCompile.h"

#include "compiler/SectionEmitters.h"
#include "ladder/LadderCell.h"

#include "compiler/CompilerTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace z7 {
namespace {

class LadderCompileTest : public ::testing::Test {
protected:
    Project project;
    ModuleLibrary library;
    std::unique_ptr<CompileContext> ctx = fresh();
    std::unique_ptr<CompileContext> fresh() { return std::make_unique<CompileContext>(project, library, CompileSettings {}); }

    void cell(int row, int column, int kind, std::string text = {}) {
        auto& rung = project.ladderRows[static_cast<std::size_t>(row)];
        rung.kinds[static_cast<std::size_t>(column)] = kind;
        rung.texts[static_cast<std::size_t>(column)] = std::move(text);
    }
    void wire(int row, int from, int to) {
        for (int c = from; c <= to; ++c) cell(row, c, CellHorizontal);
    }
    void coil(int row, const std::string& tag) {
        cell(row, 7, CellCoil, tag);
        ctx->symbols.addStatus(tag, 0x40F00C);
        ctx->symbols.addTimer(tag + "ONdly");
        ctx->symbols.addTimer(tag + "OFFdly");
        ctx->symbols.timers.setAddress(ctx->symbols.timers.size() - 2, "40F100");
        ctx->symbols.timers.setAddress(ctx->symbols.timers.size() - 1, "40F104");
    }
    void zeroConstant() {
        ctx->symbols.constants.registerConstant("0", "XXXX");
        ctx->symbols.constants.column(ConstantKind::Integer).back().address = "40010";
    }
    std::vector<std::string> emit() {
        return test::emitBothPasses(*ctx, EmitLadder, 0x40100);
    }
};

TEST_F(LadderCompileTest, BranchExampleInBottomUpRecordOrder) {
    ctx->symbols.addStatus("PA1", 0x40F000);
    ctx->symbols.addStatus("PB1", 0x40F004);
    ctx->symbols.addStatus("PC1", 0x40F008);
    ctx->symbols.addStatus("Ladr.11", 0x40F010);
    zeroConstant();
    cell(0, 0, CellOpen, "PA1");
    cell(0, 1, CellDown);
    cell(0, 2, CellOpen, "PC1");
    wire(0, 3, 6);
    coil(0, "Y.Coil");
    cell(1, 0, CellOpen, "PB1");
    cell(1, 1, CellAngle);
    EXPECT_EQ(emit(), (std::vector<std::string> {
                          "40100|232C|40128|240F004|||||||240F010|\\",
                          "40128|232D|40150|240F000|||||||240F010|\\",
                          "40150|232E|40188||240F010|240F008|||||240F00C|40010|40010|40F100|40F104|\\",
                      }));
    EXPECT_EQ(ctx->FlashPointer, 0x40188u);
    EXPECT_TRUE(ctx->errors.empty());
}

TEST_F(LadderCompileTest, ContactFieldsAndRowsWithoutRecords) {
    ctx->symbols.addInteger("Lvl", 0x4000);
    zeroConstant();
    cell(0, 0, CellClosed, "Lvl");  // bit 31 set
    wire(0, 1, 6);
    coil(0, "Q.Coil");
    EXPECT_EQ(emit(), (std::vector<std::string> {
                          "40100|232E|40138|80004000|||||||240F00C|40010|40010|40F100|40F104|\\",
                      }));
    // The wiring check refuses the next two rows, so their translation is shown directly: a down
    // junction without an angle below adds no field, and a row that starts with a blank gives
    // nothing even with a contact further right.
    ctx->image.clear();
    ctx->FlashPointer = 0x40100;
    cell(0, 1, CellDown);
    cell(0, 2, CellOpen, "Lvl");
    cell(1, 0, CellBlank);
    cell(1, 1, CellOpen, "Lvl");
    wire(1, 2, 6);
    cell(1, 7, CellCoil, "Q.Coil");
    CompileLadder(*ctx);
    EXPECT_EQ(ctx->image.lines(), (std::vector<std::string> {
                                      "40100|232E|40138|80004000|4000||||||240F00C|40010|40010|40F100|40F104|\\",
                                  }));
}

TEST_F(LadderCompileTest, EmptyLadderGivesEmptySection) {
    EXPECT_TRUE(emit().empty());
    EXPECT_EQ(ctx->FlashPointer, 0x40100u);
}

TEST_F(LadderCompileTest, CheckMessagesStopTheSection) {
    struct Case {
        bool wired;
        int row, column, kind;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {false, 0, 0, CellVertical, "", "Schematic error in ladder rung 1, cell 1"},  // above row 0 is blank
        {true, 0, 0, CellAngle, "", "Schematic error in ladder rung 1, cell 1"},
        {true, 2, 3, CellVertical, "", "Schematic error in ladder rung 3, cell 3"},  // the rest of the row is skipped
        {true, 0, 0, CellOpen, "AB", "Missing tag in ladder rung 1, cell 1"},
        {true, 4, 7, CellCoil, "", "Missing tag in ladder rung 5, cell 8"},
    };
    for (const Case& c : cases) {
        project.resetLadder();
        ctx->image.clear();
        ctx->errors.clear();
        ctx->errorCount = 0;
        if (c.wired) {
            wire(c.row, 0, 6);
            coil(c.row, "Z.Coil");
        }
        cell(c.row, c.column, c.kind, c.text);
        EXPECT_TRUE(emit().empty()) << c.message;
        EXPECT_TRUE(ctx->errors.contains(c.message)) << c.message;
        EXPECT_EQ(ctx->FlashPointer, 0x40100u);
    }
    project.resetLadder();
    ctx->errors.clear();
    cell(0, 0, CellOpen, "ABC");
    wire(0, 1, 6);
    cell(0, 7, CellCoil, "ABC");
    EXPECT_TRUE(CheckLadder(*ctx));
}

TEST_F(LadderCompileTest, LookupFailuresNameTheRungAndCell) {
    struct Case {
        const char* contact;
        const char* onDelay;
        const char* offDelay;
        bool timers;
        std::vector<std::string> messages;
        std::size_t lines;
    };
    const Case cases[] = {
        {"Nope", "0", "0", true, {"Cannot find Nope in ladder rung 1, cell 1"}, 0},
        {"Lvl", "", "0", true, {"Cannot find ON delay reference  in ladder rung 1"}, 1},
        {"Lvl", "0", "Later", true, {"Cannot find OFF delay reference Later in ladder rung 1"}, 0},
        {"Lvl", "0", "0", false, {"Cannot find ON delay reference W.CoilONdly in ladder rung 1"}, 0},
    };
    for (const Case& c : cases) {
        ctx = fresh();
        project.resetLadder();
        ctx->symbols.addInteger("Lvl", 0x4000);
        zeroConstant();
        cell(0, 0, CellOpen, c.contact);
        wire(0, 1, 6);
        cell(0, 7, CellCoil, "W.Coil");
        ctx->symbols.addStatus("W.Coil", 0x40F020);
        if (c.timers) {
            ctx->symbols.addTimer("W.CoilONdly");
            ctx->symbols.timers.setAddress(0, "40F100");
        }
        project.ladderRows[0].onDelay = c.onDelay;
        project.ladderRows[0].offDelay = c.offDelay;
        EXPECT_EQ(emit().size(), c.lines) << c.contact << c.onDelay << c.offDelay;
        EXPECT_EQ(ctx->errors.messages(), c.messages);
    }
    ctx = fresh();
    project.resetLadder();
    cell(0, 0, CellOpen, "Lvl");
    wire(0, 1, 6);
    cell(0, 7, CellCoil, "W.Coil");
    ctx->symbols.addInteger("Lvl", 0x4000);
    emit();
    EXPECT_EQ(ctx->errors.messages(), std::vector<std::string> {"Cannot find coil W.Coil in ladder rung 1, cell 8"});
}

TEST_F(LadderCompileTest, RamGivesEachRungOneWordAndItsStatusesSeparateBits) {
    cell(0, 0, CellOpen, "A");
    cell(0, 1, CellDown);
    cell(0, 7, CellCoil, "Y.Coil");
    cell(1, 0, CellOpen, "B");
    cell(1, 1, CellAngle);
    cell(1, 7, CellCoil, "Z.Coil");
    cell(1, 3, CellAngle);
    for (int pass = 1; pass <= 3; ++pass) AssignLadderRam(*ctx, pass);
    EXPECT_EQ(project.ladderRows[0].statusAddress, 0x40F000u);
    EXPECT_EQ(project.ladderRows[1].statusAddress, 0x40F004u);
    EXPECT_EQ(LookupAddress(*ctx, "Y.Coil"), "240F000");
    EXPECT_EQ(LookupAddress(*ctx, "Z.Coil"), "240F004");
    EXPECT_EQ(LookupAddress(*ctx, "Ladr.11"), "A40F004");
    EXPECT_EQ(LookupAddress(*ctx, "Ladr.13"), "1240F004");
    EXPECT_EQ(ctx->symbols.timers.size(), 4u);
    EXPECT_TRUE(project.needToCompile);

    // The next compile re-marks the stored words without overlap and gives the same addresses.
    CompileContext again {project, library, CompileSettings {}};
    project.needToCompile = false;
    for (int pass = 1; pass <= 3; ++pass) AssignLadderRam(again, pass);
    EXPECT_TRUE(again.errors.empty());
    EXPECT_FALSE(project.needToCompile);
    EXPECT_EQ(LookupAddress(again, "Ladr.13"), "1240F004");
    EXPECT_EQ(again.ramMap.usedCount(), 2u);

    RegisterLadderDelays(again);
    EXPECT_EQ(again.symbols.constants.column(ConstantKind::Integer).size(), 1u);
}

}  // namespace
}  // namespace z7
